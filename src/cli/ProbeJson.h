#pragma once

#include "protocol/ProbeTypes.h"

#include <QJsonObject>

namespace tq::cli {

// One probed target: its text, host, port, the address probed, the outcome word and the time.
QJsonObject probeResultJson(const ProbeResult &result);
// One station a scan found: address, host name (empty when none was found) and port.
QJsonObject foundStationJson(const ProbeResult &result);

} // namespace tq::cli
