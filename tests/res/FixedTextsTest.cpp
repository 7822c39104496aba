// Texts that go on the wire or into files that other stations and programs read are the same
// bytes in every language the program shows. On the German desktop these tests run with the
// German translation installed; a text that went through the translation system would change.
#include "res/DesktopLanguage.h"

#include "addressbook/AddSenderCommands.h"
#include "addressbook/AddressBookSnapshot.h"
#include "addressbook/AddressBookStore.h"
#include "addressbook/DestinationList.h"
#include "messages/FilteredMessageFile.h"
#include "messages/IncomingFilters.h"
#include "messages/QuoteMessage.h"
#include "protocol/DeliveryReceipt.h"
#include "protocol/MessagePacket.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"
#include "station/OutgoingAssembly.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingSoundPlayer.h"

namespace tq {
namespace {

using namespace Qt::StringLiterals;

class FixedTextsTest : public test::IsolatedHome {
protected:
    SettingsStore store;
    test::RecordingPrompter prompter;
};

TEST_F(FixedTextsTest, TheHeadingLineAndTheReceiptTravelInEnglish)
{
    OutgoingSender sender;
    sender.fullName = u"Ann"_s;
    sender.systemName = u"ANNPC"_s;
    sender.ownIp = "10.0.0.9";
    DestinationList destinations;
    destinations.add({u"Bob/10.0.0.2"_s, kUserCode});
    OutgoingDraft draft;
    draft.composeText = u"Hi"_s;
    draft.destinationText = u"Bob/10.0.0.2"_s;
    const OutgoingMessage out = assembleOutgoing(draft, sender, destinations, AddressBookSnapshot());
    EXPECT_EQ(
        out.request.streamPacket,
        BuildStreamPacket({{}, "Message from Ann to Bob/10.0.0.2.\r\n\r\nHi", "ANNPC", '0', {}}, "10.0.0.9", 7777));

    draft.automaticAnswer = true;
    const OutgoingMessage answer = assembleOutgoing(draft, sender, destinations, AddressBookSnapshot());
    EXPECT_TRUE(answer.request.streamPacket.contains("Autoanswer from Ann.\r\n\r\nHi"));

    EXPECT_EQ(deliveryReceiptText("Message from Bob to Ann.\r\n\r\nHi", "Friday, 10:15:02", "10.0.0.9"),
              "NOTIFY MESSAGE\r\nRecipient(s) Ann successfully received your message.\r\n"
              "Date: Friday, 10:15:02\r\nSize of received message: 30"_ba);
}

TEST_F(FixedTextsTest, TheQuoteKnowsTheHeadingsOtherStationsWrite)
{
    for (const QByteArray &heading : {"Message from Bob to Ann."_ba, "Autoanswer from Bob."_ba,
                                      "Broadcast message from Bob."_ba, "Bob You Wrote:"_ba})
        EXPECT_EQ(QuoteMessage("Friday, 10:15:02\r\n" + heading + "\r\n\r\nHi"), ">Hi\r\n>\r\n"_ba) << heading.data();
}

TEST_F(FixedTextsTest, TheFilteredMessageFileHeadsItsEntriesInEnglish)
{
    FilteredMessageFile deadFile{[](const QString &) {}, AppDataDir::path()};
    const IncomingMessage message{"EVE", "10.6.6.6", "Hi", "Friday, 10:15:02"};
    IncomingFilterSources sources;
    sources.isKnownSender = [](const QByteArray &) { return false; };
    EXPECT_EQ(RunIncomingFilters(message, {true, false, {}}, sources, deadFile), FilterVerdict::NotInAddressBook);
    sources.isKnownSender = [](const QByteArray &) { return true; };
    sources.isDeactivatedSender = [](const QByteArray &) { return true; };
    EXPECT_EQ(RunIncomingFilters(message, {true, false, {}}, sources, deadFile), FilterVerdict::NotActivated);
    const QByteArray buffer = nonStandardMessageBuffer("Friday, 10:15:02", "junk");
    deadFile.SaveFilteredMessage(buffer, buffer.size());

    const QByteArray stars = "*******************************************\r\n"_ba;
    const QByteArray entryEnd = "\r\n" + stars;
    EXPECT_EQ(test::readFile(appDataDir() + u"outfiltered.txt"_s, "<missing>"),
              "Message From non-Address Book User.\r\n" + stars + "Friday, 10:15:02\r\nHi" + entryEnd
                  + "Message From non-Activated User.\r\n" + stars + "Friday, 10:15:02\r\nHi" + entryEnd
                  + "Non Standard Message.\r\n" + stars + "Friday, 10:15:02\r\njunk\\0" + entryEnd);
}

TEST_F(FixedTextsTest, TheJunkGroupKeepsItsStoredName)
{
    AddressBookStore book;
    test::RecordingSoundPlayer sound;
    AddSenderCommands commands{book, prompter, sound};
    ASSERT_TRUE(commands.addToJunkSenders(u"Spam/10.6.6.6"_s));
    EXPECT_EQ(book.ListGroups(), (QList<GroupEntry>{{u"Junk Senders"_s, false}}));
}

} // namespace
} // namespace tq
