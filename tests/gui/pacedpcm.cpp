// A sound device for tests, loaded by ALSA as an external plugin: it takes
// frames at the nominal rate by the wall clock, the way a sound card does, and
// discards them. Playback on it lasts as long as the clip.

#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <chrono>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct PacedPcm {
    snd_pcm_ioplug_t io{};
    Clock::time_point started;
    bool running = false;
    snd_pcm_uframes_t written = 0;
};

const auto self = [](snd_pcm_ioplug_t *io) { return static_cast<PacedPcm *>(io->private_data); };

const snd_pcm_ioplug_callback_t callbacks = [] {
    snd_pcm_ioplug_callback_t c{};
    c.start = [](snd_pcm_ioplug_t *io) {
        self(io)->started = Clock::now();
        self(io)->running = true;
        return 0;
    };
    c.stop = [](snd_pcm_ioplug_t *io) {
        self(io)->running = false;
        return 0;
    };
    c.prepare = [](snd_pcm_ioplug_t *io) {
        self(io)->running = false;
        self(io)->written = 0;
        return 0;
    };
    // Frames played so far, never more than were written, as a buffer position.
    c.pointer = [](snd_pcm_ioplug_t *io) {
        PacedPcm *p = self(io);
        snd_pcm_uframes_t played = 0;
        if (p->running) {
            const std::chrono::duration<double> elapsed = Clock::now() - p->started;
            played = snd_pcm_uframes_t(elapsed.count() * io->rate);
        }
        if (played > p->written)
            played = p->written;
        return snd_pcm_sframes_t(played % io->buffer_size);
    };
    c.transfer = [](snd_pcm_ioplug_t *io, const snd_pcm_channel_area_t *, snd_pcm_uframes_t,
                    snd_pcm_uframes_t size) {
        self(io)->written += size;
        return snd_pcm_sframes_t(size);
    };
    // The poll descriptor is a timer ticking every 2 ms: waiting for room in the
    // buffer sleeps instead of spinning.
    c.poll_revents = [](snd_pcm_ioplug_t *io, struct pollfd *pfd, unsigned int,
                        unsigned short *revents) {
        std::uint64_t ticks = 0;
        const bool ticked = ::read(io->poll_fd, &ticks, sizeof ticks) == sizeof ticks;
        *revents = (pfd[0].revents & POLLIN) && ticked ? POLLOUT : 0;
        return 0;
    };
    c.close = [](snd_pcm_ioplug_t *io) {
        ::close(io->poll_fd);
        delete self(io);
        return 0;
    };
    return c;
}();

} // namespace

extern "C" {
SND_PCM_PLUGIN_DEFINE_FUNC(askbright_paced)
{
    (void)root, (void)conf;
    if (stream != SND_PCM_STREAM_PLAYBACK)
        return -EINVAL;
    auto *p = new PacedPcm;
    p->io.version = SND_PCM_IOPLUG_VERSION;
    p->io.name = "paced test device";
    p->io.callback = &callbacks;
    p->io.private_data = p;
    p->io.poll_fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    p->io.poll_events = POLLIN;
    const itimerspec tick{{0, 2000000}, {0, 2000000}};
    ::timerfd_settime(p->io.poll_fd, 0, &tick, nullptr);
    if (const int err = snd_pcm_ioplug_create(&p->io, name, stream, mode); err < 0) {
        ::close(p->io.poll_fd);
        delete p;
        return err;
    }
    const unsigned formats[] = {SND_PCM_FORMAT_U8, SND_PCM_FORMAT_S16_LE};
    const unsigned access[] = {SND_PCM_ACCESS_RW_INTERLEAVED};
    snd_pcm_ioplug_set_param_list(&p->io, SND_PCM_IOPLUG_HW_ACCESS, 1, access);
    snd_pcm_ioplug_set_param_list(&p->io, SND_PCM_IOPLUG_HW_FORMAT, 2, formats);
    snd_pcm_ioplug_set_param_minmax(&p->io, SND_PCM_IOPLUG_HW_CHANNELS, 1, 2);
    snd_pcm_ioplug_set_param_minmax(&p->io, SND_PCM_IOPLUG_HW_RATE, 4000, 96000);
    snd_pcm_ioplug_set_param_minmax(&p->io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 64, 65536);
    snd_pcm_ioplug_set_param_minmax(&p->io, SND_PCM_IOPLUG_HW_PERIODS, 2, 64);
    *pcmp = p->io.pcm;
    return 0;
}
SND_PCM_PLUGIN_SYMBOL(askbright_paced)
}
