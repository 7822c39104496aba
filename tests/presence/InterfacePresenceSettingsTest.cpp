// The Interface page's presence interval and broadcast question, through the real sheet.
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "mail/RecordingMailTray.h"
#include "prefs/CMyPropertySheet.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/RecordingShell.h"
#include "support/RecordingSoundPlayer.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace tq {
namespace {

class InterfacePresenceSettingsTest : public test::IsolatedHome {
protected:
    void openSheet()
    {
        sheet = std::make_unique<CMyPropertySheet>(PrefsContext{settings, prompter, sound, shell, announcer, counts,
                                                                QFont(), QFont(), AppDataDir::path(), "10.0.0.1"},
                                                   CMyPropertySheet::InterfacePage);
        sheet->show();
        interval = sheet->findChild<QLineEdit *>(QStringLiteral("presenceIntervalEdit"));
        askBroadcast = sheet->findChild<QCheckBox *>(QStringLiteral("askBroadcastCheck"));
        ASSERT_TRUE(interval && askBroadcast);
    }
    void typeInterval(const char *text)
    {
        interval->selectAll();
        QTest::keyClick(interval, Qt::Key_Backspace);
        QTest::keyClicks(interval, QLatin1String(text));
    }
    void ok() { QTest::mouseClick(sheet->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton); }

    SettingsStore settings;
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingShell shell;
    test::RecordingMailTray tray;
    MailAnnouncer announcer{tray, sound};
    MailCounts counts;
    std::unique_ptr<CMyPropertySheet> sheet;
    QLineEdit *interval = nullptr;
    QCheckBox *askBroadcast = nullptr;
};

TEST_F(InterfacePresenceSettingsTest, TheIntervalIsZeroOrWithinItsLimits)
{
    openSheet();
    EXPECT_EQ(interval->text(), QStringLiteral("60"));
    for (const char *refused : {"5", "90000", ""}) {
        typeInterval(refused);
        prompter.boxes.clear();
        ok();
        EXPECT_TRUE(sheet->isVisible()) << refused;
        ASSERT_EQ(prompter.boxes.size(), 1) << refused;
        EXPECT_EQ(prompter.boxes[0].text,
                  QStringLiteral("Please enter 0 to check nobody, or a number of seconds from 10 to 86400."));
        EXPECT_EQ(sheet->focusWidget(), interval) << refused;
        EXPECT_EQ(settings.get(keys::PresenceInterval), 60) << "nothing is written";
    }
    typeInterval("0");
    ok();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(settings.get(keys::PresenceInterval), 0);

    openSheet();
    EXPECT_EQ(interval->text(), QStringLiteral("0"));
    typeInterval("86400");
    ok();
    EXPECT_EQ(settings.get(keys::PresenceInterval), 86400);
}

TEST_F(InterfacePresenceSettingsTest, TheBroadcastQuestionCanBeTurnedBackOn)
{
    // The user said "Do not ask again" at some send.
    settings.set(keys::AskBeforeBroadcast, 0);
    openSheet();
    EXPECT_FALSE(askBroadcast->isChecked());
    QTest::mouseClick(askBroadcast, Qt::LeftButton);
    ok();
    EXPECT_EQ(settings.get(keys::AskBeforeBroadcast), 1);

    openSheet();
    EXPECT_TRUE(askBroadcast->isChecked());
    QTest::mouseClick(askBroadcast, Qt::LeftButton);
    ok();
    EXPECT_EQ(settings.get(keys::AskBeforeBroadcast), 0);
}

} // namespace
} // namespace tq
