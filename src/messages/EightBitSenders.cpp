#include "messages/EightBitSenders.h"

#include "messages/DisplayText.h"
#include "messages/MessageList.h"
#include "protocol/SenderAddress.h"

#include <algorithm>
#include <iterator>

namespace tq {
namespace {

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

QSet<QString> eightBitSenderHosts(const MessageList &messages)
{
    QSet<QString> eightBit;
    QSet<QString> decided;
    for (auto record = std::make_reverse_iterator(messages.end());
         record != std::make_reverse_iterator(messages.begin()); ++record) {
        const QString host = senderHost(record->sender);
        if (decided.contains(host))
            continue;
        // The arrival stamp in front is this program's own text.
        const qsizetype stampEnd = record->text.indexOf("\r\n");
        const QByteArray text = stampEnd < 0 ? record->text : record->text.mid(stampEnd + 2);
        if (isAscii(text) && isAscii(record->sender))
            continue;
        decided.insert(host);
        if (isEightBitText(text) || isEightBitText(record->sender))
            eightBit.insert(host);
    }
    return eightBit;
}

} // namespace tq
