#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <thread>

namespace tq {

// Sounds through the desktop's sound system (libcanberra). Requests are played one at a time
// by a thread of the player's own, so the caller never waits, not even for a sound server that
// does not answer. A request that comes while a sound plays yields to it and is dropped.
// When a sound cannot be played and the caller asked for the beep, `beep` runs on the thread
// that created the player.
class CanberraSoundPlayer : public SoundPlayer {
public:
    // `programFolders`: where the program's own sounds are.
    explicit CanberraSoundPlayer(std::function<void()> beep, QStringList programFolders);
    ~CanberraSoundPlayer() override;

    void play(const QString &sound, Fallback fallback = Fallback::None) override;
    void beep() override;

    // Whether no request is waiting or playing.
    bool isIdle() const;

private:
    struct Shared;
    void run(std::stop_token stop);
    void fallBack();

    std::function<void()> m_beep;
    const QStringList m_programFolders;
    std::shared_ptr<Shared> m_shared;
    // Runs the beep on the creating thread.
    QObject m_beepContext;
    std::jthread m_worker;
};

} // namespace tq
