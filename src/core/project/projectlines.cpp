#include "project/projectlines.h"

#include "app/boundedread.h"
#include "app/numbers.h"
#include "app/paths.h"
#include "app/textcodec.h"

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
    return ProjectLines(readFileBytes(localPath(path), maxProjectFileBytes));
}

} // namespace askbright
