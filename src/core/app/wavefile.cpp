#include "app/wavefile.h"

#include "app/apperror.h"

#include <QtEndian>

namespace askbright {

namespace {

constexpr qint64 chunkHeaderSize = 8;
constexpr qint64 pcmFormatSize = 16;
constexpr int pcmTag = 1;
constexpr int maxChannels = 8;
constexpr int maxRate = 768000;

[[noreturn]] void notWave(const QString &why)
{
    throw AppError(AppError::InvalidCall, QStringLiteral("Not a PCM WAVE clip: %1").arg(why));
}

[[noreturn]] void cutShort(const QString &what)
{
    throw AppError(AppError::InputPastEndOfFile,
                   QStringLiteral("WAVE clip cut short: %1").arg(what));
}

quint32 u32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 u16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

void readFormat(const char *p, qint64 size, WaveClip &clip)
{
    if (size < pcmFormatSize)
        notWave(QStringLiteral("format chunk of %1 bytes").arg(size));
    const int tag = u16(p);
    clip.channels = u16(p + 2);
    const quint32 rate = u32(p + 4);
    const quint32 byteRate = u32(p + 8);
    const int blockAlign = u16(p + 12);
    clip.bitsPerSample = u16(p + 14);
    if (tag != pcmTag)
        notWave(QStringLiteral("format %1 is not PCM").arg(tag));
    if (clip.channels < 1 || clip.channels > maxChannels)
        notWave(QStringLiteral("%1 channels").arg(clip.channels));
    if (rate < 1 || rate > maxRate)
        notWave(QStringLiteral("sample rate %1").arg(rate));
    clip.sampleRate = int(rate);
    if (clip.bitsPerSample != 8 && clip.bitsPerSample != 16)
        notWave(QStringLiteral("%1 bits per sample").arg(clip.bitsPerSample));
    // A header that contradicts itself is not trusted.
    if (blockAlign != clip.bytesPerFrame() || byteRate != rate * quint32(blockAlign))
        notWave(QStringLiteral("inconsistent frame size"));
}

} // namespace

qint64 WaveClip::frameCount() const
{
    return bytesPerFrame() > 0 ? samples.size() / bytesPerFrame() : 0;
}

qint64 WaveClip::durationMs() const
{
    return sampleRate > 0 ? frameCount() * 1000 / sampleRate : 0;
}

WaveClip readWave(const QByteArray &bytes)
{
    const qint64 total = bytes.size();
    const char *base = bytes.constData();
    if (total < 12)
        cutShort(QStringLiteral("%1 bytes").arg(total));
    if (!bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        notWave(QStringLiteral("no RIFF/WAVE header"));
    // All sizes are unsigned 32-bit; qint64 arithmetic cannot overflow on them.
    const qint64 end = chunkHeaderSize + u32(base + 4);
    if (end > total)
        cutShort(QStringLiteral("%1 bytes claimed, %2 present").arg(end).arg(total));

    WaveClip clip;
    bool haveFormat = false;
    bool haveData = false;
    qint64 dataOffset = 0;
    qint64 dataSize = 0;
    qint64 pos = 12;
    while (pos < end) {
        if (end - pos < chunkHeaderSize)
            cutShort(QStringLiteral("chunk header at %1").arg(pos));
        const QByteArray id(base + pos, 4);
        const qint64 size = u32(base + pos + 4);
        const qint64 body = pos + chunkHeaderSize;
        if (size > end - body)
            cutShort(QStringLiteral("chunk of %1 bytes at %2").arg(size).arg(pos));
        clip.chunkIds << id;
        if (id == "fmt " && !haveFormat) {
            readFormat(base + body, size, clip);
            haveFormat = true;
        } else if (id == "data" && !haveData) {
            dataOffset = body;
            dataSize = size;
            haveData = true;
        }
        // Odd-sized chunks are padded to an even length; the last pad may be missing.
        pos = body + size + (size % 2);
    }
    if (!haveFormat)
        notWave(QStringLiteral("no format chunk"));
    if (!haveData)
        notWave(QStringLiteral("no data chunk"));
    clip.samples = bytes.mid(dataOffset, dataSize - dataSize % clip.bytesPerFrame());
    return clip;
}

} // namespace askbright
