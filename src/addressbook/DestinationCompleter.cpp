#include "addressbook/DestinationCompleter.h"

namespace tq {

std::optional<DestinationCompleter::Completion> DestinationCompleter::textEdited(const QString &text,
                                                                                 const DestinationList &list) const
{
    if (!m_complete)
        return std::nullopt;
    return complete(text, list);
}

std::optional<DestinationCompleter::Completion> DestinationCompleter::complete(const QString &typed,
                                                                               const DestinationList &list)
{
    // An emptied field stays empty: every entry begins with nothing.
    if (typed.isEmpty())
        return std::nullopt;
    const qsizetype index = list.findPrefix(typed);
    if (index < 0)
        return std::nullopt;
    const QString &text = list.at(index).text;
    return Completion{index, text, static_cast<int>(typed.size()), static_cast<int>(text.size() - typed.size())};
}

} // namespace tq
