#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>
#include <unistd.h>

namespace testutil {

inline QString dataPath(const QString &name)
{
    return QStringLiteral(ASKBRIGHT_TEST_DATA "/") + name;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Root ignores permission bits, so read-only folders cannot make a write fail.
inline bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace testutil
