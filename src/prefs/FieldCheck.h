#pragma once

#include <QString>

#include <optional>

namespace tq {

// The fields of the preference pages that have a rule beyond "any text".
enum class PrefField {
    Signature,
    Port,
    Delay,
    MailCheckingTime,
    UserName1,
    UserName2,
    Password1,
    Password2,
    PresenceInterval,
};

// A value the page refuses: which field, and the prompt the user sees before the focus goes
// back into it.
struct FieldProblem {
    PrefField field;
    QString prompt;

    friend bool operator==(const FieldProblem &, const FieldProblem &) = default;
};

// The digits of an unsigned field; none for an empty text, anything but digits, or a value
// beyond what an unsigned 32-bit number holds.
std::optional<quint32> parseUnsignedField(const QString &text);

std::optional<FieldProblem> checkUnsignedRange(PrefField field, const QString &text, quint32 min, quint32 max);
std::optional<FieldProblem> checkIntRange(PrefField field, int value, int min, int max);
std::optional<FieldProblem> checkMaxLength(PrefField field, const QString &text, int maxLength);

} // namespace tq
