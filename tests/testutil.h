#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
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

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace testutil
