#pragma once

#include "protocol/HostResolver.h"
#include "protocol/MailSendJob.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tq {

// Everything one send needs, copied into the send task when it starts.
struct SendRequest {
    // ";"-separated destinations: "host", "host:port", "host:u", "host:portu", "Name/host...",
    // or e-mail addresses ("Name/someone@example.org").
    QString destinations;
    QByteArray streamPacket; // for TCP destinations
    QByteArray datagramPacket; // for UDP destinations
    QByteArray plainText; // the e-mail body: the message with signature, without heading
    int tcpPort = 7777; // default ports of destinations that name none
    int udpPort = 7777;
    int budgetMs = 3000; // the whole send, every wait included
    // An automatic answer has no composing window: one destination, and no report at all.
    bool automaticAnswer = false;
};

// What a send uses beyond its request. Both may stay empty.
struct SendServices {
    // Starts the e-mail part. Without it, e-mail destinations fail with the text the mail
    // sender would give: no server configured, or the configured server not reached.
    MailSendJobFactory mail;
    // The blocking name lookup; without it, the system's.
    HostResolver::Lookup lookup;
};

} // namespace tq
