#pragma once

#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressBookStore.h"
#include "settings/SettingsStore.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

namespace tq::test {

// An address book in a real settings file in a fresh home, with the raw values at hand to check
// the layout other installations read.
class AddressBookFixture : public IsolatedHome {
protected:
    void put(const QString &group, const char *name, const char *host, bool active = true)
    {
        ASSERT_TRUE(book.PutUserKeepState(group, QString::fromUtf8(name), QString::fromUtf8(host), active));
    }
    // The section's values as "name=value".
    QStringList raw(const QString &section) const
    {
        QStringList names;
        for (const auto &entry : settings.entries(section))
            names.append(entry.name + QLatin1Char('=') + entry.value);
        return names;
    }

    SettingsStore settings;
    AddressBookStore book;
    const QString top = addressbook::topLevelName();
    const QString kBook = QStringLiteral("AddressBook");
};

} // namespace tq::test
