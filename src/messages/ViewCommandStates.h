#pragma once

#include <QtGlobal>

namespace tq {

// The window that has the keyboard focus, as far as the edit commands care.
struct EditTarget {
    bool isEdit = false; // a text edit or line edit; every other window disables the edit commands
    bool readOnly = false;
    bool hasSelection = false;
    bool canUndo = false;
    bool hasText = false;
};

// Which of the view's commands are enabled.
struct ViewCommandStates {
    bool previous = false;
    bool next = false;
    bool deleteMessage = false;
    bool discardAll = false;
    bool addSender = false; // "Add sender to..." and its items: a message is on display
    bool undo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool selectAll = false;
};

ViewCommandStates viewCommandStates(quint32 count, quint32 index, const EditTarget &focus, bool clipboardHasText);

} // namespace tq
