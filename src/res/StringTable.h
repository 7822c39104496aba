#pragma once

#include <QByteArray>
#include <QString>

namespace tq {

// Every text the program shows, by the number translators and users know it by.
// The texts themselves live in StringTable.cpp, verbatim and marked for translation.
enum class Sid : int {
    // ---- application
    AppName = 128,
    AppTitle = 129,
    SocketsInitFailed = 104,

    // ---- protocol: receivers
    TcpPortFormat = 135,
    UdpPortFormat = 136,
    CriticalNoTcpIp = 2014,
    CriticalNoDefaultPort = 2015,
    CriticalNetworkDown = 2016,
    CriticalBlockingInProgress = 2017,
    CriticalTooManySockets = 2018,
    CriticalNoBufferSpace = 2019,
    CriticalProtocolNotConfigured = 2020,
    CriticalWrongProtocolType = 2021,
    CriticalSocketTypeUnsupported = 2022,
    PortBusyBoxSuffix = 2023,
    ErrorCreatingSocketCaption = 2025,
    ListeningSuffix = 2035,
    PortBusyStatusSuffix = 2036,

    // ---- protocol: sending
    SendOk = 105,
    SendSmtpUnreachable = 109,
    SendMailOk = 110,
    SendNoSmtpServer = 112,
    FailedHostsIntro = 2006,
    HostsNotFoundSuffix = 2007,
    SendNotComplete = 2008,
    SendOkCaption = 2011,
    IncompatibleReceiver = 2012,
    PossibleSendErrorCaption = 2013,
    StatusDelivered = 2038,
    StatusVerifying = 2039,
    StatusPossibleError = 2040,
    StatusContacting = 2052,
    StatusSending = 2053,

    // ---- messages

    // ---- address book

    // ---- shell and preferences

    // ---- mail
};

// The translated text of `id`; an id without a text gives an empty string.
QString tqString(Sid id);

// `tqString(id)` used as a printf format; pass ints and UTF-8 `const char*` only.
template <typename... Args>
QString tqFormat(Sid id, Args... args)
{
    const QByteArray format = tqString(id).toUtf8();
    return QString::asprintf(format.constData(), args...);
}

} // namespace tq
