#pragma once

#include <QByteArray>
#include <QFile>

namespace tq::test {

// Whole-file helpers: an unreadable file reads as `missing`; writing replaces the file.
inline QByteArray readFile(const QString &path, const QByteArray &missing = {})
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : missing;
}

inline bool writeFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes.data(), bytes.size()) == bytes.size();
}

} // namespace tq::test
