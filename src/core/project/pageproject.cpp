#include "project/pageproject.h"

#include "app/apperror.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/paths.h"
#include "app/textcodec.h"
#include "html/templatefolders.h"

#include <QDir>
#include <QFileInfo>

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

// Lines 2 to 20 and the keywords; throws at the first line that fails.
void readProjectLines(LineReader &in, PageProject &p, Language language, MessageSink &sink)
{
    p.title = enter_rein(in.next());
    for (QString *color : {&p.textColor, &p.bgColor, &p.alinkColor, &p.vlinkColor, &p.linkColor})
        *color = in.next();
    p.picturePath = in.next();
    p.pictureOn = trimBlanks(in.next());
    if (!p.picturePath.isEmpty() && p.pictureOn == QLatin1String("ja") &&
        !QFileInfo(localPath(p.picturePath)).isFile())
        sink.showMessage(pictureMissingMessage(language));
    p.pageFileName = in.next();
    p.author = enter_rein(in.next());
    p.description = in.next();
    const QString titleAlign = in.next();
    p.titleAlign = isAlignWord(titleAlign) ? titleAlign : QStringLiteral("mitte");
    p.bold = trimBlanks(in.next()) == QLatin1String("Fett");
    p.italic = in.next() == QLatin1String("Italic");
    p.fontName = trimBlanks(in.next());
    p.titleSize = editorSize(in.next(), "16");
    p.textSize = editorSize(in.next(), "12");
    const QString faqAlign = trimBlanks(in.next());
    p.faqAlign = isAlignWord(faqAlign) ? faqAlign : QStringLiteral("mitte");
    const qint32 count = toInt32(in.next());
    p.keywords.clear();
    for (qint32 i = 0; i < count; ++i)
        p.keywords << in.next();
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
    QStringList unique;
    for (const QString &k : std::as_const(keywords)) {
        if (!unique.contains(k))
            unique << k;
    }
    keywords = std::move(unique);
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
    try {
        LineReader in(decodeCp1252(readFileBytes(local, maxProjectFileBytes)));
        if (trimBlanks(in.next()) != projectMarker) {
            sink.showMessage(notAProjectMessage(language));
            return ProjectReadOutcome::NotAProject;
        }
        readProjectLines(in, project, language, sink);
    } catch (const AppError &) {
        return ProjectReadOutcome::Stopped;
    }
    return ProjectReadOutcome::Read;
}

} // namespace askbright
