#include "messages/CaseFolding.h"

#include "messages/DisplayText.h"

#include <algorithm>

namespace tq {

QString foldCase(const QString &text)
{
    return text.toUpper();
}

QString foldMessageBytes(const QByteArray &bytes)
{
    return foldCase(decodeMessageBytes(bytes));
}

QByteArray foldMessageBytesToUtf8(QByteArrayView bytes)
{
    // Most messages are plain ASCII, which reads the same in both encodings and folds letter
    // by letter: the history folds every stored message, so this saves most of its build time.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii)
        return foldMessageBytes(bytes.toByteArray()).toUtf8();
    QByteArray folded(bytes.size(), Qt::Uninitialized);
    std::transform(bytes.begin(), bytes.end(), folded.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return folded;
}

} // namespace tq
