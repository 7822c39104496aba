#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QMetaType>
#include <QString>

namespace tq {

// One station to ask whether it listens: a host name or dotted address, and a TCP port.
struct ProbeTarget {
    QString host;
    int port = 0;

    friend bool operator==(const ProbeTarget &, const ProbeTarget &) = default;
};

enum class ProbeOutcome {
    Reachable, // a station answered with the length of the probe
    NoStation, // the connection was refused, or the answer was not the probe's length
    NoAnswer, // nothing answered in time (also a peer that accepts and stays silent)
    UnknownHost, // the name could not be resolved in time
};

// The stable word for an outcome, as the command line prints it; never translated.
QLatin1StringView probeOutcomeName(ProbeOutcome outcome);

struct ProbeResult {
    int index = -1; // position of the target in the list that was probed
    ProbeTarget target;
    QString address; // the dotted address that was probed; empty for an unknown host
    QString hostName; // from the reverse lookup, when one was asked for and answered in time
    ProbeOutcome outcome = ProbeOutcome::NoAnswer;
    int elapsedMs = 0;
};

struct ProbeOptions {
    int concurrency = 64; // probes under way at once
    int timeoutMs = 2000; // per target, from the moment its turn comes
    bool reverseLookup = false;
    int nameTimeoutMs = 1000; // how long a reachable station waits for its host name

    // Probing named stations from the command line.
    static ProbeOptions forProbe() { return {}; }
    // The address book's regular look at who is there.
    static ProbeOptions forPresence() { return {32, 2000, false, 1000}; }
    // Finding the stations of an address range, with their host names.
    static ProbeOptions forScan() { return {256, 1500, true, 1000}; }
};

} // namespace tq

Q_DECLARE_METATYPE(tq::ProbeResult)
