// The program without a subcommand, with an unknown one, and the help of every subcommand.
#include "TarquelProcess.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::runTarquel;

TEST(TarquelCommands, AloneListsTheSubcommands)
{
    const auto bare = runTarquel({});
    EXPECT_EQ(bare.exitCode, 2);
    const auto help = runTarquel({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const auto &run : {bare, help}) {
        EXPECT_TRUE(run.out.contains(QStringLiteral("\n  probe ")) && run.out.contains(QStringLiteral("\n  scan ")))
            << run.out.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
    EXPECT_EQ(bare.out, help.out);
}

TEST(TarquelCommands, AnUnknownSubcommandIsBadUsage)
{
    const auto run = runTarquel({QStringLiteral("frobnicate"), QStringLiteral("10.0.0.1")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("\"frobnicate\" is not a command"))) << run.err.toStdString();
}

TEST(TarquelCommands, EverySubcommandHasItsHelp)
{
    for (const QString &command : {QStringLiteral("probe"), QStringLiteral("scan")}) {
        const auto help = runTarquel({command, QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << command.toStdString();
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: tarquel ") + command + u' ')) << help.out.toStdString();
        EXPECT_TRUE(help.out.contains(QStringLiteral("--port <N>"))) << help.out.toStdString();
        EXPECT_TRUE(help.out.contains(QStringLiteral("--json"))) << help.out.toStdString();
        // "tarquel help NAME" and "-h" say the same.
        EXPECT_EQ(runTarquel({QStringLiteral("help"), command}).out, help.out);
        EXPECT_EQ(runTarquel({command, QStringLiteral("-h")}).out, help.out);
    }
    EXPECT_TRUE(runTarquel({QStringLiteral("scan"), QStringLiteral("--help")})
                    .out.contains(QStringLiteral("prints only the stations that answered")));
}

} // namespace
} // namespace tq
