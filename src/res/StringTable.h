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

    // ---- messages
    DeadFileWriteFailed = 2026,
    AutoAnswerCaption = 2043,
    AutoAnswerTooltip = 2045,
    StatusAutoAnswerMode = 2050,
    StatusReady = 2051,
    FilteredNonStandard = 2064,
    FilteredNotInAddressBook = 2065,
    FilteredNotActivated = 2066,
    FilteredKillWordPrefix = 2067,
    FilteredDuplicated = 2068,
    ReplaceWithQuoteQuestion = 61203,

    // ---- address book
    BroadcastEntry = 126,
    OutsideAnyGroup = 206,
    NameHasForbiddenCharacter = 211,
    ErrorRenamingItem = 212,
    UserAlreadyExists = 2030,
    UserAlreadyExistsCaption = 2031,
    DestinationToolTip = 2046,
    AllUsersEntry = 2057,
    JunkSenders = 2059,
    MyGroupNumbered = 2081,

    // ---- shell and preferences

    // ---- mail
    MailSendStart = 103,
    SmtpConnectFailed = 109,
    MailSendSuccess = 110,
    SmtpUnexpectedAnswer = 111,
    SmtpServerNotSet = 112,
    MailCheckConnecting = 114,
    MailCheckAccepted = 115,
    MailCheckUserSent = 116,
    MailCheckUserAccepted = 117,
    MailCheckPasswordSent = 118,
    MailCheckPasswordAccepted = 119,
    MailCheckCounting = 120,
    MailCheckCountFormat = 121,
    MailCheckStatFailed = 122,
    MailCheckAuthFailed = 123,
    MailCheckConnectFailed = 124,
    MailTipYouHave = 2092,
    MailTipPasswordRefused = 2094,
    MailTipUserRefused = 2095,
    MailTipInvalidServer = 2096,
    MailTipConnectFailed = 2097,
    MailTipInternalError = 2098,
    MailTipNewMessagesIn = 2100,
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
