// "tarquel send" against listening stations on loopback: the packets it sends beside those the
// window's station sends with the same settings, what it reports, and what it leaves alone.
#include "TarquelProcess.h"

#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationList.h"
#include "addressbook/TemplateFiles.h"
#include "protocol/ListeningStation.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/LoopbackPeer.h"
#include "support/ManualClock.h"
#include "support/RecordingSoundPlayer.h"
#include "support/SignalWaiter.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

class TarquelSend : public test::IsolatedHome {
protected:
    TarquelSend()
    {
        settings.set(keys::SystemName, u"ALICE"_s);
        settings.set(keys::FullName, u"Alice Example"_s);
        settings.set(keys::Signature, u"-- \nAlice, second floor"_s);
        settings.set(keys::Delay, 2000);
    }

    static test::TarquelRun send(const QStringList &arguments)
    {
        return test::runTarquel(QStringList{u"send"_s} + arguments);
    }

    // The window's station, with the settings as they are now, sends what the compose box and
    // the destination field hold; returns once the send has ended.
    void sendFromWindowStation(const QString &destination, const QString &text, char importance = '0')
    {
        MessageStation station(settings, sound, clock, appDataDir());
        int finished = 0;
        QObject::connect(&station, &MessageStation::sendFinished, &station, [&finished] { ++finished; });
        OutgoingDraft draft;
        draft.composeText = text;
        draft.destinationText = destination;
        draft.selectedIndex = station.destinations().resolve(destination, -1);
        draft.importance = importance;
        const OutgoingPlan plan = station.planSend(draft);
        ASSERT_EQ(plan.verdict, OutgoingPlan::Verdict::Ready);
        ASSERT_EQ(station.send(plan).outcome, SendStart::Outcome::Started);
        ASSERT_TRUE(waitUntil([&finished] { return finished == 1; }));
    }

    static void expectBadUsage(const test::TarquelRun &run, const QString &mentioned)
    {
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(mentioned)) << mentioned.toStdString() << " not in: " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(u"Run \"tarquel send --help\""_s)) << run.err.toStdString();
    }

    SettingsStore settings;
    test::RecordingSoundPlayer sound;
    test::ManualClock clock;
};

TEST_F(TarquelSend, PacketIsByteForByteTheWindowStationsWithTheSameSettings)
{
    test::ListeningStation peer;
    const QString text = u"Build 412 broke.\nSee the log: naïve € test"_s;

    const auto run = send({peer.address(), u"-m"_s, text, u"--high"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty() && run.err.isEmpty()) << run.out.toStdString() << run.err.toStdString();
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 1; }));

    sendFromWindowStation(peer.address(), text, '1');
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 2; }));
    EXPECT_EQ(peer.packets.at(0), peer.packets.at(1));
    // LF became CR LF, and the signature follows the text as in the window.
    EXPECT_TRUE(peer.packets.at(0).contains("broke.\r\nSee the log: na\xc3\xafve \xe2\x82\xac test\r\n-- \r\nAlice"));
}

TEST_F(TarquelSend, OptionsActAsTheSettingsWouldForThisSendAndAreNeverWritten)
{
    test::ListeningStation peer;
    const QByteArray before = test::readFile(settings.filePath());
    const QDateTime writtenBefore = QFileInfo(settings.filePath()).lastModified();

    const auto run = send({peer.address(), u"-m"_s, u"ok"_s, u"--full-name"_s, u"Build Robot"_s, u"--system-name"_s,
                           u"BUILD"_s, u"--no-signature"_s, u"--tcp"_s, u"--budget"_s, u"1500"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 1; }));
    EXPECT_EQ(test::readFile(settings.filePath()), before);
    EXPECT_EQ(QFileInfo(settings.filePath()).lastModified(), writtenBefore);

    // The same settings, written this time, give the window's station the same packet.
    settings.set(keys::FullName, u"Build Robot"_s);
    settings.set(keys::SystemName, u"BUILD"_s);
    settings.set(keys::Signature, QString());
    settings.set(keys::UseProtocol, 0);
    sendFromWindowStation(peer.address(), u"ok"_s);
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 2; }));
    EXPECT_EQ(peer.packets.at(0), peer.packets.at(1));
    EXPECT_TRUE(peer.packets.at(0).startsWith("/$0Message from Build Robot to 127.0.0.1:"))
        << peer.packets.at(0).toStdString();
}

