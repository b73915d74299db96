#include "project/projectfile.h"

#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/paths.h"
#include "app/textcodec.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace askbright {

ProjectLines::ProjectLines(QByteArrayView bytes)
{
    LineReader in(decodeCp1252(bytes));
    try {
        while (m_lines.size() < fixedLineCount)
            m_lines << in.next();
        m_count = toInt32(m_lines.back());
        for (int i = 0; i < keywordsToRead(); ++i)
            m_keywords << in.next();
    } catch (const AppError &error) {
        m_failure = error;
    }
}

void ProjectLines::fail() const
{
    throw m_failure.value_or(AppError(AppError::InputPastEndOfFile));
}

const QString &ProjectLines::line(int number) const
{
    Q_ASSERT(number >= 1 && number <= fixedLineCount);
    if (number > m_lines.size())
        fail();
    return m_lines.at(number - 1);
}

bool ProjectLines::hasMarker() const
{
    return trimBlanks(line(1)) == projectMarker;
}

qint32 ProjectLines::keywordCount() const
{
    line(fixedLineCount);
    if (!m_count) {
        const QString &text = m_lines.back();
        throw AppError(m_failure ? m_failure->number() : int(AppError::TypeMismatch),
                       QStringLiteral("Keyword count (line 20) is not a whole number: \"%1\"")
                           .arg(excerpt(text)));
    }
    return *m_count;
}

int ProjectLines::keywordsToRead() const
{
    return m_count ? std::max(*m_count, 0) : 0;
}

const QString &ProjectLines::keyword(int index) const
{
    Q_ASSERT(index >= 0);
    if (index >= m_keywords.size())
        fail();
    return m_keywords.at(index);
}

ProjectLines readProjectFile(const QString &path)
{
    return ProjectLines(readFileBytes(path, maxProjectFileBytes));
}

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

QString alignmentWord(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Left:
        return QStringLiteral("links");
    case Alignment::Right:
        return QStringLiteral("rechts");
    case Alignment::Center:
    case Alignment::Unset:
        break;
    }
    return QStringLiteral("mitte");
}

std::optional<Alignment> alignmentOf(const QString &word)
{
    if (word == QLatin1String("links"))
        return Alignment::Left;
    if (word == QLatin1String("mitte"))
        return Alignment::Center;
    if (word == QLatin1String("rechts"))
        return Alignment::Right;
    return std::nullopt;
}

QString pictureUseWord(PictureUse use)
{
    switch (use) {
    case PictureUse::Used:
        return QStringLiteral("ja");
    case PictureUse::NotUsed:
        return QStringLiteral("nein");
    case PictureUse::Unset:
        break;
    }
    return {};
}

PictureUse pictureUseOf(const QString &word)
{
    if (word == QLatin1String("ja"))
        return PictureUse::Used;
    if (word == QLatin1String("nein"))
        return PictureUse::NotUsed;
    return PictureUse::Unset;
}

bool isBold(const QString &line)
{
    return trimBlanks(line) == QLatin1String("Fett");
}

// A size line; a relative size ("+1", from old files) becomes the given one.
QString sizeOf(const QString &line, const char *forRelative)
{
    const QString size = trimBlanks(line);
    return size.startsWith(u'+') ? QString::fromLatin1(forRelative) : size;
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

// The editor's lines 2 to 20 and keywords, taken over one by one; throws at
// the first line that is missing, so the fields after it keep their values.
void takeOverForEditor(const ProjectLines &lines, PageProject &p, Language language,
                       MessageSink &sink)
{
    p.title = decodeLineBreaks(lines.line(2));
    int number = 3;
    for (QString *color : {&p.textColor, &p.bgColor, &p.alinkColor, &p.vlinkColor, &p.linkColor})
        *color = lines.line(number++);
    p.picturePath = lines.line(8);
    p.pictureUse = pictureUseOf(trimBlanks(lines.line(9)));
    if (!p.picturePath.isEmpty() && p.usesPicture() &&
        !QFileInfo(localPath(p.picturePath)).isFile())
        sink.showMessage(pictureMissingMessage(language));
    p.pageFileName = lines.line(10);
    p.author = decodeLineBreaks(lines.line(11));
    p.description = lines.line(12);
    p.titleAlign = alignmentOf(lines.line(13)).value_or(Alignment::Center);
    p.bold = isBold(lines.line(14));
    p.italic = lines.line(15) == QLatin1String("Italic");
    p.fontName = trimBlanks(lines.line(16));
    p.titleSize = sizeOf(lines.line(17), "16");
    p.textSize = sizeOf(lines.line(18), "12");
    p.faqAlign = alignmentOf(trimBlanks(lines.line(19))).value_or(Alignment::Center);
    lines.keywordCount(); // a count that is no number stops before the list is emptied
    p.keywords.clear();
    for (int i = 0; i < lines.keywordsToRead(); ++i)
        p.keywords << lines.keyword(i);
}

// A number from the project, or error 13/6 naming the line it came from.
double projectNumber(const QString &text, const char *what)
{
    try {
        return toDecimal(text);
    } catch (const AppError &e) {
        throw AppError(
            e.number(),
            QStringLiteral("%1 is not a number: \"%2\"").arg(QLatin1String(what), excerpt(text)));
    }
}

} // namespace

