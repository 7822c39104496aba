#include "prefs/FieldCheck.h"

#include "res/StringTable.h"

namespace tq {
namespace {

FieldProblem rangeProblem(PrefField field, qint64 min, qint64 max)
{
    return {field, tqFormat(Sid::PromptIntegerRange, static_cast<int>(min), static_cast<int>(max))};
}

} // namespace

std::optional<quint32> parseUnsignedField(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong value = trimmed.toULongLong(&ok);
    if (!ok || value > 0xffffffffULL)
        return std::nullopt;
    return static_cast<quint32>(value);
}

std::optional<FieldProblem> checkUnsignedRange(PrefField field, const QString &text, quint32 min, quint32 max)
{
    const std::optional<quint32> value = parseUnsignedField(text);
    if (!value || *value < min || *value > max)
        return rangeProblem(field, min, max);
    return std::nullopt;
}

std::optional<FieldProblem> checkIntRange(PrefField field, int value, int min, int max)
{
    if (value < min || value > max)
        return rangeProblem(field, min, max);
    return std::nullopt;
}

std::optional<FieldProblem> checkMaxLength(PrefField field, const QString &text, int maxLength)
{
    if (text.size() > maxLength)
        return FieldProblem{field, tqFormat(Sid::PromptMaxCharacters, maxLength)};
    return std::nullopt;
}

} // namespace tq
