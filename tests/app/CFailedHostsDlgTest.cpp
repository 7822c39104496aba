#include "app/CFailedHostsDlg.h"
#include "support/QtPrinters.h"
#include "support/RecordingSoundPlayer.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tq {
namespace {

TEST(CFailedHostsDlg, DeliverWhenReachableIsOfferedOnlyWhenAskedAndHandsOnTheListedDestinations)
{
    test::RecordingSoundPlayer sounds;
    CFailedHostsDlg dialog(QStringLiteral("12 host(s) not found!"),
                           QStringLiteral("Bob/10.0.0.5\r\nCarl/carl-pc:u\r\n10.0.0.9"), sounds);
    QStringList requested;
    QObject::connect(&dialog, &CFailedHostsDlg::deliverLaterRequested, &dialog,
                     [&](const QStringList &destinations) { requested = destinations; });
    auto *deliverLater = dialog.findChild<QPushButton *>(QStringLiteral("deliverLaterButton"));
    ASSERT_NE(deliverLater, nullptr);
    EXPECT_EQ(deliverLater->text(), QStringLiteral("Deliver when reachable"));

    dialog.show();
    EXPECT_FALSE(deliverLater->isVisible());
    dialog.offerDeliveryLater(true);
    ASSERT_TRUE(deliverLater->isVisible());

    QTest::mouseClick(deliverLater, Qt::LeftButton);
    EXPECT_EQ(
        requested,
        (QStringList{QStringLiteral("Bob/10.0.0.5"), QStringLiteral("Carl/carl-pc:u"), QStringLiteral("10.0.0.9")}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace tq
