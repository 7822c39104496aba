#include "app/FirstRunDefaults.h"
#include "app/WindowPlacement.h"
#include "settings/SettingsStore.h"

#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace tq {
namespace {

class FirstRunDefaultsTest : public test::IsolatedHome {
protected:
    SettingsStore store;
};

TEST_F(FirstRunDefaultsTest, BrandNewStoreGetsTheNamesOnce)
{
    EXPECT_TRUE(applyFirstRunDefaults(store, QStringLiteral("Ann Smith"), QStringLiteral("ann-pc")));
    EXPECT_EQ(store.get(keys::FullName), QStringLiteral("Ann Smith"));
    EXPECT_EQ(store.get(keys::SystemName), QStringLiteral("ann-pc"));

    // Names the user cleared stay empty at the next start.
    store.set(keys::FullName, QString());
    EXPECT_FALSE(applyFirstRunDefaults(store, QStringLiteral("Ann Smith"), QStringLiteral("ann-pc")));
    EXPECT_EQ(store.get(keys::FullName), QString());
}

TEST_F(FirstRunDefaultsTest, NoOwnerGivesAnonymousAndExistingNamesStay)
{
    store.set(keys::SystemName, QStringLiteral("chosen"));
    applyFirstRunDefaults(store, QString(), QStringLiteral("host"));
    EXPECT_EQ(store.get(keys::FullName), QStringLiteral("Anonymous"));
    EXPECT_EQ(store.get(keys::SystemName), QStringLiteral("chosen"));
}

TEST(WindowPlacementTest, APlacementOffEveryScreenComesBackOntoTheFirst)
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_EQ(fitOnScreens(QRect(2000, 100, 400, 500), screens), QRect(2000, 100, 400, 500));
    EXPECT_EQ(fitOnScreens(QRect(-350, 100, 400, 500), screens), QRect(-350, 100, 400, 500)) << "partly visible";
    // The second monitor is gone.
    EXPECT_EQ(fitOnScreens(QRect(3500, 100, 400, 500), screens.mid(0, 1)), QRect(0, 0, 400, 500));
    EXPECT_EQ(fitOnScreens(QRect(-5000, -5000, 4000, 3000), screens.mid(0, 1)), QRect(0, 0, 1920, 1080));
}

} // namespace
} // namespace tq
