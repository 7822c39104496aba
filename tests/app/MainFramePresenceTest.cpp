#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationComboBox.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "presence/FindStationsDialog.h"
#include "presence/PresenceTracker.h"
#include "protocol/MessagePacket.h"

#include "app/MainFrameFixture.h"
#include "app/PresenceControls.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

// Presence as the main window runs it: the tracker starts with the processes, learns from the
// station's arrivals and sends, and announces someone back in the status bar; "Find
// Stations..." opens one dialog.
class MainFramePresenceTest : public test::MainFrameFixture {
protected:
    MainFramePresenceTest()
    {
        settings.set(keys::PresenceInterval, 3600);
        settings.set(keys::SystemName, u"BOBPC"_s);
        EXPECT_TRUE(AddressBookStore(settings).PutUser(QString(), u"Ben"_s, ben));
    }
    PresenceState stateOfBen(const CMainFrame &frame) const
    {
        return frame.presence().tracker().userPresence(u"Ben"_s, ben).state;
    }
    void arriveFromBen(CMainFrame &frame)
    {
        const QByteArray packet =
            BuildStreamPacket({{}, "Message from Ben to Bob.\r\n\r\nBack", "BEN", '0', {}}, "127.0.0.1", 7010);
        frame.station().OnIncomingMessage(Transport::Tcp, {quint32(packet.size()), "127.0.0.1", packet});
    }

    const int closedPort = test::unusedTcpPort();
    const QString ben = u"127.0.0.1:%1"_s.arg(closedPort);
};

TEST_F(MainFramePresenceTest, StartsWithTheProcessesAndFollowsArrivalsAndSends)
{
    auto frame = runningFrame();
    EXPECT_TRUE(frame->presence().tracker().isStarted());
    ASSERT_TRUE(test::waitUntil([&] { return stateOfBen(*frame) == PresenceState::NotReachable; }, 10000));

    // Back after more than five minutes: a message from Ben's address says so at once.
    clock.advance(6 * 60 * 1000);
    arriveFromBen(*frame);
    EXPECT_EQ(stateOfBen(*frame), PresenceState::Reachable);
    EXPECT_EQ(frame->statusPane(0)->text(), u"Ben is reachable again"_s);

    // A send that cannot reach Ben makes him not reachable again.
    CTq20View &view = *frame->view();
    view.destinationBox()->setEditText(ben);
    view.composeBox()->setPlainText(u"hello"_s);
    view.SendOutgoing('0');
    ASSERT_TRUE(test::waitUntil([&] { return stateOfBen(*frame) == PresenceState::NotReachable; }, 10000));

    frame->StopProcesses();
    EXPECT_FALSE(frame->presence().tracker().isStarted());
}

TEST_F(MainFramePresenceTest, FindStationsOpensOneDialogFromTheMessageMenu)
{
    auto frame = makeFrame();
    QAction *entry = action(*frame, "actionFindStations");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(frame->findChild<QMenu *>(u"messageMenu"_s)->actions().contains(entry));
    entry->trigger();
    FindStationsDialog *dialog = frame->presence().findStationsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    entry->trigger();
    EXPECT_EQ(frame->presence().findStationsDialog(), dialog);
    EXPECT_EQ(frame->findChildren<FindStationsDialog *>().size(), 1);

    // Users it adds reach the tracker and the view, as the Address Book dialog's do.
    QSignalSpy changed(frame.get(), &CMainFrame::addressBookChanged);
    Q_EMIT dialog->addressBookChanged();
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
} // namespace tq
