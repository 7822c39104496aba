#include "settings/SettingsFallback.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace tq {
namespace {

// QSettings only objects to a few malformed lines and passes over the rest, so a file of any
// other kind would read as nearly empty settings, and the next write would replace it. Here
// every line must be blank, a comment, a [section] or an entry with '='; no NUL anywhere.
bool looksLikeIni(const QByteArray &content)
{
    if (content.contains('\0'))
        return false;
    for (const QByteArray &rawLine : content.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#') || line.contains('='))
            continue;
        if (!line.startsWith('[') || !line.endsWith(']'))
            return false;
    }
    return true;
}

} // namespace

SettingsFallback::SettingsFallback(const QString &userFilePath)
    : m_userFilePath(userFilePath)
{
    if (!isUsable(userFilePath))
        m_standIn = std::make_unique<QTemporaryDir>();
}

QString SettingsFallback::storeFilePath() const
{
    if (!m_standIn)
        return m_userFilePath;
    // Without a temporary folder the run keeps nothing at all, which is still safer than
    // writing to the user's file.
    return m_standIn->isValid() ? m_standIn->filePath(QStringLiteral("TarquelMessenger.conf"))
                                : QStringLiteral("/dev/null/TarquelMessenger.conf");
}

bool SettingsFallback::isUsable(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // QSettings tells AccessError or FormatError for a file of no use. It keeps what it once
    // read of a file for the life of the process, though, and may not read it again: the
    // question goes to a copy under a name it has never seen.
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (!looksLikeIni(content))
        return false;
    const QTemporaryDir scratch;
    QFile copy(scratch.filePath(QStringLiteral("check.conf")));
    if (!scratch.isValid() || !copy.open(QIODevice::WriteOnly) || copy.write(content) != content.size())
        return QSettings(path, QSettings::NativeFormat).status() == QSettings::NoError;
    copy.close();
    return QSettings(copy.fileName(), QSettings::NativeFormat).status() == QSettings::NoError;
}

} // namespace tq
