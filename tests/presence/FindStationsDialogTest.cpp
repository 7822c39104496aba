// The "Find Stations" dialog through its real widgets: what it proposes, how it refuses a bad
// range or port, a scan on loopback and its Cancel, and in a network of several hosts (in a
// namespace of the test's own) a scan that finds exactly the listening stations and files them.
#include "presence/FindStationsDialog.h"
#include "addressbook/AddressBookFixture.h"
#include "protocol/Ipv4Range.h"
#include "protocol/ProbePeer.h"
#include "protocol/ProbeTypes.h"

#include "support/LoopbackPeer.h"
#include "support/PrivateNetwork.h"
#include "support/RecordingPrompter.h"
#include "support/SignalWaiter.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <arpa/inet.h>

#include <optional>

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace tq {
namespace {

using test::ProbePeer;

const QString kSetUp = QStringLiteral("ip link set lo up && ip addr add 10.99.0.2/24 dev lo");

#define RUN_INSIDE_PRIVATE_NETWORK(testName)                                                                           \
    if (!test::insidePrivateNetwork()) {                                                                               \
        const auto run = test::runInPrivateNetwork(kSetUp, QStringLiteral(testName));                                  \
        if (!run.available)                                                                                            \
            GTEST_SKIP() << run.output.toStdString();                                                                  \
        EXPECT_TRUE(run.passed) << run.output.toStdString();                                                           \
        return;                                                                                                        \
    }

class FindStationsDialogTest : public test::AddressBookFixture {
protected:
    void open()
    {
        dialog = std::make_unique<FindStationsDialog>(SettingsStore(), prompter);
        // Host names as a name server would give them, without asking one.
        dialog->setNameLookup([](std::uint32_t address) {
            if (address == ::inet_addr("10.99.0.3") || address == ::inet_addr("127.0.0.3"))
                return QStringLiteral("bob-pc.lab.example");
            return QString();
        });
        dialog->show();
        const auto find = [this](auto *&widget, const char *name) {
            widget = dialog->findChild<std::remove_reference_t<decltype(*widget)> *>(QLatin1String(name));
            ASSERT_NE(widget, nullptr) << name;
        };
        find(rangeEdit, "rangeEdit");
        find(portEdit, "portEdit");
        find(startButton, "startButton");
        find(cancelButton, "cancelButton");
        find(errorLabel, "errorLabel");
        find(statusLabel, "statusLabel");
        find(progressBar, "progressBar");
        find(results, "resultList");
        find(groupCombo, "groupCombo");
        find(addButton, "addButton");
        find(addedLabel, "addedLabel");
    }
    static void retype(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    // Presses Start and waits for the scan's end; how long it took.
    qint64 scan(const QString &range, int port)
    {
        retype(rangeEdit, range);
        retype(portEdit, QString::number(port));
        QSignalSpy finished(dialog.get(), &FindStationsDialog::scanFinished);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(startButton, Qt::LeftButton);
        EXPECT_TRUE(dialog->isScanning());
        EXPECT_TRUE(test::waitUntil([&] { return finished.size() == 1; }, 20000)) << "the scan never ended";
        return clock.elapsed();
    }
    // Each row as "address host port", without the host name when it has none.
    QStringList rows() const
    {
        QStringList shown;
        for (int row = 0; row < results->topLevelItemCount(); ++row) {
            const QTreeWidgetItem *item = results->topLevelItem(row);
            QStringList parts{item->text(0), item->text(1), item->text(2)};
            parts.removeAll(QString());
            shown.append(parts.join(u' '));
        }
        return shown;
    }
    void pickAllRows()
    {
        const auto centre = [this](int row) { return results->visualItemRect(results->topLevelItem(row)).center(); };
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, centre(0));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          centre(results->topLevelItemCount() - 1));
    }
    void addTo(const QString &group)
    {
        groupCombo->lineEdit()->selectAll();
        QTest::keyClicks(groupCombo->lineEdit(), group);
        QTest::mouseClick(addButton, Qt::LeftButton);
    }
    QStringList users(const QString &group) const
    {
        QStringList shown;
        for (const UserEntry &user : book.ListUsers(group))
            shown.append(user.name + QLatin1Char('=') + user.host);
        return shown;
    }

    test::RecordingPrompter prompter;
    std::unique_ptr<FindStationsDialog> dialog;
    QLineEdit *rangeEdit = nullptr;
    QLineEdit *portEdit = nullptr;
    QPushButton *startButton = nullptr;
    QPushButton *cancelButton = nullptr;
    QLabel *errorLabel = nullptr;
    QLabel *statusLabel = nullptr;
    QProgressBar *progressBar = nullptr;
    QTreeWidget *results = nullptr;
    QComboBox *groupCombo = nullptr;
    QPushButton *addButton = nullptr;
    QLabel *addedLabel = nullptr;
};

TEST_F(FindStationsDialogTest, ProposesTheOwnNetworkAndTheStationPortAndScansOnlyWhenAsked)
{
    const ProbePeer station(ProbePeer::station());
    settings.set(keys::TcpPort, station.port());
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Team")));
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Junk Senders")));
    open();
    EXPECT_EQ(rangeEdit->text(), Ipv4Range::ownNetwork());
    EXPECT_EQ(portEdit->text(), QString::number(station.port()));
    EXPECT_EQ(groupCombo->currentText(), QStringLiteral("Outside Any Group"));
    EXPECT_EQ(groupCombo->count(), 2) << "the top level and Team; junk senders are not filed this way";
    EXPECT_FALSE(dialog->isScanning());
    EXPECT_FALSE(cancelButton->isEnabled());
    EXPECT_FALSE(addButton->isEnabled());

    const std::pair<const char *, const char *> refused[] = {
        {"10.0.0.0/16", "is too large"},
        {"everything", "is not an address range"},
        {"10.0.0.9-10.0.0.1", "is reversed"},
        {"224.0.0.1", "which no station can have"},
    };
    for (const auto &[range, why] : refused) {
        retype(rangeEdit, QLatin1String(range));
        QTest::mouseClick(startButton, Qt::LeftButton);
        EXPECT_FALSE(dialog->isScanning()) << range;
        EXPECT_FALSE(errorLabel->isHidden()) << range;
        EXPECT_TRUE(errorLabel->text().contains(QLatin1String(why))) << errorLabel->text().toStdString();
    }
    retype(rangeEdit, QStringLiteral("127.0.0.1"));
    for (const char *port : {"0", "70000", ""}) {
        retype(portEdit, QLatin1String(port));
        QTest::keyClick(rangeEdit, Qt::Key_Return);
        EXPECT_FALSE(dialog->isScanning()) << port;
        EXPECT_EQ(errorLabel->text(), QStringLiteral("The port must be a number from 1 to 65535."));
    }
    QTest::qWait(200);
    EXPECT_EQ(station.connectionCount(), 0) << "nothing is probed before a scan starts";
}

TEST_F(FindStationsDialogTest, ALoopbackScanListsTheStationsInAddressOrderAndCancelStopsASlowOne)
{
    // One port on three addresses: a port that a test running beside this one holds on
    // 127.0.0.1 is given up for another.
    std::optional<ProbePeer> firstPeer, secondPeer, silentPeer;
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int port = test::unusedTcpPort();
        firstPeer.emplace(ProbePeer::station(), "127.0.0.3", port);
        secondPeer.emplace(ProbePeer::station(), "127.0.0.1", port);
        silentPeer.emplace(ProbePeer::silent(), "127.0.0.4", port);
        if (firstPeer->isListening() && secondPeer->isListening() && silentPeer->isListening())
            break;
    }
    const ProbePeer &first = *firstPeer;
    ASSERT_TRUE(firstPeer->isListening() && secondPeer->isListening() && silentPeer->isListening());
    open();

    scan(QStringLiteral("127.0.0.1-4"), first.port());
    const QString port = QString::number(first.port());
    EXPECT_EQ(
        rows(),
        (QStringList{QStringLiteral("127.0.0.1 ") + port, QStringLiteral("127.0.0.3 bob-pc.lab.example ") + port}));
    EXPECT_TRUE(errorLabel->isHidden());
    EXPECT_EQ(progressBar->value(), 4);
    EXPECT_EQ(statusLabel->text(), QStringLiteral("2 station(s) found among 4 address(es)."));
    EXPECT_TRUE(startButton->isEnabled());

    // A scan that waits on a silent listener ends at once when called off.
    retype(rangeEdit, QStringLiteral("127.0.0.4"));
    QSignalSpy finished(dialog.get(), &FindStationsDialog::scanFinished);
    QTest::mouseClick(startButton, Qt::LeftButton);
    ASSERT_TRUE(cancelButton->isEnabled());
    EXPECT_TRUE(rows().isEmpty()) << "a new scan starts with an empty list";
    QTest::mouseClick(cancelButton, Qt::LeftButton);
    ASSERT_TRUE(test::waitUntil([&] { return finished.size() == 1; }));
    EXPECT_EQ(statusLabel->text(), QStringLiteral("Cancelled: 0 station(s) found."));
    EXPECT_FALSE(dialog->isScanning());
}

