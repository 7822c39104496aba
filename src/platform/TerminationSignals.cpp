#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace tq {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Read by the handler, which may run on any thread at any moment.
std::atomic<int> g_writeEnd{-1};

extern "C" void onTerminationSignal(int signalNumber)
{
    // Only async-signal-safe calls here: one byte naming the signal goes down the pipe. A full
    // pipe already holds a request, so a lost byte loses nothing.
    const int savedErrno = errno;
    const int fd = g_writeEnd.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

sigset_t terminationSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signalNumber : kSignals)
        sigaddset(&set, signalNumber);
    return set;
}

} // namespace

void TerminationSignals::holdUntilTakenOver()
{
    const sigset_t set = terminationSet();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_readEnd.reset(ends[0]);
    m_writeEnd.reset(ends[1]);
    g_writeEnd.store(m_writeEnd.get());

    struct sigaction action { };
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kSignals)
        ::sigaction(signalNumber, &action, nullptr);

    m_notifier = new QSocketNotifier(m_readEnd.get(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::onReadable);
    // A signal held back since the start arrives now, through the handler. Threads started
    // before keep them held, so they come to this one.
    const sigset_t set = terminationSet();
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (const int signalNumber : kSignals)
        ::signal(signalNumber, SIG_DFL);
    g_writeEnd.store(-1);
}

void TerminationSignals::onReadable()
{
    unsigned char bytes[16];
    const ssize_t count = ::read(m_readEnd.get(), bytes, sizeof bytes);
    // Several signals before the loop came round ask for the same thing once.
    if (count > 0)
        Q_EMIT terminationRequested(bytes[count - 1]);
}

} // namespace tq
