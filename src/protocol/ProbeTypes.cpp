#include "protocol/ProbeTypes.h"

namespace tq {

QLatin1StringView probeOutcomeName(ProbeOutcome outcome)
{
    switch (outcome) {
    case ProbeOutcome::Reachable:
        return QLatin1StringView("reachable");
    case ProbeOutcome::NoStation:
        return QLatin1StringView("no station");
    case ProbeOutcome::NoAnswer:
        return QLatin1StringView("no answer");
    case ProbeOutcome::UnknownHost:
        return QLatin1StringView("unknown host");
    }
    return QLatin1StringView("no answer");
}

} // namespace tq
