#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tq::test {

// The whole file, or `missing` when it cannot be read.
inline QByteArray fileBytes(const QString &path, const QByteArray &missing = {})
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : missing;
}

inline bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace tq::test
