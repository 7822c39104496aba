#include "addressbook/AddressBookNames.h"

#include "platform/Prompter.h"
#include "res/StringTable.h"

#include <QCoreApplication>

namespace tq::addressbook {

const QString &forbiddenCharacters()
{
    static const QString characters = QStringLiteral("\\/:*?\"<>|;");
    return characters;
}

bool hasForbiddenCharacter(const QString &name)
{
    for (const QChar c : name) {
        if (forbiddenCharacters().contains(c))
            return true;
    }
    return false;
}

void showForbiddenNameMessage(Prompter &prompter)
{
    prompter.message(tqString(Sid::ErrorRenamingItem), tqString(Sid::NameHasForbiddenCharacter), Prompter::Icon::Stop);
}

QString topLevelName()
{
    return tqString(Sid::OutsideAnyGroup);
}

bool isTopLevel(const QString &group)
{
    return group.isEmpty() || group == topLevelName();
}

QString junkSendersName()
{
    return QStringLiteral("Junk Senders");
}

std::optional<QString> defaultGroupName(const QStringList &taken)
{
    const auto isFree = [&taken](const QString &name) { return !taken.contains(name, Qt::CaseInsensitive); };
    const QString first = QCoreApplication::translate("tq", "My Group");
    if (isFree(first))
        return first;
    for (int n = 1; n <= 1023; ++n) {
        const QString name = tqFormat(Sid::MyGroupNumbered, n);
        if (isFree(name))
            return name;
    }
    return std::nullopt;
}

} // namespace tq::addressbook
