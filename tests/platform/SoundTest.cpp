#include "platform/CanberraSoundPlayer.h"
#include "platform/ProgramFolders.h"
#include "platform/SoundRequest.h"

#include "support/Files.h"
#include "support/QtPrinters.h"
#include "support/SignalWaiter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

TEST(SoundRequestTest, SystemSoundsOwnSoundsAndChosenFiles)
{
    const SoundRequest named = soundRequestFor(u"MailBeep"_s, {u"/opt/tq"_s});
    EXPECT_EQ(named.eventId, "message-new-email"_ba);
    EXPECT_TRUE(named.filePath.isEmpty());

    QTemporaryDir programDir;
    QFile own(programDir.filePath(u"receive.wav"_s));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    const SoundRequest byDefault = soundRequestFor(u"receive.wav"_s, {programDir.path()});
    EXPECT_EQ(byDefault.filePath, own.fileName());
    // The desktop's arrival sound where its theme has one, the program's own otherwise.
    EXPECT_EQ(byDefault.eventId, "message-new-instant"_ba);

    const SoundRequest chosen = soundRequestFor(u"/home/ann/ding.wav"_s, {programDir.path()});
    EXPECT_EQ(chosen.filePath, u"/home/ann/ding.wav"_s);
    EXPECT_TRUE(chosen.eventId.isEmpty()) << "a file the user chose is not replaced by the theme";
    // A bare name that is not beside the program is looked for in the working folder.
    EXPECT_EQ(resolveSoundFile(u"other.wav"_s, {programDir.path()}), QDir::current().absoluteFilePath(u"other.wav"_s));
}

TEST(SoundRequestTest, AnInstalledProgramFindsItsSoundInTheSharedDataFolder)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(u"bin"_s) && QDir(prefix.path()).mkpath(u"share/tarquel-messenger"_s));
    const QString installed = prefix.filePath(u"share/tarquel-messenger/receive.wav"_s);
    ASSERT_TRUE(test::writeFile(installed, "RIFF"));
    EXPECT_EQ(resolveSoundFile(u"receive.wav"_s, programDataFolders(prefix.filePath(u"bin"_s))), installed);

    // A sound beside the program, as a build leaves it, comes first.
    const QString beside = prefix.filePath(u"bin/receive.wav"_s);
    ASSERT_TRUE(test::writeFile(beside, "RIFF"));
    EXPECT_EQ(resolveSoundFile(u"receive.wav"_s, programDataFolders(prefix.filePath(u"bin"_s))), beside);
}

TEST(SoundRequestTest, BuildPutsTheOwnSoundBesideTheProgram)
{
    const QString path = resolveSoundFile(u"receive.wav"_s, {QStringLiteral(TQ_PROGRAM_DIR)});
    EXPECT_EQ(path, QDir(QStringLiteral(TQ_PROGRAM_DIR)).filePath(u"receive.wav"_s));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(44);
    EXPECT_TRUE(header.startsWith("RIFF") && header.mid(8, 8) == "WAVEfmt ");
}

TEST(CanberraSoundPlayerTest, UnplayableSoundFallsBackToTheBeepWithoutHoldingTheCaller)
{
    int beeps = 0;
    CanberraSoundPlayer player([&beeps] { ++beeps; }, {QDir::tempPath()});
    const auto before = std::chrono::steady_clock::now();
    player.play(u"/nonexistent/sound.wav"_s, SoundPlayer::Fallback::Beep);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
    ASSERT_TRUE(test::waitUntil([&] { return beeps == 1; }, 10000));

    // Without the beep asked for, a failure stays silent.
    ASSERT_TRUE(test::waitUntil([&] { return player.isIdle(); }, 10000));
    player.play(u"/nonexistent/sound.wav"_s, SoundPlayer::Fallback::None);
    ASSERT_TRUE(test::waitUntil([&] { return player.isIdle(); }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(beeps, 1);
}

} // namespace
} // namespace tq
