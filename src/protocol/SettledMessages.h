#pragma once

#include "platform/UniqueFd.h"

#include <QtGlobal>

#include <mutex>
#include <utility>
#include <vector>

namespace tq {

// Where the tickets of a receiver's messages report back, from any thread: which message
// (the receiver's own number for it) was kept or not. The receiver polls fd() beside its
// sockets and takes the reports on its own thread. Outlives the receiver when tickets do.
class SettledMessages {
public:
    SettledMessages();
    int fd() const { return m_fd.get(); }

    void add(quint64 id, bool kept);
    // The reports since the last call; makes fd() quiet again.
    std::vector<std::pair<quint64, bool>> take();

private:
    UniqueFd m_fd;
    std::mutex m_mutex;
    std::vector<std::pair<quint64, bool>> m_reports;
};

} // namespace tq
