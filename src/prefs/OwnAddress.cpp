#include "prefs/OwnAddress.h"

#include <QNetworkInterface>

namespace tq {

QString ownAddressForDisplay()
{
    QString loopback;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (address.isLoopback()) {
                if (loopback.isEmpty())
                    loopback = address.toString();
                continue;
            }
            return address.toString();
        }
    }
    return loopback;
}

} // namespace tq
