#include "cli/ArrivalPrinter.h"

#include "cli/CommandOutput.h"
#include "messages/MessageTextForms.h"
#include "station/MessageStation.h"

#include <QJsonDocument>

namespace tq::cli {

ArrivalPrinter::ArrivalPrinter(MessageStation &station, CommandOutput &output, bool json)
    : m_station(station)
    , m_output(output)
    , m_json(json)
{
    connect(&m_station, &MessageStation::messageArrivedBy, this,
            [this](Transport transport, const MessageRecord &record) {
                m_pending.push_back({record, transport, QDateTime::currentDateTime()});
            });
    connect(&m_station, &MessageStation::arrivalsSettled, this, &ArrivalPrinter::flush);
}

void ArrivalPrinter::flush()
{
    if (m_pending.empty())
        return;
    m_station.flushFiles();
    // The records named their files once they were written; one that left the list since
    // keeps what it had.
    for (Arrival &arrival : m_pending) {
        for (const MessageRecord &record : m_station.messages()) {
            if (record.serial == arrival.record.serial)
                arrival.record.filePath = record.filePath;
        }
        print(arrival);
    }
    m_pending.clear();
}

void ArrivalPrinter::print(const Arrival &arrival)
{
    if (!m_json) {
        QString text = readableMessageForTerminal(arrival.record);
        text.chop(1); // the line itself ends it
        m_output.line(text);
        return;
    }
    QJsonObject object = messageJson(arrival.record, arrival.at);
    object.insert(QStringLiteral("transport"),
                  arrival.transport == Transport::Udp ? QStringLiteral("udp") : QStringLiteral("tcp"));
    m_output.line(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

} // namespace tq::cli
