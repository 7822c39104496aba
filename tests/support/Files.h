#pragma once

#include <QByteArray>
#include <QFile>

namespace tq::test {

// Whole-file helpers: an unreadable file reads as empty; writing replaces the file.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes.data(), bytes.size()) == bytes.size();
}

} // namespace tq::test
