#pragma once

#include <QString>

namespace tq {

// Identifiers of the mail icons in the tray; the first two also name the mailboxes.
inline constexpr int kFirstMailbox = 111;
inline constexpr int kSecondMailbox = 112;
inline constexpr int kMailErrorIcon = 113;

// The three mail icons of the tray, behind one small interface: the main frame puts them into
// the real tray, tests record what was asked.
class MailTray {
public:
    virtual ~MailTray() = default;
    // Adds the icon `id` (111, 112 or 113) with `tip`, or changes the tip of the one shown.
    virtual void showMailIcon(int id, const QString &tip) = 0;
    // Removing an icon that is not shown does nothing.
    virtual void removeMailIcon(int id) = 0;
};

} // namespace tq
