#include "mail/CSendMailThread.h"

#include "mail/MailServerAddress.h"
#include "mail/MailSocket.h"
#include "mail/SmtpMail.h"
#include "mail/SmtpReply.h"
#include "res/StringTable.h"

#include <QSysInfo>

namespace tq {
namespace {

// HELO names at most this many characters of the host name.
constexpr qsizetype kMaxHeloName = 80;

bool ask(MailSocket &socket, const QByteArray &command, const char *expected)
{
    return socket.sendAll(command) && smtpReplyIs(readSmtpReply(socket), expected);
}

QByteArray heloName(const QString &configured)
{
    QString name = configured.isEmpty() ? QSysInfo::machineHostName() : configured;
    name.removeIf([](QChar c) { return c.unicode() <= 0x20 || c.unicode() == 0x7f; });
    if (name.isEmpty())
        name = QStringLiteral("localhost");
    return name.left(kMaxHeloName).toUtf8();
}

} // namespace

CSendMailThread::CSendMailThread(SettingsStore settings, QStringList addresses, QByteArray plainText,
                                 StatusCallback status, Options options)
    : m_server(settings.get(keys::SMTPServer))
    , m_sender(settings.get(keys::EmailAddress))
    , m_fullName(settings.get(keys::FullName))
    , m_addresses(std::move(addresses))
    , m_plainText(std::move(plainText))
    , m_status(std::move(status))
    , m_options(std::move(options))
    , m_error(m_server.isEmpty() ? tqString(Sid::SmtpServerNotSet) : tqString(Sid::SmtpConnectFailed) + m_server)
{
    m_thread = std::jthread([this] { run(); });
}

CSendMailThread::CSendMailThread(SettingsStore settings, QStringList addresses, QByteArray plainText,
                                 StatusCallback status)
    : CSendMailThread(std::move(settings), std::move(addresses), std::move(plainText), std::move(status), Options())
{
}

CSendMailThread::~CSendMailThread()
{
    cancel();
}

bool CSendMailThread::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    return m_ended.wait_until(lock, deadline, [this] { return m_done; });
}

void CSendMailThread::cancel()
{
    {
        const std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_wakeup.signal();
    if (m_thread.joinable())
        m_thread.join();
}

QString CSendMailThread::errorText() const
{
    const std::lock_guard lock(m_mutex);
    return m_error;
}

void CSendMailThread::run()
{
    if (m_server.isEmpty()) {
        setError(tqString(Sid::SmtpServerNotSet));
    } else {
        status(tqString(Sid::MailSendStart));
        setError(tqString(Sid::SmtpConnectFailed) + m_server);
        MailSocket socket(m_wakeup.fd(), m_options.socketTimeout);
        if (socket.create() && socket.connectTo(smtpServerAddress(m_server))) {
            setError(tqString(Sid::SmtpUnexpectedAnswer) + m_server);
            converse(socket);
            if (socket.usable() && socket.sendAll("QUIT\r\n"))
                readSmtpReply(socket);
        }
    }
    {
        const std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_ended.notify_all();
}

void CSendMailThread::converse(MailSocket &socket)
{
    if (!smtpReplyIs(readSmtpReply(socket), "220")
        || !socket.sendAll("HELO " + heloName(m_options.localHostName) + "\r\n"))
        return;
    auto helo = readSmtpReply(socket);
    if (smtpReplyIs(helo, "220")) // a greeting that came in two parts
        helo = readSmtpReply(socket);
    if (!smtpReplyIs(helo, "250"))
        return;

    const QDateTime now = m_options.now ? m_options.now() : QDateTime::currentDateTime();
    const QByteArray date = mailDate(now, m_options.locale);
    const SmtpMailParts parts = splitMailBody(m_plainText);
    for (const QString &address : m_addresses) {
        setError(tqString(Sid::SmtpUnexpectedAnswer) + m_server);
        if (!socket.usable())
            continue;
        if (deliver(socket, address, date, parts))
            reportDelivered();
        else if (socket.usable())
            // Without it the server still holds the abandoned transaction and refuses the
            // next MAIL.
            ask(socket, "RSET\r\n", "250");
    }
}

bool CSendMailThread::deliver(MailSocket &socket, const QString &address, const QByteArray &date,
                              const SmtpMailParts &parts)
{
    if (isUnsafeMailAddress(address) || (!m_sender.isEmpty() && isUnsafeMailAddress(m_sender)))
        return false;
    return ask(socket, "MAIL From: <" + m_sender.toUtf8() + ">\r\n", "250")
        && ask(socket, "RCPT TO: <" + address.toUtf8() + ">\r\n", "250") && ask(socket, "DATA\r\n", "354")
        && ask(socket, composeMail(date, m_fullName, m_sender, address, parts), "250");
}

void CSendMailThread::setError(const QString &text)
{
    const std::lock_guard lock(m_mutex);
    m_error = text;
}

void CSendMailThread::reportDelivered()
{
    {
        // Once the send task has stopped waiting it reports what it saw; a delivery that
        // ends after that must not turn its failure into a success.
        const std::lock_guard lock(m_mutex);
        if (m_cancelled)
            return;
        m_error.clear();
    }
    status(tqString(Sid::MailSendSuccess));
}

void CSendMailThread::status(const QString &text) const
{
    if (m_status)
        m_status(text);
}

MailSendJobFactory smtpMailSendJobFactory(SettingsStore settings)
{
    return [settings](const QStringList &addresses, const QByteArray &plainText,
                      std::function<void(const QString &)> status) -> std::unique_ptr<MailSendJob> {
        return std::make_unique<CSendMailThread>(settings, addresses, plainText, std::move(status));
    };
}

} // namespace tq
