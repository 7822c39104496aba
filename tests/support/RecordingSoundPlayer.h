#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

namespace tq::test {

// Records the sounds asked for instead of playing them.
class RecordingSoundPlayer : public SoundPlayer {
public:
    void play(const QString &sound, Fallback) override { played.append(sound); }
    void beep() override { ++beeps; }

    QStringList played;
    int beeps = 0;
};

} // namespace tq::test
