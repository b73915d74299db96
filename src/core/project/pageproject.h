#pragma once

#include "app/language.h"
#include "app/messages.h"
#include "project/projectlines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace askbright {

// One page project (.pdt): 20 positional lines, then one line per keyword.
struct PageProject {
    QString title;
    QString textColor;
    QString bgColor;
    QString alinkColor;
    QString vlinkColor;
    QString linkColor;
    QString picturePath;
    QString pictureOn;    // "ja" or "nein"
    QString pageFileName; // without ".html"
    QString author;
    QString description;
    QString titleAlign; // "links", "mitte" or "rechts"
    bool bold = false;
    bool italic = false;
    QString fontName;
    QString titleSize; // points, as text
    QString textSize;
    QString faqAlign;
    QStringList keywords;

    bool operator==(const PageProject &) const = default;
};

// The line codec for values with line breaks: CR <-> character 254 ("þ"),
// LF <-> character 255 ("ÿ"), applied to the value without surrounding blanks.
QString enter_raus(const QString &value);
QString enter_rein(const QString &value);

// Removes later copies of an entry (exact comparison), keeping list order;
// linear in the number of entries.
void removeDuplicateKeywords(QStringList &keywords);

// The file seite_speichern writes: duplicates removed first; pendingKeyword is
// the text still standing in the keyword entry field, written as the last
// keyword unless it is empty or already listed.
QString formatPageProject(PageProject project, const QString &pendingKeyword);
// Writes the file through the save helper; throws AppError.
void savePageProject(const QString &path, const PageProject &project,
                     const QString &pendingKeyword);

// How the layout editor's reading of a project file (seite_oeffnen) ended.
enum class ProjectReadOutcome {
    Read,          // every line read
    NotPdt,        // the path does not end in "pdt": nothing read
    NotAProject,   // wrong first line: message shown, nothing changed
    FolderMissing, // the file's folder does not exist: message shown
    Stopped,       // a read error: the values read up to it were taken over
};

// Reads path into project the way the layout editor does: values are taken
// over line by line, so a read that stops early leaves the later fields as
// they were. "+" sizes become "16" and "12"; unknown alignments "mitte";
// every keyword is read, also beyond the 31 a page holds.
// Messages (wrong file, missing folder, missing picture) go to sink in the
// interface language.
ProjectReadOutcome openPageProject(const QString &path, PageProject &project, Language language,
                                   MessageSink &sink);
// The same for lines already read (no file access but the picture check).
ProjectReadOutcome applyProjectLines(const ProjectLines &lines, PageProject &project,
                                     Language language, MessageSink &sink);

} // namespace askbright
