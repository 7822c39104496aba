#include "messages/AnswerFile.h"
#include "messages/TextFileLines.h"
#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

namespace tq {
namespace {

using namespace Qt::StringLiterals;

TEST(TextFileLines, EveryLineEndsInCrLf)
{
    EXPECT_EQ(linesEndingCrLf(""), ""_ba);
    EXPECT_EQ(linesEndingCrLf("a\r\nb"), "a\r\nb\r\n"_ba);
    EXPECT_EQ(linesEndingCrLf("a\nb\n"), "a\r\nb\r\n"_ba);
    EXPECT_EQ(linesEndingCrLf("\r\n\r\n"), "\r\n\r\n"_ba);
    EXPECT_EQ(linesEndingCrLf("a\rb\r\r\n"), "a\rb\r\r\n"_ba) << "a lone CR belongs to its line";
}

class AnswerFileTest : public test::IsolatedHome { };

TEST_F(AnswerFileTest, BytesAreWrittenAsTheyAreAndReadWithALineEndAfterTheLastLine)
{
    const QByteArray typed = "I am away.\r\nBack on Monday \xe4\xc3\xa4"_ba;
    const QString path = answerFilePath(appDataDir());
    ASSERT_TRUE(writeAnswerFile(typed, path));
    EXPECT_EQ(test::readFile(appDataDir() + u"AutoFile.tqm"_s), typed);
    EXPECT_EQ(readAnswerFile(path), typed + "\r\n");

    ASSERT_TRUE(writeAnswerFile("", path));
    EXPECT_EQ(readAnswerFile(path), std::optional(QByteArray()));
}

} // namespace
} // namespace tq
