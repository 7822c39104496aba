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
    TrayListening = 130,
    TitleMessages = 131,
    TitleOneMessage = 132,
    FontMissing = 2071,
    // Bad local files: the numbers are this program's own.
    SettingsFileUnreadable = 2931,
    PortSettingOutOfRange = 2932,
    LargeMessageFilesSkipped = 2933,
    // Floods and a full disk: the numbers are this program's own.
    DatagramsDropped = 2934,
    DiskNearlyFull = 2935,
    DiskSpaceBack = 2936,
    // The tray tip while messages wait for delivery later.
    TrayWaiting = 2937,
    CloseQuestion = 2107,
    CloseQuestionCaption = 2108,
    SuspendNotice = 61204,
    ResumeNotice = 61205,
    // The program's own: the desktop has no tray (status bar, desktop notice).
    NoTrayStatus = 2902,
    NoTrayNotice = 2903,

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
    // The file error of a send abandoned before it started; the number is this program's own.
    FileWriteFailed = 2900,
    // Questions and refusals of the Send command; the numbers are this program's own.
    BroadcastQuestion = 2921,
    DoNotAskAgain = 2922,
    StatusNoDestination = 2923,
    SystemNameMissing = 2924,

    // ---- messages
    DeadFileWriteFailed = 2026,
    AutoAnswerCaption = 2043,
    AutoAnswerTip = 2045,
    StatusAutoAnswerMode = 2050,
    StatusReady = 2051,
    ReplaceWithQuoteQuestion = 61203,
    DiscardAllQuestion = 2005,
    SendButton = 2009,
    SendButtonTip = 2044,
    DestinationTip = 2046,
    SendTime = 2061,
    MessagePosition = 59143,
    // Menu items have no string number of their own: their texts go by 1000000 + command id,
    // menu titles by 2000000 + 100 * position in the menu bar + position in their menu.
    MenuSendMessage = 1011193,
    MenuPrevious = 1032771,
    MenuNext = 1032772,
    MenuDelete = 1032773,
    MenuDiscardAll = 1032779,
    MenuPopupOnReceipt = 1032781,
    MenuOutsideAnyGroup = 1032815,
    MenuJunkSenders = 1032816,
    MenuSendHighImportance = 1032828,
    MenuCopy = 1057634,
    MenuCut = 1057635,
    MenuPaste = 1057637,
    MenuSelectAll = 1057642,
    MenuUndo = 1057643,
    MenuAddSenderTo = 2000007,
    MenuEditTitle = 2000100,

    // ---- address book
    BroadcastEntry = 126,
    ConfirmMultipleDelete = 200,
    ConfirmMultipleDeleteCaption = 201,
    ConfirmUserDelete = 202,
    ConfirmUserDeleteCaption = 203,
    ConfirmGroupDelete = 204,
    ConfirmGroupDeleteCaption = 205,
    OutsideAnyGroup = 206,
    AddressBookTitleWithGroups = 207,
    AddressBookTitle = 208,
    NameHasForbiddenCharacter = 211,
    ErrorRenamingItem = 212,
    MultipleItemsSelected = 213,
    UsersSelectedSuffix = 214,
    CopyUsersButton = 215,
    MoveUsersButton = 216,
    NameTakenCaption = 2028,
    UserAlreadyExists = 2030,
    UserAlreadyExistsCaption = 2031,
    AllUsersEntry = 2057,
    RemoveItemTip = 2074,
    AddNewGroupTip = 2075,
    AddNewUserTip = 2076,
    UpOneLevelTip = 2077,
    LevelListTip = 2078,
    UserColumnTitle = 2079,
    HostColumnTitle = 2080,
    MyGroupNumbered = 2081,
    NameTaken = 2084,

    // ---- shell and preferences
    MenuExit = 1032790,
    MenuMessageTitle = 2000000,
    MenuViewTitle = 2000200,
    MenuHelpTitle = 2000300,
    MenuToolbar = 1059392,
    MenuStatusBar = 1059393,
    MenuAddressBook = 1032780,
    MenuPreferences = 1032776,
    MenuHelpContents = 1057667,
    MenuVisitWebSite = 1032789,
    MenuAbout = 1057664,
    MenuRestore = 1032797,
    MenuCheckMailNow = 1032829,
    MenuReadMail = 1032801,
    MenuDontCheckAnymore = 1032800,
    MenuMailSettings = 1032802,
    MenuHideMailIcons = 1032810,
    // Tray menu items whose text differs from the main menu's go by 3000000 + command id.
    TrayMenuAbout = 3057664,
    StartChecking = 2109,
    ToolbarTitle = 2106,
    // A command's status-bar hint and tool tip ("hint\ntip") go by the command id.
    HintPrevious = 32771,
    HintNext = 32772,
    HintDelete = 32773,
    HintAddressBook = 32780,
    HintPreferences = 32776,
    HintCut = 57635,
    HintCopy = 57634,
    HintPaste = 57637,
    HintAbout = 57664,
    PreferencesCaption = 102,
    TipViewFile = 400,
    TipPlaySound = 402,
    TipRunProgram = 403,
    HelpNotInstalled = 245,
    // The pages are there but nothing can show them; the number is this program's own.
    HelpNoBrowser = 2910,
    FilterApplications = 2101,
    FilterTextFiles = 2102,
    FilterSoundFiles = 2103,
    PortChangeQuestion = 2104,
    PortChangeCaption = 2105,
    PromptIntegerRange = 61710,
    PromptMaxCharacters = 61711,
    // Captions of dialogs and preference pages go by 4000000 + dialog id.
    AboutCaption = 4000100,
    GeneralPageTitle = 4000170,
    InterfacePageTitle = 4000171,
    FilteringPageTitle = 4000185,
    EMailPageTitle = 4000200,
    // The program's own: the log-in autostart entry could not be written or removed.
    AutostartFailed = 2901,

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
