// Settings and stored files that cannot be used as they are: the frame goes on with what it
// can use and says so in the status bar.
#include "app/StatusNotices.h"
#include "messages/CTq20View.h"
#include "messages/MessageFiles.h"
#include "protocol/CUDPReceiveThread.h"

#include "app/MainFrameFixture.h"
#include "support/Files.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

class StartupNoticesTest : public test::MainFrameFixture { };

TEST_F(StartupNoticesTest, PortSettingsOutOfRangeAreNotWrappedIntoOtherPorts)
{
    // -5 would have wrapped into UDP port 65531; it now means the TCP port, as 0 does.
    settings.set(keys::UdpPort, -5);
    settings.set(keys::UseProtocol, 1);
    auto frame = makeFrame();
    frame->initialUpdate();
    ASSERT_TRUE(waitUntil([&] { return frame->udpReceiver()->boundPort() != 0; }));
    EXPECT_EQ(frame->udpReceiver()->boundPort(), port);
    const QString notice = frame->statusNotices()->text();
    EXPECT_TRUE(notice.contains(u"\"UDP Port\" holds -5"_s) && notice.contains(QString::number(port)))
        << notice.toStdString();
    EXPECT_FALSE(notice.contains(u"TCP Port"_s));

    // A TCP port of 70000 would have been 4464; the default is used and the notice says so.
    settings.set(keys::TcpPort, 70000);
    settings.set(keys::UdpPort, port);
    frame->StartProcesses();
    EXPECT_EQ(tcpPort(settings), 7777);
    EXPECT_TRUE(frame->statusNotices()->text().contains(u"\"TCP Port\" holds 70000, which is no port; 7777"_s))
        << frame->statusNotices()->text().toStdString();

    // Put right, the notice goes.
    settings.set(keys::TcpPort, port);
    frame->StartProcesses();
    EXPECT_TRUE(frame->statusNotices()->text().isEmpty());
    EXPECT_TRUE(frame->statusNotices()->isHidden());
}

TEST_F(StartupNoticesTest, StoredFilesLargerThanAnyMessageStayOnDiskUnreadAndAreCounted)
{
    settings.set(keys::StoreAndLoad, 1);
    const QString folder = appDataDir() + u"messages/"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    const QByteArray head = "0ANN/10.0.0.5\r\nstamp\r\n";
    ASSERT_TRUE(test::writeFile(folder + u"0101000000000ANN.tqm"_s, head + "small"));
    ASSERT_TRUE(test::writeFile(folder + u"0101000000001ANN.tqm"_s,
                                head + QByteArray(kMaxStoredMessageFileSize - head.size(), 'a')));
    for (const char *name : {"0101000000002ANN.tqm", "0101000000003ANN.tqm"})
        ASSERT_TRUE(test::writeFile(folder + QLatin1String(name), head + QByteArray(4 * 1024 * 1024, 'b')));

    auto frame = makeFrame();
    frame->initialUpdate();
    EXPECT_EQ(frame->station().viewer().messages().count(), 2u) << "128 KB is still read";
    EXPECT_TRUE(frame->statusNotices()->text().startsWith(u"2 stored message file(s) over 128 KB skipped"_s))
        << frame->statusNotices()->text().toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 4) << "skipped files stay where they are";
}

} // namespace
} // namespace tq