TEST_F(TarquelSend, AUserWithoutSettingsGetsTheDefaultsAndNoSettingsFile)
{
    test::ListeningStation peer;
    QFile::remove(settings.filePath());
    const auto run = send({peer.address(), u"-m"_s, u"hello"_s, u"--system-name"_s, u"NEWCOMER"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(settings.filePath()));
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 1; }));
    EXPECT_TRUE(peer.packets.at(0).contains("/$1NEWCOMER/$2"));
}

TEST_F(TarquelSend, AddressBookNamesResolveAsTheWindowsEntries)
{
    test::ListeningStation peer;
    test::ListeningStation otherPeer;
    AddressBookStore book(settings);
    ASSERT_TRUE(book.ensureExists());
    ASSERT_TRUE(book.PutUser(QString(), u"Bob"_s, peer.address()));
    ASSERT_TRUE(book.CreateGroup(u"Night Shift"_s));
    ASSERT_TRUE(book.PutUser(u"Night Shift"_s, u"Carol"_s, otherPeer.address()));

    // A user by name, letter case aside, is its entry "Bob/host".
    auto run = send({u"bob"_s, u"-m"_s, u"to Bob"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 1; }));
    sendFromWindowStation(u"Bob/"_s + peer.address(), u"to Bob"_s);
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 2; }));
    EXPECT_EQ(peer.packets.at(0), peer.packets.at(1));

    // A group by its bare name is its entry; its text file is kept as the window keeps it.
    run = send({u"Night Shift"_s, u"-m"_s, u"to the group"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(waitUntil([&otherPeer] { return otherPeer.packets.size() == 1; }));
    const std::optional<QString> textFile = addressbook::templateFilePath(
        appDataDir(), addressbook::templateBaseName(DestinationList::groupText(u"Night Shift"_s), kFirstGroupCode));
    ASSERT_TRUE(textFile);
    EXPECT_TRUE(test::readFile(*textFile).startsWith("to the group"));
    sendFromWindowStation(DestinationList::groupText(u"Night Shift"_s), u"to the group"_s);
    ASSERT_TRUE(waitUntil([&otherPeer] { return otherPeer.packets.size() == 2; }));
    EXPECT_EQ(otherPeer.packets.at(0), otherPeer.packets.at(1));
    EXPECT_TRUE(otherPeer.packets.at(0).contains("to < Night Shift >.")) << otherPeer.packets.at(0).toStdString();

    // Several destinations are one send with one heading; the group stands for its members.
    run = send({u"Bob"_s, u"Night Shift"_s, u"-m"_s, u"to all of you"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(waitUntil([&] { return peer.packets.size() == 3 && otherPeer.packets.size() == 3; }));
    EXPECT_EQ(peer.packets.at(2), otherPeer.packets.at(2));
    EXPECT_TRUE(peer.packets.at(2).contains(
        (u"to Bob/"_s + peer.address() + u";Carol/"_s + otherPeer.address() + u"."_s).toUtf8()))
        << peer.packets.at(2).toStdString();
}

TEST_F(TarquelSend, TextFromStandardInputLosesOnlyItsLastLineEnd)
{
    test::ListeningStation peer;
    const auto run = test::runTarquelWithInput({u"send"_s, peer.address(), u"--no-signature"_s},
                                               "disk full on build-3\n\nsecond paragraph\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(waitUntil([&peer] { return peer.packets.size() == 1; }));
    EXPECT_TRUE(peer.packets.at(0).contains(".\r\n\r\ndisk full on build-3\r\n\r\nsecond paragraph/$1"))
        << peer.packets.at(0).toStdString();
}

TEST_F(TarquelSend, UnconfirmedDestinationsAreListedAndTheStatusIsOne)
{
    test::ListeningStation peer;
    const QString silent = u"127.0.0.1:%1"_s.arg(test::unusedTcpPort());

    auto run = send({peer.address(), silent, u"-m"_s, u"anyone?"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(), u"not confirmed: "_s + silent);
    EXPECT_TRUE(run.out.isEmpty());

    run = send({peer.address(), silent, u"-m"_s, u"anyone?"_s, u"--json"_s});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.jsonLines().size(), 1) << run.out.toStdString();
    const QJsonObject report = run.jsonLines().constFirst();
    EXPECT_FALSE(report.value(u"allConfirmed"_s).toBool());
    EXPECT_GE(report.value(u"elapsedMs"_s).toInteger(), 0);
    const QJsonArray destinations = report.value(u"destinations"_s).toArray();
    ASSERT_EQ(destinations.size(), 2);
    EXPECT_EQ(destinations.at(0).toObject().value(u"destination"_s).toString(), peer.address());
    EXPECT_EQ(destinations.at(0).toObject().value(u"outcome"_s).toString(), u"confirmed"_s);
    EXPECT_EQ(destinations.at(1).toObject().value(u"destination"_s).toString(), silent);
    EXPECT_EQ(destinations.at(1).toObject().value(u"outcome"_s).toString(), u"not confirmed"_s);
}

TEST_F(TarquelSend, MailWithoutAServerIsReportedAndNotConfirmed)
{
    const auto run = send({u"someone@example.org"_s, u"-m"_s, u"by mail"_s, u"--json"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(u"mail: "_s)) << run.err.toStdString();
    const QJsonArray destinations = run.jsonLines().value(0).value(u"destinations"_s).toArray();
    ASSERT_EQ(destinations.size(), 1);
    EXPECT_EQ(destinations.at(0).toObject().value(u"kind"_s).toString(), u"mail"_s);
    EXPECT_EQ(destinations.at(0).toObject().value(u"outcome"_s).toString(), u"failed"_s);
}

TEST_F(TarquelSend, BadUsageAndBadInputNameTheArgumentAndSendNothing)
{
    test::ListeningStation peer;
    AddressBookStore book(settings);
    ASSERT_TRUE(book.ensureExists());
    ASSERT_TRUE(book.CreateGroup(u"Empty"_s));

    expectBadUsage(send({u"-m"_s, u"text"_s}), u"no DESTINATION given"_s);
    expectBadUsage(send({peer.address(), u"-m"_s, u" \n "_s}), u"-m: the message text is empty"_s);
    expectBadUsage(test::runTarquelWithInput({u"send"_s, peer.address()}, "\n"),
                   u"standard input: the message text is empty"_s);
    expectBadUsage(test::runTarquelWithInput({u"send"_s, peer.address()}, "caf\xe9\n"), u"not UTF-8"_s);
    expectBadUsage(send({u"127.0.0.1:70000"_s, u"-m"_s, u"text"_s}), u"127.0.0.1:70000: a port is a number"_s);
    expectBadUsage(send({u"127.0.0.1:7x7u"_s, u"-m"_s, u"text"_s}), u"127.0.0.1:7x7u"_s);
    expectBadUsage(send({u"Bob/:7777"_s, u"-m"_s, u"text"_s}), u"Bob/:7777: no host"_s);
    expectBadUsage(send({u"Empty"_s, u"-m"_s, u"text"_s}), u"Empty: resolves to nobody"_s);
    expectBadUsage(send({u"< All users >"_s, u"-m"_s, u"text"_s}), u"< All users >: resolves to nobody"_s);
    expectBadUsage(send({peer.address(), u"-m"_s, u"text"_s, u"--tcp"_s, u"--udp"_s}), u"--tcp and --udp"_s);
    expectBadUsage(send({peer.address(), u"-m"_s, u"text"_s, u"--budget"_s, u"0"_s}), u"--budget 0"_s);
    expectBadUsage(send({peer.address(), u"-m"_s, u"text"_s, u"--colour"_s}), u"colour"_s);
    expectBadUsage(send({peer.address(), u"-m"_s, u"text"_s, u"--system-name"_s, QString()}), u"no system name"_s);

    // A broadcast only when asked for in so many words; with TCP alone there is none.
    expectBadUsage(send({u"< All (broadcast) >"_s, u"-m"_s, u"text"_s}), u"--broadcast-ok"_s);
    expectBadUsage(send({peer.address(), u"255.255.255.255:u"_s, u"-m"_s, u"text"_s}), u"--broadcast-ok"_s);
    expectBadUsage(send({u"< All (broadcast) >"_s, u"-m"_s, u"text"_s, u"--tcp"_s, u"--broadcast-ok"_s}),
                   u"the broadcast goes by UDP"_s);

    QCoreApplication::processEvents();
    EXPECT_TRUE(peer.packets.isEmpty());
}

} // namespace
} // namespace tq
