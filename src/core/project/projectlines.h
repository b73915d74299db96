#pragma once

#include "app/apperror.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace askbright {

// First line of every page project file.
inline const QString projectMarker = QStringLiteral("[Projektdatei für Askbright]");
// Largest project file any reader accepts; real ones are a few hundred bytes.
inline constexpr qint64 maxProjectFileBytes = 4 * 1024 * 1024;

// The raw lines of a page project file as both readers see them: the marker
// line, lines 2 to 20 and the keyword lines, before either reader converts
// anything. Reading runs ahead to the first failure; the accessors then give
// the lines in file order and throw that failure at the first line that is
// not there, so a reader that takes values over line by line keeps the ones
// before it, exactly as a sequential read would.
class ProjectLines {
public:
    static constexpr int fixedLineCount = 20;
    // The page holds 31 keywords; the file and the layout editor keep any number.
    static constexpr int maxKeywords = 31;

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

// Reads a page project file (at most maxProjectFileBytes); throws AppError when
// the file cannot be read at all.
ProjectLines readProjectFile(const QString &path);

} // namespace askbright
