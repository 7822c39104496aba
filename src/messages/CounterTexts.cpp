#include "messages/CounterTexts.h"

#include "platform/TrayIcon.h"
#include "res/StringTable.h"

#include <algorithm>
#include <climits>

namespace tq {

CounterTexts counterTexts(quint32 count, quint32 index)
{
    constexpr quint32 kLargestCountIcon = 11;
    CounterTexts texts;
    const int shownCount = static_cast<int>(std::min<quint32>(count, INT_MAX));
    if (count == 0)
        texts.title = tqString(Sid::AppTitle);
    else if (count == 1)
        texts.title = tqFormat(Sid::TitleOneMessage, shownCount);
    else
        texts.title = tqFormat(Sid::TitleMessages, shownCount);

    if (count == 0) {
        texts.trayIconName = QStringLiteral("IDI_AMAINFRAME");
        texts.trayTip = tqString(Sid::TrayListening);
    } else {
        texts.trayIconName = QStringLiteral("IDI_ICON%1").arg(std::min(count, kLargestCountIcon));
        texts.trayTip = texts.title;
    }
    texts.trayTip.truncate(TrayIcon::kMaxTipLength);
    texts.position = tqFormat(Sid::MessagePosition, static_cast<int>(std::min<quint32>(index, INT_MAX)), shownCount);
    return texts;
}

} // namespace tq
