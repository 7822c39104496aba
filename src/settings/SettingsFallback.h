#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tq {

// The user's settings file, or a stand-in for this run when that file cannot be used: no
// access, or not in the INI format. The program then runs on the defaults and must never
// write over the user's file, which may still hold what the user wants back. Everything the
// program writes during the run (first-run names, window placement, new preferences) goes
// to a file of the run's own in a private temporary folder, which goes away at the end.
class SettingsFallback {
public:
    explicit SettingsFallback(const QString &userFilePath);

    // The user's file cannot be used; the stand-in is in its place.
    bool active() const { return m_standIn != nullptr; }
    const QString &userFilePath() const { return m_userFilePath; }
    // The file the settings store is to work on.
    QString storeFilePath() const;

    // Whether the settings file at `path` can be read as settings: it opens and reads as INI.
    // A missing file can: it is a first run.
    static bool isUsable(const QString &path);

private:
    QString m_userFilePath;
    std::unique_ptr<QTemporaryDir> m_standIn;
};

} // namespace tq
