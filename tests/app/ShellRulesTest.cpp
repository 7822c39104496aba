#include "app/DesktopNotice.h"
#include "app/HelpPages.h"

#include "support/Files.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(DesktopNoticeTest, TheNoticeShowsTheFirstLineThatSaysSomethingCutWhole)
{
    EXPECT_EQ(noticeLine(QStringLiteral("\r\n  \r\n  Message from Ann to Bob.\r\n\r\nHello")),
              QStringLiteral("Message from Ann to Bob."));
    EXPECT_EQ(noticeLine(QStringLiteral("abc\U0001F600"), 4), QStringLiteral("abc")) << "no half character";
    EXPECT_EQ(noticeLine(QStringLiteral(" \n ")), QString());
}

TEST(HelpPagesTest, TheFirstFolderWithAnIndexPageWins)
{
    QTemporaryDir root;
    const QString empty = root.filePath(QStringLiteral("empty"));
    const QString full = root.filePath(QStringLiteral("full"));
    ASSERT_TRUE(QDir().mkpath(empty) && QDir().mkpath(full));
    ASSERT_TRUE(test::writeFile(full + QStringLiteral("/index.html"), {}));
    EXPECT_EQ(HelpPages::indexPath({empty, full}), full + QStringLiteral("/index.html"));
}

} // namespace
} // namespace tq
