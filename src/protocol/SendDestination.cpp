#include "protocol/SendDestination.h"

#include <limits>

namespace tq {
namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u';';
}

// The leading decimal number of `text` as the C library reads it (white space, sign, digits);
// 0 when there is none. Values beyond int saturate instead of overflowing.
long long leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            break;
    }
    return negative ? -value : value;
}

QString afterLastSlash(const QString &destination)
{
    return destination.sliced(destination.lastIndexOf(u'/') + 1);
}

} // namespace

QStringList splitDestinationList(const QString &list)
{
    QStringList result;
    qsizetype position = 0;
    while (true) {
        while (position < list.size() && isSkipped(list[position]))
            ++position;
        if (position >= list.size())
            return result;
        qsizetype end = list.indexOf(u';', position);
        if (end < 0)
            end = list.size();
        result.append(list.sliced(position, end - position));
        position = end;
    }
}

std::optional<QString> mailAddressOf(const QString &destination)
{
    const qsizetype atSign = destination.indexOf(u'@');
    const qsizetype slash = destination.lastIndexOf(u'/');
    if (slash >= atSign)
        return std::nullopt;
    return afterLastSlash(destination);
}

NetworkTarget networkTarget(const QString &destination, int defaultTcpPort, int defaultUdpPort, int useProtocol)
{
    QString address = afterLastSlash(destination);
    NetworkTarget target;
    long long port = 0;
    const qsizetype colon = address.lastIndexOf(u':');
    if (colon < 0) {
        target.host = address;
    } else {
        if (address.endsWith(u'u', Qt::CaseInsensitive)) {
            target.transport = SendTransport::Udp;
            address.chop(1);
        }
        target.host = address.first(colon);
        port = leadingNumber(address.sliced(colon + 1));
    }
    if (port < 1 || port > 65535)
        port = target.transport == SendTransport::Udp ? defaultUdpPort : defaultTcpPort;
    target.port = static_cast<int>(port);
    if (useProtocol == 1)
        target.transport = SendTransport::Udp;
    else if (useProtocol == 0)
        target.transport = SendTransport::Tcp;
    return target;
}

} // namespace tq
