#include "mail/CCheckMailThread.h"

#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "mail/MailSocket.h"
#include "mail/MailTray.h"
#include "mail/Pop3Reply.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tq {
namespace {

enum class Reply { Ok, Refused, SendFailed, Cancelled };

// A line break inside a user name or password would end the command early and start another.
QByteArray commandArgument(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.removeIf([](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    return bytes;
}

} // namespace

CCheckMailThread::CCheckMailThread(const MailCheckRequest &request, MailCounts &counts, QObject *parent)
    : QObject(parent)
    , m_request(request)
    , m_counts(counts)
{
}

CCheckMailThread::~CCheckMailThread()
{
    cancel();
}

void CCheckMailThread::start()
{
    if (!m_thread.joinable())
        m_thread = std::jthread([this] { run(); });
}

void CCheckMailThread::cancel()
{
    m_wakeup.signal();
    if (m_thread.joinable())
        m_thread.join();
}

void CCheckMailThread::run()
{
    Q_EMIT errorIconRemoved();
    const auto first = CheckMailbox(m_request.first, kFirstMailbox, m_counts.count(kFirstMailbox));
    if (first) {
        m_counts.setCount(kFirstMailbox, *first);
        if (!m_request.second.isComplete()) {
            m_counts.setCount(kSecondMailbox, 0);
        } else if (!m_wakeup.isSignalled()) {
            if (const auto second = CheckMailbox(m_request.second, kSecondMailbox, m_counts.count(kSecondMailbox)))
                m_counts.setCount(kSecondMailbox, *second);
        }
    }
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
    m_ended = true;
    Q_EMIT finished();
}

std::optional<int> CCheckMailThread::CheckMailbox(const MailboxAccount &account, int mailbox, int lastCount)
{
    const QString error = QStringLiteral("Error");
    MailSocket socket(m_wakeup.fd(), m_timeout);
    if (!socket.create()) {
        AnnounceMailState(account.server, error, mailstate::InternalError);
        return 0;
    }
    Q_EMIT progress(mailbox, mailstep::Connecting);
    if (!socket.connectTo(pop3ServerAddress(account.server))) {
        if (socket.cancelled())
            return std::nullopt;
        Q_EMIT progress(mailbox, mailstep::ConnectFailed);
        AnnounceMailState(account.server, error, mailstate::ConnectFailed);
        return 0;
    }

    // Each failure ends the exchange with the count 0; once connected, the server hears QUIT.
    const auto exchange = [&]() -> std::optional<int> {
        const auto greeting = socket.readLine();
        if (socket.cancelled())
            return std::nullopt;
        Q_EMIT progress(mailbox, mailstep::Accepted);
        if (!greeting || !isPop3Ok(*greeting)) {
            // The progress window would otherwise go on saying the connection was accepted.
            Q_EMIT progress(mailbox, mailstep::ConnectFailed);
            AnnounceMailState(account.server, error, mailstate::InvalidServer);
            return 0;
        }
        const auto ask = [&](const QByteArray &line, int sentStep, int answeredStep, QByteArray &answer) {
            Q_EMIT progress(mailbox, sentStep);
            if (!socket.sendAll(line))
                return socket.cancelled() ? Reply::Cancelled : Reply::SendFailed;
            answer = socket.readLine().value_or(QByteArray());
            if (socket.cancelled())
                return Reply::Cancelled;
            if (answeredStep >= 0)
                Q_EMIT progress(mailbox, answeredStep);
            return isPop3Ok(answer) ? Reply::Ok : Reply::Refused;
        };
        // A command that could not be sent counts as a lost connection; a refused one as the
        // step's own failure (`refusedCode` -1: nothing for the tray).
        const auto fail = [&](Reply reply, int refusedStep, int refusedCode) -> std::optional<int> {
            if (reply == Reply::Cancelled)
                return std::nullopt;
            if (reply == Reply::SendFailed) {
                Q_EMIT progress(mailbox, mailstep::ConnectFailed);
                AnnounceMailState(account.user, error, mailstate::ConnectFailed);
            } else {
                Q_EMIT progress(mailbox, refusedStep);
                if (refusedCode >= 0)
                    AnnounceMailState(account.user, error, refusedCode);
            }
            return 0;
        };

        QByteArray answer;
        Reply reply =
            ask("USER " + commandArgument(account.user) + "\r\n", mailstep::UserSent, mailstep::UserAccepted, answer);
        if (reply != Reply::Ok)
            return fail(reply, mailstep::AuthFailed, mailstate::UserRefused);
        reply = ask("PASS " + commandArgument(account.password) + "\r\n", mailstep::PasswordSent,
                    mailstep::PasswordAccepted, answer);
        if (reply != Reply::Ok)
            return fail(reply, mailstep::AuthFailed, mailstate::PasswordRefused);
        reply = ask("STAT\r\n", mailstep::Counting, -1, answer);
        const std::optional<int> count = reply == Reply::Ok ? pop3StatCount(answer) : std::nullopt;
        if (!count)
            return fail(reply == Reply::Ok ? Reply::Refused : reply, mailstep::CountFailed, -1);

        Q_EMIT progress(mailbox, mailstep::CountBase + *count);
        const QString countText = QString::number(*count);
        if (*count > lastCount)
            AnnounceMailState(account.user, countText, mailbox);
        if (*count <= 0)
            AnnounceMailState(account.user, countText,
                              mailbox == kFirstMailbox ? mailstate::FirstMailboxEmpty : mailstate::SecondMailboxEmpty);
        return *count;
    };
    const std::optional<int> count = exchange();
    if (socket.usable() && socket.sendAll("QUIT\r\n"))
        socket.readLine();
    return count;
}

void CCheckMailThread::AnnounceMailState(const QString &name, const QString &text, int code)
{
    Q_EMIT mailState(name, text, code, m_request.playSound);
}

} // namespace tq
