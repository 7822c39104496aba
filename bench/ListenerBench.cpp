// One-packet connections per second through the TCP listener on loopback: each client
// connects, sends one typical packet, reads the length answer and closes, over and over.
// The packets are handed to this program's event loop, as to the real view.
#include "BenchSupport.h"

#include "protocol/CReceiveThread.h"
#include "protocol/KeepTicket.h"
#include "protocol/MessagePacket.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

using tq::bench::exchange;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 3;
    const int clients = argc > 2 ? std::atoi(argv[2]) : 4;

    QByteArray text("Message from Ann to Bob.\r\n\r\n");
    text.append(900, 'x');
    const QByteArray packet = tq::BuildStreamPacket({{}, text, "ANN", '0', "ann@example.org"}, "127.0.0.1", 7777);

    tq::CReceiveThread listener(0);
    std::atomic<long> handedOver{0};
    QObject::connect(&listener, &tq::CReceiveThread::incomingMessage, &app,
                     [&](tq::Transport, const tq::ReceivedData &) { ++handedOver; });
    // The bare listener: each packet is kept the moment it is handed over.
    QObject::connect(
        &listener, &tq::CReceiveThread::incomingMessage, &app,
        [](tq::Transport, const tq::ReceivedData &data) { data.ticket->kept(); }, Qt::DirectConnection);
    listener.start();
    while (listener.boundPort() == 0)
        QThread::msleep(1);
    const int port = listener.boundPort();

    std::atomic<bool> stop{false};
    std::atomic<long> answered{0};
    std::atomic<long> failed{0};
    std::vector<std::thread> workers;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < clients; ++i) {
        workers.emplace_back([&] {
            while (!stop)
                (exchange(port, packet) ? answered : failed)++;
        });
    }
    while (timer.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    stop = true;
    for (auto &worker : workers)
        worker.join();
    const double elapsed = timer.elapsed() / 1000.0;
    while (handedOver < answered)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    listener.stop();

    std::printf("listener: %ld one-packet connections in %.2f s with %d clients = %.0f connections/s "
                "(%ld failed; all %ld handed to the event loop)\n",
                answered.load(), elapsed, clients, answered / elapsed, failed.load(), handedOver.load());
    return failed == 0 ? 0 : 1;
}
