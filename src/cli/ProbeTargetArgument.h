#pragma once

#include "protocol/ProbeTypes.h"

#include <QString>

#include <variant>

namespace tq::cli {

// A probe target as the command line takes it: "HOST" or "HOST:PORT", HOST a name or a
// dotted IPv4 address. Gives the target, or the message that says what is wrong with it.
std::variant<ProbeTarget, QString> parseProbeTarget(const QString &argument, int defaultPort);

// "host:port", as results name their target.
QString targetText(const ProbeTarget &target);

} // namespace tq::cli
