#pragma once

#include "controls/soundplayer.h"

#include <QByteArray>

namespace askbright {

struct WaveClip;

// Plays the compiled-in clips through ALSA and returns when a clip has ended.
// Without a usable sound device every clip is skipped without a word; ALSA's
// own messages are silenced for the whole process.
class AlsaSoundPlayer : public SoundPlayer {
public:
    // device: an ALSA PCM name such as "default" or "plughw:0,0".
    explicit AlsaSoundPlayer(const QString &device = QStringLiteral("default"));

    void PlayWaveRes(const QString &name) override;

    // The clip's file in the resources, ":/sounds/menu.wav" for "MENU".
    static QString resourcePath(const QString &name);
    // The bytes of the named clip; a name that is not there throws AppError 326.
    static QByteArray clipBytes(const QString &name);

private:
    // Returns quietly when the device or the clip cannot be played.
    void play(const WaveClip &clip) const;

    QByteArray m_device;
};

} // namespace askbright
