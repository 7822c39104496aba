#include "protocol/Ipv4Range.h"

#include "platform/OwnAddress.h"

#include <QCoreApplication>

#include <optional>

namespace tq {
namespace {

// A decimal number of one to three digits, at most `max`.
std::optional<int> parseSmallNumber(QStringView text, int max)
{
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value <= max ? std::optional<int>(value) : std::nullopt;
}

// Four decimal numbers from 0 to 255 with dots between them, nothing else.
std::optional<std::uint32_t> parseAddress(QStringView text)
{
    const auto parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    std::uint32_t address = 0;
    for (const QStringView part : parts) {
        const auto number = parseSmallNumber(part, 255);
        if (!number)
            return std::nullopt;
        address = address << 8 | static_cast<std::uint32_t>(*number);
    }
    return address;
}

bool endsInZeroOr255(std::uint32_t address)
{
    const std::uint32_t last = address & 0xff;
    return last == 0 || last == 255;
}

} // namespace

Ipv4Range Ipv4Range::parse(QStringView text)
{
    Ipv4Range range;
    const QStringView trimmed = text.trimmed();
    const QString quoted = QLatin1Char('"') + trimmed.toString() + QLatin1Char('"');
    const auto fail = [&range](const QString &error) {
        range.m_addresses.clear();
        range.m_error = error;
        return range;
    };
    const QString malformed =
        tr("%1 is not an address range: write a network as 10.0.0.0/24, or two addresses as 10.0.0.1-10.0.0.50")
            .arg(quoted);
    const QString tooLarge = tr("%1 is too large: a range holds at most %2 addresses (a network of /%3)")
                                 .arg(quoted)
                                 .arg(kMaxAddresses)
                                 .arg(kWidestPrefix);

    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool skipZeroAnd255 = false;
    if (const qsizetype slash = trimmed.indexOf(u'/'); slash >= 0) {
        const auto base = parseAddress(trimmed.first(slash));
        if (!base)
            return fail(malformed);
        const auto prefix = parseSmallNumber(trimmed.sliced(slash + 1), 32);
        if (!prefix)
            return fail(
                tr("%1 is not a network: the number after \"/\" must be from %2 to 32").arg(quoted).arg(kWidestPrefix));
        if (*prefix < kWidestPrefix)
            return fail(tooLarge);
        const std::uint32_t hostMask = *prefix == 32 ? 0 : (0xffffffffu >> *prefix);
        first = *base & ~hostMask;
        last = first | hostMask;
        if (*prefix <= 30) { // the network's own name and its broadcast
            ++first;
            --last;
        }
    } else {
        skipZeroAnd255 = true;
        const qsizetype dash = trimmed.indexOf(u'-');
        const QStringView start = dash < 0 ? trimmed : trimmed.first(dash).trimmed();
        const auto from = parseAddress(start);
        if (!from)
            return fail(malformed);
        first = *from;
        last = *from;
        if (dash >= 0) {
            const QStringView end = trimmed.sliced(dash + 1).trimmed();
            std::optional<std::uint32_t> to = parseAddress(end);
            if (!to && !end.contains(u'.')) {
                if (const auto lastNumber = parseSmallNumber(end, 255))
                    to = (first & 0xffffff00u) | static_cast<std::uint32_t>(*lastNumber);
            }
            if (!to)
                return fail(malformed);
            last = *to;
            if (last < first)
                return fail(tr("%1 is reversed: %2 comes after %3").arg(quoted, dotted(first), dotted(last)));
            if (static_cast<std::uint64_t>(last) - first + 1 > kMaxAddresses)
                return fail(tooLarge);
        }
    }

    for (std::uint64_t address = first; address <= last; ++address) {
        const auto candidate = static_cast<std::uint32_t>(address);
        if (!isStationAddress(candidate))
            return fail(tr("%1 holds %2, which no station can have (multicast, reserved or broadcast)")
                            .arg(quoted, dotted(candidate)));
        if (!(skipZeroAnd255 && endsInZeroOr255(candidate)))
            range.m_addresses.append(candidate);
    }
    if (range.m_addresses.isEmpty())
        return fail(tr("%1 holds no address to probe: addresses ending in .0 or .255 are left out").arg(quoted));
    return range;
}

QStringList Ipv4Range::dottedAddresses() const
{
    QStringList result;
    result.reserve(m_addresses.size());
    for (const std::uint32_t address : m_addresses)
        result.append(dotted(address));
    return result;
}

QString Ipv4Range::networkOf(const QString &address)
{
    const auto parsed = parseAddress(QStringView(address).trimmed());
    if (!parsed)
        return {};
    return dotted(*parsed & 0xffffff00u) + QStringLiteral("/24");
}

QString Ipv4Range::ownNetwork()
{
    return networkOf(QString::fromLatin1(ownIPv4Address()));
}

bool Ipv4Range::isStationAddress(std::uint32_t address)
{
    const std::uint32_t first = address >> 24;
    return first != 0 && first < 224;
}

QString Ipv4Range::dotted(std::uint32_t address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xff)
        .arg((address >> 8) & 0xff)
        .arg(address & 0xff);
}

} // namespace tq
