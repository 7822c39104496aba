#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace tq {

// One running program per user. A lock file in the user's runtime folder decides who runs;
// the holder listens on a local socket beside it, and a later launch connects there, asks the
// running program to bring its window back, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `folder`: where the lock and the socket live (the user's runtime folder by default).
    explicit SingleInstance(QString folder = defaultFolder(), QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultFolder();

    // True: this process is now the running instance. False: another one runs and has been
    // asked to restore its window; this process should end without creating anything.
    bool claim();
    bool isRunningInstance() const { return m_server != nullptr; }
    // The name of the local socket the running instance listens on.
    QString serverName() const;

Q_SIGNALS:
    // A later launch asked for the window.
    void restoreRequested();

private:
    void onNewConnection();
    bool askRunningInstanceToRestore() const;

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace tq
