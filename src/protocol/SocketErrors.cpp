#include "protocol/SocketErrors.h"

#include <cerrno>

namespace tq {

std::optional<Sid> startupFailureMessage(int error, SocketStage stage)
{
    const bool create = stage == SocketStage::Create;
    const bool listen = stage == SocketStage::Listen;
    switch (error) {
    case EAFNOSUPPORT:
        return create ? std::optional(Sid::CriticalNoTcpIp) : std::nullopt;
    case ENETDOWN:
        return create || listen ? std::optional(Sid::CriticalNetworkDown) : std::nullopt;
    case EMFILE:
    case ENFILE:
        return create || listen ? std::optional(Sid::CriticalTooManySockets) : std::nullopt;
    case ENOBUFS:
    case ENOMEM:
        return Sid::CriticalNoBufferSpace;
    case EPROTONOSUPPORT:
        return create ? std::optional(Sid::CriticalProtocolNotConfigured) : std::nullopt;
    case EPROTOTYPE:
        return create ? std::optional(Sid::CriticalWrongProtocolType) : std::nullopt;
    case ESOCKTNOSUPPORT:
        return create ? std::optional(Sid::CriticalSocketTypeUnsupported) : std::nullopt;
    default:
        return std::nullopt;
    }
}

bool isPortBusyError(int error)
{
    return error == EADDRINUSE || error == EACCES;
}

} // namespace tq
