#include "project/pageproject.h"

#include "app/apperror.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/paths.h"
#include "app/textcodec.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <optional>

namespace askbright {

namespace {

constexpr QChar encodedCr = QChar(254);
constexpr QChar encodedLf = QChar(255);

QString replaceChars(const QString &value, QChar from1, QChar to1, QChar from2, QChar to2)
{
    QString out = trimBlanks(value);
    for (QChar &c : out) {
        if (c == from1)
            c = to1;
        else if (c == from2)
            c = to2;
    }
    return out;
}

QString orMitte(const QString &align)
{
    return align.isEmpty() ? QStringLiteral("mitte") : align;
}

bool isAlignWord(const QString &word)
{
    return word == QLatin1String("links") || word == QLatin1String("mitte") ||
           word == QLatin1String("rechts");
}

QString editorSize(const QString &line, const char *relativeReplacement)
{
    const QString size = trimBlanks(line);
    return size.startsWith(u'+') ? QString::fromLatin1(relativeReplacement) : size;
}

Message notAProjectMessage(Language language)
{
    Message m;
    m.text = language.pick(u"Keine Seitenvorlage!", u"Isn't a template-file");
    m.icon = MessageIcon::Information;
    return m;
}

Message folderMissingMessage(Language language)
{
    Message m;
    m.icon = MessageIcon::Information;
    m.title =
        language.pick(u"Datei nicht gefunden", u"File not found - but you can work continue.");
    m.text = language.pick(u"Kein Seitenname ausgewählt, falscher Pfad oder Datei verschoben",
                           u"Uups - I missing a File. Please check out your settings.");
    return m;
}

Message pictureMissingMessage(Language language)
{
    Message m;
    m.icon = MessageIcon::Information;
    m.title = language.pick(u"Hinweis", u"Notice");
    m.text = language.pick(u"Das Hintergrundbild befindet sich nicht mehr an der\r"
                           u"gespeicherten Position!\rBitte neu zuordnen!",
                           u"The background-picture not found on the\rsaved position!\r"
                           u"Please select the picture anew!");
    return m;
}

// Lines 2 to 20 and the keywords, taken over one by one; throws at the first
// line that is missing, so the fields after it keep their values.
void takeOverLines(const ProjectLines &lines, PageProject &p, Language language, MessageSink &sink)
{
    p.title = enter_rein(lines.line(2));
    int number = 3;
    for (QString *color : {&p.textColor, &p.bgColor, &p.alinkColor, &p.vlinkColor, &p.linkColor})
        *color = lines.line(number++);
    p.picturePath = lines.line(8);
    p.pictureOn = trimBlanks(lines.line(9));
    if (!p.picturePath.isEmpty() && p.pictureOn == QLatin1String("ja") &&
        !QFileInfo(localPath(p.picturePath)).isFile())
        sink.showMessage(pictureMissingMessage(language));
    p.pageFileName = lines.line(10);
    p.author = enter_rein(lines.line(11));
    p.description = lines.line(12);
    const QString &titleAlign = lines.line(13);
    p.titleAlign = isAlignWord(titleAlign) ? titleAlign : QStringLiteral("mitte");
    p.bold = trimBlanks(lines.line(14)) == QLatin1String("Fett");
    p.italic = lines.line(15) == QLatin1String("Italic");
    p.fontName = trimBlanks(lines.line(16));
    p.titleSize = editorSize(lines.line(17), "16");
    p.textSize = editorSize(lines.line(18), "12");
    const QString faqAlign = trimBlanks(lines.line(19));
    p.faqAlign = isAlignWord(faqAlign) ? faqAlign : QStringLiteral("mitte");
    lines.keywordCount(); // a count that is no number stops before the list is emptied
    p.keywords.clear();
    for (int i = 0; i < lines.keywordsToRead(); ++i)
        p.keywords << lines.keyword(i);
}

} // namespace

QString enter_raus(const QString &value)
{
    return replaceChars(value, u'\r', encodedCr, u'\n', encodedLf);
}

QString enter_rein(const QString &value)
{
    return replaceChars(value, encodedCr, u'\r', encodedLf, u'\n');
}

void removeDuplicateKeywords(QStringList &keywords)
{
    QSet<QString> seen;
    seen.reserve(keywords.size());
    keywords.removeIf([&seen](const QString &k) {
        if (seen.contains(k))
            return true;
        seen.insert(k);
        return false;
    });
}

QString formatPageProject(PageProject p, const QString &pendingKeyword)
{
    removeDuplicateKeywords(p.keywords);
    if (!pendingKeyword.isEmpty() && !p.keywords.contains(pendingKeyword))
        p.keywords << pendingKeyword;
    QString description = trimBlanks(p.description);
    description.replace(u'\r', u' ');
    description.remove(u'\n');

    const QStringList lines = {
        projectMarker,
        enter_raus(p.title),
        trimBlanks(p.textColor),
        trimBlanks(p.bgColor),
        trimBlanks(p.alinkColor),
        trimBlanks(p.vlinkColor),
        trimBlanks(p.linkColor),
        p.picturePath,
        p.pictureOn,
        p.pageFileName,
        enter_raus(p.author),
        description,
        orMitte(p.titleAlign),
        p.bold ? QStringLiteral("Fett") : QString(),
        p.italic ? QStringLiteral("Italic") : QString(),
        p.fontName,
        p.titleSize,
        p.textSize,
        orMitte(p.faqAlign),
        printNumber(p.keywords.size()),
    };
    QString out = lines.join(QLatin1String(crlf)) + QLatin1String(crlf);
    for (const QString &k : std::as_const(p.keywords))
        out += k + QLatin1String(crlf);
    return out;
}

void savePageProject(const QString &path, const PageProject &project, const QString &pendingKeyword)
{
    saveTextFile(localPath(path), formatPageProject(project, pendingKeyword));
}

ProjectReadOutcome openPageProject(const QString &path, PageProject &project, Language language,
                                   MessageSink &sink)
{
    if (!path.endsWith(QLatin1String("pdt")))
        return ProjectReadOutcome::NotPdt;
    const QString local = localPath(path);
    if (!QFileInfo(local).dir().exists()) {
        sink.showMessage(folderMissingMessage(language));
        return ProjectReadOutcome::FolderMissing;
    }
    std::optional<ProjectLines> lines;
    try {
        lines.emplace(readProjectFile(local));
    } catch (const AppError &) {
        return ProjectReadOutcome::Stopped;
    }
    return applyProjectLines(*lines, project, language, sink);
}

ProjectReadOutcome applyProjectLines(const ProjectLines &lines, PageProject &project,
                                     Language language, MessageSink &sink)
{
    try {
        if (!lines.hasMarker()) {
            sink.showMessage(notAProjectMessage(language));
            return ProjectReadOutcome::NotAProject;
        }
        takeOverLines(lines, project, language, sink);
    } catch (const AppError &) {
        return ProjectReadOutcome::Stopped;
    }
    return ProjectReadOutcome::Read;
}

} // namespace askbright
