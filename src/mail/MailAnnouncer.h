#pragma once

#include <QString>

class QObject;

namespace tq {

class CCheckMailThread;
class MailTray;
class SoundPlayer;

// The codes a mailbox check announces: a failure, an emptied mailbox, or new mail in mailbox
// 111 or 112 (the code is the mailbox).
namespace mailstate {
inline constexpr int PasswordRefused = 0;
inline constexpr int UserRefused = 1;
inline constexpr int InvalidServer = 2;
inline constexpr int ConnectFailed = 3;
inline constexpr int InternalError = 4;
inline constexpr int FirstMailboxEmpty = 6;
inline constexpr int SecondMailboxEmpty = 7;
} // namespace mailstate

// Turns what a mailbox check found into tray icons, tips and sounds. It lives on the
// user-interface thread; checks reach it through queued signals.
class MailAnnouncer {
public:
    // The tray shows tips of at most this many characters.
    static constexpr qsizetype kMaxTipLength = 63;

    MailAnnouncer(MailTray &tray, SoundPlayer &sound);

    // Every check starts by taking away the error of the previous one.
    void removeErrorIcon();
    // `name` is the user (new mail, refused log-in, emptied mailbox) or the server text;
    // `text` the message count for new mail.
    void AnnounceMailState(const QString &name, const QString &text, int code, bool playSound);
    // The mail menu's and the icons' "read mail" and "hide" actions.
    void removeAllIcons();

    static QString trayTip(const QString &text);

private:
    MailTray &m_tray;
    SoundPlayer &m_sound;
};

// What `check` finds reaches `announcer` on the thread of `context`, for as long as both live.
void announceChecks(CCheckMailThread &check, MailAnnouncer &announcer, QObject *context);

} // namespace tq
