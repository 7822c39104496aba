#include "messages/FilteredMessageFile.h"

#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QFile>

namespace tq {
namespace {

constexpr QByteArrayView kSeparatorLine{"*******************************************\r\n"};
constexpr QByteArrayView kEntryEnd{"\r\n*******************************************\r\n"};

QByteArray textEntry(QByteArrayView text)
{
    const qsizetype nul = text.indexOf('\0');
    QByteArray entry = (nul < 0 ? text : text.first(nul)).toByteArray();
    entry.append(kEntryEnd);
    return entry;
}

QByteArray bufferEntry(QByteArrayView buffer)
{
    QByteArray entry;
    entry.reserve(buffer.size() + buffer.size() / 8 + kEntryEnd.size() + 2);
    qsizetype start = 0;
    while (start < buffer.size()) {
        qsizetype end = buffer.indexOf('\0', start);
        if (end < 0)
            end = buffer.size();
        entry.append(buffer.sliced(start, end - start));
        entry.append("\\0");
        start = end + 1;
    }
    entry.append(kEntryEnd);
    return entry;
}

bool append(const QString &path, const QByteArray &entry)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    if (file.write(entry) != entry.size())
        return false;
    return file.flush();
}

} // namespace

QByteArray filteredEntryText(QByteArrayView reasonLine, QByteArrayView arrivalStamp, QByteArrayView messageText)
{
    QByteArray text = reasonLine.toByteArray();
    text.append(kSeparatorLine);
    text.append(arrivalStamp);
    text.append("\r\n");
    text.append(messageText);
    return text;
}

QByteArray nonStandardMessageBuffer(QByteArrayView arrivalStamp, QByteArrayView receivedData)
{
    return filteredEntryText(filtered::kNonStandard, arrivalStamp, receivedData);
}

FilteredMessageFile::FilteredMessageFile(std::function<void(const QString &text)> tellUser, const QString &dataDir)
    : m_tellUser(std::move(tellUser))
    , m_path(dataDir + QLatin1String(keys::kDeadFileDefaultName))
{
}

void FilteredMessageFile::setTarget(bool saveDead, const QString &path)
{
    if (saveDead == m_saveDead && path == m_path)
        return;
    m_saveDead = saveDead;
    m_path = path;
    m_failureShown = false;
}

void FilteredMessageFile::loadTarget(const SettingsStore &store, const QString &dataDir)
{
    setTarget(store.get(keys::SaveDead) != 0, deadFileName(store, dataDir));
}

FilteredMessageFile::Result FilteredMessageFile::SaveFilteredMessage(QByteArrayView bytes, qsizetype length)
{
    if (!m_saveDead || m_suspended)
        return Result::Off;
    const QByteArray entry = length > 0 ? bufferEntry(bytes.first(qMin(length, bytes.size()))) : textEntry(bytes);
    if (append(m_path, entry)) {
        m_failureShown = false;
        return Result::Written;
    }
    if (!m_failureShown) {
        m_failureShown = true;
        if (m_tellUser)
            m_tellUser(tqString(Sid::DeadFileWriteFailed) + m_path);
    }
    return Result::Failed;
}

} // namespace tq
