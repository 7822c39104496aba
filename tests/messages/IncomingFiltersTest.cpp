#include "messages/IncomingFilters.h"
#include "messages/FilteredMessageFile.h"
#include "settings/SettingsStore.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"

#include <QDir>
#include <QFile>
#include <QList>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

const QByteArray kStamp = "Friday, 4 December 2026, 10:15:02"_ba;

QByteArray entry(const QByteArray &reason, const QByteArray &text)
{
    return reason + "*******************************************\r\n" + kStamp + "\r\n" + text
        + "\r\n*******************************************\r\n";
}

// Stands in for the address-book snapshot: "name/host;" pieces, whole names, case ignored,
// a piece without host never matches.
bool listedWithHost(const QByteArray &pieces, const QByteArray &name)
{
    for (const QByteArray &piece : pieces.split(';')) {
        const qsizetype slash = piece.indexOf('/');
        if (slash >= 0 && QByteArrayView(piece).first(slash).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The view as the filters see it; an accepted message becomes the newest record.
class IncomingFiltersTest : public test::IsolatedHome {
protected:
    FilterVerdict receive(const QByteArray &systemName, const QByteArray &senderAddress, const QByteArray &text)
    {
        const IncomingFilterSources sources {
            [this](const QByteArray &name) {
                lookups.append(name);
                return listedWithHost(known, name);
            },
            [this](const QByteArray &name) { return listedWithHost(deactivated, name); },
            [this]() { return records.isEmpty() ? std::nullopt : std::optional(records.back()); },
        };
        const FilterVerdict verdict
            = RunIncomingFilters({ systemName, senderAddress, text, kStamp }, settings, sources, deadFile);
        if (verdict == FilterVerdict::Pass)
            records.append({ systemName + '/' + senderAddress, kStamp + "\r\n" + text });
        return verdict;
    }

    void writeKillFile(const QByteArray &content)
    {
        QFile file(appDataDir() + u"KillFile.tqm"_s);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QByteArray deadFileBytes() const
    {
        QFile file(appDataDir() + u"outfiltered.txt"_s);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    SettingsStore store;
    test::RecordingPrompter prompter;
    FilteredMessageFile deadFile { prompter, store };
    IncomingFilterSettings settings = IncomingFilterSettings::read(store);
    QByteArray known;
    QByteArray deactivated;
    QList<NewestRecord> records;
    QList<QByteArray> lookups;
};

TEST_F(IncomingFiltersTest, OnlyAddressBookUsersWhenAskedFor)
{
    known = "BOB/10.0.0.7;JIMBOB/10.0.0.7;NOHOST;"_ba;
    EXPECT_EQ(receive("Stranger", "10.0.0.9", "hi"), FilterVerdict::Pass) << "off by default";

    settings.onlyKnownUsers = true;
    EXPECT_EQ(receive("bob", "10.0.0.7", "one"), FilterVerdict::Pass);
    EXPECT_EQ(receive("NOHOST", "10.0.0.8", "two"), FilterVerdict::NotInAddressBook);
    EXPECT_EQ(receive("", "10.0.0.8", "three"), FilterVerdict::NotInAddressBook);
    known = "JIMBOB/10.0.0.7;"_ba;
    EXPECT_EQ(receive("BOB", "10.0.0.7", "four"), FilterVerdict::NotInAddressBook);
    EXPECT_EQ(lookups, (QList<QByteArray> { "bob", "NOHOST", "BOB" })) << "asked only when on, never for no name";

    const QByteArray reason = "Message From non-Address Book User.\r\n"_ba;
    EXPECT_EQ(deadFileBytes(), entry(reason, "two") + entry(reason, "three") + entry(reason, "four"));
}

TEST_F(IncomingFiltersTest, FiltersRunInTheirOrder)
{
    writeKillFile("free");
    deactivated = "Cy/;Dee/10.0.0.4;;"_ba;
    EXPECT_EQ(receive("cy", "10.0.0.3", "free"), FilterVerdict::NotActivated) << "before kill words";
    EXPECT_EQ(receive("Dee", "10.0.0.4", "b"), FilterVerdict::NotActivated);
    EXPECT_EQ(receive("", "10.0.0.4", "free"), FilterVerdict::KillWord) << "no name is never deactivated";
    EXPECT_EQ(receive("Ann", "10.0.0.1", "x"), FilterVerdict::Pass);
    EXPECT_EQ(receive("Ann", "10.0.0.1", "x"), FilterVerdict::Duplicate);
    settings.onlyKnownUsers = true;
    EXPECT_EQ(receive("cy", "10.0.0.3", "e"), FilterVerdict::NotInAddressBook) << "before deactivated";
}

TEST_F(IncomingFiltersTest, KillWordsAreReadAnewForEveryMessage)
{
    EXPECT_EQ(receive("Ann", "10.0.0.1", "Get it FREE!"), FilterVerdict::Pass) << "no kill-word file";
    writeKillFile("spam, free money\r\nfree");
    EXPECT_EQ(receive("Ann", "10.0.0.1", "free money for you"), FilterVerdict::KillWord);
    EXPECT_EQ(receive("Ann", "10.0.0.1", "Get it FREE!"), FilterVerdict::KillWord);
    EXPECT_EQ(receive("Ann", "10.0.0.1", "freedom is free"), FilterVerdict::Pass);
    writeKillFile("");
    EXPECT_EQ(receive("Ann", "10.0.0.1", "Get it FREE!"), FilterVerdict::Pass);

    EXPECT_EQ(deadFileBytes(),
        entry("Message with string \"FREE MONEY\"\r\n", "free money for you")
            + entry("Message with string \"FREE\"\r\n", "Get it FREE!"));

    // A kill-word file that cannot be read skips only that filter.
    ASSERT_TRUE(QFile::remove(appDataDir() + u"KillFile.tqm"_s));
    ASSERT_TRUE(QDir().mkpath(appDataDir() + u"KillFile.tqm"_s));
    EXPECT_EQ(receive("Ann", "10.0.0.1", "free"), FilterVerdict::Pass);
    EXPECT_EQ(receive("Ann", "10.0.0.1", "free"), FilterVerdict::Duplicate);
}

TEST_F(IncomingFiltersTest, DuplicatesOfTheNewestRecordOnly)
{
    const QByteArray text = "Hello\r\nagain"_ba;
    EXPECT_EQ(receive("Ann", "10.0.0.1", text), FilterVerdict::Pass);
    EXPECT_EQ(receive("Ann", "10.0.0.1", text), FilterVerdict::Duplicate);
    // Another port or the other transport is another sender address.
    EXPECT_EQ(receive("Ann", "10.0.0.1:8000", text), FilterVerdict::Pass);
    EXPECT_EQ(receive("Ann", "10.0.0.1:8000u", text), FilterVerdict::Pass);
    // The sender compares letter for letter, the text to the last byte.
    EXPECT_EQ(receive("ann", "10.0.0.1:8000u", text), FilterVerdict::Pass);
    EXPECT_EQ(receive("ann", "10.0.0.1:8000u", text + "\r\n"), FilterVerdict::Pass);
    // An older duplicate further back does not count.
    EXPECT_EQ(receive("Ann", "10.0.0.1", text), FilterVerdict::Pass);
    EXPECT_EQ(deadFileBytes(), entry("Duplicated Message\r\n", text));

    settings.dontDuplicate = false;
    EXPECT_EQ(receive("Ann", "10.0.0.1", text), FilterVerdict::Pass);
}

TEST_F(IncomingFiltersTest, RejectedWithSaveDeadOffLeavesNoTrace)
{
    ASSERT_TRUE(store.set(keys::SaveDead, 0));
    deadFile.loadTarget(store);
    writeKillFile("free");
    EXPECT_EQ(receive("Ann", "10.0.0.1", "free"), FilterVerdict::KillWord);
    EXPECT_FALSE(QFile::exists(appDataDir() + u"outfiltered.txt"_s));
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

} // namespace
} // namespace tq
