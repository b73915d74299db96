// Synthesises the program's sixteen short clips as RIFF/WAVE files (PCM, mono,
// 8-bit unsigned) into the folder given on the command line. Run by the build;
// the clips are then compiled into the program's resources.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

enum class Wave { Sine, Soft, Tick };

// One tone: its pitch glides from startHz to endHz; decay shapes how quickly
// it fades after its attack (0: held until the short release).
struct Note {
    double startMs;
    double lengthMs;
    double startHz;
    double endHz;
    double level; // 0..1 of the clip's peak
    Wave wave = Wave::Soft;
    double decay = 0;
};

struct Clip {
    const char *name;
    int rate;
    double lengthMs;
    std::vector<Note> notes;
    bool infoList = false; // an INFO list chunk before the format chunk
};

// The peak stays well below full scale so that no clip is loud.
constexpr double peak = 44.0;
constexpr double attackMs = 4.0;
constexpr double releaseMs = 18.0;

double tone(Wave wave, double phase)
{
    const double s = std::sin(phase);
    switch (wave) {
    case Wave::Sine:
        return s;
    case Wave::Soft:
        return 0.8 * s + 0.2 * std::sin(2 * phase);
    case Wave::Tick:
        return 0.6 * s + 0.3 * std::sin(3 * phase) + 0.1 * std::sin(5 * phase);
    }
    return 0;
}

std::vector<double> render(const Clip &clip)
{
    const auto frames = static_cast<std::size_t>(std::lround(clip.rate * clip.lengthMs / 1000.0));
    std::vector<double> mix(frames, 0.0);
    for (const Note &note : clip.notes) {
        const auto first = static_cast<std::size_t>(std::lround(clip.rate * note.startMs / 1000.0));
        const auto count =
            static_cast<std::size_t>(std::lround(clip.rate * note.lengthMs / 1000.0));
        double phase = 0;
        for (std::size_t i = 0; i < count && first + i < frames; ++i) {
            const double t = 1000.0 * static_cast<double>(i) / clip.rate; // ms into the note
            const double progress = static_cast<double>(i) / static_cast<double>(count);
            // Exponential glide sounds even across the range.
            const double hz = note.startHz * std::pow(note.endHz / note.startHz, progress);
            phase += 2 * std::numbers::pi * hz / clip.rate;
            double envelope = std::min(1.0, t / attackMs);
            envelope = std::min(envelope, (note.lengthMs - t) / releaseMs);
            if (note.decay > 0)
                envelope *= std::exp(-t / note.decay);
            mix[first + i] += note.level * std::max(0.0, envelope) * tone(note.wave, phase);
        }
    }
    // The whole clip also fades in and out, so it starts and ends on silence.
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = 1000.0 * static_cast<double>(i) / clip.rate;
        const double edge = std::min({1.0, t / attackMs, (clip.lengthMs - t) / attackMs});
        mix[i] *= std::max(0.0, edge);
    }
    return mix;
}

void put16(std::string &out, unsigned v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string &out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A chunk with its size and, for an odd size, the pad byte.
void chunk(std::string &out, const char *id, const std::string &body)
{
    out.append(id, 4);
    put32(out, static_cast<std::uint32_t>(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
}

std::string waveFile(const Clip &clip)
{
    std::string samples;
    for (double v : render(clip))
        samples += static_cast<char>(std::clamp<long>(128 + std::lround(peak * v), 0, 255));

    std::string format;
    put16(format, 1); // PCM
    put16(format, 1); // mono
    put32(format, static_cast<std::uint32_t>(clip.rate));
    put32(format, static_cast<std::uint32_t>(clip.rate)); // bytes per second
    put16(format, 1);                                     // bytes per frame
    put16(format, 8);                                     // bits per sample

    std::string body = "WAVE";
    if (clip.infoList) {
        std::string title;
        chunk(title, "INAM", std::string(clip.name) + '\0');
        chunk(body, "LIST", "INFO" + title);
    }
    chunk(body, "fmt ", format);
    chunk(body, "data", samples);

    std::string file;
    chunk(file, "RIFF", body);
    return file;
}

// Pitches of the equal-tempered scale used by the motifs.
constexpr double C5 = 523.25, E5 = 659.26, G5 = 783.99, A5 = 880.0, B5 = 987.77, C6 = 1046.5,
                 Gs5 = 830.61, A4 = 440.0, F4 = 349.23;

std::vector<Clip> clips()
{
    return {
        // Record navigation: short glides, downwards to go back, upwards to go on.
        {"anfang", 11000, 130, {{0, 130, 900, 480, 0.9, Wave::Soft}}},
        {"zurueck", 11000, 85, {{0, 85, 720, 560, 0.9, Wave::Soft}}},
        {"vor", 22000, 85, {{0, 85, 560, 720, 0.9, Wave::Soft}}},
        {"ende", 22000, 130, {{0, 130, 480, 900, 0.9, Wave::Soft}}},
        // A falling, fading tone: something goes away.
        {"loeschen", 7000, 230, {{0, 230, 620, 190, 1.0, Wave::Soft, 120}}},
        // A soft tick for menus and commands, heard often.
        {"menu", 11127, 80, {{0, 80, 1250, 1150, 1.0, Wave::Tick, 35}}},
        {"open_fem", 22000, 250, {{0, 110, G5, G5, 0.8}, {110, 140, C6, C6, 0.8, Wave::Soft, 90}}},
        {"ha",
         22050,
         333,
         {{0, 95, C5, C5, 0.7}, {95, 95, E5, E5, 0.7}, {190, 143, G5, G5, 0.8, Wave::Soft, 100}}},
        // A squeak: a quick glide up and back.
        {"quietsch",
         11025,
         151,
         {{0, 70, 1500, 2500, 0.6, Wave::Sine}, {70, 81, 2500, 1800, 0.6, Wave::Sine}},
         true},
        {"thanks", 22050, 320, {{0, 130, G5, G5, 0.8}, {130, 190, C5, C5, 0.8, Wave::Soft, 140}}},
        {"help", 22050, 221, {{0, 95, C5, C5, 0.8}, {95, 126, A5, A5, 0.8, Wave::Soft, 90}}},
        {"generieren",
         22000,
         275,
         {{0, 60, C5, C5, 0.7},
          {60, 60, E5, E5, 0.7},
          {120, 60, G5, G5, 0.7},
          {180, 95, C6, C6, 0.8, Wave::Soft, 60}}},
        {"good1", 22050, 210, {{0, 90, E5, E5, 0.8}, {90, 120, Gs5, Gs5, 0.8, Wave::Soft, 80}}},
        {"edit",
         22000,
         105,
         {{0, 40, 1000, 1000, 1.0, Wave::Tick, 20}, {55, 50, 1200, 1200, 1.0, Wave::Tick, 20}}},
        // Quieter and lower: something went wrong.
        {"sorry4", 22050, 300, {{0, 130, A4, A4, 0.7}, {130, 170, F4, F4, 0.7, Wave::Soft, 120}}},
        {"vorlage",
         22000,
         200,
         {{0, 200, A5, A5, 0.8, Wave::Sine, 70}, {0, 200, B5, B5, 0.15, Wave::Sine, 50}}},
    };
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    for (const Clip &clip : clips()) {
        const std::string path = std::string(argv[1]) + '/' + clip.name + ".wav";
        const std::string bytes = waveFile(clip);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "wavegen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
