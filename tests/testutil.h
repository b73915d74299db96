#pragma once

// The Qt pieces nearly every test uses, so tests need not list them.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace testutil {

inline QString dataPath(const QString &name)
{
    return QStringLiteral(ASKBRIGHT_TEST_DATA "/") + name;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A named child a test works with; without it the test cannot go on.
template <typename T> T *child(const QObject &parent, const QString &name)
{
    T *found = parent.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// A page project file: the marker, lines 2 to 19 given separated by '|', the
// keyword count and the keywords (Latin-1 texts, as Windows-1252 has them).
inline QByteArray pageProject(const QString &lines, const QStringList &keywords = {})
{
    const QStringList all = QStringList{QStringLiteral("[Projektdatei für Askbright]")} +
                            lines.split(u'|') +
                            QStringList{QStringLiteral(" %1 ").arg(keywords.size())} + keywords;
    return (all.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace testutil
