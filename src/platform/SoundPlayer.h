#pragma once

#include <QString>

namespace tq {

// Sounds, behind one small interface so that tests record what was asked. Playing never
// blocks the caller and never interrupts a sound that is already playing.
class SoundPlayer {
public:
    // What stands in when the sound cannot be played.
    enum class Fallback { None, Beep };

    virtual ~SoundPlayer() = default;
    // `sound` is a wave file path or a system sound name: "SystemQuestion", "SystemAsterisk",
    // "SystemExclamation", "MailBeep", "CCSelect" or ".Default".
    virtual void play(const QString &sound, Fallback fallback = Fallback::None) = 0;
    virtual void beep() = 0;
};

} // namespace tq
