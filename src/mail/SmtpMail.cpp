#include "mail/SmtpMail.h"

#include <QDateTime>
#include <QLocale>

#include <cstdlib>

namespace tq {
namespace {

// Wire texts: mail readers and filters know the program by them.
constexpr char kMailer[] = "Tarquel Messenger v2.1";
constexpr char kNoSubject[] = "No Subject (Tarquel Messenger v2.1)";

// Every line ends with CR LF, however the text came; a line that begins with "." gets another,
// so that no line of the text can end the mail.
QByteArray wireText(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size() + text.size() / 16 + 2);
    bool lineStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (lineStart && c == '.')
            out.append('.');
        lineStart = false;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the CR LF goes out with the LF
        if (c == '\n' || c == '\r') {
            out.append("\r\n");
            lineStart = true;
        } else {
            out.append(c);
        }
    }
    return out;
}

// Header values never carry a line break.
QByteArray headerValue(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\r', ' ').replace('\n', ' ');
    bytes.removeIf([](char c) { return c == '\0'; });
    return bytes;
}

// The locale's long time format without the zone name: the zone follows as digits.
QString timeFormatWithoutZone(const QString &format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out.append(c);
    }
    return out.trimmed();
}

} // namespace

SmtpMailParts splitMailBody(const QByteArray &plainText)
{
    const qsizetype lineFeed = plainText.indexOf('\n');
    if (lineFeed < 0)
        return {kNoSubject, wireText(plainText)};
    QByteArray subject = plainText.left(lineFeed);
    if (subject.endsWith('\r'))
        subject.chop(1);
    subject.replace('\r', ' ');
    return {subject, wireText(QByteArrayView(plainText).sliced(lineFeed + 1))};
}

QByteArray mailZone(int offsetFromUtcSeconds)
{
    const int minutes = std::abs(offsetFromUtcSeconds) / 60;
    return QByteArray(offsetFromUtcSeconds < 0 ? "-" : "+") + QByteArray::number(minutes / 60).rightJustified(2, '0')
        + QByteArray::number(minutes % 60).rightJustified(2, '0');
}

QByteArray mailDate(const QDateTime &localTime, const QLocale &locale)
{
    const QString date = locale.toString(localTime.date(), QStringLiteral("ddd',' dd MMM yyyy"));
    const QString time =
        locale.toString(localTime.time(), timeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat)));
    return headerValue(date) + ' ' + headerValue(time) + ' ' + mailZone(localTime.offsetFromUtc());
}

QByteArray composeMail(const QByteArray &date, const QString &fullName, const QString &senderAddress,
                       const QString &recipient, const SmtpMailParts &parts)
{
    QByteArray mail;
    mail.reserve(parts.text.size() + 512);
    mail += "Date: " + date + "\r\n";
    mail += "From: " + headerValue(fullName) + " <" + headerValue(senderAddress) + ">\r\n";
    mail += "To: " + headerValue(recipient) + "\r\n";
    mail += QByteArray("X-Mailer: ") + kMailer + "\r\n";
    mail += "Content-Transfer-Encoding: 8bit\r\n";
    mail += "Content-Type: text/plain; charset=us-ascii\r\n";
    mail += "Subject: " + parts.subject + "\r\n";
    mail += "\r\n";
    mail += parts.text;
    mail += "\r\n.\r\n";
    return mail;
}

bool isUnsafeMailAddress(const QString &address)
{
    if (address.isEmpty())
        return true;
    for (const QChar c : address) {
        if (c.unicode() < 0x20 || c == u'<' || c == u'>' || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

} // namespace tq
