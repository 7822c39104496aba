#pragma once

#include <QByteArray>
#include <QString>

class QDateTime;
class QLocale;

namespace tq {

// The text of one mail as it goes to the SMTP server after DATA.
struct SmtpMailParts {
    QByteArray subject; // without its line end
    QByteArray text; // the body after the subject line, lines ending with CR LF, dots doubled
};

// Subject and text from the message: the first line is the subject and is not repeated in
// the text; a message without a line feed gets a fixed subject and is all text.
SmtpMailParts splitMailBody(const QByteArray &plainText);

// "+0530", "-0330": the sign once, then hours and minutes of the distance from universal time.
QByteArray mailZone(int offsetFromUtcSeconds);
// Date, time and zone of the "Date:" line, the names as `locale` writes them.
QByteArray mailDate(const QDateTime &localTime, const QLocale &locale);

// Everything after DATA: the header lines, an empty line, the text and the closing ".".
QByteArray composeMail(const QByteArray &date, const QString &fullName, const QString &senderAddress,
                       const QString &recipient, const SmtpMailParts &parts);

// An address that could end a command early or smuggle in another.
bool isUnsafeMailAddress(const QString &address);

} // namespace tq
