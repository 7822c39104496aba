#include "prefs/FilteringSetupValues.h"

#include "messages/DisplayText.h"
#include "messages/TextFileLines.h"
#include "settings/SettingsStore.h"

#include <QSaveFile>

namespace tq {

FilteringSetupValues FilteringSetupValues::read(const SettingsStore &store, const QString &appDataDir)
{
    FilteringSetupValues values;
    values.dontDuplicate = store.get(keys::DontDuplicate) != 0;
    values.onlyKnowUsers = store.get(keys::OnlyKnowUsers) != 0;
    values.recvNMessages = store.get(keys::RecvNMessages) != 0;
    values.saveDead = store.get(keys::SaveDead) != 0;
    values.deadFileName = tq::deadFileName(store, appDataDir);
    return values;
}

void FilteringSetupValues::write(SettingsStore &store) const
{
    store.set(keys::OnlyKnowUsers, onlyKnowUsers ? 1 : 0);
    store.set(keys::SaveDead, saveDead ? 1 : 0);
    store.set(keys::DeadFileName, deadFileName);
    store.set(keys::DontDuplicate, dontDuplicate ? 1 : 0);
    store.set(keys::RecvNMessages, recvNMessages ? 1 : 0);
}

KillWordText KillWordText::load(const QString &path)
{
    KillWordText text;
    text.m_loaded = readLinesEndingCrLf(path).value_or(QByteArray());
    text.m_text = displayText(text.m_loaded);
    return text;
}

QByteArray KillWordText::fileBytes(const QString &edited)
{
    QString withCrLf = edited;
    withCrLf.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    withCrLf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return withCrLf.toUtf8();
}

bool KillWordText::save(const QString &path, const QString &edited) const
{
    const QByteArray bytes = edited == m_text ? m_loaded : fileBytes(edited);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

} // namespace tq
