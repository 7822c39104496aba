#include "cli/ProbeJson.h"

#include "cli/ProbeTargetArgument.h"

namespace tq::cli {

QJsonObject probeResultJson(const ProbeResult &result)
{
    return {
        {QStringLiteral("target"), targetText(result.target)},
        {QStringLiteral("host"), result.target.host},
        {QStringLiteral("port"), result.target.port},
        {QStringLiteral("address"), result.address},
        {QStringLiteral("outcome"), QString(probeOutcomeName(result.outcome))},
        {QStringLiteral("elapsedMs"), result.elapsedMs},
    };
}

QJsonObject foundStationJson(const ProbeResult &result)
{
    return {
        {QStringLiteral("address"), result.address},
        {QStringLiteral("hostName"), result.hostName},
        {QStringLiteral("port"), result.target.port},
    };
}

} // namespace tq::cli
