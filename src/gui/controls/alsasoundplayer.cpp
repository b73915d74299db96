#include "controls/alsasoundplayer.h"

#include "app/apperror.h"
#include "app/wavefile.h"

#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <alsa/asoundlib.h>

namespace askbright {

namespace {

// ALSA reports a missing card or an unknown device on stderr by default; a
// machine without sound should stay quiet.
void quietAlsa(const char *, int, const char *, int, const char *, ...) {}

// The device buffers this much ahead; short enough for clips of a few 100 ms.
constexpr unsigned latencyUs = 100000;
// Underruns are recovered a few times at most, so a broken device cannot keep
// the program waiting.
constexpr int maxRecoveries = 4;

} // namespace

AlsaSoundPlayer::AlsaSoundPlayer(const QString &device) : m_device(device.toUtf8())
{
    snd_lib_error_set_handler(quietAlsa);
}

QString AlsaSoundPlayer::resourcePath(const QString &name)
{
    return QStringLiteral(":/sounds/%1.wav").arg(name.toLower());
}

QByteArray AlsaSoundPlayer::clipBytes(const QString &name)
{
    // Only plain names: nothing like "../x" can reach another resource.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_]+$"));
    QFile file(resourcePath(name));
    if (!plain.match(name).hasMatch() || !file.open(QIODevice::ReadOnly))
        throw AppError(AppError::ResourceNotFound,
                       QStringLiteral("Sound clip '%1' not found").arg(name));
    return file.readAll();
}

void AlsaSoundPlayer::PlayWaveRes(const QString &name)
{
    const QByteArray bytes = clipBytes(name);
    WaveClip clip;
    try {
        clip = readWave(bytes);
    } catch (const AppError &) {
        return; // a clip the device could not play either
    }
    play(clip);
}

void AlsaSoundPlayer::play(const WaveClip &clip) const
{
    if (clip.frameCount() == 0)
        return;
    // A device another program holds would make a blocking open wait until
    // it is free; opened without blocking, a busy device is skipped. Playing
    // then blocks, so the call ends with the clip.
    snd_pcm_t *pcm = nullptr;
    if (snd_pcm_open(&pcm, m_device.constData(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return;
    const auto close = qScopeGuard([pcm] { snd_pcm_close(pcm); });
    if (snd_pcm_nonblock(pcm, 0) < 0)
        return;
    const snd_pcm_format_t format =
        clip.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_set_params(pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, unsigned(clip.channels),
                           unsigned(clip.sampleRate), 1, latencyUs) < 0)
        return;

    const char *next = clip.samples.constData();
    snd_pcm_uframes_t left = snd_pcm_uframes_t(clip.frameCount());
    int recoveries = 0;
    while (left > 0) {
        const snd_pcm_sframes_t written = snd_pcm_writei(pcm, next, left);
        if (written > 0) {
            next += written * clip.bytesPerFrame();
            left -= snd_pcm_uframes_t(written);
            continue;
        }
        if (++recoveries > maxRecoveries || snd_pcm_recover(pcm, int(written), 1) < 0)
            return;
    }
    snd_pcm_drain(pcm);
}

} // namespace askbright
