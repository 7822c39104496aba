#include "cli/SubcommandList.h"

#include "cli/CommandOutput.h"

namespace tq::cli {

int SubcommandList::run(const QStringList &arguments, CommandOutput &output) const
{
    const QString first = arguments.value(1);
    if (first.isEmpty()) {
        output.line(listText());
        return ExitBadUsage;
    }
    if (first == u"--help" || first == u"-h" || first == u"help") {
        // "tarquel help NAME" is "tarquel NAME --help".
        if (Subcommand *subcommand = find(arguments.value(2)))
            return subcommand->run({QStringLiteral("--help")}, output);
        output.line(listText());
        return ExitSuccess;
    }
    if (first == u"--version") {
        output.line(QStringLiteral("tarquel ") + QCoreApplication::applicationVersion());
        return ExitSuccess;
    }
    Subcommand *subcommand = find(first);
    if (!subcommand) {
        output.errorLine(tr("tarquel: \"%1\" is not a command. Run \"tarquel --help\" for the list.").arg(first));
        return ExitBadUsage;
    }
    return subcommand->run(arguments.mid(2), output);
}

QString SubcommandList::listText() const
{
    QString text = tr("Usage: tarquel COMMAND [options] [arguments]\n"
                      "Tarquel Messenger from the command line.\n\n"
                      "Commands:\n");
    for (const auto &subcommand : m_subcommands)
        text += QStringLiteral("  %1%2\n").arg(subcommand->name(), -10).arg(subcommand->summary());
    text += tr("\nEvery command has --help. \"tarquel --version\" shows the version.");
    return text;
}

Subcommand *SubcommandList::find(const QString &name) const
{
    for (const auto &subcommand : m_subcommands) {
        if (subcommand->name() == name)
            return subcommand.get();
    }
    return nullptr;
}

} // namespace tq::cli
