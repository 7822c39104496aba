// tarquel speaks the desktop's language: the first language of the user's list that has a
// translation, else its built-in English. What scripts read (the outcome words) stays as it is.
#include "TarquelProcess.h"

#include "support/LoopbackPeer.h"

#include <QFile>
#include <QLibraryInfo>

#include <gtest/gtest.h>

namespace tq {
namespace {

using test::desktopEnvironment;
using test::runTarquel;

const QString kGermanList = QStringLiteral("Aufruf: tarquel BEFEHL [Optionen] [Argumente]");
const QString kEnglishList = QStringLiteral("Usage: tarquel COMMAND [options] [arguments]");

QString listHeading(const QProcessEnvironment &environment)
{
    const auto run = runTarquel({QStringLiteral("--help")}, environment);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return run.outLines().value(0);
}

TEST(TarquelLanguage, FollowsLanguageThenLangAndFallsBackToEnglish)
{
    EXPECT_EQ(listHeading(desktopEnvironment()), kEnglishList);
    EXPECT_EQ(listHeading(desktopEnvironment(QStringLiteral("de"))), kGermanList);
    // A regional locale finds the language's translation.
    EXPECT_EQ(listHeading(desktopEnvironment({}, QStringLiteral("de_AT.UTF-8"))), kGermanList);
    // The first language of the list that has a translation wins...
    EXPECT_EQ(listHeading(desktopEnvironment(QStringLiteral("fr:de"))), kGermanList);
    // ...and English, being built in, counts as one.
    EXPECT_EQ(listHeading(desktopEnvironment(QStringLiteral("en_GB:de"), QStringLiteral("de_DE.UTF-8"))), kEnglishList);
    EXPECT_EQ(listHeading(desktopEnvironment(QStringLiteral("fr"))), kEnglishList) << "no French translation";
}

TEST(TarquelLanguage, GermanHelpAndErrorsWithQtsOwnWordsWhereInstalled)
{
    const QProcessEnvironment german = desktopEnvironment(QStringLiteral("de"));
    const auto help = runTarquel({QStringLiteral("scan"), QStringLiteral("--help")}, german);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Aufruf: tarquel scan [Optionen] RANGE\n")))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("Zeigt diese Hilfe."))) << help.out.toStdString();
    const QString qtGerman = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
    if (QFile::exists(qtGerman)) {
        EXPECT_TRUE(help.out.contains(QStringLiteral("\nOptionen:\n"))) << help.out.toStdString();
    }

    const auto missing = runTarquel({QStringLiteral("scan")}, german);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err,
              QStringLiteral("tarquel scan: kein RANGE angegeben\n"
                             "„tarquel scan --help“ zeigt die Verwendung.\n"));
}

TEST(TarquelLanguage, TheOutcomeWordsThatScriptsReadStayAsTheyAre)
{
    const QString target = QStringLiteral("127.0.0.1:%1").arg(test::unusedTcpPort());
    const auto run = runTarquel({QStringLiteral("probe"), target}, desktopEnvironment(QStringLiteral("de")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.outLines(), QStringList{target + QStringLiteral("\tno station")});
}

} // namespace
} // namespace tq
