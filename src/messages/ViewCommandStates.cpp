#include "messages/ViewCommandStates.h"

namespace tq {

ViewCommandStates viewCommandStates(quint32 count, quint32 index, const EditTarget &focus, bool clipboardHasText)
{
    ViewCommandStates states;
    states.previous = count > 1 && index > 1;
    states.next = index < count;
    states.deleteMessage = count > 0;
    states.discardAll = count > 0;
    states.addSender = index > 0;
    if (focus.isEdit) {
        states.undo = focus.canUndo;
        states.cut = focus.hasSelection && !focus.readOnly;
        states.copy = focus.hasSelection;
        states.paste = clipboardHasText && !focus.readOnly;
        states.selectAll = focus.hasText;
    }
    return states;
}

} // namespace tq
