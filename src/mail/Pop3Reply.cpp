#include "mail/Pop3Reply.h"

namespace tq {

bool isPop3Ok(const QByteArray &line)
{
    return line.startsWith("+OK");
}

std::optional<int> pop3StatCount(const QByteArray &line)
{
    if (!line.startsWith("+OK "))
        return std::nullopt;
    // Nine digits always fit an int; a longer count is no count a server means.
    constexpr qsizetype kMaxDigits = 9;
    qsizetype position = 4;
    int count = 0;
    while (position < line.size() && line[position] >= '0' && line[position] <= '9') {
        if (position - 4 == kMaxDigits)
            return std::nullopt;
        count = count * 10 + (line[position] - '0');
        ++position;
    }
    if (position == 4)
        return std::nullopt;
    if (position < line.size() && line[position] != ' ' && line[position] != '\r' && line[position] != '\n')
        return std::nullopt;
    return count;
}

} // namespace tq
