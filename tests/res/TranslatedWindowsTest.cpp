// The real windows show the desktop's language: German on a German desktop, the built-in
// English on one that names no language. Texts from the string table, from Designer forms,
// from tr() and from Qt itself.
#include "res/DesktopLanguage.h"

#include "app/MainFrameFixture.h"
#include "mail/MailAnnouncer.h"
#include "mail/MailCounts.h"
#include "mail/RecordingMailTray.h"
#include "prefs/CMyPropertySheet.h"
#include "settings/AppDataDir.h"

#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

namespace tq {
namespace {

using test::inDesktopLanguage;

TEST(DesktopLanguage, TheProgramTakesTheDesktopsLanguage)
{
    EXPECT_EQ(test::desktopLanguage().installed, test::desktopLanguage().named);
}

class TranslatedMainFrameTest : public test::MainFrameFixture { };

TEST_F(TranslatedMainFrameTest, MenusToolTipsAndTheTrayMenu)
{
    const auto frame = makeFrame();
    const auto *message = frame->menuBar()->findChild<QMenu *>(QStringLiteral("messageMenu"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->title(), inDesktopLanguage("&Nachricht", "&Message"));
    EXPECT_EQ(action(*frame, "actionAddressBook")->text(), inDesktopLanguage("&Adressbuch...", "Address &Book..."));
    EXPECT_EQ(action(*frame, "actionExit")->text(), inDesktopLanguage("&Beenden", "E&xit"));
    EXPECT_EQ(action(*frame, "actionPreferences")->statusTip(),
              inDesktopLanguage("Ändert die Einstellungen des Programms", "Change the program's settings"));
    EXPECT_EQ(action(*frame, "actionDelete")->text(), inDesktopLanguage("&Löschen\tAlt+Entf", "&Delete\tAlt+Del"));
    EXPECT_EQ(action(*frame, "actionRestore")->text(), inDesktopLanguage("&Wiederherstellen", "&Restore"));
}

class TranslatedPreferencesTest : public test::IsolatedHome {
protected:
    SettingsStore settings;
    test::RecordingPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingShell shell;
    test::RecordingMailTray tray;
    MailAnnouncer announcer{tray, sound};
    MailCounts counts;
};

TEST_F(TranslatedPreferencesTest, PageTitlesFormsAndQtsOwnButtons)
{
    CMyPropertySheet sheet(PrefsContext{settings, prompter, sound, shell, announcer, counts, QFont(), QFont(),
                                        AppDataDir::path(), "10.0.0.1"},
                           CMyPropertySheet::GeneralPage);
    sheet.show();
    EXPECT_EQ(sheet.windowTitle(), inDesktopLanguage("Einstellungen", "Preferences"));

    const auto *pages = sheet.findChild<QTabWidget *>(QStringLiteral("preferencePages"));
    ASSERT_NE(pages, nullptr);
    QStringList titles;
    for (int i = 0; i < pages->count(); ++i)
        titles.append(pages->tabText(i));
    EXPECT_EQ(
        titles,
        inDesktopLanguage("Allgemein|Oberfläche|Filter|E-Mail", "General|Interface|Filtering|E-mail").split(u'|'));

    // A label of the General page's Designer form, found by the field it names.
    const auto *fullName = sheet.findChild<QLineEdit *>(QStringLiteral("fullNameEdit"));
    const QLabel *label = nullptr;
    for (const QLabel *candidate : sheet.findChildren<QLabel *>()) {
        if (candidate->buddy() == fullName)
            label = candidate;
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), inDesktopLanguage("Ihr vollständiger &Name:", "&Your Full Name:"));

    // Qt's own button text comes from Qt's translation, where it is installed.
    const QString qtGerman = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
    const auto *cancel = sheet.findChild<QPushButton *>(QStringLiteral("cancelButton"));
    ASSERT_NE(cancel, nullptr);
    if (test::desktopLanguage().named.isEmpty() || QFile::exists(qtGerman)) {
        EXPECT_EQ(cancel->text().remove(u'&'), inDesktopLanguage("Abbrechen", "Cancel"));
    }
}

} // namespace
} // namespace tq
