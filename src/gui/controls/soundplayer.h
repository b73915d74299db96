#pragma once

#include <QString>

namespace askbright {

// Plays the program's short clips, synchronously: the action that asked for
// a clip goes on when it has ended.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // name: the clip's resource name in any case ("menu"). A clip that does not
    // exist throws AppError 326; one the device cannot play is skipped silently.
    virtual void PlayWaveRes(const QString &name) = 0;
};

// For machines and tests that want no sound at all.
class SilentSoundPlayer : public SoundPlayer {
public:
    void PlayWaveRes(const QString &) override {}
};

} // namespace askbright
