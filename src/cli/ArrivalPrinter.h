#pragma once

#include "messages/MessageRecord.h"
#include "protocol/ReceivedData.h"

#include <QDateTime>
#include <QObject>

#include <vector>

namespace tq {
class MessageStation;
}

namespace tq::cli {

class CommandOutput;

// Prints each message the station accepts: the readable form, or one JSON object a line.
// A burst is printed once its files are on disk, so that the JSON names them.
class ArrivalPrinter : public QObject {
    Q_OBJECT
public:
    ArrivalPrinter(MessageStation &station, CommandOutput &output, bool json);

    // Prints what has arrived and is not printed yet, its files written first.
    void flush();

private:
    struct Arrival {
        MessageRecord record;
        Transport transport;
        QDateTime at;
    };
    void print(const Arrival &arrival);

    MessageStation &m_station;
    CommandOutput &m_output;
    const bool m_json;
    std::vector<Arrival> m_pending;
};

} // namespace tq::cli
