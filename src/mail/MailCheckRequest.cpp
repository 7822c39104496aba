#include "mail/MailCheckRequest.h"

#include "settings/SettingsStore.h"

namespace tq {

MailCheckRequest MailCheckRequest::make(const MailboxAccount &first, const MailboxAccount &second, bool useSecond,
                                        bool playSound)
{
    return {first, useSecond ? second : MailboxAccount{}, playSound};
}

MailSettingsCache MailSettingsCache::read(const SettingsStore &settings)
{
    return {{settings.get(keys::POP3Server1), settings.get(keys::UserName1), readPassword(settings, keys::P31)},
            {settings.get(keys::POP3Server2), settings.get(keys::UserName2), readPassword(settings, keys::P32)}};
}

MailCheckRequest backgroundCheckRequest(const MailSettingsCache &cache, const SettingsStore &settings)
{
    return MailCheckRequest::make(cache.first, cache.second, settings.get(keys::Use2POP3Servers) != 0,
                                  settings.get(keys::PlayMailSound) != 0);
}

MailCheckRequest checkNowRequest(const SettingsStore &settings)
{
    return backgroundCheckRequest(MailSettingsCache::read(settings), settings);
}

} // namespace tq
