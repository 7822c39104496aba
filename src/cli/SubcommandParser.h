#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace tq::cli {

class CommandOutput;

// The command line of one subcommand: its options and arguments on QCommandLineParser, its
// --help, and the messages of bad usage, which name the subcommand and the argument at fault.
class SubcommandParser {
public:
    // `synopsis` follows "Usage: tarquel NAME" ("[options] HOST[:PORT]...").
    SubcommandParser(QString name, QString synopsis, const QString &description);

    void addOption(const QCommandLineOption &option) { m_parser.addOption(option); }
    void addPositionalArgument(const QString &name, const QString &description)
    {
        m_parser.addPositionalArgument(name, description);
    }

    // Parses the arguments that follow the subcommand's name. When it returns a status, the
    // subcommand is over: its help was shown (0) or bad usage was reported (2).
    std::optional<int> parse(const QStringList &arguments, CommandOutput &output);

    const QCommandLineParser &parser() const { return m_parser; }
    QString helpText() const;
    // Reports bad usage on standard error and gives the status for it.
    int usageError(const QString &message, CommandOutput &output) const;

    // A port written in decimal digits, from 1 to 65535; nothing for any other text.
    static std::optional<int> parsePort(const QString &text);
    // The port an option asks for, or `defaultPort` when it is not given; reports a bad value.
    std::optional<int> portOption(const QCommandLineOption &option, int defaultPort, CommandOutput &output) const;

    // The TCP port a host without one is probed at: the "TCP Port" of the user's settings,
    // which is also where the window sends to such a host.
    static int defaultStationPort();

private:
    QString m_name;
    QString m_synopsis;
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
};

} // namespace tq::cli