QString encodeLineBreaks(const QString &value)
{
    return replaceChars(value, u'\r', encodedCr, u'\n', encodedLf);
}

QString decodeLineBreaks(const QString &value)
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
        encodeLineBreaks(p.title),
        trimBlanks(p.textColor),
        trimBlanks(p.bgColor),
        trimBlanks(p.alinkColor),
        trimBlanks(p.vlinkColor),
        trimBlanks(p.linkColor),
        p.picturePath,
        pictureUseWord(p.pictureUse),
        p.pageFileName,
        encodeLineBreaks(p.author),
        description,
        alignmentWord(p.titleAlign),
        p.bold ? QStringLiteral("Fett") : QString(),
        p.italic ? QStringLiteral("Italic") : QString(),
        p.fontName,
        p.titleSize,
        p.textSize,
        alignmentWord(p.faqAlign),
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
    return readProjectForEditor(*lines, project, language, sink);
}

ProjectReadOutcome readProjectForEditor(const ProjectLines &lines, PageProject &project,
                                        Language language, MessageSink &sink)
{
    try {
        if (!lines.hasMarker()) {
            sink.showMessage(notAProjectMessage(language));
            return ProjectReadOutcome::NotAProject;
        }
        takeOverForEditor(lines, project, language, sink);
    } catch (const AppError &) {
        return ProjectReadOutcome::Stopped;
    }
    return ProjectReadOutcome::Read;
}

std::optional<PageProject> readProjectForPage(const ProjectLines &lines)
{
    const auto alignment = [](const QString &line) {
        return alignmentOf(trimBlanks(line)).value_or(Alignment::Left);
    };
    if (!lines.hasMarker())
        return std::nullopt;
    PageProject p;
    p.title = decodeLineBreaks(lines.line(2));
    int number = 3;
    for (QString *value :
         {&p.textColor, &p.bgColor, &p.alinkColor, &p.vlinkColor, &p.linkColor, &p.picturePath})
        *value = trimBlanks(lines.line(number++));
    p.pictureUse =
        trimBlanks(lines.line(9)) == QLatin1String("ja") ? PictureUse::Used : PictureUse::NotUsed;
    p.pageFileName = trimBlanks(lines.line(10));
    p.author = decodeLineBreaks(lines.line(11));
    p.description = trimBlanks(lines.line(12));
    p.titleAlign = alignment(lines.line(13));
    p.bold = isBold(lines.line(14));
    p.italic =
        trimBlanks(lines.line(15)).compare(QLatin1String("italic"), Qt::CaseInsensitive) == 0;
    p.fontName = trimBlanks(lines.line(16));
    p.titleSize = sizeOf(lines.line(17), "14");
    p.textSize = sizeOf(lines.line(18), "10");
    p.faqAlign = alignment(lines.line(19));
    const QString &countLine = lines.line(20);
    if (projectNumber(countLine, "Keyword count") > ProjectLines::maxPageKeywords)
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("More than %1 keywords: %2")
                                                          .arg(ProjectLines::maxPageKeywords)
                                                          .arg(excerpt(trimBlanks(countLine))));
    const int count = std::max(0, lines.keywordCount());
    for (int i = 0; i < count; ++i)
        p.keywords << trimBlanks(lines.keyword(i));
    return p;
}

} // namespace askbright
