#include "addressbook/PresenceTexts.h"

#include <QCoreApplication>
#include <QLocale>

namespace tq {
namespace {

QString sinceText(const QDateTime &since, const QDateTime &now)
{
    const QString time = since.toString(QStringLiteral("HH:mm"));
    if (since.date() == now.date())
        return time;
    return QLocale().toString(since.date(), QLocale::ShortFormat) + QLatin1Char(' ') + time;
}

} // namespace

QString presenceStateText(PresenceState state)
{
    switch (state) {
    case PresenceState::Reachable:
        return QCoreApplication::translate("tq", "Reachable");
    case PresenceState::NotReachable:
        return QCoreApplication::translate("tq", "Not reachable");
    case PresenceState::Unknown:
        return QCoreApplication::translate("tq", "Unknown host");
    case PresenceState::NotChecked:
        break;
    }
    return QCoreApplication::translate("tq", "Not checked");
}

QString presenceToolTip(const UserPresence &presence, const QDateTime &now)
{
    if (presence.state == PresenceState::NotChecked || !presence.since.isValid())
        return presenceStateText(presence.state);
    //: %1 is the state ("Reachable"), %2 a time ("14:05")
    return QCoreApplication::translate("tq", "%1 since %2")
        .arg(presenceStateText(presence.state), sinceText(presence.since, now));
}

QString groupPresenceText(const GroupPresence &group)
{
    if (group.members <= 0)
        return {};
    return QCoreApplication::translate("tq", "%1 of %2 reachable").arg(group.reachable).arg(group.members);
}

QString reachableAgainText(const QString &name)
{
    return QCoreApplication::translate("tq", "%1 is reachable again").arg(name);
}

QVariant presenceCell(const PresenceSource &source, bool group, bool active, const QString &name, const QString &host,
                      bool mark)
{
    if (group) {
        if (mark || !source.isEnabled())
            return {};
        const QString text = groupPresenceText(source.groupPresence(name));
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    // A deactivated user shows no mark, even where an active one shares its name and host.
    const UserPresence presence = active ? source.userPresence(name, host) : UserPresence();
    if (mark)
        return static_cast<int>(presence.state);
    if (!source.isEnabled())
        return {};
    return presenceToolTip(presence, QDateTime::currentDateTime());
}

} // namespace tq
