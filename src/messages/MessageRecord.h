#pragma once

#include <QByteArray>
#include <QString>

namespace tq {

// One received message held in memory. Text and sender are the bytes as they came; only the
// display decodes them.
struct MessageRecord {
    // The arrival stamp (date, ", ", time), CR LF, then the message text unchanged.
    QByteArray text;
    // systemName, '/', senderAddress: also the reply destination.
    QByteArray sender;
    // The message file that holds this message; empty when it was not stored.
    QString filePath;
    bool highImportance = false;
    // The messages that arrive while the program runs are numbered from 1 on; one loaded from
    // its file has 0. Its file is written in the background and named here once it exists.
    quint64 arrival = 0;
    // Given by the list when the record joins it, never twice in one list's life: what a
    // caller compares to learn whether the shown record is still the one it was, after
    // something (a question box's event loop, say) may have changed the list.
    quint64 serial = 0;
};

} // namespace tq
