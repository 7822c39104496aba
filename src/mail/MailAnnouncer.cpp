#include "mail/MailAnnouncer.h"

#include "mail/CCheckMailThread.h"
#include "mail/MailTray.h"
#include "platform/SoundPlayer.h"
#include "res/StringTable.h"

namespace tq {
namespace {

QString errorTip(const QString &name, int code)
{
    const QString bang = QStringLiteral("!");
    switch (code) {
    case mailstate::PasswordRefused:
        return tqString(Sid::MailTipPasswordRefused) + name + bang;
    case mailstate::UserRefused:
        return tqString(Sid::MailTipUserRefused) + name + bang;
    case mailstate::InvalidServer:
        return tqString(Sid::MailTipInvalidServer) + name + bang;
    case mailstate::ConnectFailed:
        return tqString(Sid::MailTipConnectFailed) + name + bang;
    default:
        return tqString(Sid::MailTipInternalError);
    }
}

} // namespace

MailAnnouncer::MailAnnouncer(MailTray &tray, SoundPlayer &sound)
    : m_tray(tray)
    , m_sound(sound)
{
}

void MailAnnouncer::removeErrorIcon()
{
    m_tray.removeMailIcon(kMailErrorIcon);
}

void MailAnnouncer::AnnounceMailState(const QString &name, const QString &text, int code, bool playSound)
{
    if (playSound) {
        if (code >= 10)
            m_sound.play(QStringLiteral("MailBeep"));
        else if (code < mailstate::FirstMailboxEmpty)
            m_sound.play(QStringLiteral("SystemExclamation"));
    }
    if (code == kFirstMailbox || code == kSecondMailbox) {
        m_tray.showMailIcon(code,
                            trayTip(tqString(Sid::MailTipYouHave) + text + tqString(Sid::MailTipNewMessagesIn) + name));
    } else if (code >= mailstate::PasswordRefused && code <= mailstate::InternalError) {
        m_tray.showMailIcon(kMailErrorIcon, trayTip(errorTip(name, code)));
    } else if (code == mailstate::FirstMailboxEmpty) {
        m_tray.removeMailIcon(kFirstMailbox);
    } else if (code == mailstate::SecondMailboxEmpty) {
        m_tray.removeMailIcon(kSecondMailbox);
    }
}

void MailAnnouncer::removeAllIcons()
{
    m_tray.removeMailIcon(kMailErrorIcon);
    m_tray.removeMailIcon(kFirstMailbox);
    m_tray.removeMailIcon(kSecondMailbox);
}

QString MailAnnouncer::trayTip(const QString &text)
{
    if (text.size() <= kMaxTipLength)
        return text;
    // Never leave half of a character that takes two code units.
    const qsizetype cut = text.at(kMaxTipLength - 1).isHighSurrogate() ? kMaxTipLength - 1 : kMaxTipLength;
    return text.left(cut);
}

void announceChecks(CCheckMailThread &check, MailAnnouncer &announcer, QObject *context)
{
    QObject::connect(&check, &CCheckMailThread::errorIconRemoved, context,
                     [&announcer] { announcer.removeErrorIcon(); });
    QObject::connect(&check, &CCheckMailThread::mailState, context,
                     [&announcer](const QString &name, const QString &text, int code, bool playSound) {
                         announcer.AnnounceMailState(name, text, code, playSound);
                     });
}

} // namespace tq
