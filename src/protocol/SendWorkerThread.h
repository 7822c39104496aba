#pragma once

#include <thread>

namespace tq {

class SendLedger;

// One of a send task's worker threads. It takes exchanges from the ledger's queue, up to
// `capacity` at a time, and drives them with poll() until none is left, the deadline passes
// or the task wakes it to stop. The exchanges it holds, and their sockets, are its own.
class SendWorkerThread {
public:
    SendWorkerThread(SendLedger &ledger, int capacity);
    ~SendWorkerThread();
    SendWorkerThread(const SendWorkerThread &) = delete;
    SendWorkerThread &operator=(const SendWorkerThread &) = delete;

    // Throws std::system_error when no thread can be had.
    void start();
    void join();

    // The work of one worker thread, in the calling thread.
    static void drive(SendLedger &ledger, int capacity);

private:
    SendLedger &m_ledger;
    const int m_capacity;
    std::jthread m_thread;
};

} // namespace tq
