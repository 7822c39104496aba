#pragma once

#include "messages/IncomingMessageHandler.h"
#include "station/OutgoingAssembly.h"

#include <QByteArray>
#include <QSet>
#include <QString>

namespace tq {

class SettingsStore;

// The station's copy of the settings it consults while it runs, read when the station is
// made and again after the preferences change.
struct StationSettings {
    QString fullName;
    QString systemName;
    QString signature;
    QString soundFile;
    QString deadFileName;
    QString emailAddress;
    QString killFile; // the kill-word file of the application-data folder
    bool storeAndLoad = false;
    bool minOnDelLast = false;
    bool onlyKnowUsers = false;
    bool dontDuplicate = true;
    bool dontAutoLast = false;
    bool enableSound = true;
    bool saveDead = true;
    bool recvNMessages = false;
    bool sendWindows1252 = false; // "OutgoingEncoding" asks for Windows-1252
    int tcpPort = 7777;
    int udpPort = 7777; // "UDP Port", or the TCP port when that is 0
    int delay = 3000;
    int useProtocol = 2;

    // `dataDir`: the application-data folder, where the filtered-message file is by default.
    static StationSettings read(const SettingsStore &store, const QString &dataDir);

    // What the incoming road consults.
    IncomingSettings incoming(const QByteArray &ownIp, bool popupOnArrival, const QString &messagesDir) const;
    // The sender's side of an outgoing message.
    OutgoingSender sender(const QByteArray &ownIp, const QSet<QString> &windows1252Hosts) const;
};

} // namespace tq
