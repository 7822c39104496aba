#pragma once

#include "addressbook/DestinationList.h"

#include <QString>

#include <optional>

namespace tq {

// Completion of the destination field while the user types. The field reports each key press
// and each edit of its text; the answer says what the field shows afterwards.
class DestinationCompleter {
public:
    enum class Key { Delete, Backspace, Other };

    struct Completion {
        qsizetype entryIndex = -1; // the entry to select
        QString text; // the field's new text, the entry's full text
        int selectionStart = 0; // the characters added behind the typed ones are selected,
        int selectionLength = 0; // so that typing on replaces them
    };

    // Delete and Backspace turn completion off until the next other key, so that removing a
    // completed tail does not bring it straight back.
    void keyPressed(Key key) { m_complete = key == Key::Other; }
    // None: the field keeps the text as edited.
    std::optional<Completion> textEdited(const QString &text, const DestinationList &list) const;

    // The completion of `typed` against the list, whatever key came before.
    static std::optional<Completion> complete(const QString &typed, const DestinationList &list);

private:
    bool m_complete = false;
};

} // namespace tq
