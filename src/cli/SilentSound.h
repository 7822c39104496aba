#pragma once

#include "platform/SoundPlayer.h"

namespace tq::cli {

// A terminal program makes no sounds: a station without a window may run where nobody
// listens, or beside a desktop whose own program would play them a second time.
class SilentSound : public SoundPlayer {
public:
    void play(const QString &, Fallback) override { }
    void beep() override { }
};

} // namespace tq::cli
