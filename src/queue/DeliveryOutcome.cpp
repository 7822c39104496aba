#include "queue/DeliveryOutcome.h"

#include <QCoreApplication>

#include <array>
#include <utility>

namespace tq {
namespace {

constexpr std::array kKeys{
    std::pair{DeliveryOutcome::Delivered, "delivered"},
    std::pair{DeliveryOutcome::AcceptedWithErrors, "accepted-with-errors"},
    std::pair{DeliveryOutcome::Refused, "refused"},
    std::pair{DeliveryOutcome::NoAnswer, "no-answer"},
    std::pair{DeliveryOutcome::UnknownHost, "unknown-host"},
    std::pair{DeliveryOutcome::NoReceipt, "no-receipt"},
    std::pair{DeliveryOutcome::NoReceiptListener, "no-receipt-listener"},
    std::pair{DeliveryOutcome::Stopped, "stopped"},
};

} // namespace

bool isFinal(DeliveryOutcome outcome)
{
    return outcome == DeliveryOutcome::Delivered || outcome == DeliveryOutcome::AcceptedWithErrors;
}

QString outcomeKey(DeliveryOutcome outcome)
{
    for (const auto &[value, key] : kKeys) {
        if (value == outcome)
            return QLatin1String(key);
    }
    return {};
}

std::optional<DeliveryOutcome> outcomeFromKey(const QString &key)
{
    for (const auto &[value, name] : kKeys) {
        if (key == QLatin1String(name))
            return value;
    }
    return std::nullopt;
}

QString outcomeText(DeliveryOutcome outcome)
{
    const char *text = "";
    switch (outcome) {
    case DeliveryOutcome::Delivered:
        text = QT_TRANSLATE_NOOP("DeliveryOutcome", "Delivered");
        break;
    case DeliveryOutcome::AcceptedWithErrors:
        text = QT_TRANSLATE_NOOP("DeliveryOutcome", "Accepted, possibly with errors");
        break;
    case DeliveryOutcome::Refused:
        text = QT_TRANSLATE_NOOP("DeliveryOutcome", "No station listening");
        break;
    case DeliveryOutcome::NoAnswer:
        text = QT_TRANSLATE_NOOP("DeliveryOutcome", "No answer");
        break;
    case DeliveryOutcome::UnknownHost:
        text = QT_TRANSLATE_NOOP("DeliveryOutcome", "Host not found");
        break;
    case DeliveryOutcome::NoReceipt:
        text = QT_TRANSLATE_NOOP("DeliveryOutcome", "No receipt");
        break;
    case DeliveryOutcome::NoReceiptListener:
        text = QT_TRANSLATE_NOOP("DeliveryOutcome", "Waiting: the UDP port of this program is not listening");
        break;
    case DeliveryOutcome::Stopped:
        text = QT_TRANSLATE_NOOP("DeliveryOutcome", "Interrupted");
        break;
    }
    return QCoreApplication::translate("DeliveryOutcome", text);
}

} // namespace tq
