// Start-up load of the stored messages against a plain read of the same files, measured side
// by side in one run (the load may take at most twice as long).
//   bench_message_store [count] [rounds]
//   bench_message_store --prepare-home HOME COUNT PORT   (a user's home for the memory figure)
#include "messages/MessageFiles.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

QByteArray typicalText(int i)
{
    QByteArray text("Monday, 1 January 2024, 10:00:00\r\nMessage from Ann Example to Bob.\r\n\r\n");
    text.append("Message number ").append(QByteArray::number(i)).append(".\r\n");
    while (text.size() < 400)
        text.append("The quick brown fox jumps over the lazy dog.\r\n");
    return text;
}

int writeMessages(const QString &folder, int count)
{
    QDir().mkpath(folder);
    const QDateTime start(QDate(2024, 1, 1), QTime(8, 0));
    int written = 0;
    for (int i = 0; i < count; ++i) {
        const QByteArray name = "PC" + QByteArray::number(i % 50);
        if (tq::WriteMessageFile(i % 20 ? '0' : '1', name, name + "/10.0.0." + QByteArray::number(i % 250 + 1),
                                 typicalText(i), start.addMSecs(i * 1500LL), folder))
            ++written;
    }
    return written;
}

// The floor: list the folder, open, read and close every message file, nothing else.
long long rawRead(const QByteArray &folder)
{
    long long bytes = 0;
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return -1;
    std::vector<char> buffer(64 * 1024);
    while (dirent *entry = ::readdir(dir)) {
        const size_t length = std::strlen(entry->d_name);
        if (length < 4 || std::strcmp(entry->d_name + length - 4, ".tqm") != 0)
            continue;
        const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        ssize_t got;
        while ((got = ::read(fd, buffer.data(), buffer.size())) > 0)
            bytes += got;
        ::close(fd);
    }
    ::closedir(dir);
    return bytes;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int prepareHome(const QString &home, int count, int port)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/data")));
    tq::SettingsStore store;
    store.set(tq::keys::StoreAndLoad, 1);
    store.set(tq::keys::TcpPort, port);
    store.set(tq::keys::FirstStart, 1);
    const QString folder = tq::AppDataDir::compute() + QStringLiteral("messages/");
    return writeMessages(folder, count) == count ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QLatin1String("--prepare-home"))
        return prepareHome(args[2], args[3].toInt(), args[4].toInt());

    const int count = args.size() > 1 ? args[1].toInt() : 10000;
    const int rounds = args.size() > 2 ? args[2].toInt() : 5;
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/messages/");
    if (writeMessages(folder, count) != count) {
        std::fprintf(stderr, "could not write %d message files\n", count);
        return 1;
    }

    std::vector<double> raw;
    std::vector<double> load;
    quint32 loaded = 0;
    // Alternating rounds, so both see the same cache and machine load.
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        if (rawRead(QFile::encodeName(folder)) <= 0)
            return 1;
        raw.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        tq::MessageList list;
        loaded = tq::LoadStoredMessages(list, false, folder).added;
        load.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double rawMs = median(raw);
    const double loadMs = median(load);
    std::printf("store: %d message files; raw read %.1f ms, LoadStoredMessages %.1f ms (%u records), "
                "ratio %.2f (median of %d rounds)\n",
                count, rawMs, loadMs, loaded, loadMs / rawMs, rounds);
    return loaded == static_cast<quint32>(count) ? 0 : 1;
}
