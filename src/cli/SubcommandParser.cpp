#include "cli/SubcommandParser.h"

#include "cli/CommandOutput.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>

namespace tq::cli {
namespace {

// Qt writes the description as it is given; its lines are broken here to fit a terminal.
QString wrapped(const QString &text, qsizetype width = 79)
{
    QStringList lines;
    for (const QString &paragraph : text.split(u'\n')) {
        QString line;
        for (const QString &word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
                lines.append(line);
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}

} // namespace

SubcommandParser::SubcommandParser(QString name, QString synopsis, const QString &description)
    : m_name(std::move(name))
    , m_synopsis(std::move(synopsis))
    , m_help({QStringLiteral("h"), QStringLiteral("help")},
             QCoreApplication::translate("SubcommandParser", "Shows this help."))
{
    m_parser.setApplicationDescription(wrapped(description));
    m_parser.addOption(m_help);
}

std::optional<int> SubcommandParser::parse(const QStringList &arguments, CommandOutput &output)
{
    // QCommandLineParser takes the first entry for the program's name.
    if (!m_parser.parse(QStringList{QStringLiteral("tarquel")} + arguments))
        return usageError(m_parser.errorText(), output);
    if (m_parser.isSet(m_help)) {
        output.line(helpText());
        return 0;
    }
    return std::nullopt;
}

QString SubcommandParser::helpText() const
{
    // Qt's first line names the program alone; the subcommand belongs in it.
    QString text = m_parser.helpText();
    const qsizetype firstLineEnd = text.indexOf(u'\n');
    text.remove(0, firstLineEnd < 0 ? text.size() : firstLineEnd);
    //: %1 is the command ("probe"), %2 what it takes ("[options] RANGE")
    return QCoreApplication::translate("SubcommandParser", "Usage: tarquel %1 %2").arg(m_name, m_synopsis)
        + text.trimmed().prepend(u'\n');
}

int SubcommandParser::usageError(const QString &message, CommandOutput &output) const
{
    output.errorLine(QStringLiteral("tarquel %1: %2").arg(m_name, message));
    output.errorLine(
        QCoreApplication::translate("SubcommandParser", "Run \"tarquel %1 --help\" for its usage.").arg(m_name));
    return 2;
}

std::optional<int> SubcommandParser::parsePort(const QString &text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    int port = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        port = port * 10 + (c.unicode() - u'0');
    }
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

std::optional<int> SubcommandParser::portOption(const QCommandLineOption &option, int defaultPort,
                                                CommandOutput &output) const
{
    if (!m_parser.isSet(option))
        return defaultPort;
    const QString value = m_parser.value(option);
    const auto port = parsePort(value);
    if (!port)
        usageError(QCoreApplication::translate("SubcommandParser", "--%1 %2: a port is a number from 1 to 65535")
                       .arg(option.names().constLast(), value),
                   output);
    return port;
}

int SubcommandParser::defaultStationPort()
{
    const int port = SettingsStore().get(keys::TcpPort);
    return port >= 1 && port <= 65535 ? port : keys::TcpPort.defaultValue;
}

} // namespace tq::cli
