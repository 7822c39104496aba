// tarquel: the station's services for scripts and terminals, on Qt Core alone.
#include "cli/CommandOutput.h"
#include "cli/HistoryCommand.h"
#include "cli/ProbeCommand.h"
#include "cli/ReceiveCommand.h"
#include "cli/ScanCommand.h"
#include "cli/SendCommand.h"
#include "cli/SubcommandList.h"
#include "res/Translations.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    tq::installTranslations();
    QCoreApplication::setApplicationName(QStringLiteral("tarquel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TQ_VERSION));

    tq::cli::SubcommandList subcommands;
    subcommands.add(std::make_unique<tq::cli::SendCommand>());
    subcommands.add(std::make_unique<tq::cli::ReceiveCommand>());
    subcommands.add(std::make_unique<tq::cli::ProbeCommand>());
    subcommands.add(std::make_unique<tq::cli::ScanCommand>());
    subcommands.add(std::make_unique<tq::cli::HistoryCommand>());

    tq::cli::CommandOutput output;
    return subcommands.run(QCoreApplication::arguments(), output);
}