TEST_F(FindStationsDialogTest, PickedStationsGoIntoTheTypedGroupOnceEach)
{
    const ProbePeer bob(ProbePeer::station(), "127.0.0.3");
    const ProbePeer ann(ProbePeer::station(), "127.0.0.5", bob.port());
    put(QStringLiteral("Lab"), "bob-pc", "10.1.1.1");
    open();
    scan(QStringLiteral("127.0.0.2-5"), bob.port());
    ASSERT_EQ(rows().size(), 2);

    QSignalSpy changed(dialog.get(), &FindStationsDialog::addressBookChanged);
    pickAllRows();
    ASSERT_TRUE(addButton->isEnabled());
    addTo(QStringLiteral("Bad:Name"));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Error Renaming Item"));
    EXPECT_TRUE(changed.isEmpty());

    addTo(QStringLiteral("Lab"));
    const QString port = QString::number(bob.port());
    EXPECT_EQ(users(QStringLiteral("Lab")),
              (QStringList{QStringLiteral("127.0.0.5=127.0.0.5:") + port, QStringLiteral("bob-pc=10.1.1.1"),
                           QStringLiteral("bob-pc (2)=127.0.0.3:") + port}));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_TRUE(dialog->changedAddressBook());
    EXPECT_TRUE(addedLabel->text().contains(QStringLiteral("Added to \"Lab\": bob-pc (2), 127.0.0.5.")))
        << addedLabel->text().toStdString();

    // Again, to another group: both are in the address book already.
    addTo(QStringLiteral("Elsewhere"));
    EXPECT_EQ(users(QStringLiteral("Lab")).size(), 3);
    EXPECT_EQ(book.ListGroups(), (QList<GroupEntry>{{QStringLiteral("Lab"), true}})) << "no empty group is left";
    EXPECT_TRUE(addedLabel->text().startsWith(QStringLiteral("Already in the address book: ")))
        << addedLabel->text().toStdString();
    EXPECT_EQ(changed.size(), 1);
}

