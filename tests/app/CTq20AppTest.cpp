#include "app/CTq20App.h"

#include "app/MainFrameFixture.h"
#include "support/Files.h"

#include <QFileInfo>

#include <QSignalSpy>
#include <QSysInfo>

namespace tq {
namespace {

class CTq20AppTest : public test::MainFrameFixture {
protected:
    AppServices services() { return {&prompter, &sound, &tray, &clock}; }
};

TEST_F(CTq20AppTest, FirstStartWritesTheNamesAndListensAndCloseAskTwoEndsTheProgramAndTheListener)
{
    CTq20App app({}, services());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.settings().get(keys::FirstStart), 1);
    EXPECT_FALSE(app.settings().get(keys::FullName).isEmpty());
    EXPECT_EQ(app.settings().get(keys::SystemName), QSysInfo::machineHostName());
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_TRUE(tray.shown);
    ASSERT_TRUE(test::waitUntil([&] { return accepts(); }));

    app.settings().set(keys::CloseAsk, 2);
    QSignalSpy ended(&app, &CTq20App::ended);
    app.mainFrame()->close();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_FALSE(accepts());
}

TEST_F(CTq20AppTest, ASecondLaunchRestoresTheFirstWindowAndEnds)
{
    CTq20App first({}, services());
    ASSERT_TRUE(first.InitInstance());
    first.mainFrame()->minimizeToTray();
    ASSERT_FALSE(first.mainFrame()->isVisible());

    test::RecordingTrayIcon secondTray;
    CTq20App second({}, {&prompter, &sound, &secondTray, &clock});
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.mainFrame(), nullptr) << "the second process creates nothing";
    EXPECT_FALSE(secondTray.shown);
    EXPECT_TRUE(test::waitUntil([&] { return first.mainFrame()->isVisible(); }));
}

TEST_F(CTq20AppTest, LaunchedMinimisedShowsOnlyTheTrayIconOrAMinimisedWindow)
{
    {
        CTq20App app({true}, services());
        ASSERT_TRUE(app.InitInstance());
        EXPECT_FALSE(app.mainFrame()->isVisible());
        EXPECT_TRUE(tray.shown);
        tray.activate(TrayIcon::Activation::Click);
        EXPECT_TRUE(app.mainFrame()->isVisible());
    }
    tray.available = false;
    CTq20App app({true}, services());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_TRUE(app.mainFrame()->isMinimized());
}

TEST_F(CTq20AppTest, AnUnusableSettingsFileIsToldOnceAndNeverWrittenOver)
{
    const QString path = SettingsStore::defaultFilePath();
    const QByteArray notSettings("\x89PNG\r\n\x1a\n\0\0\0\rIHDR [not settings\xff\xfe", 28);
    const auto isTheNotice = [&](const test::RecordingPrompter::Box &box) {
        return box.text.contains(path) && box.text.contains(QStringLiteral("default"));
    };
    // Not INI at all; then no access to it (a folder in its place).
    for (const bool folder : {false, true}) {
        prompter.boxes.clear();
        QFile::remove(path);
        if (folder)
            ASSERT_TRUE(QDir().mkpath(path));
        else
            ASSERT_TRUE(test::writeFile(path, notSettings));
        {
            CTq20App app({}, services());
            ASSERT_TRUE(app.InitInstance());
            EXPECT_EQ(tcpPort(app.settings()), 7777) << "the defaults are in use";
            ASSERT_TRUE(test::waitUntil(
                [&] { return std::any_of(prompter.boxes.begin(), prompter.boxes.end(), isTheNotice); }));
            // First-run names were written at start; preferences and the placement are written now.
            EXPECT_EQ(app.settings().get(keys::FirstStart), 1);
            app.settings().set(keys::FullName, QStringLiteral("Changed in this run"));
            app.settings().set(keys::CloseAsk, 2);
            app.mainFrame()->close();
        }
        EXPECT_EQ(std::count_if(prompter.boxes.begin(), prompter.boxes.end(), isTheNotice), 1);
        if (folder) {
            EXPECT_TRUE(QFileInfo(path).isDir());
        } else {
            EXPECT_EQ(test::readFile(path), notSettings);
        }
        QDir(path).removeRecursively();
    }
}

} // namespace
} // namespace tq
