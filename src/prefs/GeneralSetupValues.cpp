#include "prefs/GeneralSetupValues.h"

#include "settings/SettingsStore.h"

namespace tq {

GeneralSetupValues GeneralSetupValues::read(const SettingsStore &store)
{
    GeneralSetupValues values;
    values.fullName = store.get(keys::FullName);
    values.systemName = store.get(keys::SystemName);
    values.signature = store.get(keys::Signature);
    values.emailAddress = store.get(keys::EmailAddress);
    values.portText = QString::number(tcpPort(store));
    values.delayText = QString::number(store.get(keys::Delay));
    values.useProtocol = store.get(keys::UseProtocol);
    return values;
}

std::optional<FieldProblem> GeneralSetupValues::check() const
{
    if (auto problem = checkMaxLength(PrefField::Signature, signature, kMaxSignature))
        return problem;
    if (auto problem = checkUnsignedRange(PrefField::Port, portText, kMinPort, kMaxPort))
        return problem;
    return checkUnsignedRange(PrefField::Delay, delayText, kMinDelay, kMaxDelay);
}

int GeneralSetupValues::port() const
{
    return static_cast<int>(parseUnsignedField(portText).value_or(0));
}

int GeneralSetupValues::delay() const
{
    return static_cast<int>(parseUnsignedField(delayText).value_or(0));
}

bool GeneralSetupValues::portDiffersFrom(const SettingsStore &store) const
{
    return port() != tcpPort(store);
}

void GeneralSetupValues::write(SettingsStore &store, bool writePort) const
{
    if (writePort)
        store.set(keys::TcpPort, port());
    store.set(keys::FullName, fullName);
    store.set(keys::SystemName, systemName);
    store.set(keys::Delay, delay());
    store.set(keys::Signature, signature);
    store.set(keys::EmailAddress, emailAddress);
    store.set(keys::UseProtocol, useProtocol);
}

PresetStates presetStates(const QString &portText, const QString &delayText)
{
    return {portText != QString::number(kDefaultPortPreset), delayText != QString::number(kLanDelayPreset),
            delayText != QString::number(kInternetDelayPreset)};
}

} // namespace tq
