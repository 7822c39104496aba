#include "station/OutgoingAssembly.h"
#include "addressbook/AddressBookSnapshot.h"
#include "addressbook/DestinationList.h"
#include "protocol/MessagePacket.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

// The cases the loopback tests of the view cannot reach: the broadcast, and destinations that
// only look like an entry.
class OutgoingAssemblyTest : public ::testing::Test {
protected:
    OutgoingAssemblyTest()
    {
        sender.fullName = QStringLiteral("Ann Author");
        sender.systemName = QStringLiteral("ANNPC");
        sender.signature = QStringLiteral("-- Ann");
        sender.ownIp = "10.0.0.9";
        sender.udpPort = 7001;
        list.add({DestinationList::broadcastText(), kBroadcastCode});
        list.add({QStringLiteral("Bob/10.0.0.2"), kUserCode});
        list.add({QStringLiteral("< Friends >"), kFirstGroupCode + 1});
    }

    OutgoingMessage assemble(const QString &destination)
    {
        OutgoingDraft draft;
        draft.composeText = QStringLiteral("Hi\nthere");
        draft.destinationText = destination;
        return assembleOutgoing(draft, sender, list, book);
    }

    OutgoingSender sender;
    DestinationList list;
    AddressBookSnapshot book{QStringLiteral("Bob/10.0.0.2;"), QString(), {QString(), QStringLiteral("Dee/10.0.0.4;")}};
};

TEST_F(OutgoingAssemblyTest, TheBroadcastIsOneDatagramWithItsOwnHeading)
{
    const OutgoingMessage message = assemble(QStringLiteral("< All (broadcast) >"));
    EXPECT_EQ(message.request.destinations, QStringLiteral("255.255.255.255:u"));
    EXPECT_EQ(
        message.request.datagramPacket,
        BuildDatagramPacket({{}, "Broadcast message from Ann Author.\r\n\r\nHi\r\nthere\r\n-- Ann", "ANNPC", '0', {}},
                            "10.0.0.9", 7001));
    ASSERT_TRUE(message.templateFile);
    EXPECT_EQ(message.templateFile->baseName, QStringLiteral("BroadcastMessage"));
    EXPECT_EQ(message.templateFile->text, QStringLiteral("Hi\nthere")) << "the editor's text, unchanged";

    // A text that only begins like the entry is no broadcast.
    EXPECT_EQ(assemble(QStringLiteral("< All (b")).request.destinations, QStringLiteral("< All (b"));
}

TEST_F(OutgoingAssemblyTest, EntriesTypedByHand)
{
    // Without its entry "< All users >" is only a host name, which will not resolve.
    const OutgoingMessage allUsers = assemble(QStringLiteral("< All users >"));
    EXPECT_EQ(allUsers.request.destinations, QStringLiteral("< All users >"));
    EXPECT_FALSE(allUsers.templateFile);

    // The beginning of a group's entry addresses the group; the file is named from what was
    // typed, and the letter case need not match.
    const OutgoingMessage group = assemble(QStringLiteral("< frie"));
    EXPECT_EQ(group.request.destinations, QStringLiteral("Dee/10.0.0.4;"));
    ASSERT_TRUE(group.templateFile);
    EXPECT_EQ(group.templateFile->baseName, QStringLiteral("fr"));
}

TEST(OutgoingLineEnds, EveryLineEndBecomesCrLf)
{
    EXPECT_EQ(withCrLf(QStringLiteral("a\nb\r\nc\rd\n")), QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
}

} // namespace
} // namespace tq
