#include "messages/MessageTextForms.h"

#include "support/QtPrinters.h"

#include <QJsonDocument>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

const MessageRecord windows1252{"Saturday, 10 February 2024, 14:30:00\r\nMessage from Bernd to Bob.\r\n\r\nGr\xFC\xDF"
                                "e\r\naus M\xFC"
                                "nchen",
                                "BERND/10.0.0.7:8000u", u"/data/messages/0210143000000BERND.tqm"_s, true};

TEST(MessageTextForms, ReadableFormHasStampSenderAndDecodedLines)
{
    EXPECT_EQ(readableMessage(windows1252),
              QString::fromUtf8("Saturday, 10 February 2024, 14:30:00\n"
                                "From: BERND/10.0.0.7:8000u, high importance\n"
                                "Message from Bernd to Bob.\n\nGrüße\naus München\n\n"));
    // A text that ends its last line, and one without a stamp line (a broken file).
    EXPECT_EQ(readableMessage({"stamp\r\nhi\r\n", "A/1.2.3.4", {}, false}), u"stamp\nFrom: A/1.2.3.4\nhi\n\n"_s);
    EXPECT_EQ(readableMessage({"only text", "A/1.2.3.4", {}, false}), u"From: A/1.2.3.4\nonly text\n\n"_s);
}

TEST(MessageTextForms, TerminalFormKeepsControlCharactersOutOfTheTerminal)
{
    // ESC and BEL, DEL, and a byte that Windows-1252 leaves undefined (a C1 control).
    const MessageRecord steering{"stamp\r\n\x1B]0;title\x07\tx\x7F\r\nM\xFCnchen\x81", "EVE\x1B/1.2.3.4", {}, false};
    EXPECT_EQ(readableMessageForTerminal(steering),
              QString::fromUtf8("stamp\nFrom: EVE\uFFFD/1.2.3.4\n\uFFFD]0;title\uFFFD\tx\uFFFD\nMünchen\uFFFD\n\n"));
    EXPECT_EQ(readableMessageForTerminal(windows1252), readableMessage(windows1252));
}

TEST(MessageTextForms, JsonFormForPrograms)
{
    const QDateTime arrival(QDate(2024, 2, 10), QTime(14, 30, 0, 250), QTimeZone(3600));
    EXPECT_EQ(QJsonDocument(messageJson(windows1252, arrival)).toJson(QJsonDocument::Compact),
              QByteArray(R"({"arrival":"2024-02-10T14:30:00.250+01:00","file":"/data/messages/0210143000000BERND.tqm",)"
                         R"("importance":"high","sender":"BERND/10.0.0.7:8000u",)"
                         "\"text\":\"Message from Bernd to Bob.\\n\\nGr\xC3\xBC\xC3\x9F"
                         "e\\naus M\xC3\xBC"
                         "nchen\"}"));
    const QJsonObject unstored = messageJson({"stamp\r\nhi", "A/1.2.3.4", {}, false}, arrival);
    EXPECT_TRUE(unstored.value(u"file"_s).isNull());
    EXPECT_EQ(unstored.value(u"importance"_s).toString(), u"normal"_s);
}

} // namespace
} // namespace tq
