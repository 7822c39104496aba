#pragma once

#include "platform/UniqueFd.h"

#include <QObject>

class QSocketNotifier;

namespace tq {

// SIGTERM, SIGINT and SIGHUP as a Qt signal on the thread that made this object: an ending
// session or a closed terminal then ends the program as Exit does, with every received
// message written and the window placement saved. One object at a time; its destructor
// gives the signals back their default action.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);

    // Holds the signals back from the very start of the program (the first call of main(),
    // before any thread): one that comes before this object exists then waits for it instead
    // of ending the program on the spot, and is delivered as soon as it is made.
    static void holdUntilTakenOver();
    ~TerminationSignals() override;

    // False when the signals could not be taken over; they then keep their default action.
    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void onReadable();

    UniqueFd m_readEnd;
    UniqueFd m_writeEnd;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace tq
