#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable gtest failure messages for Qt strings and byte strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &value, std::ostream *out)
{
    *out << '"' << value.toStdString() << '"';
}
inline void PrintTo(const QByteArray &value, std::ostream *out)
{
    *out << '"' << value.toPercentEncoding(" !#$&'()*+,-./:;=?@[]_~<>{}|^`\"").toStdString() << '"';
}
inline void PrintTo(const QStringList &value, std::ostream *out)
{
    *out << '[' << value.join(QStringLiteral(", ")).toStdString() << ']';
}
QT_END_NAMESPACE
