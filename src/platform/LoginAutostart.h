#pragma once

#include <QByteArray>
#include <QString>

namespace tq {

// The entry in the desktop's autostart folder that starts the program in the tray when the
// user logs in: "$XDG_CONFIG_HOME/autostart/tarquel-messenger.desktop". Whether it is on is
// whether the file is there; nothing about it is kept in the settings.
class LoginAutostart {
public:
    static constexpr char kFileName[] = "tarquel-messenger.desktop";
    static constexpr char kProgramName[] = "tarquel-messenger";

    // The entry in the user's configuration folder.
    LoginAutostart();
    explicit LoginAutostart(QString filePath);

    QString filePath() const { return m_filePath; }
    bool isEnabled() const;
    // Writes the entry that starts `program` (a name on the PATH or a full path) minimised.
    // False, with errorString() saying why, when the file cannot be written.
    bool enable(const QString &program);
    // Removes the entry; a missing entry is no error.
    bool disable();
    QString errorString() const { return m_error; }

    // How the entry names the running program: by its bare name when that finds this very
    // program on the PATH (an installation), else by its full path (a build folder).
    static QString programCommand(const QString &runningProgram);
    // The desktop entry that starts `program` minimised.
    static QByteArray entryText(const QString &program);

private:
    QString m_filePath;
    QString m_error;
};

} // namespace tq
