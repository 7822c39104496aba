#include "settings/SettingsStore.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsFallback.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>

#include <atomic>
#include <thread>

namespace tq {
namespace {

class SettingsStoreTest : public test::IsolatedHome {
protected:
    SettingsStore store;
    const QString settings = QStringLiteral("Settings");
};

TEST_F(SettingsStoreTest, BrandNewStoreGivesTheDefaultsAndTheDataFolder)
{
    EXPECT_EQ(store.filePath(), homePath() + QStringLiteral("/config/Tarquel International/TarquelMessenger.conf"));
    EXPECT_EQ(store.get(keys::TcpPort), 7777);
    EXPECT_EQ(effectiveUdpPort(store), 7777);
    EXPECT_EQ(store.get(keys::UseProtocol), 2);
    EXPECT_EQ(store.get(keys::Delay), 3000);
    EXPECT_EQ(store.get(keys::SoundFile), QStringLiteral("receive.wav"));
    EXPECT_EQ(store.get(keys::Width), 305);
    EXPECT_EQ(deadFileName(store, appDataDir()), appDataDir() + QStringLiteral("outfiltered.txt"));
    EXPECT_FALSE(QFile::exists(store.filePath())) << "reading must not create the store";
    EXPECT_EQ(appDataDir(), homePath() + QStringLiteral("/data/TARQUEL/TarquelMessenger/"));
    EXPECT_TRUE(QDir(appDataDir() + QStringLiteral("messages")).exists());
}

TEST_F(SettingsStoreTest, ValuesRoundTripAndSurviveANewStoreObject)
{
    ASSERT_TRUE(store.set(keys::TcpPort, 8000));
    ASSERT_TRUE(store.set(keys::FullName, QStringLiteral("Zoë O'Neil, \"the\" = boss; 50%")));
    ASSERT_TRUE(store.set(keys::DeadFileName, QStringLiteral("/tmp/dead.txt")));
    SettingsStore other;
    EXPECT_EQ(other.get(keys::TcpPort), 8000);
    EXPECT_EQ(other.get(keys::FullName), QStringLiteral("Zoë O'Neil, \"the\" = boss; 50%"));
    EXPECT_EQ(deadFileName(other, appDataDir()), QStringLiteral("/tmp/dead.txt"));
    // "UDP Port" 0 follows the TCP port.
    ASSERT_TRUE(store.set(keys::UdpPort, 0));
    EXPECT_EQ(effectiveUdpPort(store), 8000);
    ASSERT_TRUE(store.set(keys::UdpPort, 9001));
    EXPECT_EQ(effectiveUdpPort(store), 9001);
    // Stored unsigned: a value above 2^31 reads back as the same 32 bits.
    ASSERT_TRUE(store.WriteProfileInt(settings, QStringLiteral("Big"), static_cast<int>(4000000000u)));
    EXPECT_EQ(static_cast<quint32>(store.GetProfileInt(settings, QStringLiteral("Big"), 0)), 4000000000u);
    // An integer read of something else gives the default.
    store.WriteProfileString(settings, QStringLiteral("TCP Port"), QStringLiteral("seven"));
    EXPECT_EQ(store.get(keys::TcpPort), 7777);
}

TEST_F(SettingsStoreTest, NamesDifferingOnlyInCaseAreOneName)
{
    ASSERT_TRUE(store.WriteProfileInt(QStringLiteral("SETTINGS"), QStringLiteral("tcp port"), 9000));
    EXPECT_EQ(store.get(keys::TcpPort), 9000);
    ASSERT_TRUE(store.WriteProfileString(QStringLiteral("AddressBook\\Friends"), QStringLiteral("+Bob"),
                                         QStringLiteral("10.0.0.5")));
    ASSERT_TRUE(store.WriteProfileString(QStringLiteral("addressbook\\FRIENDS"), QStringLiteral("+BOB"),
                                         QStringLiteral("10.0.0.6")));
    const auto entries = store.entries(QStringLiteral("ADDRESSBOOK\\friends"));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral("+Bob")) << "the first spelling stays";
    EXPECT_EQ(entries[0].value, QStringLiteral("10.0.0.6"));
    EXPECT_EQ(store.subSections(QStringLiteral("addressbook")), QStringList{QStringLiteral("Friends")});
    EXPECT_TRUE(store.sectionExists(QStringLiteral("ADDRESSBOOK")));
}

TEST_F(SettingsStoreTest, NullWriteDeletesTheEntryAndAnEmptySectionSurvivesWithoutEntries)
{
    ASSERT_TRUE(store.set(keys::Signature, QStringLiteral("-- me")));
    ASSERT_TRUE(store.WriteProfileString(settings, QStringLiteral("signature"), std::nullopt));
    EXPECT_EQ(store.GetProfileString(settings, QStringLiteral("Signature"), QStringLiteral("dflt")),
              QStringLiteral("dflt"));
    EXPECT_TRUE(store.sectionExists(settings));
    EXPECT_TRUE(store.entries(settings).isEmpty());

    ASSERT_TRUE(store.createSection(QStringLiteral("AddressBook\\My Group")));
    SettingsStore other;
    EXPECT_TRUE(other.sectionExists(QStringLiteral("AddressBook\\My Group")));
    EXPECT_TRUE(other.entries(QStringLiteral("AddressBook\\My Group")).isEmpty());
    EXPECT_EQ(other.subSections(QStringLiteral("AddressBook")), QStringList{QStringLiteral("My Group")});
    EXPECT_TRUE(other.entries(QStringLiteral("AddressBook")).isEmpty());
}

TEST_F(SettingsStoreTest, DeletingASectionRemovesEverythingBelowIt)
{
    store.WriteProfileString(QStringLiteral("AddressBook"), QStringLiteral("+Top"), QStringLiteral("h"));
    store.WriteProfileString(QStringLiteral("AddressBook\\A"), QStringLiteral("+Ann"), QStringLiteral("h1"));
    store.createSection(QStringLiteral("AddressBook\\B"));
    ASSERT_TRUE(store.deleteSection(QStringLiteral("addressbook\\a")));
    EXPECT_EQ(store.subSections(QStringLiteral("AddressBook")), QStringList{QStringLiteral("B")});
    EXPECT_EQ(store.entries(QStringLiteral("AddressBook")).size(), 1);
    ASSERT_TRUE(store.deleteSection(QStringLiteral("AddressBook")));
    EXPECT_FALSE(store.sectionExists(QStringLiteral("AddressBook")));
    EXPECT_TRUE(store.deleteSection(QStringLiteral("Missing"))) << "nothing to delete is no failure";
}

TEST_F(SettingsStoreTest, AValueAndASubSectionOfOneNameAreDeletedEachOnItsOwn)
{
    const QString parent = QStringLiteral("AddressBook");
    const QString child = QStringLiteral("AddressBook\\X");
    ASSERT_TRUE(store.WriteProfileString(parent, QStringLiteral("X"), QStringLiteral("value")));
    ASSERT_TRUE(store.WriteProfileString(child, QStringLiteral("Inner"), QStringLiteral("in")));
    ASSERT_TRUE(store.WriteProfileString(child + QStringLiteral("\\Deeper"), QStringLiteral("D"), QStringLiteral("d")));

    ASSERT_TRUE(store.deleteEntry(parent, QStringLiteral("x")));
    SettingsStore other;
    EXPECT_TRUE(other.entries(parent).isEmpty());
    EXPECT_EQ(other.subSections(parent), QStringList{QStringLiteral("X")});
    EXPECT_EQ(other.GetProfileString(child, QStringLiteral("Inner")), QStringLiteral("in"));
    EXPECT_EQ(other.GetProfileString(child + QStringLiteral("\\Deeper"), QStringLiteral("D")), QStringLiteral("d"));

    ASSERT_TRUE(store.WriteProfileString(parent, QStringLiteral("X"), QStringLiteral("again")));
    ASSERT_TRUE(store.deleteSection(QStringLiteral("addressbook\\x")));
    EXPECT_TRUE(other.subSections(parent).isEmpty());
    ASSERT_EQ(other.entries(parent).size(), 1);
    EXPECT_EQ(other.GetProfileString(parent, QStringLiteral("X")), QStringLiteral("again"));
}

TEST_F(SettingsStoreTest, PasswordScramblingRoundTripsEveryCharacter)
{
    // 'Z' scrambles to a NUL character, which must survive the file as well.
    const QString password = QStringLiteral("Zebra z\u00e9!\U0001F600");
    const QString scrambled = scramblePassword(password);
    EXPECT_EQ(scrambled.size(), password.size());
    EXPECT_EQ(scrambled.at(0), QChar(u'\0'));
    EXPECT_EQ(scrambled.at(1), QChar(u'e' ^ 0x5A));
    EXPECT_EQ(scramblePassword(scrambled), password);

    ASSERT_TRUE(writePassword(store, keys::P31, password));
    EXPECT_EQ(SettingsStore().get(keys::P31), scrambled);
    EXPECT_EQ(readPassword(SettingsStore(), keys::P31), password);
}

TEST_F(SettingsStoreTest, WorkerThreadsReadWhileTheInterfaceThreadWrites)
{
    store.set(keys::TcpPort, 1000);
    std::atomic<bool> stop{false};
    std::atomic<int> badReads{0};
    std::atomic<int> reads{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 2; ++i) {
        readers.emplace_back([&] {
            SettingsStore reader;
            while (!stop) {
                const int port = reader.get(keys::TcpPort);
                if (port < 1000 || port > 1100)
                    ++badReads;
                ++reads;
                // Readers in the program read now and then; a tight loop would only starve
                // the writer on the settings cache's lock.
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }
    for (int value = 1000; value <= 1100; ++value) {
        store.set(keys::TcpPort, value);
        store.set(keys::FullName, QStringLiteral("name %1").arg(value));
    }
    stop = true;
    for (auto &reader : readers)
        reader.join();
    EXPECT_EQ(badReads.load(), 0);
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(store.get(keys::TcpPort), 1100);
}

TEST_F(SettingsStoreTest, OnlyAMissingFileOrOneThatReadsAsSettingsIsUsed)
{
    // What this program writes itself, awkward values included, is always usable.
    store.set(keys::Signature, QStringLiteral("line one\r\nline = two; [three]\t\\ \"quoted\""));
    store.createSection(QStringLiteral("AddressBook\\Empty group"));
    store.WriteProfileString(QStringLiteral("AddressBook"), QStringLiteral("Ann, Bob"), QStringLiteral("a,b,c"));
    EXPECT_TRUE(SettingsFallback::isUsable(store.filePath()));
    EXPECT_TRUE(SettingsFallback::isUsable(homePath() + QStringLiteral("/missing.conf")));

    const QString other = homePath() + QStringLiteral("/other.conf");
    for (const QByteArray &content : {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), QByteArray("just some words\n"),
                                      QByteArray("[Settings]\nTCP Port=8000\n[broken\n")}) {
        QFile file(other);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        EXPECT_FALSE(SettingsFallback::isUsable(other)) << content.toStdString();
    }
    ASSERT_TRUE(QDir().mkpath(homePath() + QStringLiteral("/folder.conf")));
    EXPECT_FALSE(SettingsFallback::isUsable(homePath() + QStringLiteral("/folder.conf")));
}

} // namespace
} // namespace tq
