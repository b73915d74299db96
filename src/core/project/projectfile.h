#pragma once

#include "app/apperror.h"
#include "app/language.h"
#include "app/messages.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace askbright {

// A page project file (.pdt): the marker line, 19 values by position, the
// keyword count and one line per keyword. The layout editor and the page
// generator read the same lines by different rules; both readings stand side
// by side at the end of this header, so that their differences stay visible.

// First line of every page project file.
inline const QString projectMarker = QStringLiteral("[Projektdatei für Askbright]");
// Largest project file any reader accepts; real ones are a few hundred bytes.
inline constexpr qint64 maxProjectFileBytes = 4 * 1024 * 1024;

// The raw lines as both readers see them, before either converts anything.
// Reading runs ahead to the first failure; the accessors then give the lines
// in file order and throw that failure at the first line that is not there,
// so a reader that takes values over line by line keeps the ones before it,
// exactly as a sequential read would.
class ProjectLines {
public:
    static constexpr int fixedLineCount = 20;
    // The page holds 31 keywords; the file and the layout editor keep any number.
    static constexpr int maxPageKeywords = 31;

    explicit ProjectLines(QByteArrayView bytes);

    // Line 1 to 20 as read; throws the failure that ended reading before it.
    const QString &line(int number) const;
    // Whether line 1, trimmed, is the project marker; throws when the file is empty.
    bool hasMarker() const;
    // Line 20 as a whole number; throws error 13 or 6 when it is not one.
    qint32 keywordCount() const;
    // Keyword i (0-based); throws when the file ended before it.
    const QString &keyword(int index) const;
    // How many keyword lines a reader will ask for: the count, or none when it is negative.
    int keywordsToRead() const;

private:
    [[noreturn]] void fail() const;

    QStringList m_lines; // lines 1..20, fewer when the file ended
    QStringList m_keywords;
    std::optional<qint32> m_count;
    std::optional<AppError> m_failure;
};

// Reads a page project file (at most maxProjectFileBytes) from a path as the
// file system takes it; throws AppError when the file cannot be read at all.
ProjectLines readProjectFile(const QString &path);

// Lines 13 and 19: "links", "mitte" or "rechts" in the file; none chosen is
// written as "mitte".
enum class Alignment { Unset, Left, Center, Right };

// Line 9: "ja" or "nein"; a project whose picture was never chosen has an
// empty line there.
enum class PictureUse { Unset, Used, NotUsed };

// The values of one page project.
struct PageProject {
    QString title;
    QString textColor;
    QString bgColor;
    QString alinkColor;
    QString vlinkColor;
    QString linkColor;
    QString picturePath;
    PictureUse pictureUse = PictureUse::Unset;
    QString pageFileName; // without ".html"
    QString author;
    QString description;
    Alignment titleAlign = Alignment::Unset;
    bool bold = false;
    bool italic = false;
    QString fontName;
    QString titleSize; // points, as text
    QString textSize;
    Alignment faqAlign = Alignment::Unset;
    QStringList keywords;

    bool usesPicture() const { return pictureUse == PictureUse::Used; }
    bool operator==(const PageProject &) const = default;
};

// The line codec for values with line breaks: CR <-> character 254 ("þ"),
// LF <-> character 255 ("ÿ"), applied to the value without surrounding blanks.
QString encodeLineBreaks(const QString &value);
QString decodeLineBreaks(const QString &value);

// Removes later copies of an entry (exact comparison), keeping list order;
// linear in the number of entries.
void removeDuplicateKeywords(QStringList &keywords);

// The file the layout editor writes: duplicates removed first; pendingKeyword
// is the text still standing in the keyword entry field, written as the last
// keyword unless it is empty or already listed.
QString formatPageProject(PageProject project, const QString &pendingKeyword);
// Writes the file through the save helper; throws AppError.
void savePageProject(const QString &path, const PageProject &project,
                     const QString &pendingKeyword);

// ---------------------------------------------------------------- the two readings
//
// | line | layout editor                      | page generator                       |
// |------|------------------------------------|--------------------------------------|
// | 3-8  | as they stand                      | trimmed                              |
// | 9    | a picture that is gone is reported | -                                    |
// | 10   | as it stands                       | trimmed                              |
// | 12   | as it stands                       | trimmed                              |
// | 13   | as it stands; other words: centre  | trimmed; other words: left           |
// | 15   | "Italic" exactly                   | trimmed, "italic" in any letter case |
// | 17   | trimmed; "+..." becomes 16         | trimmed; "+..." becomes 14           |
// | 18   | trimmed; "+..." becomes 12         | trimmed; "+..." becomes 10           |
// | 19   | trimmed; other words: centre       | trimmed; other words: left           |
// | 21-  | every keyword as it stands         | at most 31 (more: error 9), trimmed  |
//
// Both: title and author through decodeLineBreaks, line 9 and the font name
// trimmed, bold when line 14 is "Fett" after trimming.

// How the layout editor's reading of a project file ended.
enum class ProjectReadOutcome {
    Read,          // every line read
    NotPdt,        // the path does not end in "pdt": nothing read
    NotAProject,   // wrong first line: message shown, nothing changed
    FolderMissing, // the file's folder does not exist: message shown
    Stopped,       // a read error: the values read up to it were taken over
};

// The layout editor's reading: values are taken over line by line, so a read
// that stops early leaves the later fields as they were. Messages (wrong file,
// missing folder, missing picture) go to sink in the interface language.
ProjectReadOutcome openPageProject(const QString &path, PageProject &project, Language language,
                                   MessageSink &sink);
// The same for lines already read (no file access but the picture check).
ProjectReadOutcome readProjectForEditor(const ProjectLines &lines, PageProject &project,
                                        Language language, MessageSink &sink);

// The page generator's reading. Nothing when line 1 is not the project marker;
// throws AppError for a missing line, a keyword count that is not a number
// and more than 31 keywords.
std::optional<PageProject> readProjectForPage(const ProjectLines &lines);

} // namespace askbright
