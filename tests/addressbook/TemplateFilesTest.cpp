#include "addressbook/TemplateFiles.h"
#include "addressbook/DestinationList.h"
#include "settings/AppDataDir.h"
#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>

namespace tq::addressbook {
namespace {

class TemplateFilesTest : public test::IsolatedHome {
protected:
    void SetUp() override { AppDataDir::createFolders(AppDataDir::path()); }
    static void writeBytes(const QString &name, const QByteArray &bytes)
    {
        ASSERT_TRUE(test::writeFile(AppDataDir::path() + name, bytes));
    }
};

TEST_F(TemplateFilesTest, FileNamesOfTheDestinations)
{
    EXPECT_EQ(templateBaseName(DestinationList::allUsersText(), kAllUsersCode), QStringLiteral("All Users"));
    EXPECT_EQ(templateBaseName(DestinationList::broadcastText(), kBroadcastCode), QStringLiteral("BroadcastMessage"));
    EXPECT_EQ(templateBaseName(QStringLiteral("< Fr"), 12), QString()) << "typed short of the entry";
}

TEST_F(TemplateFilesTest, NamesNeverLeadOutOfTheDataFolder)
{
    EXPECT_EQ(templateFilePath(appDataDir(), QStringLiteral("Friends")), appDataDir() + QStringLiteral("Friends.tqm"));
    EXPECT_EQ(templateFilePath(appDataDir(), QStringLiteral("..")), appDataDir() + QStringLiteral("...tqm"));
    EXPECT_EQ(templateFilePath(appDataDir(), QStringLiteral("../../.bashrc")), std::nullopt);
    EXPECT_EQ(templateFilePath(appDataDir(), QStringLiteral("/etc/passwd")), std::nullopt);
    EXPECT_EQ(templateFilePath(appDataDir(), QStringLiteral("a\\b")), std::nullopt);

    // A typed destination that names a way out brings nothing into the compose box.
    writeBytes(QStringLiteral("../outside.tqm"), "secret");
    EXPECT_EQ(composeTextAfterPick(appDataDir(), QStringLiteral("< ../outside >"), 10, true, QString()), std::nullopt);
}

TEST_F(TemplateFilesTest, PickingAGroupReplacesAQuoteButNotTheUsersTextAndReadsLegacyBytes)
{
    writeBytes(QStringLiteral("Friends.tqm"), "Hello all\r\nsee you\n\xE9t\xE9\r\n");
    const QString text = QStringLiteral("Hello all\r\nsee you\r\n\u00E9t\u00E9\r\n");
    const QString entry = QStringLiteral("< Friends >");

    EXPECT_EQ(composeTextAfterPick(appDataDir(), entry, 10, false, QStringLiteral("my own words")), std::nullopt);
    EXPECT_EQ(composeTextAfterPick(appDataDir(), entry, 10, true, QStringLiteral("a received quote")), text);
    EXPECT_EQ(composeTextAfterPick(appDataDir(), QStringLiteral("< Others >"), 11, true, QString()), std::nullopt)
        << "no file";
}

TEST_F(TemplateFilesTest, WrittenTextReadsBackWithCrLfLines)
{
    const QString path = AppDataDir::path() + QStringLiteral("All Users.tqm");
    ASSERT_TRUE(writeTemplateText(path, QStringLiteral("Zo\u00EB\nsecond\r\nlast")));
    EXPECT_EQ(test::readFile(path), QByteArray("Zo\xC3\xAB\r\nsecond\r\nlast"));
    EXPECT_EQ(readTemplateText(path), QStringLiteral("Zo\u00EB\r\nsecond\r\nlast\r\n"));
    EXPECT_EQ(readTemplateText(AppDataDir::path() + QStringLiteral("missing.tqm")), std::nullopt);
}

} // namespace
} // namespace tq::addressbook
