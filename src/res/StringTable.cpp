#include "res/StringTable.h"

#include <QCoreApplication>

namespace tq {
namespace {

struct Entry {
    Sid id;
    const char *text;
};

// Verbatim texts, misspellings included: users and other stations know them this way. Only
// texts the user reads belong here; what goes on the wire or into files that others read
// (headings, receipts, the filtered-message file, stored names) lives beside its code,
// untranslated.
constexpr Entry kStrings[] = {
    // ---- application
    {Sid::AppName, QT_TRANSLATE_NOOP("tq", "Tarquel Messenger")},
    {Sid::AppTitle, QT_TRANSLATE_NOOP("tq", "Tarquel Messenger v2.1")},
    {Sid::SocketsInitFailed, QT_TRANSLATE_NOOP("tq", "Windows sockets initialization failed.")},
    {Sid::TrayListening, QT_TRANSLATE_NOOP("tq", "Tarquel Messenger. Listening...")},
    {Sid::TitleMessages, QT_TRANSLATE_NOOP("tq", "Tarquel Messenger [ %d messages ]")},
    {Sid::TitleOneMessage, QT_TRANSLATE_NOOP("tq", "Tarquel Messenger [ %d message ]")},
    {Sid::FontMissing,
     QT_TRANSLATE_NOOP("tq",
                       "Font Verdana corrupt or not installed!\r\n"
                       "It is strongly recommended reinstall TarquelMessenger!")},
    {Sid::SettingsFileUnreadable,
     QT_TRANSLATE_NOOP("tq",
                       "The settings file\r\n%s\r\ncannot be read. Tarquel Messenger runs on its default "
                       "settings and leaves that file as it is: changes made in this session are not kept.")},
    {Sid::PortSettingOutOfRange,
     QT_TRANSLATE_NOOP("tq", "The setting \"%s\" holds %d, which is no port; %d is used instead.")},
    {Sid::LargeMessageFilesSkipped,
     QT_TRANSLATE_NOOP("tq", "%d stored message file(s) over 128 KB skipped; they stay in the messages folder.")},
    {Sid::DatagramsDropped,
     QT_TRANSLATE_NOOP("tq", "%d UDP message(s) dropped unconfirmed: too many messages were waiting.")},
    {Sid::DiskNearlyFull,
     QT_TRANSLATE_NOOP("tq", "The disk is nearly full: new messages are kept in memory only, not stored.")},
    {Sid::DiskSpaceBack, QT_TRANSLATE_NOOP("tq", "Disk space is back: new messages are stored again.")},
    {Sid::TrayWaiting, QT_TRANSLATE_NOOP("tq", "%d waiting")},
    {Sid::CloseQuestion,
     QT_TRANSLATE_NOOP("tq",
                       "Do you wish close Tarquel Messenger\r\n"
                       "and stop receiving messages from your friends?")},
    {Sid::CloseQuestionCaption, QT_TRANSLATE_NOOP("tq", "Close Tarquel Messenger?")},
    {Sid::SuspendNotice,
     QT_TRANSLATE_NOOP("tq",
                       "Tarquel Messenger is preparing to go suspend.\r\n"
                       "Stopping active processes...")},
    {Sid::ResumeNotice,
     QT_TRANSLATE_NOOP("tq",
                       "Tarquel Messenger is resume after suspend.\n\r"
                       "Starting background processes...")},
    {Sid::NoTrayStatus,
     QT_TRANSLATE_NOOP("tq", "This desktop has no tray: Tarquel Messenger stays in the task bar when minimised.")},
    {Sid::NoTrayNotice,
     QT_TRANSLATE_NOOP("tq",
                       "This desktop has no tray (notification area), so Tarquel Messenger stays in the task "
                       "bar when you minimise it. To keep it in a tray, add one to the desktop: on GNOME, the "
                       "extension \"AppIndicator and KStatusNotifierItem Support\" (Debian package "
                       "gnome-shell-extension-appindicator).")},

    // ---- protocol: receivers
    {Sid::TcpPortFormat, QT_TRANSLATE_NOOP("tq", "TCP port %d")},
    {Sid::UdpPortFormat, QT_TRANSLATE_NOOP("tq", "UDP port %d")},
    {Sid::CriticalNoTcpIp,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nYou possibly don't have TCP/IP "
                       "protocol installed.\r\nIt's going to Tarquel Messenger not work!")},
    {Sid::CriticalNoDefaultPort,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nTarquelMessenger don't access to "
                       "default port! Try to reinstall TCP/IP!\r\nIt's going to Tarquel Messenger not "
                       "work!")},
    {Sid::CriticalNetworkDown,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nA socket operation encountered a "
                       "dead network.\r\nThis could indicate a serious failure of the network "
                       "system\r\n(i.e. the protocol stack that the Winsock DLL runs over),\r\nthe "
                       "network interface, or the local network itself.\r\nIt's going to Tarquel "
                       "Messenger not work!")},
    {Sid::CriticalBlockingInProgress,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nA blocking operation is currently "
                       "executing.\r\nWindows Sockets only allows a single\r\nblocking operation to be "
                       "outstanding per task\r\nIt's going to Tarquel Messenger not work!")},
    {Sid::CriticalTooManySockets,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nToo many open sockets.\r\nEach "
                       "implementation may have a maximum number\r\nof socket handles available, "
                       "either globally,\r\nper process or per thread.r\nIt's going to Tarquel "
                       "Messenger not work!")},
    {Sid::CriticalNoBufferSpace,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nNo buffer space available!\r\nIt's "
                       "going to Tarquel Messenger not work!")},
    {Sid::CriticalProtocolNotConfigured,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nThe requested protocol has not "
                       "been configured into the system,\r\nor no implementation for it exists\r\nIt's "
                       "going to Tarquel Messenger not work!")},
    {Sid::CriticalWrongProtocolType,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nProtocol wrong type for "
                       "socket.\r\nIt's going to Tarquel Messenger not work!")},
    {Sid::CriticalSocketTypeUnsupported,
     QT_TRANSLATE_NOOP("tq",
                       "Critical Error during initializations!\r\n\r\nThe support for the specified "
                       "socket type does not exist in this address family.\r\nIt's going to Tarquel "
                       "Messenger not work!")},
    {Sid::PortBusyBoxSuffix,
     QT_TRANSLATE_NOOP("tq",
                       " busy by another application!\r\nClose another application or change default "
                       "port and restart Tarquel Messenger!\r\n\r\nIt possible to continue work, but "
                       "you cannot receive incoming messages!")},
    {Sid::ErrorCreatingSocketCaption, QT_TRANSLATE_NOOP("tq", "Error creating socket!")},
    {Sid::ListeningSuffix, QT_TRANSLATE_NOOP("tq", " listening")},
    {Sid::PortBusyStatusSuffix, QT_TRANSLATE_NOOP("tq", " is busy! Receiving don't possibly!")},

    // ---- protocol: sending
    {Sid::SendOk, QT_TRANSLATE_NOOP("tq", "Message has been send successfully!")},
    {Sid::FailedHostsIntro,
     QT_TRANSLATE_NOOP("tq", "The following addresse(s) possibly invalid\r\nor host(s) did not respond:")},
    {Sid::HostsNotFoundSuffix, QT_TRANSLATE_NOOP("tq", " host(s) not found!")},
    {Sid::SendNotComplete, QT_TRANSLATE_NOOP("tq", "Message has NOT been send to some host!")},
    {Sid::SendOkCaption, QT_TRANSLATE_NOOP("tq", "Send OK!")},
    {Sid::IncompatibleReceiver,
     QT_TRANSLATE_NOOP("tq",
                       "Incompatible type of remote receive program!\r\nRemote user (%s) accepted your "
                       "message, but may be with some errors!")},
    {Sid::PossibleSendErrorCaption, QT_TRANSLATE_NOOP("tq", "Possible error during sent!")},
    {Sid::StatusDelivered, QT_TRANSLATE_NOOP("tq", "Message has been send successfully!")},
    {Sid::StatusVerifying, QT_TRANSLATE_NOOP("tq", "Verifying data from ")},
    {Sid::StatusPossibleError, QT_TRANSLATE_NOOP("tq", "Possible error during sent!")},
    {Sid::StatusContacting, QT_TRANSLATE_NOOP("tq", "Contacting host ")},
    {Sid::StatusSending, QT_TRANSLATE_NOOP("tq", "Sending data to ")},
    {Sid::FileWriteFailed, QT_TRANSLATE_NOOP("tq", "Unable to write file %s.\r\nThe message has not been sent.")},
    {Sid::BroadcastQuestion, QT_TRANSLATE_NOOP("tq", "Send this message to every station on the network?")},
    {Sid::DoNotAskAgain, QT_TRANSLATE_NOOP("tq", "Do not ask again")},
    {Sid::StatusNoDestination,
     QT_TRANSLATE_NOOP("tq", "Nothing sent: type a destination or pick one from the list first.")},
    {Sid::SystemNameMissing,
     QT_TRANSLATE_NOOP("tq",
                       "The message has not been sent: your system name is empty, and other stations "
                       "discard messages without one.\r\nEnter \"Your System Name\" in Preferences.")},

    // ---- messages
    {Sid::DeadFileWriteFailed, QT_TRANSLATE_NOOP("tq", "Unable to write outfiltered message to file: ")},
    {Sid::AutoAnswerCaption, QT_TRANSLATE_NOOP("tq", "&AutoAnswer")},
    {Sid::AutoAnswerTip, QT_TRANSLATE_NOOP("tq", "Toggle AutoAnswer mode")},
    {Sid::StatusAutoAnswerMode, QT_TRANSLATE_NOOP("tq", "AutoAnswer mode.")},
    {Sid::StatusReady, QT_TRANSLATE_NOOP("tq", "Ready.")},
    {Sid::ReplaceWithQuoteQuestion,
     QT_TRANSLATE_NOOP("tq",
                       "The message text has changed and not send!\r\nDo you wish to replace its with "
                       "\"quotes\" of new message?")},
    {Sid::DiscardAllQuestion, QT_TRANSLATE_NOOP("tq", "Do you wish to delete all incoming messages?")},
    {Sid::SendButton, QT_TRANSLATE_NOOP("tq", "&Send Message")},
    {Sid::SendButtonTip, QT_TRANSLATE_NOOP("tq", "Press this button to send message (Alt+Enter)")},
    {Sid::DestinationTip, QT_TRANSLATE_NOOP("tq", "Select or enter message destination(s)")},
    {Sid::SendTime, QT_TRANSLATE_NOOP("tq", "Time: %d,%02dsec")},
    {Sid::MessagePosition, QT_TRANSLATE_NOOP("tq", "%d/%d")},
    {Sid::MenuSendMessage, QT_TRANSLATE_NOOP("tq", "&Send message")},
    {Sid::MenuPrevious, QT_TRANSLATE_NOOP("tq", "&Previous\tAlt+Left Arrow")},
    {Sid::MenuNext, QT_TRANSLATE_NOOP("tq", "&Next\tAlt+Right Arrow")},
    {Sid::MenuDelete, QT_TRANSLATE_NOOP("tq", "&Delete\tAlt+Del")},
    {Sid::MenuDiscardAll, QT_TRANSLATE_NOOP("tq", "D&iscard all messages\tShift+Alt+Del")},
    {Sid::MenuPopupOnReceipt, QT_TRANSLATE_NOOP("tq", "P&op up on message receipt")},
    {Sid::MenuOutsideAnyGroup, QT_TRANSLATE_NOOP("tq", "&Outside Any Group")},
    {Sid::MenuJunkSenders, QT_TRANSLATE_NOOP("tq", "&Junk Senders List")},
    {Sid::MenuSendHighImportance, QT_TRANSLATE_NOOP("tq", "Send as &high importance message ")},
    {Sid::MenuCopy, QT_TRANSLATE_NOOP("tq", "&Copy\tCtrl+C")},
    {Sid::MenuCut, QT_TRANSLATE_NOOP("tq", "Cu&t\tCtrl+X")},
    {Sid::MenuPaste, QT_TRANSLATE_NOOP("tq", "&Paste\tCtrl+V")},
    {Sid::MenuSelectAll, QT_TRANSLATE_NOOP("tq", "Select &All\tCtrl+A")},
    {Sid::MenuUndo, QT_TRANSLATE_NOOP("tq", "&Undo\tCtrl+Z")},
    {Sid::MenuAddSenderTo, QT_TRANSLATE_NOOP("tq", "&Add sender to...")},
    {Sid::MenuEditTitle, QT_TRANSLATE_NOOP("tq", "&Edit")},

    // ---- address book
    // Never translated: the two entries are destinations the user types and scripts pass, and
    // they go into the heading line of what is sent.
    {Sid::BroadcastEntry, "< All (broadcast) >"},
    {Sid::ConfirmMultipleDelete, QT_TRANSLATE_NOOP("tq", "Are you sure you want to delete these %d items?")},
    {Sid::ConfirmMultipleDeleteCaption, QT_TRANSLATE_NOOP("tq", "Confirm Multiple Item Delete")},
    {Sid::ConfirmUserDelete, QT_TRANSLATE_NOOP("tq", "Are you sure you want to delete \"%s\"?")},
    {Sid::ConfirmUserDeleteCaption, QT_TRANSLATE_NOOP("tq", "Confirm User Delete")},
    {Sid::ConfirmGroupDelete,
     QT_TRANSLATE_NOOP("tq", "Are you sure you want to remove the user group \"%s\" and all its content?")},
    {Sid::ConfirmGroupDeleteCaption, QT_TRANSLATE_NOOP("tq", "Confirm User Group Delete")},
    {Sid::OutsideAnyGroup, QT_TRANSLATE_NOOP("tq", "Outside Any Group")},
    {Sid::AddressBookTitleWithGroups, QT_TRANSLATE_NOOP("tq", "Address Book [%d Groups, %d Users]")},
    {Sid::AddressBookTitle, QT_TRANSLATE_NOOP("tq", "Address Book [%d Users]")},
    {Sid::NameHasForbiddenCharacter,
     QT_TRANSLATE_NOOP("tq", "Item cannot contain any of the following characters\r\n\t\t\"\\/:*?\"<>|;\"")},
    {Sid::ErrorRenamingItem, QT_TRANSLATE_NOOP("tq", "Error Renaming Item")},
    {Sid::MultipleItemsSelected, QT_TRANSLATE_NOOP("tq", "[ multiple item selected ]")},
    {Sid::UsersSelectedSuffix, QT_TRANSLATE_NOOP("tq", " [ %d users selected]")},
    {Sid::CopyUsersButton, QT_TRANSLATE_NOOP("tq", "&Copy")},
    {Sid::MoveUsersButton, QT_TRANSLATE_NOOP("tq", "&Move")},
    {Sid::NameTakenCaption, QT_TRANSLATE_NOOP("tq", "Error Renaming Item")},
    {Sid::UserAlreadyExists,
     QT_TRANSLATE_NOOP("tq",
                       "User with name '%s' already exist in Address Book.\r\nDo you wish to replace his "
                       "address?")},
    {Sid::UserAlreadyExistsCaption, QT_TRANSLATE_NOOP("tq", "User Already Exist.")},
    {Sid::AllUsersEntry, "< All users >"}, // never translated, as the broadcast entry
    {Sid::RemoveItemTip, QT_TRANSLATE_NOOP("tq", "Remove Item")},
    {Sid::AddNewGroupTip, QT_TRANSLATE_NOOP("tq", "Add New Group (Ctrl+Insert)")},
    {Sid::AddNewUserTip, QT_TRANSLATE_NOOP("tq", "Add New User  (Insert)")},
    {Sid::UpOneLevelTip, QT_TRANSLATE_NOOP("tq", "Up One Level (Backspace)")},
    {Sid::LevelListTip, QT_TRANSLATE_NOOP("tq", "Go to a different group")},
    {Sid::UserColumnTitle, QT_TRANSLATE_NOOP("tq", "User")},
    {Sid::HostColumnTitle, QT_TRANSLATE_NOOP("tq", "Host")},
    {Sid::MyGroupNumbered, QT_TRANSLATE_NOOP("tq", "My Group%d")},
    {Sid::NameTaken,
     QT_TRANSLATE_NOOP("tq", "A item with the name you specified already exitst. Specify a different name")},

    // ---- shell and preferences
    {Sid::MenuExit, QT_TRANSLATE_NOOP("tq", "E&xit")},
    {Sid::MenuMessageTitle, QT_TRANSLATE_NOOP("tq", "&Message")},
    {Sid::MenuViewTitle, QT_TRANSLATE_NOOP("tq", "&View")},
    {Sid::MenuHelpTitle, QT_TRANSLATE_NOOP("tq", "&Help")},
    {Sid::MenuToolbar, QT_TRANSLATE_NOOP("tq", "&Toolbar")},
    {Sid::MenuStatusBar, QT_TRANSLATE_NOOP("tq", "&Status Bar")},
    {Sid::MenuAddressBook, QT_TRANSLATE_NOOP("tq", "Address &Book...")},
    {Sid::MenuPreferences, QT_TRANSLATE_NOOP("tq", "&Preferences...")},
    {Sid::MenuHelpContents, QT_TRANSLATE_NOOP("tq", "&Contents and Index\tF1")},
    {Sid::MenuVisitWebSite, QT_TRANSLATE_NOOP("tq", "&Visit Tarquel Messenger Web Site")},
    {Sid::MenuAbout, QT_TRANSLATE_NOOP("tq", "&About TarquelMessenger...")},
    {Sid::MenuRestore, QT_TRANSLATE_NOOP("tq", "&Restore")},
    {Sid::MenuCheckMailNow, QT_TRANSLATE_NOOP("tq", "&Check for new mail now")},
    {Sid::MenuReadMail, QT_TRANSLATE_NOOP("tq", "&Read Mail")},
    {Sid::MenuDontCheckAnymore, QT_TRANSLATE_NOOP("tq", "&Don't check anymore")},
    {Sid::MenuMailSettings, QT_TRANSLATE_NOOP("tq", "&Settings")},
    {Sid::MenuHideMailIcons, QT_TRANSLATE_NOOP("tq", "&Hide mail icon(s)")},
    {Sid::TrayMenuAbout, QT_TRANSLATE_NOOP("tq", "&About Tarquel Messenger...")},
    {Sid::StartChecking, QT_TRANSLATE_NOOP("tq", "Start checking")},
    {Sid::ToolbarTitle, QT_TRANSLATE_NOOP("tq", "Tarquel Messenger Toolbar")},
    {Sid::HintPrevious, QT_TRANSLATE_NOOP("tq", "Show the previous message\nPrevious message")},
    {Sid::HintNext, QT_TRANSLATE_NOOP("tq", "Show the next message\nNext message")},
    {Sid::HintDelete, QT_TRANSLATE_NOOP("tq", "Delete the message on display\nDelete message")},
    {Sid::HintAddressBook, QT_TRANSLATE_NOOP("tq", "Edit the users and groups of the Address Book\nAddress Book")},
    {Sid::HintPreferences, QT_TRANSLATE_NOOP("tq", "Change the program's settings\nPreferences")},
    {Sid::HintCut, QT_TRANSLATE_NOOP("tq", "Cut the selection and put it on the Clipboard\nCut")},
    {Sid::HintCopy, QT_TRANSLATE_NOOP("tq", "Copy the selection and put it on the Clipboard\nCopy")},
    {Sid::HintPaste, QT_TRANSLATE_NOOP("tq", "Insert Clipboard contents\nPaste")},
    {Sid::HintAbout, QT_TRANSLATE_NOOP("tq", "Display program information and version\nAbout")},
    {Sid::PreferencesCaption, QT_TRANSLATE_NOOP("tq", "Preferences")},
    {Sid::TipViewFile, QT_TRANSLATE_NOOP("tq", "View file")},
    {Sid::TipPlaySound, QT_TRANSLATE_NOOP("tq", "Play this sound")},
    {Sid::TipRunProgram, QT_TRANSLATE_NOOP("tq", "Run this program now")},
    {Sid::HelpNotInstalled,
     QT_TRANSLATE_NOOP("tq",
                       "HTML Help Support NOT Installed!\r\n\r\nThe help pages (help/index.html) were not "
                       "found beside the program.\r\nReinstall Tarquel Messenger to get them back.")},
    {Sid::HelpNoBrowser,
     QT_TRANSLATE_NOOP("tq",
                       "No program to show web pages was found.\r\n\r\nThe help pages are installed; open "
                       "this file with a web browser:\r\n%s")},
    {Sid::FilterApplications, QT_TRANSLATE_NOOP("tq", "Applications (*.exe)|*.exe|All Files (*.*)|*.*||")},
    {Sid::FilterTextFiles, QT_TRANSLATE_NOOP("tq", "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||")},
    {Sid::FilterSoundFiles, QT_TRANSLATE_NOOP("tq", "Sound Files (*.wav)|*.wav||")},
    {Sid::PortChangeQuestion,
     QT_TRANSLATE_NOOP("tq",
                       "You are change TCP/IP port for Tarquel Messenger!\r\nThis change probably means stop "
                       "receiving messages!\r\nChange TCP/IP port?\r\n(Answer 'NO' if you not sure)")},
    {Sid::PortChangeCaption, QT_TRANSLATE_NOOP("tq", "Change TCP/IP Port?")},
    {Sid::PromptIntegerRange, QT_TRANSLATE_NOOP("tq", "Please enter an integer between %d and %d.")},
    {Sid::PromptMaxCharacters, QT_TRANSLATE_NOOP("tq", "Please enter no more than %d characters.")},
    {Sid::AboutCaption, QT_TRANSLATE_NOOP("tq", "About Tarquel Messenger")},
    {Sid::GeneralPageTitle, QT_TRANSLATE_NOOP("tq", "General")},
    {Sid::InterfacePageTitle, QT_TRANSLATE_NOOP("tq", "Interface")},
    {Sid::FilteringPageTitle, QT_TRANSLATE_NOOP("tq", "Filtering")},
    {Sid::EMailPageTitle, QT_TRANSLATE_NOOP("tq", "E-mail")},
    {Sid::AutostartFailed,
     QT_TRANSLATE_NOOP("tq",
                       "The entry that starts Tarquel Messenger when you log in could not be changed.\r\n\r\n"
                       "%s: %s")},

    // ---- mail
    {Sid::MailSendStart, QT_TRANSLATE_NOOP("tq", "Start mail sending process.")},
    {Sid::SmtpConnectFailed, QT_TRANSLATE_NOOP("tq", "Unable to connect with SMTP server ")},
    {Sid::MailSendSuccess, QT_TRANSLATE_NOOP("tq", "Mail send successfully.")},
    {Sid::SmtpUnexpectedAnswer,
     QT_TRANSLATE_NOOP("tq", "Error during mail sending process.\r\nSMTP server return unexpected answer.")},
    {Sid::SmtpServerNotSet, QT_TRANSLATE_NOOP("tq", "You don't setup SMTP server in Preferences.  ")},
    {Sid::MailCheckConnecting, QT_TRANSLATE_NOOP("tq", "Connecting to server ")},
    {Sid::MailCheckAccepted, QT_TRANSLATE_NOOP("tq", "Connection accepted...")},
    {Sid::MailCheckUserSent, QT_TRANSLATE_NOOP("tq", "Authentification for user ")},
    {Sid::MailCheckUserAccepted, QT_TRANSLATE_NOOP("tq", "Authentification for user ")},
    {Sid::MailCheckPasswordSent, QT_TRANSLATE_NOOP("tq", "Authentification for user ")},
    {Sid::MailCheckPasswordAccepted, QT_TRANSLATE_NOOP("tq", "Authentification for user ")},
    {Sid::MailCheckCounting, QT_TRANSLATE_NOOP("tq", "Checking for new messages...")},
    {Sid::MailCheckCountFormat, QT_TRANSLATE_NOOP("tq", "Mail server has %d new message(s) for %s")},
    {Sid::MailCheckStatFailed, QT_TRANSLATE_NOOP("tq", "Unable to retrive new mail statistics from mailserver ")},
    {Sid::MailCheckAuthFailed, QT_TRANSLATE_NOOP("tq", "Authentification error for user ")},
    {Sid::MailCheckConnectFailed, QT_TRANSLATE_NOOP("tq", "Unable to connect with mail server ")},
    {Sid::MailTipYouHave, QT_TRANSLATE_NOOP("tq", "You have ")},
    {Sid::MailTipPasswordRefused, QT_TRANSLATE_NOOP("tq", "Authentification error for user ")},
    {Sid::MailTipUserRefused, QT_TRANSLATE_NOOP("tq", "Authentification error for user ")},
    {Sid::MailTipInvalidServer, QT_TRANSLATE_NOOP("tq", "Invalid POP3 server  ")},
    {Sid::MailTipConnectFailed, QT_TRANSLATE_NOOP("tq", "Unable to connect with POP3 ")},
    {Sid::MailTipInternalError, QT_TRANSLATE_NOOP("tq", "Internal TCP/IP error")},
    {Sid::MailTipNewMessagesIn, QT_TRANSLATE_NOOP("tq", " new messages in mailbox ")},
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
