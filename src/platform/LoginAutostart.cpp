#include "platform/LoginAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace tq {
namespace {

// A string value of a desktop entry: a backslash and the control characters are escaped.
QString escapeValue(const QString &value)
{
    QString escaped;
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else
            escaped += c;
    }
    return escaped;
}

// One argument of an Exec line: quoted when it holds a character the launcher treats as
// special, and a percent sign doubled so that it is not taken for a field code.
QString execArgument(const QString &argument)
{
    static const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool needsQuotes = argument.isEmpty()
        || std::any_of(argument.begin(), argument.end(), [](QChar c) { return kReserved.contains(c); });
    QString result;
    if (needsQuotes) {
        result += QLatin1Char('"');
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                result += QLatin1Char('\\');
            result += c;
        }
        result += QLatin1Char('"');
    } else {
        result = argument;
    }
    result.replace(QLatin1Char('%'), QLatin1String("%%"));
    return result;
}

} // namespace

LoginAutostart::LoginAutostart()
    : LoginAutostart(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                     + QStringLiteral("/autostart/") + QLatin1String(kFileName))
{
}

LoginAutostart::LoginAutostart(QString filePath)
    : m_filePath(std::move(filePath))
{
}

bool LoginAutostart::isEnabled() const
{
    return QFileInfo::exists(m_filePath);
}

bool LoginAutostart::enable(const QString &program)
{
    m_error.clear();
    // A folder that cannot be made shows in the file's own error.
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QSaveFile file(m_filePath);
    const QByteArray text = entryText(program);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        m_error = file.errorString();
        return false;
    }
    return true;
}

bool LoginAutostart::disable()
{
    m_error.clear();
    QFile file(m_filePath);
    if (!file.exists() || file.remove())
        return true;
    m_error = file.errorString();
    return false;
}

QString LoginAutostart::programCommand(const QString &runningProgram)
{
    const QString onPath = QStandardPaths::findExecutable(QLatin1String(kProgramName));
    const QString running = QFileInfo(runningProgram).canonicalFilePath();
    if (!onPath.isEmpty() && !running.isEmpty() && QFileInfo(onPath).canonicalFilePath() == running)
        return QLatin1String(kProgramName);
    return running.isEmpty() ? runningProgram : running;
}

QByteArray LoginAutostart::entryText(const QString &program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Tarquel Messenger\n"
                                        "Comment=Starts Tarquel Messenger in the tray\n"
                                        "Exec=%1 --minimized\n"
                                        "TryExec=%2\n"
                                        "Icon=tarquel-messenger\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(escapeValue(execArgument(program)), escapeValue(program));
    return text.toUtf8();
}

} // namespace tq
