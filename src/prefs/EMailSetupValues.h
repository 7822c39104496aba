#pragma once

#include "mail/MailCheckRequest.h"
#include "prefs/FieldCheck.h"

#include <QString>

#include <optional>

namespace tq {

class SettingsStore;

// What the E-mail page edits; the passwords in clear.
struct EMailSetupValues {
    static constexpr int kMinMinutes = 1;
    static constexpr int kMaxMinutes = 120;
    static constexpr int kMaxUserName = 256;
    static constexpr int kMaxPassword = 36;

    bool mailChecking = false;
    int mailCheckingTime = 1;
    bool playMailSound = false;
    QString emailProgram;
    MailboxAccount first;
    MailboxAccount second;
    bool useSecond = false;
    QString smtpServer;

    static EMailSetupValues read(const SettingsStore &store);

    std::optional<FieldProblem> check() const;
    // The second mailbox counts only with a server; the e-mail program loses its leading
    // blanks; the passwords are scrambled.
    void write(SettingsStore &store) const;
};

// Which of the page's controls are enabled.
struct EMailControlStates {
    bool mailCheckBox = false; // "Check for new mail every"
    bool mailDetails = false; // the minutes, their spin box and the mail sound
    bool checkNow = true;
    bool secondMailbox = true;

    friend bool operator==(const EMailControlStates &, const EMailControlStates &) = default;
};

// The E-mail page's switches and the rules that tie them to the mailbox fields. The page
// shows `mailChecking` and `useSecond` in its check boxes and `states` as enabled controls.
class EMailPageState {
public:
    EMailPageState(bool mailChecking, bool useSecond);

    // The page comes up: mail checking can be switched only for a complete first mailbox.
    void shown(const MailboxAccount &first);
    // The first mailbox's server or user name was edited.
    void firstMailboxEdited(const QString &server, const QString &user);
    // The second mailbox's server or user name was edited.
    void secondMailboxEdited(const QString &server, const QString &user);
    // The mail-checking check box was clicked; returns the new value.
    bool toggleMailChecking();

    bool mailChecking() const { return m_mailChecking; }
    bool useSecond() const { return m_useSecond; }
    void setUseSecond(bool on) { m_useSecond = on; }
    const EMailControlStates &states() const { return m_states; }

private:
    bool m_mailChecking;
    bool m_useSecond;
    EMailControlStates m_states;
};

} // namespace tq
