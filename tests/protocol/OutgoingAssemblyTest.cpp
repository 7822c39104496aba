#include "protocol/OutgoingAssembly.h"
#include "addressbook/AddressBookSnapshot.h"
#include "addressbook/DestinationList.h"
#include "protocol/MessagePacket.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

class OutgoingAssemblyTest : public ::testing::Test {
protected:
    OutgoingAssemblyTest()
    {
        sender.fullName = QStringLiteral("Ann Author");
        sender.systemName = QStringLiteral("ANNPC");
        sender.email = QStringLiteral("ann@example.org");
        sender.ownIp = "10.0.0.9";
        sender.tcpPort = 7000;
        sender.udpPort = 7001;
        sender.budgetMs = 1500;
        list.add({DestinationList::broadcastText(), kBroadcastCode});
        list.add({QStringLiteral("Bob/10.0.0.2"), kUserCode});
        list.add({DestinationList::allUsersText(), kAllUsersCode});
        list.add({QStringLiteral("< Friends >"), kFirstGroupCode + 1});
    }

    OutgoingMessage assemble(const QString &destination, const QString &text = QStringLiteral("Hi\nthere"))
    {
        OutgoingDraft draft;
        draft.composeText = text;
        draft.destinationText = destination;
        draft.importance = importance;
        draft.automaticAnswer = automaticAnswer;
        return assembleOutgoing(draft, sender, list, book);
    }
    QByteArray stream(const QByteArray &text) const
    {
        return BuildStreamPacket({{}, text, "ANNPC", importance, "ann@example.org"}, "10.0.0.9", 7000);
    }
    QByteArray datagram(const QByteArray &text) const
    {
        return BuildDatagramPacket({{}, text, "ANNPC", importance, "ann@example.org"}, "10.0.0.9", 7001);
    }

    OutgoingSender sender;
    DestinationList list;
    AddressBookSnapshot book{
        QStringLiteral("Bob/10.0.0.2;Cy/10.0.0.3;"), QString(), {QString(), QStringLiteral("Dee/10.0.0.4;")}};
    char importance = '0';
    bool automaticAnswer = false;
};

TEST_F(OutgoingAssemblyTest, AMessageCarriesItsHeadingBodyAndSignatureWithCrLfLines)
{
    const OutgoingMessage plain = assemble(QStringLiteral("  \tBob/10.0.0.2"));
    ASSERT_FALSE(plain.refused);
    const QByteArray plainText = "Message from Ann Author to Bob/10.0.0.2.\r\n\r\nHi\r\nthere";
    EXPECT_EQ(plain.request.destinations, QStringLiteral("Bob/10.0.0.2")) << "leading white space goes";
    EXPECT_EQ(plain.request.streamPacket, stream(plainText));
    EXPECT_EQ(plain.request.datagramPacket, datagram(plainText));
    EXPECT_EQ(plain.request.plainText, QByteArray("Hi\r\nthere"));
    EXPECT_EQ(plain.request.tcpPort, 7000);
    EXPECT_EQ(plain.request.udpPort, 7001);
    EXPECT_EQ(plain.request.budgetMs, 1500);
    EXPECT_FALSE(plain.request.automaticAnswer);
    EXPECT_FALSE(plain.templateFile);
    EXPECT_TRUE(plain.hasRecipients());

    sender.signature = QStringLiteral("-- Ann");
    importance = '1';
    const OutgoingMessage signedMessage = assemble(QStringLiteral("Bob/10.0.0.2"), QStringLiteral("Hi\n"));
    EXPECT_EQ(signedMessage.request.streamPacket,
              stream("Message from Ann Author to Bob/10.0.0.2.\r\n\r\nHi\r\n\r\n-- Ann"));
    EXPECT_EQ(signedMessage.request.plainText, QByteArray("Hi\r\n\r\n-- Ann"));
}

TEST_F(OutgoingAssemblyTest, AnEmptyOrBlankDestinationIsRefused)
{
    for (const QString &destination : {QString(), QStringLiteral("   "), QStringLiteral(" \t ")}) {
        const OutgoingMessage message = assemble(destination);
        EXPECT_TRUE(message.refused) << destination.toStdString();
        EXPECT_FALSE(message.hasRecipients());
        EXPECT_TRUE(message.request.streamPacket.isEmpty());
    }
}