// Stations on .3, .5 and .9 of 10.99.0.0/28; a silent listener on .7 and a wrong answerer on
// .11. Stations also listen on the network's own address, on its broadcast address and on the
// first address past it, where no scan of the /28 may knock.
TEST_F(FindStationsDialogTest, ScanOfASmallNetworkFindsExactlyItsStationsAndFilesThem)
{
    RUN_INSIDE_PRIVATE_NETWORK("FindStationsDialogTest.ScanOfASmallNetworkFindsExactlyItsStationsAndFilesThem");
    std::vector<std::unique_ptr<ProbePeer>> peers;
    peers.push_back(std::make_unique<ProbePeer>(ProbePeer::station(), "10.99.0.3"));
    const int port = peers.back()->port();
    for (const char *address : {"10.99.0.5", "10.99.0.9", "10.99.0.0", "10.99.0.15", "10.99.0.16"})
        peers.push_back(std::make_unique<ProbePeer>(ProbePeer::station(), address, port));
    peers.push_back(std::make_unique<ProbePeer>(ProbePeer::silent(), "10.99.0.7", port));
    peers.push_back(
        std::make_unique<ProbePeer>(ProbePeer::Script{.answer = {QByteArrayLiteral("23")}}, "10.99.0.11", port));
    for (const auto &peer : peers)
        ASSERT_TRUE(peer->isListening());
    settings.set(keys::TcpPort, port);
    put(top, "Old", "10.99.0.9");
    open();

    const qint64 took = scan(QStringLiteral("10.99.0.0/28"), port);
    const QString portText = QString::number(port);
    EXPECT_EQ(rows(),
              (QStringList{QStringLiteral("10.99.0.3 bob-pc.lab.example ") + portText,
                           QStringLiteral("10.99.0.5 ") + portText, QStringLiteral("10.99.0.9 ") + portText}));
    for (int i = 3; i <= 5; ++i)
        EXPECT_EQ(peers[i]->connectionCount(), 0) << "a scan knocked outside its range";
    EXPECT_EQ(peers[6]->connectionCount(), 1);
    // Not a measure of speed: a scan that waited on the silent listener for good would never
    // come back; one that keeps its limits is back after one time-out and one name wait.
    const ProbeOptions options = ProbeOptions::forScan();
    EXPECT_LT(took, 3 * (options.timeoutMs + options.nameTimeoutMs));
    EXPECT_EQ(progressBar->value(), 14);

    pickAllRows();
    addTo(QStringLiteral("Lab"));
    EXPECT_EQ(users(QStringLiteral("Lab")),
              (QStringList{QStringLiteral("10.99.0.5=10.99.0.5"), QStringLiteral("bob-pc=10.99.0.3")}));
    EXPECT_EQ(users(top), QStringList{QStringLiteral("Old=10.99.0.9")});
    EXPECT_EQ(addedLabel->text(),
              QStringLiteral("Added to \"Lab\": bob-pc, 10.99.0.5.\n"
                             "Already in the address book: Old (10.99.0.9)."));
}

} // namespace
} // namespace tq
