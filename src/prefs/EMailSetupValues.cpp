#include "prefs/EMailSetupValues.h"

#include "settings/SettingsStore.h"

namespace tq {

EMailSetupValues EMailSetupValues::read(const SettingsStore &store)
{
    EMailSetupValues values;
    values.mailChecking = store.get(keys::EnableMailCheking) != 0;
    values.mailCheckingTime = store.get(keys::MailChekingTime);
    values.playMailSound = store.get(keys::PlayMailSound) != 0;
    values.emailProgram = store.get(keys::EMailProgram);
    values.first = {store.get(keys::POP3Server1), store.get(keys::UserName1), readPassword(store, keys::P31)};
    values.second = {store.get(keys::POP3Server2), store.get(keys::UserName2), readPassword(store, keys::P32)};
    values.useSecond = store.get(keys::Use2POP3Servers) != 0;
    values.smtpServer = store.get(keys::SMTPServer);
    return values;
}

std::optional<FieldProblem> EMailSetupValues::check() const
{
    if (auto problem = checkIntRange(PrefField::MailCheckingTime, mailCheckingTime, kMinMinutes, kMaxMinutes))
        return problem;
    if (auto problem = checkMaxLength(PrefField::UserName1, first.user, kMaxUserName))
        return problem;
    if (auto problem = checkMaxLength(PrefField::Password1, first.password, kMaxPassword))
        return problem;
    if (auto problem = checkMaxLength(PrefField::UserName2, second.user, kMaxUserName))
        return problem;
    return checkMaxLength(PrefField::Password2, second.password, kMaxPassword);
}

void EMailSetupValues::write(SettingsStore &store) const
{
    const bool secondInUse = useSecond && !second.server.isEmpty();
    QString program = emailProgram;
    qsizetype blanks = 0;
    while (blanks < program.size() && program.at(blanks).isSpace())
        ++blanks;
    program.remove(0, blanks);

    writePassword(store, keys::P31, first.password);
    writePassword(store, keys::P32, second.password);
    store.set(keys::POP3Server1, first.server);
    store.set(keys::POP3Server2, second.server);
    store.set(keys::EnableMailCheking, mailChecking ? 1 : 0);
    store.set(keys::MailChekingTime, mailCheckingTime);
    store.set(keys::Use2POP3Servers, secondInUse ? 1 : 0);
    store.set(keys::PlayMailSound, playMailSound ? 1 : 0);
    store.set(keys::SMTPServer, smtpServer);
    store.set(keys::UserName1, first.user);
    store.set(keys::UserName2, second.user);
    store.set(keys::EMailProgram, program);
}

EMailPageState::EMailPageState(bool mailChecking, bool useSecond)
    : m_mailChecking(mailChecking)
    , m_useSecond(useSecond)
{
}

void EMailPageState::shown(const MailboxAccount &first)
{
    const bool complete = first.isComplete();
    m_states.mailCheckBox = complete;
    m_states.mailDetails = complete && m_mailChecking;
    m_states.checkNow = true;
    m_states.secondMailbox = true;
}

void EMailPageState::firstMailboxEdited(const QString &server, const QString &user)
{
    const bool complete = !server.isEmpty() && !user.isEmpty();
    m_states.mailCheckBox = complete;
    m_states.checkNow = complete;
    if (!complete) {
        m_mailChecking = false;
        m_useSecond = false;
    }
    m_states.mailDetails = m_mailChecking;
}

void EMailPageState::secondMailboxEdited(const QString &server, const QString &user)
{
    const bool complete = !server.isEmpty() && !user.isEmpty();
    m_states.secondMailbox = complete;
    if (!complete)
        m_useSecond = false;
}

bool EMailPageState::toggleMailChecking()
{
    m_mailChecking = !m_mailChecking;
    m_states.mailDetails = m_mailChecking;
    return m_mailChecking;
}

} // namespace tq