TEST_F(OutgoingAssemblyTest, AllUsersGoesToTheKnownListOnlyThroughItsEntry)
{
    const OutgoingMessage all = assemble(QStringLiteral("< All users >"));
    EXPECT_EQ(all.request.destinations, QStringLiteral("Bob/10.0.0.2;Cy/10.0.0.3;"));
    EXPECT_EQ(all.request.streamPacket, stream("Message from Ann Author to < All users >.\r\n\r\nHi\r\nthere"));
    ASSERT_TRUE(all.templateFile);
    EXPECT_EQ(all.templateFile->baseName, QStringLiteral("All Users"));
    EXPECT_EQ(all.templateFile->text, QStringLiteral("Hi\nthere")) << "the editor's text, unchanged";

    // Without the entry the text is only a host name, which will not resolve.
    DestinationList withoutEntry;
    withoutEntry.add({QStringLiteral("Bob/10.0.0.2"), kUserCode});
    list = withoutEntry;
    const OutgoingMessage typed = assemble(QStringLiteral("< All users >"));
    EXPECT_EQ(typed.request.destinations, QStringLiteral("< All users >"));
    EXPECT_FALSE(typed.templateFile);
}

TEST_F(OutgoingAssemblyTest, TheBroadcastIsOneDatagramWithItsOwnHeading)
{
    sender.signature = QStringLiteral("-- Ann");
    const OutgoingMessage message = assemble(QStringLiteral("< All (broadcast) >"));
    EXPECT_EQ(message.request.destinations, QStringLiteral("255.255.255.255:u"));
    const QByteArray text = "Broadcast message from Ann Author.\r\n\r\nHi\r\nthere\r\n-- Ann";
    EXPECT_EQ(message.request.datagramPacket, datagram(text));
    EXPECT_EQ(message.request.streamPacket, stream(text));
    ASSERT_TRUE(message.templateFile);
    EXPECT_EQ(message.templateFile->baseName, QStringLiteral("BroadcastMessage"));

    // A text that only begins like the entry is no broadcast.
    EXPECT_EQ(assemble(QStringLiteral("< All (b")).request.destinations, QStringLiteral("< All (b"));
}

TEST_F(OutgoingAssemblyTest, AGroupIsAddressedAlsoByTheBeginningOfItsEntry)
{
    const OutgoingMessage full = assemble(QStringLiteral("< Friends >"));
    EXPECT_EQ(full.request.destinations, QStringLiteral("Dee/10.0.0.4;"));
    EXPECT_EQ(full.request.streamPacket, stream("Message from Ann Author to < Friends >.\r\n\r\nHi\r\nthere"));
    ASSERT_TRUE(full.templateFile);
    EXPECT_EQ(full.templateFile->baseName, QStringLiteral("Friends"));

    // The file is named from what was typed, and the letter case need not match.
    const OutgoingMessage typed = assemble(QStringLiteral("< frie"));
    EXPECT_EQ(typed.request.destinations, QStringLiteral("Dee/10.0.0.4;"));
    ASSERT_TRUE(typed.templateFile);
    EXPECT_EQ(typed.templateFile->baseName, QStringLiteral("fr"));

    // A group with no active user leaves nothing to send to.
    list.add({QStringLiteral("< Empty >"), kFirstGroupCode});
    const OutgoingMessage empty = assemble(QStringLiteral("< Empty >"));
    EXPECT_FALSE(empty.refused);
    EXPECT_TRUE(empty.templateFile);
    EXPECT_FALSE(empty.hasRecipients());
}

TEST_F(OutgoingAssemblyTest, AnAutomaticAnswerHasItsHeadingAndNoSignatureInThePacket)
{
    sender.signature = QStringLiteral("-- Ann");
    automaticAnswer = true;
    const OutgoingMessage message = assemble(QStringLiteral("PC/127.0.0.1:7777"), QStringLiteral("Away\r\nback soon"));
    EXPECT_EQ(message.request.streamPacket, stream("Autoanswer from Ann Author.\r\n\r\nAway\r\nback soon"));
    EXPECT_EQ(message.request.plainText, QByteArray("Away\r\nback soon-- Ann"));
    EXPECT_TRUE(message.request.automaticAnswer);
    EXPECT_EQ(message.request.destinations, QStringLiteral("PC/127.0.0.1:7777"));
}

TEST(OutgoingLineEnds, EveryLineEndBecomesCrLf)
{
    EXPECT_EQ(withCrLf(QStringLiteral("a\nb\r\nc\rd\n")), QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
    EXPECT_EQ(withCrLf(QString()), QString());
}

} // namespace
} // namespace tq
