#include "messages/DisplayText.h"

namespace tq {

QString displayText(const QByteArray &bytes)
{
    QString text = decodeMessageBytes(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString recordDisplayText(const QByteArray &recordText)
{
    const qsizetype stampEnd = recordText.indexOf('\n') + 1;
    if (stampEnd == 0)
        return displayText(recordText);
    return displayText(recordText.first(stampEnd)) + displayText(recordText.sliced(stampEnd));
}

} // namespace tq
