#include "addressbook/AddSenderCommands.h"

#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressBookStore.h"
#include "addressbook/RefreshAddressBook.h"
#include "addressbook/ReplyDestination.h"
#include "platform/Prompter.h"
#include "platform/SoundPlayer.h"
#include "res/StringTable.h"

namespace tq {

AddSenderCommands::AddSenderCommands(AddressBookStore &store, Prompter &prompter, SoundPlayer &sound)
    : m_store(store)
    , m_prompter(prompter)
    , m_sound(sound)
{
}

std::optional<QString> AddSenderCommands::AddSenderToGroup(const QString &sender, const QString &group)
{
    const QString name = sender.left(sender.indexOf(QLatin1Char('/')));
    const QString host = sender.mid(sender.lastIndexOf(QLatin1Char('/')) + 1);
    if (addressbook::hasForbiddenCharacter(name)) {
        addressbook::showForbiddenNameMessage(m_prompter);
        return std::nullopt;
    }
    // A station that sends no system name cannot be filed under one.
    if (name.isEmpty()) {
        m_sound.play(QStringLiteral("SystemQuestion"));
        return std::nullopt;
    }

    if (const std::optional<bool> active = m_store.FindUserFlag(group, name)) {
        const QByteArray utf8Name = name.toUtf8();
        const Prompter::Answer answer = m_prompter.message(
            tqString(Sid::UserAlreadyExistsCaption), tqFormat(Sid::UserAlreadyExists, utf8Name.constData()),
            Prompter::Icon::Question, Prompter::Buttons::YesNo, Prompter::Answer::Yes);
        if (answer == Prompter::Answer::Yes) {
            m_store.RemoveUser(group, name, *active);
            m_store.PutUserKeepState(group, name, host, *active);
        }
    } else {
        m_store.PutUser(group, name, host);
    }
    m_sound.play(QStringLiteral("CCSelect"));
    return replyDestination(sender);
}

std::optional<QString> AddSenderCommands::addToTopLevel(const QString &sender)
{
    return AddSenderToGroup(sender, addressbook::topLevelName());
}

std::optional<QString> AddSenderCommands::addToJunkSenders(const QString &sender)
{
    const QString junk = addressbook::junkSendersName();
    m_store.MarkGroupDeactivated(junk);
    return AddSenderToGroup(sender, junk);
}

std::optional<QString> AddSenderCommands::addToGroupItem(int commandId, const QString &sender)
{
    const qsizetype position = commandId - kFirstGroupCommand;
    const QList<GroupEntry> groups = m_store.ListGroups();
    if (position < 0 || position >= groups.size())
        return std::nullopt;
    return AddSenderToGroup(sender, groups[position].name);
}

} // namespace tq
