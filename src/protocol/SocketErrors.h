#pragma once

#include "res/StringTable.h"

#include <optional>

namespace tq {

// Where a receiver's start-up failed; each stage reports only some errors.
enum class SocketStage { Create, Bind, Listen };

// The critical message a receiver shows for `error` (an errno value) at `stage`, if any.
std::optional<Sid> startupFailureMessage(int error, SocketStage stage);

// The port is taken by another program (reported with code 3, not with a message box).
bool isPortBusyError(int error);

} // namespace tq
