#include "mail/MailServerAddress.h"

namespace tq {
namespace {

// Reads the leading decimal digits as a number does in the settings dialogs ("995x" is 995);
// no digits, or a number outside 1..65535, gives the default.
int portOrDefault(QStringView text, int defaultPort)
{
    int port = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        port = port * 10 + (c.unicode() - u'0');
        if (port > 65535)
            return defaultPort;
    }
    return port >= 1 ? port : defaultPort;
}

MailServerAddress split(const QString &serverText, qsizetype colon, int defaultPort)
{
    if (colon < 0)
        return {serverText, defaultPort};
    return {serverText.left(colon), portOrDefault(QStringView(serverText).mid(colon + 1), defaultPort)};
}

} // namespace

MailServerAddress pop3ServerAddress(const QString &serverText)
{
    return split(serverText, serverText.indexOf(u':'), kPop3DefaultPort);
}

MailServerAddress smtpServerAddress(const QString &serverText)
{
    return split(serverText, serverText.lastIndexOf(u':'), kSmtpDefaultPort);
}

} // namespace tq
