#pragma once

#include <QString>

namespace tq {

class SettingsStore;

// The view's copy of the settings it consults while it runs, read when the view is built and
// again after the preferences change.
struct ViewSettings {
    QString fullName;
    QString systemName;
    QString signature;
    QString pop3Server1;
    QString soundFile;
    QString deadFileName;
    QString emailAddress;
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

    static ViewSettings read(const SettingsStore &store, const QString &appDataDir);
};

} // namespace tq
