#pragma once

#include "platform/UniqueFd.h"

namespace tq {

// An eventfd that a worker polls beside its sockets, so that another thread can wake it out
// of any blocking wait. Once signalled it stays readable: the worker is meant to end.
class WakeupEvent {
public:
    WakeupEvent();
    int fd() const { return m_fd.get(); }
    bool valid() const { return m_fd.valid(); }
    void signal();
    bool isSignalled() const;

private:
    UniqueFd m_fd;
};

} // namespace tq
