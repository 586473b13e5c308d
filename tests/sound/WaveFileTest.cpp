#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include "app/core/Sound.h"
#include "app/sound/WaveFile.h"

namespace {

QByteArray chunk(const char* id, const QByteArray& body, quint32 declared)
{
    QByteArray bytes(id, 4);
    char size[4];
    qToLittleEndian<quint32>(declared, size);
    bytes.append(size, 4).append(body);
    if (body.size() % 2 && declared == quint32(body.size()))
        bytes.append('\0');
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& body)
{
    return chunk(id, body, body.size());
}

QByteArray format(quint16 code, quint16 channels, quint32 rate, quint16 bits)
{
    QByteArray body(16, '\0');
    qToLittleEndian<quint16>(code, body.data());
    qToLittleEndian<quint16>(channels, body.data() + 2);
    qToLittleEndian<quint32>(rate, body.data() + 4);
    qToLittleEndian<quint16>(bits, body.data() + 14);
    return chunk("fmt ", body);
}

// Unpadded, so that a file may end in the middle of a chunk.
QByteArray riff(const QByteArray& chunks)
{
    QByteArray head("RIFF\0\0\0\0WAVE", 12);
    qToLittleEndian<quint32>(chunks.size() + 4, head.data() + 4);
    return head + chunks;
}

const QByteArray fourSamples("\x01\x02\x03\x04\x05\x06\x07\x08", 8);

struct Case {
    const char* what;
    QByteArray file;
    qsizetype sampleBytes; // -1: not read
};

TEST(WaveFile, ReadsIntegerPcmAndRefusesTheRest)
{
    const Case cases[] = {
        {"16-bit mono", riff(format(1, 1, 22050, 16) + chunk("data", fourSamples)), 8},
        {"an odd chunk before, padded",
         riff(chunk("LIST", "abc") + format(1, 1, 22050, 16) + chunk("data", fourSamples)), 8},
        {"8-bit stereo", riff(format(1, 2, 8000, 8) + chunk("data", fourSamples)), 8},
        {"a data chunk longer than the file", riff(format(1, 1, 22050, 16) + chunk("data", "\1\2\3", 1000)),
         2},
        {"half a stereo frame at the end", riff(format(1, 2, 22050, 16) + chunk("data", fourSamples.left(6))),
         4},
        {"floating point", riff(format(3, 1, 22050, 32) + chunk("data", fourSamples)), -1},
        {"24-bit", riff(format(1, 1, 22050, 24) + chunk("data", fourSamples)), -1},
        {"no channels", riff(format(1, 0, 22050, 16) + chunk("data", fourSamples)), -1},
        {"no sample rate", riff(format(1, 1, 0, 16) + chunk("data", fourSamples)), -1},
        {"an absurd sample rate", riff(format(1, 1, 1'000'000'000, 16) + chunk("data", fourSamples)), -1},
        {"no samples", riff(format(1, 1, 22050, 16) + chunk("data", {})), -1},
        {"data before its format", riff(chunk("data", fourSamples) + format(1, 1, 22050, 16)), -1},
        {"no format", riff(chunk("data", fourSamples)), -1},
        {"a format cut off by the end of the file", riff(format(1, 1, 22050, 16).left(16)), -1},
        {"a short format", riff(chunk("fmt ", QByteArray(8, '\1')) + chunk("data", fourSamples)), -1},
        {"not RIFF", "RIFX" + riff(format(1, 1, 22050, 16) + chunk("data", fourSamples)).mid(4), -1},
        {"cut in the header", riff({}).left(10), -1},
        {"empty", {}, -1},
    };
    for (const Case& c : cases) {
        const std::optional<WaveSound> wave = readWave(c.file);
        ASSERT_EQ(wave.has_value(), c.sampleBytes >= 0) << c.what;
        if (wave) {
            EXPECT_EQ(wave->samples, fourSamples.left(c.sampleBytes)) << c.what;
        }
    }
}

TEST(WaveFile, ReadsTheThirteenEffects)
{
    for (int i = 0; i < SoundCount; ++i) {
        QFile file(QStringLiteral(FROBNY_SOURCE_DIR "/assets/sounds/%1.wav").arg(i));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << i;
        const QByteArray bytes = file.readAll();
        const std::optional<WaveSound> wave = readWave(bytes);
        ASSERT_TRUE(wave) << SoundNames[i];
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->sampleRate, 22050);
        EXPECT_EQ(wave->bitsPerSample, 16);
        EXPECT_GT(wave->samples.size(), 22050 / 5) << SoundNames[i];
        EXPECT_TRUE(bytes.contains(wave->samples));
    }
}

} // namespace
