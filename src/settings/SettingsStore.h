#pragma once

#include "settings/SettingsKeys.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tq {

// The per-user settings store: sections of named integer and string values.
// Every operation opens the store, reads or writes one thing and closes it again, so reads
// from worker threads are safe while the user-interface thread writes, and a value written
// by one part of the program is seen by the next reader at once.
// Section and entry names match without regard to case; a section name may hold '\\' to
// denote a deeper section ("AddressBook\\Friends").
class SettingsStore {
public:
    // The user's store: "$XDG_CONFIG_HOME/Tarquel International/TarquelMessenger.conf".
    SettingsStore();
    explicit SettingsStore(QString filePath);

    static QString defaultFilePath();
    const QString &filePath() const { return m_filePath; }

    // The store's four operations. A missing section or entry, or an integer entry that holds
    // something else, gives the default.
    int GetProfileInt(const QString &section, const QString &entry, int defaultValue) const;
    QString GetProfileString(const QString &section, const QString &entry, const QString &defaultValue = {}) const;
    bool WriteProfileInt(const QString &section, const QString &entry, int value);
    // A null value (std::nullopt) deletes the entry; the section exists afterwards either way.
    bool WriteProfileString(const QString &section, const QString &entry, const std::optional<QString> &value);

    // The same through the key table.
    int get(const IntSetting &key) const;
    QString get(const StringSetting &key) const;
    bool set(const IntSetting &key, int value);
    bool set(const StringSetting &key, const QString &value);

    struct Entry {
        QString name;
        QString value;
    };
    // Entries of a section with their string values, and its sub-sections, in stored order.
    QList<Entry> entries(const QString &section) const;
    QStringList subSections(const QString &section) const;
    bool sectionExists(const QString &section) const;
    // Makes sure the section exists, even while it holds no entry.
    bool createSection(const QString &section);
    bool deleteEntry(const QString &section, const QString &entry);
    // Deletes the section with everything below it.
    bool deleteSection(const QString &section);

private:
    QString m_filePath;
};

// "TCP Port" when it names a port (1 to 65535), else its default: a number out of range would
// otherwise wrap into some other port.
int tcpPort(const SettingsStore &store);
// "UDP Port", or the TCP port when "UDP Port" is 0 or names no port.
int effectiveUdpPort(const SettingsStore &store);

// A port setting whose stored number names no port, so that its default is in use.
struct PortSettingFault {
    const char *entry; // "TCP Port" or "UDP Port"
    int stored;
    int used;
};
QList<PortSettingFault> portSettingFaults(const SettingsStore &store);

// "DeadFileName"; its default follows the application-data folder of the current run.
QString deadFileName(const SettingsStore &store, const QString &appDataDir);

// The POP3 passwords are kept with every character code XORed with 0x5A; the same
// operation turns the stored text back into the password.
QString scramblePassword(const QString &text);
QString readPassword(const SettingsStore &store, const StringSetting &key);
bool writePassword(SettingsStore &store, const StringSetting &key, const QString &password);

} // namespace tq
