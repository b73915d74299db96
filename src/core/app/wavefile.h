#pragma once

#include <QByteArray>
#include <QList>

namespace askbright {

// A PCM clip read from a RIFF/WAVE file.
struct WaveClip {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;      // 8 (unsigned) or 16 (signed, little-endian)
    QByteArray samples;         // whole frames only
    QList<QByteArray> chunkIds; // the file's chunks in their order, "fmt ", "data", ...

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    qint64 frameCount() const;
    qint64 durationMs() const;
};

// Reads a RIFF/WAVE file held in memory. Chunks may come in any order and
// unknown ones are skipped. A file cut short throws AppError 62; anything else
// that is not a PCM WAVE file throws AppError 5. Never reads past bytes.
WaveClip readWave(const QByteArray &bytes);

} // namespace askbright
