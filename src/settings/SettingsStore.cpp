#include "settings/SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

#include <limits>

namespace tq {
namespace {

// QSettings cannot hold a section without a value, so an empty section keeps this entry.
// The ':' makes it a name no caller can use (address-book names exclude it) and enumeration
// never returns it.
const QString kEmptySectionMarker = QStringLiteral(":tq-empty-section");

QStringList splitSection(const QString &section)
{
    QString normalised = section;
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return normalised.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString findIgnoringCase(const QStringList &names, const QString &wanted)
{
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

// Opens the groups of `section` one by one, each under the spelling already stored when
// there is one. Returns false when some level does not exist yet (the groups are then
// opened under the caller's spelling, ready for a write).
bool enterSection(QSettings &settings, const QString &section)
{
    bool exists = true;
    for (const QString &part : splitSection(section)) {
        QString stored;
        if (exists) {
            stored = findIgnoringCase(settings.childGroups(), part);
            if (stored.isEmpty())
                exists = false;
        }
        settings.beginGroup(exists ? stored : part);
    }
    return exists;
}

QString storedEntryName(const QSettings &settings, const QString &entry)
{
    const QString stored = findIgnoringCase(settings.childKeys(), entry);
    return stored.isEmpty() ? entry : stored;
}

QString valueToString(const QVariant &value)
{
    // A hand-edited value with bare commas reads back as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool finishWrite(QSettings &settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}

// QSettings removes a key together with every key below it, yet a value and a sub-section may
// bear one name ("AddressBook" holds the user value "1Bob" beside the group "1Bob"). These two
// remove exactly one of them.
void removeValueOnly(QSettings &settings, const QString &name)
{
    QList<std::pair<QString, QVariant>> below;
    settings.beginGroup(name);
    for (const QString &key : settings.allKeys())
        below.append({name + QLatin1Char('/') + key, settings.value(key)});
    settings.endGroup();
    settings.remove(name);
    for (const auto &[key, value] : below)
        settings.setValue(key, value);
}

// Called inside the section's group: removes what lies below it, not the parent's value that
// bears the section's name.
void removeGroupContentOnly(QSettings &settings)
{
    for (const QString &key : settings.allKeys())
        settings.remove(key);
}

bool hasOnlyMarkerOrNothing(const QSettings &settings)
{
    const QStringList keys = settings.childKeys();
    return settings.childGroups().isEmpty() && (keys.isEmpty() || keys == QStringList{kEmptySectionMarker});
}

} // namespace

SettingsStore::SettingsStore()
    : SettingsStore(defaultFilePath())
{
}

SettingsStore::SettingsStore(QString filePath)
    : m_filePath(std::move(filePath))
{
}

QString SettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Tarquel International/TarquelMessenger.conf");
}

int SettingsStore::GetProfileInt(const QString &section, const QString &entry, int defaultValue) const
{
    QSettings settings(m_filePath, QSettings::NativeFormat);
    if (!enterSection(settings, section))
        return defaultValue;
    const QString name = findIgnoringCase(settings.childKeys(), entry);
    if (name.isEmpty() || name == kEmptySectionMarker)
        return defaultValue;
    bool ok = false;
    const qlonglong number = valueToString(settings.value(name)).trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<quint32>::max())
        return defaultValue;
    // Stored as an unsigned 32-bit quantity.
    return static_cast<int>(static_cast<quint32>(number));
}

QString SettingsStore::GetProfileString(const QString &section, const QString &entry, const QString &defaultValue) const
{
    QSettings settings(m_filePath, QSettings::NativeFormat);
    if (!enterSection(settings, section))
        return defaultValue;
    const QString name = findIgnoringCase(settings.childKeys(), entry);
    if (name.isEmpty() || name == kEmptySectionMarker)
        return defaultValue;
    return valueToString(settings.value(name));
}

bool SettingsStore::WriteProfileInt(const QString &section, const QString &entry, int value)
{
    QSettings settings(m_filePath, QSettings::NativeFormat);
    enterSection(settings, section);
    settings.remove(kEmptySectionMarker);
    settings.setValue(storedEntryName(settings, entry), value);
    return finishWrite(settings);
}

bool SettingsStore::WriteProfileString(const QString &section, const QString &entry,
                                       const std::optional<QString> &value)
{
    if (!value)
        return deleteEntry(section, entry);
    QSettings settings(m_filePath, QSettings::NativeFormat);
    enterSection(settings, section);
    settings.remove(kEmptySectionMarker);
    settings.setValue(storedEntryName(settings, entry), *value);
    return finishWrite(settings);
}

int SettingsStore::get(const IntSetting &key) const
{
    return GetProfileInt(QLatin1String(key.section), QLatin1String(key.entry), key.defaultValue);
}

QString SettingsStore::get(const StringSetting &key) const
{
    return GetProfileString(QLatin1String(key.section), QLatin1String(key.entry), QString::fromUtf8(key.defaultValue));
}

bool SettingsStore::set(const IntSetting &key, int value)
{
    return WriteProfileInt(QLatin1String(key.section), QLatin1String(key.entry), value);
}

bool SettingsStore::set(const StringSetting &key, const QString &value)
{
    return WriteProfileString(QLatin1String(key.section), QLatin1String(key.entry), value);
}

QList<SettingsStore::Entry> SettingsStore::entries(const QString &section) const
{
    QSettings settings(m_filePath, QSettings::NativeFormat);
    QList<Entry> result;
    if (!enterSection(settings, section))
        return result;
    for (const QString &name : settings.childKeys()) {
        if (name != kEmptySectionMarker)
            result.append({name, valueToString(settings.value(name))});
    }
    return result;
}

QStringList SettingsStore::subSections(const QString &section) const
{
    QSettings settings(m_filePath, QSettings::NativeFormat);
    if (!enterSection(settings, section))
        return {};
    return settings.childGroups();
}

bool SettingsStore::sectionExists(const QString &section) const
{
    QSettings settings(m_filePath, QSettings::NativeFormat);
    return enterSection(settings, section);
}

bool SettingsStore::createSection(const QString &section)
{
    QSettings settings(m_filePath, QSettings::NativeFormat);
    if (enterSection(settings, section))
        return true;
    settings.setValue(kEmptySectionMarker, QString());
    return finishWrite(settings);
}

bool SettingsStore::deleteEntry(const QString &section, const QString &entry)
{
    QSettings settings(m_filePath, QSettings::NativeFormat);
    enterSection(settings, section);
    const QString name = findIgnoringCase(settings.childKeys(), entry);
    if (!name.isEmpty() && name != kEmptySectionMarker)
        removeValueOnly(settings, name);
    // The section outlives its last entry.
    if (hasOnlyMarkerOrNothing(settings))
        settings.setValue(kEmptySectionMarker, QString());
    return finishWrite(settings);
}

bool SettingsStore::deleteSection(const QString &section)
{
    if (splitSection(section).isEmpty())
        return false;
    QSettings settings(m_filePath, QSettings::NativeFormat);
    if (!enterSection(settings, section))
        return true;
    removeGroupContentOnly(settings);
    return finishWrite(settings);
}

namespace {

bool isPort(int value)
{
    return value >= 1 && value <= 65535;
}

} // namespace

int tcpPort(const SettingsStore &store)
{
    const int port = store.get(keys::TcpPort);
    return isPort(port) ? port : keys::TcpPort.defaultValue;
}

int effectiveUdpPort(const SettingsStore &store)
{
    const int udpPort = store.get(keys::UdpPort);
    return isPort(udpPort) ? udpPort : tcpPort(store);
}

QList<PortSettingFault> portSettingFaults(const SettingsStore &store)
{
    QList<PortSettingFault> faults;
    if (const int stored = store.get(keys::TcpPort); !isPort(stored))
        faults.append({keys::TcpPort.entry, stored, tcpPort(store)});
    if (const int stored = store.get(keys::UdpPort); stored != 0 && !isPort(stored))
        faults.append({keys::UdpPort.entry, stored, effectiveUdpPort(store)});
    return faults;
}

QString deadFileName(const SettingsStore &store, const QString &appDataDir)
{
    return store.GetProfileString(QLatin1String(keys::DeadFileName.section), QLatin1String(keys::DeadFileName.entry),
                                  appDataDir + QLatin1String(keys::kDeadFileDefaultName));
}

QString scramblePassword(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text)
        result.append(QChar(static_cast<char16_t>(c.unicode() ^ 0x5A)));
    return result;
}

QString readPassword(const SettingsStore &store, const StringSetting &key)
{
    return scramblePassword(store.get(key));
}

bool writePassword(SettingsStore &store, const StringSetting &key, const QString &password)
{
    return store.set(key, scramblePassword(password));
}

} // namespace tq
