// The bytes other stations get from this one: UTF-8, or Windows-1252 for older stations,
// chosen on the Interface page or by the sender being answered.
#include "addressbook/DestinationComboBox.h"
#include "messages/CTq20View.h"
#include "messages/MessageEdit.h"
#include "prefs/CMyPropertySheet.h"
#include "protocol/MessagePacket.h"

#include "app/MainFrameFixture.h"
#include "protocol/ListeningStation.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;
using test::waitUntil;

class OutgoingEncodingTest : public test::MainFrameFixture {
protected:
    OutgoingEncodingTest() { settings.set(keys::EmailAddress, u"ann@example.org"_s); }

    void start()
    {
        frame = runningFrame();
        view = frame->view();
    }

    // Types `text` over what the compose box holds and presses Send.
    void sendTyped(const QString &text)
    {
        MessageEdit *compose = view->composeBox();
        compose->setFocus();
        compose->selectAll();
        // Letters beyond ASCII come as a keyboard layout gives them: a key event with its text.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, compose, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::mouseClick(view->sendButton(), Qt::LeftButton);
    }

    // The stream packet of a message from this station, its fields already in bytes.
    QByteArray expected(const QByteArray &text, const QByteArray &systemName) const
    {
        return BuildStreamPacket({{}, text, systemName, '0', "ann@example.org"}, view->station().ownAddress(), port);
    }

    static bool receivedCount(const test::ListeningStation &station, qsizetype count)
    {
        return waitUntil([&] { return station.packets.size() >= count; });
    }

    // A message from the station at `fromIp` that wants its answer at `station`'s port, as it
    // arrives through this station's listener.
    void arriveFrom(const char *fromIp, const test::ListeningStation &station, const QByteArray &systemName,
                    const QByteArray &text)
    {
        const qsizetype before = view->station().viewer().messages().count();
        const QByteArray packet = BuildStreamPacket({{}, text, systemName, '0', {}}, fromIp, station.port());
        ASSERT_EQ(test::exchangeServingEvents(fromIp, listenPort, packet), QByteArray::number(packet.size()));
        ASSERT_TRUE(waitUntil([&] { return view->station().viewer().messages().count() == before + 1; }));
        // The quote and the reply destination follow once the arrival has been worked off.
        QTest::qWait(50);
    }

    std::unique_ptr<CMainFrame> frame;
    CTq20View *view = nullptr;
};

TEST_F(OutgoingEncodingTest, WindowsChosenOnTheInterfacePageReachesTheStationByteForByte)
{
    settings.set(keys::FullName, u"Jürgen Ähnlich"_s);
    settings.set(keys::SystemName, u"JÜRGENPC"_s);
    settings.set(keys::Signature, u"-- Grüße, Jürgen"_s);
    start();
    test::ListeningStation station;
    const QString destination = station.address();
    view->destinationBox()->setEditText(destination);

    // UTF-8 until the user chooses otherwise.
    sendTyped(u"Schöne Grüße €"_s);
    ASSERT_TRUE(receivedCount(station, 1));
    EXPECT_EQ(station.packets[0],
              expected("Message from J\xC3\xBCrgen \xC3\x84hnlich to " + destination.toUtf8()
                           + ".\r\n\r\nSch\xC3\xB6ne Gr\xC3\xBC\xC3\x9F"
                             "e \xE2\x82\xAC\r\n-- Gr\xC3\xBC\xC3\x9F"
                             "e, J\xC3\xBCrgen",
                       "J\xC3\x9CRGENPC"));

    frame->OnPreferences();
    CMyPropertySheet *sheet = frame->preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    sheet->setCurrentPage(CMyPropertySheet::InterfacePage);
    auto *encoding = sheet->findChild<QComboBox *>(u"encodingCombo"_s);
    ASSERT_NE(encoding, nullptr);
    EXPECT_EQ(encoding->currentText(), u"UTF-8"_s);
    encoding->setFocus();
    QTest::keyClick(encoding, Qt::Key_Down);
    EXPECT_EQ(encoding->currentText(), u"Windows-1252 (older stations)"_s);
    QTest::mouseClick(sheet->findChild<QPushButton *>(u"okButton"_s), Qt::LeftButton);
    EXPECT_EQ(settings.get(keys::OutgoingEncoding), 1);
    // The view takes the new settings from the event loop, as after any change of them.
    QCoreApplication::processEvents();

    // Heading, text, signature and the system name, all in the one encoding.
    view->destinationBox()->setEditText(destination);
    sendTyped(u"Schöne Grüße €"_s);
    ASSERT_TRUE(receivedCount(station, 2));
    EXPECT_EQ(station.packets[1],
              expected("Message from J\xFCrgen \xC4hnlich to " + destination.toUtf8()
                           + ".\r\n\r\nSch\xF6ne Gr\xFC\xDF"
                             "e \x80\r\n-- Gr\xFC\xDF"
                             "e, J\xFCrgen",
                       "J\xDCRGENPC"));

    // A character Windows-1252 has no place for: the whole message goes out in UTF-8 rather
    // than lose it.
    sendTyped(u"Grüße →"_s);
    ASSERT_TRUE(receivedCount(station, 3));
    EXPECT_EQ(station.packets[2],
              expected("Message from J\xC3\xBCrgen \xC3\x84hnlich to " + destination.toUtf8()
                           + ".\r\n\r\nGr\xC3\xBC\xC3\x9F"
                             "e \xE2\x86\x92\r\n-- Gr\xC3\xBC\xC3\x9F"
                             "e, J\xC3\xBCrgen",
                       "J\xC3\x9CRGENPC"));
}

