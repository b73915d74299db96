// WAVE clips: a clip read holds whole frames of a format it can describe.
#include "app/apperror.h"
#include "app/wavefile.h"
#include "fuzzcheck.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    WaveClip clip;
    try {
        clip = readWave(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const AppError &) {
        return 0;
    }
    FUZZ_CHECK(clip.channels > 0 && clip.sampleRate > 0);
    FUZZ_CHECK(clip.bitsPerSample == 8 || clip.bitsPerSample == 16);
    FUZZ_CHECK(clip.samples.size() % clip.bytesPerFrame() == 0);
    FUZZ_CHECK(clip.samples.size() <= qsizetype(size));
    return 0;
}
