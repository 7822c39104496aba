#include "prefs/BrowseRules.h"

#include <QFileInfo>
#include <QStringList>

namespace tq {
namespace {

struct FilterEntry {
    QString description;
    QStringList patterns;
};

QString everyFile(const QString &pattern)
{
    return pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
}

QString dialogEntry(const FilterEntry &entry)
{
    // The dialog reads the patterns from the parentheses of the description, so these name
    // the patterns the dialog really applies.
    QString description = entry.description;
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0)
        description.truncate(open);
    description = description.trimmed();
    return description + QStringLiteral(" (") + entry.patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace

QString browseInitialName(const QString &fieldText, const QString &fallback)
{
    const QFileInfo file(fieldText);
    return !fieldText.isEmpty() && file.isFile() ? fieldText : fallback;
}

QString dialogFileFilter(const QString &tableFilter)
{
    const QStringList parts = tableFilter.split(QLatin1Char('|'));
    QList<FilterEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            break;
        FilterEntry entry{parts.at(i), {}};
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            entry.patterns.append(everyFile(pattern.trimmed()));
        entries.append(entry);
    }

    const auto isPrograms = [](const FilterEntry &entry) {
        return entry.patterns.size() == 1
            && entry.patterns.first().compare(QLatin1String("*.exe"), Qt::CaseInsensitive) == 0;
    };
    const auto isEverything = [](const FilterEntry &entry) { return entry.patterns.contains(QLatin1String("*")); };
    const bool hidesPrograms = !entries.isEmpty() && isPrograms(entries.first());
    if (hidesPrograms) {
        for (qsizetype i = 1; i < entries.size(); ++i) {
            if (isEverything(entries.at(i))) {
                entries.move(i, 0);
                break;
            }
        }
    }

    QStringList result;
    for (const FilterEntry &entry : entries)
        result.append(dialogEntry(entry));
    return result.join(QLatin1String(";;"));
}

QString withDefaultSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace tq