TEST_F(OutgoingEncodingTest, AReplyToAnOlderStationGoesOutInItsOwnEncoding)
{
    settings.set(keys::FullName, u"Ann Author"_s);
    settings.set(keys::SystemName, u"ANNPC"_s);
    start();
    test::ListeningStation older;
    test::ListeningStation newer;
    const QByteArray olderReply = "BJ\xD6RN/127.0.0.2:" + QByteArray::number(older.port());
    const QByteArray newerReply = "CY/127.0.0.3:" + QByteArray::number(newer.port());

    // Björn's station writes Windows-1252; the reply goes back the same way.
    arriveFrom("127.0.0.2", older, "BJ\xD6RN",
               "Message from Bj\xF6rn to Ann.\r\n\r\nGr\xFC\xDF"
               "e");
    EXPECT_EQ(view->destinationBox()->currentText(), u"BJÖRN/127.0.0.2:%1"_s.arg(older.port()));
    sendTyped(u"Schön"_s);
    ASSERT_TRUE(receivedCount(older, 1));
    EXPECT_EQ(older.packets[0], expected("Message from Ann Author to " + olderReply + ".\r\n\r\nSch\xF6n", "ANNPC"));

    // Cy's station writes UTF-8, and gets UTF-8.
    arriveFrom("127.0.0.3", newer, "CY",
               "Message from Cy to Ann.\r\n\r\nGr\xC3\xBC\xC3\x9F"
               "e");
    EXPECT_EQ(view->destinationBox()->currentText(), QString::fromUtf8(newerReply));
    sendTyped(u"Schön"_s);
    ASSERT_TRUE(receivedCount(newer, 1));
    EXPECT_EQ(newer.packets[0],
              expected("Message from Ann Author to " + newerReply + ".\r\n\r\nSch\xC3\xB6n", "ANNPC"));

    // A station judged by its latest message that is not plain ASCII: ASCII reads the same
    // either way and tells nothing.
    test::ListeningStation plain;
    arriveFrom("127.0.0.4", plain, "DI",
               "Message from Di to Ann.\r\n\r\nGr\xFC\xDF"
               "e");
    arriveFrom("127.0.0.4", plain, "DI", "Message from Di to Ann.\r\n\r\nok");
    sendTyped(u"Schön"_s);
    ASSERT_TRUE(receivedCount(plain, 1));
    EXPECT_EQ(
        plain.packets[0],
        expected("Message from Ann Author to DI/127.0.0.4:" + QByteArray::number(plain.port()) + ".\r\n\r\nSch\xF6n",
                 "ANNPC"));

    // A reply to the older station that Windows-1252 cannot carry goes out in UTF-8.
    view->destinationBox()->setEditText(u"BJÖRN/127.0.0.2:%1"_s.arg(older.port()));
    sendTyped(u"Schön →"_s);
    ASSERT_TRUE(receivedCount(older, 2));
    EXPECT_EQ(older.packets[1],
              expected("Message from Ann Author to BJ\xC3\x96RN/127.0.0.2:" + QByteArray::number(older.port())
                           + ".\r\n\r\nSch\xC3\xB6n \xE2\x86\x92",
                       "ANNPC"));
}

} // namespace
} // namespace tq
