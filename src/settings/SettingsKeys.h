#pragma once

// Every key of the per-user settings store with its type and default, in one place.
// Readers pass these to SettingsStore::get; no other file keeps a default of its own.

namespace tq {

struct IntSetting {
    const char *section;
    const char *entry;
    int defaultValue;
};

struct StringSetting {
    const char *section;
    const char *entry;
    const char *defaultValue;
};

namespace keys {

inline constexpr char kSettings[] = "Settings";
inline constexpr char kInitialization[] = "Initialization";
// Toolbar and status-bar layout live in sections whose names begin with this.
inline constexpr char kBarStatePrefix[] = "Initialization\\BarState";

// ---- section "Settings"
inline constexpr StringSetting FullName{kSettings, "Full Name", ""};
inline constexpr StringSetting SystemName{kSettings, "System Name", ""};
inline constexpr StringSetting Signature{kSettings, "Signature", ""};
inline constexpr StringSetting EmailAddress{kSettings, "E-mailAddress", ""};
inline constexpr IntSetting TcpPort{kSettings, "TCP Port", 7777};
inline constexpr IntSetting UdpPort{kSettings, "UDP Port", 0}; // 0: the TCP port number
inline constexpr IntSetting Delay{kSettings, "Delay", 3000};
inline constexpr IntSetting UseProtocol{kSettings, "UseProtocol", 2}; // 0 TCP, 1 UDP, 2 both
inline constexpr IntSetting CloseAsk{kSettings, "CloseAsk", 0};
inline constexpr IntSetting DisplaySendOK{kSettings, "DisplaySendOK", 0};
inline constexpr IntSetting MinOnDelLast{kSettings, "MinOnDelLast", 0};
inline constexpr IntSetting DontAutoLast{kSettings, "DontAutoLast", 0};
inline constexpr IntSetting EnableSound{kSettings, "EnableSound", 1};
inline constexpr StringSetting SoundFile{kSettings, "SoundFile", "receive.wav"};
inline constexpr IntSetting StoreAndLoad{kSettings, "StoreAndLoad", 0};
inline constexpr IntSetting OnlyKnowUsers{kSettings, "OnlyKnowUsers", 0};
inline constexpr IntSetting DontDuplicate{kSettings, "DontDuplicate", 1};
inline constexpr IntSetting SaveDead{kSettings, "SaveDead", 1};
// Default: AppDataDir + "outfiltered.txt", computed when read (see deadFileName()).
inline constexpr StringSetting DeadFileName{kSettings, "DeadFileName", ""};
inline constexpr char kDeadFileDefaultName[] = "outfiltered.txt";
inline constexpr IntSetting RecvNMessages{kSettings, "RecvNMessages", 0};
inline constexpr IntSetting EnableMailCheking{kSettings, "EnableMailCheking", 0};
inline constexpr IntSetting MailChekingTime{kSettings, "MailChekingTime", 1};
inline constexpr IntSetting Use2POP3Servers{kSettings, "Use2POP3Servers", 0};
inline constexpr IntSetting PlayMailSound{kSettings, "PlayMailSound", 0};
inline constexpr StringSetting POP3Server1{kSettings, "POP3Server1", ""};
inline constexpr StringSetting UserName1{kSettings, "UserName1", ""};
inline constexpr StringSetting P31{kSettings, "P31", ""}; // scrambled password
inline constexpr StringSetting POP3Server2{kSettings, "POP3Server2", ""};
inline constexpr StringSetting UserName2{kSettings, "UserName2", ""};
inline constexpr StringSetting P32{kSettings, "P32", ""}; // scrambled password
inline constexpr StringSetting EMailProgram{kSettings, "EMailProgram", ""};
inline constexpr StringSetting SMTPServer{kSettings, "SMTPServer", ""};
inline constexpr IntSetting FirstStart{kSettings, "FirstStart", 0};
inline constexpr StringSetting Url{kSettings, "Url", "www.tarquel.com"};
inline constexpr IntSetting Column1{kSettings, "Column1", 165};
inline constexpr IntSetting Column2{kSettings, "Column2", 150};
inline constexpr IntSetting AB_SortCol{kSettings, "AB_SortCol", 0};
inline constexpr IntSetting AB_SortAsc{kSettings, "AB_SortAsc", 1};
// New messages and new mail also as desktop notifications.
inline constexpr IntSetting Notify{kSettings, "Notify", 1};
// How the text of outgoing messages is written: 0 UTF-8; 1 Windows-1252, which older stations
// read (a message with a character it lacks still goes out in UTF-8).
inline constexpr IntSetting OutgoingEncoding{kSettings, "OutgoingEncoding", 0};
inline constexpr int kOutgoingUtf8 = 0;
inline constexpr int kOutgoingWindows1252 = 1;
// A broadcast from the Send command asks first; 0 once the user has said not to ask again.
inline constexpr IntSetting AskBeforeBroadcast{kSettings, "AskBeforeBroadcast", 1};
// Every so many seconds the stations of the address book are asked whether they are there;
// 0 switches presence off.
inline constexpr IntSetting PresenceInterval{kSettings, "PresenceInterval", 60};
// Messages kept for delivery later: tried again every "RetryInterval" seconds (and when their
// host is seen again) for at most "RetryDays" days.
inline constexpr IntSetting RetryInterval{kSettings, "RetryInterval", 300};
inline constexpr IntSetting RetryDays{kSettings, "RetryDays", 3};

// ---- section "Initialization"
inline constexpr StringSetting ClassName{kInitialization, "ClassName", "None"};
inline constexpr IntSetting VertPos{kInitialization, "VertPos", 100};
inline constexpr IntSetting HorizPos{kInitialization, "HorizPos", 100};
inline constexpr IntSetting Width{kInitialization, "Width", 305};
inline constexpr IntSetting Height{kInitialization, "Height", 460};
inline constexpr IntSetting Popup{kInitialization, "Popup", 0};
inline constexpr IntSetting BottomRecText{kInitialization, "BottomRecText", 150};
// 1 once the user has been told that the desktop has no tray.
inline constexpr IntSetting NoTrayNoticeShown{kInitialization, "NoTrayNoticeShown", 0};

// ---- section "Initialization\\BarState"
// The toolbar's visibility and docking place as the main window saves them (base64).
inline constexpr StringSetting BarLayout{kBarStatePrefix, "Layout", ""};
inline constexpr IntSetting StatusBarVisible{kBarStatePrefix, "StatusBar", 1};

} // namespace keys
} // namespace tq
