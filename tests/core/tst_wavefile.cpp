#include "app/apperror.h"
#include "app/wavefile.h"
#include "testutil.h"

#include <QtEndian>

using namespace askbright;

using Ids = QList<QByteArray>;

namespace {

template <typename T> QByteArray le(T v)
{
    QByteArray out(sizeof v, '\0');
    qToLittleEndian(v, out.data());
    return out;
}
const auto le16 = le<quint16>;
const auto le32 = le<quint32>;

QByteArray chunk(const QByteArray &id, const QByteArray &body, bool pad = true)
{
    QByteArray out = id + le32(quint32(body.size())) + body;
    if (pad && body.size() % 2)
        out += '\0';
    return out;
}

QByteArray format(int channels, quint32 rate, int bits, int tag = 1, int blockAlign = -1,
                  qint64 byteRate = -1)
{
    if (blockAlign < 0)
        blockAlign = channels * bits / 8;
    if (byteRate < 0)
        byteRate = qint64(rate) * blockAlign;
    return chunk("fmt ", le16(quint16(tag)) + le16(quint16(channels)) + le32(rate) +
                             le32(quint32(byteRate)) + le16(quint16(blockAlign)) +
                             le16(quint16(bits)));
}

QByteArray riff(const QByteArray &chunks)
{
    return chunk("RIFF", "WAVE" + chunks, false);
}

const QByteArray mono8 = format(1, 11025, 8);
const QByteArray someSamples("\x80\x90\xA0\x90\x80\x70\x60", 7);

// The error number reading bytes throws, 0 when they are read into clip.
int errorOf(const QByteArray &bytes, WaveClip *clip = nullptr)
{
    try {
        const WaveClip read = readWave(bytes);
        if (clip)
            *clip = read;
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

} // namespace

class tst_wavefile : public QObject {
    Q_OBJECT
private slots:
    // The clips the build synthesised, against the table of names and rates; there are no
    // others. Each is short enough that synchronous playback never holds the user up.
    void clips()
    {
        const QMap<QString, int> rates{
            {"anfang", 11000},   {"zurueck", 11000}, {"vor", 22000},      {"ende", 22000},
            {"loeschen", 7000},  {"menu", 11127},    {"open_fem", 22000}, {"ha", 22050},
            {"quietsch", 11025}, {"thanks", 22050},  {"help", 22050},     {"generieren", 22000},
            {"good1", 22050},    {"edit", 22000},    {"sorry4", 22050},   {"vorlage", 22000}};
        QStringList files = QDir(QStringLiteral(ASKBRIGHT_SOUNDS)).entryList(QDir::Files);
        files.replaceInStrings(QStringLiteral(".wav"), QString());
        QCOMPARE(files, rates.keys());
        for (auto it = rates.begin(); it != rates.end(); ++it) {
            WaveClip clip;
            const QString path = QStringLiteral(ASKBRIGHT_SOUNDS "/%1.wav").arg(it.key());
            QVERIFY2(errorOf(testutil::readBytes(path), &clip) == 0, qPrintable(path));
            QCOMPARE(QList<int>({clip.channels, clip.bitsPerSample, clip.sampleRate}),
                     QList<int>({1, 8, it.value()}));
            QCOMPARE(clip.chunkIds,
                     (it.key() == "quietsch" ? Ids{"LIST", "fmt ", "data"} : Ids{"fmt ", "data"}));
            QVERIFY2(clip.durationMs() >= 60 && clip.durationMs() < 400, qPrintable(path));
        }
    }

    void accepted_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("samples");
        QTest::addColumn<Ids>("ids");
        const QByteArray data = chunk("data", someSamples);
        QTest::newRow("plain") << riff(mono8 + data) << 1 << 8 << someSamples
                               << Ids{"fmt ", "data"};
        QTest::newRow("odd unknown chunk skipped")
            << riff(chunk("LIST", QByteArray("INFOINAM\x03\0\0\0ab\0", 15)) + mono8 + data) << 1
            << 8 << someSamples << Ids{"LIST", "fmt ", "data"};
        QTest::newRow("longer format chunk") << riff(chunk("fmt ", mono8.mid(8) + le16(0)) + data)
                                             << 1 << 8 << someSamples << Ids{"fmt ", "data"};
        QTest::newRow("stereo 16 bits, partial frame dropped")
            << riff(format(2, 44100, 16) + data) << 2 << 16 << someSamples.left(4)
            << Ids{"fmt ", "data"};
        QTest::newRow("second data chunk ignored")
            << riff(mono8 + data + chunk("data", "\x10\x20")) << 1 << 8 << someSamples
            << Ids{"fmt ", "data", "data"};
    }

    void accepted()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(QByteArray, samples);
        WaveClip clip;
        QCOMPARE(errorOf(bytes, &clip), 0);
        QCOMPARE(QList<int>({clip.channels, clip.bitsPerSample}), QList<int>({channels, bits}));
        QCOMPARE(clip.samples, samples);
        QTEST(clip.chunkIds, "ids");
        QCOMPARE(clip.frameCount(), samples.size() / (channels * bits / 8));
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        const int past = AppError::InputPastEndOfFile, bad = AppError::InvalidCall;
        const QByteArray data = chunk("data", someSamples);
        const QByteArray good = riff(mono8 + data);
        QTest::newRow("empty") << QByteArray() << past;
        QTest::newRow("header cut") << good.left(20) << past;
        QTest::newRow("samples cut") << good.left(good.size() - 3) << past;
        QTest::newRow("chunk beyond the end")
            << riff(mono8 + "data" + le32(1000) + someSamples) << past;
        QTest::newRow("4 GB data") << riff(mono8 + "data" + le32(0xFFFFFFFF) + someSamples) << past;
        QTest::newRow("garbage") << QByteArray(64, '\x5A') << bad;
        QTest::newRow("not WAVE") << "RIFF" + le32(4) + "AVI " << bad;
        QTest::newRow("data missing") << riff(mono8) << bad;
        QTest::newRow("fmt missing") << riff(data) << bad;
        QTest::newRow("zero channels") << riff(format(0, 11025, 8) + data) << bad;
        QTest::newRow("zero rate") << riff(format(1, 0, 8) + data) << bad;
        QTest::newRow("24 bits") << riff(format(1, 11025, 24) + data) << bad;
        QTest::newRow("float") << riff(format(1, 11025, 32, 3) + data) << bad;
        QTest::newRow("block size contradicts") << riff(format(1, 11025, 8, 1, 2) + data) << bad;
        QTest::newRow("byte rate contradicts")
            << riff(format(1, 11025, 8, 1, 1, 22050) + data) << bad;
    }

    void refused()
    {
        QFETCH(QByteArray, bytes);
        QTEST(errorOf(bytes), "number");
    }
};

QTEST_APPLESS_MAIN(tst_wavefile)
#include "tst_wavefile.moc"
