#include "res/StringTable.h"

#include <QCoreApplication>

namespace tq {
namespace {

struct Entry {
    Sid id;
    const char *text;
};

// Verbatim texts, misspellings included: users and other stations know them this way.
constexpr Entry kStrings[] = {
    // ---- application
    {Sid::AppName, QT_TRANSLATE_NOOP("tq", "Tarquel Messenger")},
    {Sid::AppTitle, QT_TRANSLATE_NOOP("tq", "Tarquel Messenger v2.1")},
    {Sid::SocketsInitFailed, QT_TRANSLATE_NOOP("tq", "Windows sockets initialization failed.")},

    // ---- protocol: receivers
    {Sid::TcpPortFormat, QT_TRANSLATE_NOOP("tq", "TCP port %d")},
    {Sid::UdpPortFormat, QT_TRANSLATE_NOOP("tq", "UDP port %d")},
    {Sid::CriticalNoTcpIp,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nYou possibly don't have TCP/IP "
                             "protocol installed.\r\nIt's going to Tarquel Messenger not work!")},
    {Sid::CriticalNoDefaultPort,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nTarquelMessenger don't access to "
                             "default port! Try to reinstall TCP/IP!\r\nIt's going to Tarquel Messenger not "
                             "work!")},
    {Sid::CriticalNetworkDown,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nA socket operation encountered a "
                             "dead network.\r\nThis could indicate a serious failure of the network "
                             "system\r\n(i.e. the protocol stack that the Winsock DLL runs over),\r\nthe "
                             "network interface, or the local network itself.\r\nIt's going to Tarquel "
                             "Messenger not work!")},
    {Sid::CriticalBlockingInProgress,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nA blocking operation is currently "
                             "executing.\r\nWindows Sockets only allows a single\r\nblocking operation to be "
                             "outstanding per task\r\nIt's going to Tarquel Messenger not work!")},
    {Sid::CriticalTooManySockets,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nToo many open sockets.\r\nEach "
                             "implementation may have a maximum number\r\nof socket handles available, "
                             "either globally,\r\nper process or per thread.r\nIt's going to Tarquel "
                             "Messenger not work!")},
    {Sid::CriticalNoBufferSpace,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nNo buffer space available!\r\nIt's "
                             "going to Tarquel Messenger not work!")},
    {Sid::CriticalProtocolNotConfigured,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nThe requested protocol has not "
                             "been configured into the system,\r\nor no implementation for it exists\r\nIt's "
                             "going to Tarquel Messenger not work!")},
    {Sid::CriticalWrongProtocolType,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nProtocol wrong type for "
                             "socket.\r\nIt's going to Tarquel Messenger not work!")},
    {Sid::CriticalSocketTypeUnsupported,
     QT_TRANSLATE_NOOP("tq", "Critical Error during initializations!\r\n\r\nThe support for the specified "
                             "socket type does not exist in this address family.\r\nIt's going to Tarquel "
                             "Messenger not work!")},
    {Sid::PortBusyBoxSuffix,
     QT_TRANSLATE_NOOP("tq", " busy by another application!\r\nClose another application or change default "
                             "port and restart Tarquel Messenger!\r\n\r\nIt possible to continue work, but "
                             "you cannot receive incoming messages!")},
    {Sid::ErrorCreatingSocketCaption, QT_TRANSLATE_NOOP("tq", "Error creating socket!")},
    {Sid::ListeningSuffix, QT_TRANSLATE_NOOP("tq", " listening")},
    {Sid::PortBusyStatusSuffix, QT_TRANSLATE_NOOP("tq", " is busy! Receiving don't possibly!")},

    // ---- protocol: sending
    {Sid::SendOk, QT_TRANSLATE_NOOP("tq", "Message has been send successfully!")},
    {Sid::SendSmtpUnreachable, QT_TRANSLATE_NOOP("tq", "Unable to connect with SMTP server ")},
    {Sid::SendMailOk, QT_TRANSLATE_NOOP("tq", "Mail send successfully.")},
    {Sid::SendNoSmtpServer, QT_TRANSLATE_NOOP("tq", "You don't setup SMTP server in Preferences.  ")},
    {Sid::FailedHostsIntro,
     QT_TRANSLATE_NOOP("tq", "The following addresse(s) possibly invalid\r\nor host(s) did not respond:")},
    {Sid::HostsNotFoundSuffix, QT_TRANSLATE_NOOP("tq", " host(s) not found!")},
    {Sid::SendNotComplete, QT_TRANSLATE_NOOP("tq", "Message has NOT been send to some host!")},
    {Sid::SendOkCaption, QT_TRANSLATE_NOOP("tq", "Send OK!")},
    {Sid::IncompatibleReceiver,
     QT_TRANSLATE_NOOP("tq", "Incompatible type of remote receive program!\r\nRemote user (%s) accepted your "
                             "message, but may be with some errors!")},
    {Sid::PossibleSendErrorCaption, QT_TRANSLATE_NOOP("tq", "Possible error during sent!")},
    {Sid::StatusDelivered, QT_TRANSLATE_NOOP("tq", "Message has been send successfully!")},
    {Sid::StatusVerifying, QT_TRANSLATE_NOOP("tq", "Verifying data from ")},
    {Sid::StatusPossibleError, QT_TRANSLATE_NOOP("tq", "Possible error during sent!")},
    {Sid::StatusContacting, QT_TRANSLATE_NOOP("tq", "Contacting host ")},
    {Sid::StatusSending, QT_TRANSLATE_NOOP("tq", "Sending data to ")},

    // ---- messages

    // ---- address book

    // ---- shell and preferences

    // ---- mail
};

} // namespace

QString tqString(Sid id)
{
    for (const Entry &entry : kStrings) {
        if (entry.id == id)
            return QCoreApplication::translate("tq", entry.text);
    }
    return {};
}

} // namespace tq
