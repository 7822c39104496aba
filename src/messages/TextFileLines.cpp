#include "messages/TextFileLines.h"

#include <QFile>

namespace tq {

QByteArray linesEndingCrLf(QByteArrayView content)
{
    QByteArray result;
    result.reserve(content.size() + 2);
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        if (end < 0)
            end = content.size();
        else if (end > start && content[end - 1] == '\r')
            --end;
        result.append(content.sliced(start, end - start));
        result.append("\r\n");
        start = next;
    }
    return result;
}

std::optional<QByteArray> readLinesEndingCrLf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return linesEndingCrLf(content);
}

} // namespace tq
