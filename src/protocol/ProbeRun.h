#pragma once

#include "protocol/HostResolver.h"
#include "protocol/ProbeTypes.h"
#include "protocol/ReverseNameLookup.h"

#include <QList>

#include <functional>

namespace tq {

// Probes a list of targets from one poll loop on the calling thread: at most
// `concurrency` exchanges under way, each with its own deadline, results handed over as
// they are known (not in list order). A reachable station waits for its host name when the
// options ask for one, without holding a place among the exchanges.
class ProbeRun {
public:
    using ResultHandler = std::function<void(const ProbeResult &)>;

    ProbeRun(QList<ProbeTarget> targets, ProbeOptions options);

    void setResolver(HostResolver resolver) { m_resolver = std::move(resolver); }
    void setNameLookup(ReverseNameLookup::Lookup lookup) { m_nameLookup = std::move(lookup); }
    int targetCount() const { return static_cast<int>(m_targets.size()); }

    // Blocks until every target has its result, or until `wakeupFd` becomes readable (then
    // the exchanges under way are dropped and the rest never begin). Returns false when it
    // was woken.
    bool run(const ResultHandler &onResult, int wakeupFd = -1);

private:
    QList<ProbeTarget> m_targets;
    ProbeOptions m_options;
    HostResolver m_resolver;
    ReverseNameLookup::Lookup m_nameLookup;
};

} // namespace tq
