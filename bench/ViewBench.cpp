// The message view with 10 and with 10,000 stored messages: how long until the window is
// usable, and what one Previous/Next, one Delete and one RefreshCounters cost. The three must
// not grow with the length of the list.
#include "BenchSupport.h"

#include "messages/CTq20View.h"
#include "messages/MessageFiles.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/SoundPlayer.h"
#include "platform/TrayIcon.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"
#include "station/MessageStation.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace tq::bench;

// Each reading is ten seconds on, so the quiet time after an arrival never holds a Delete back.
class FastClock : public tq::Clock {
public:
    qint64 nowMs() const override { return m_now += 10000; }

private:
    mutable qint64 m_now = 0;
};

struct Figures {
    double startMs;
    double pageUs;
    double deleteUs;
    double refreshUs;
};

Figures measure(int count)
{
    QTemporaryDir home;
    tq::AppDataDir::setPathForTesting(home.path() + QStringLiteral("/"));
    const QString folder = tq::AppDataDir::messagesPath();
    QDir().mkpath(folder);
    const QDateTime start(QDate(2024, 1, 1), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        tq::WriteMessageFile('0', "PC", "PC/10.0.0.1",
                             "Monday, 1 January 2024, 10:00:00\r\nMessage " + QByteArray::number(i),
                             start.addMSecs(i * 1500LL), folder);
    }
    tq::SettingsStore settings(home.path() + QStringLiteral("/settings.conf"));
    settings.set(tq::keys::StoreAndLoad, 1);
    QuietPrompter prompter;
    SilentSound sound;
    NoTray tray;
    FastClock clock;

    Figures figures{};
    QElapsedTimer timer;
    timer.start();
    tq::MessageStation station(settings, sound, clock, tq::AppDataDir::path());
    tq::CTq20View view(station, settings, prompter, tray, clock);
    view.resize(305, 400);
    view.show();
    view.OnInitialUpdate();
    QCoreApplication::processEvents();
    figures.startMs = timer.nsecsElapsed() / 1e6;

    constexpr int kSteps = 2000;
    timer.restart();
    bool older = true;
    for (int i = 0; i < kSteps; ++i) {
        const quint32 before = station.messages().index();
        older ? view.ShowPreviousMessage() : view.ShowNextMessage();
        if (station.messages().index() == before) {
            older = !older;
            older ? view.ShowPreviousMessage() : view.ShowNextMessage();
        }
    }
    figures.pageUs = timer.nsecsElapsed() / 1e3 / kSteps;

    timer.restart();
    for (int i = 0; i < kSteps; ++i)
        view.RefreshCounters();
    figures.refreshUs = timer.nsecsElapsed() / 1e3 / kSteps;

    // Each Delete removes a record and its file; a new record takes its place, so the list
    // keeps its length.
    const int deletes = std::min(count, 500);
    qint64 deleteNs = 0;
    for (int i = 0; i < deletes; ++i) {
        timer.restart();
        view.DeleteCurrentMessage();
        deleteNs += timer.nsecsElapsed();
        tq::MessageRecord record;
        record.text = "stamp\r\nreplacement";
        record.sender = "PC/10.0.0.1";
        station.viewer().messages().appendNewest(record);
    }
    figures.deleteUs = deleteNs / 1e3 / deletes;
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const Figures small = measure(10);
    const Figures large = measure(10000);
    std::printf("view: window usable after %.1f ms with 10 messages, %.1f ms with 10,000\n", small.startMs,
                large.startMs);
    std::printf("view: per command with 10 / 10,000 messages: Previous/Next %.1f / %.1f us, Delete %.1f / %.1f us, "
                "RefreshCounters %.1f / %.1f us\n",
                small.pageUs, large.pageUs, small.deleteUs, large.deleteUs, small.refreshUs, large.refreshUs);
    return 0;
}
