#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "app/core/Sound.h"
#include "app/sound/MidiFile.h"
#include "app/sound/SoundFont.h"

namespace {

const QString assets = QStringLiteral(FROBNY_SOURCE_DIR "/assets");

struct Wave {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    std::vector<double> samples; // -1 .. 1
};

// Reads a canonical PCM WAV file: RIFF, "fmt " and "data" chunks.
Wave readWave(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    Wave wave;
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return wave;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char* body = bytes.constData() + at + 8;
        if (id == "fmt ") {
            wave.format = qFromLittleEndian<quint16>(body);
            wave.channels = qFromLittleEndian<quint16>(body + 2);
            wave.rate = qFromLittleEndian<quint32>(body + 4);
            wave.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            for (quint32 i = 0; i + 1 < size && at + 8 + i + 1 < bytes.size(); i += 2)
                wave.samples.push_back(qFromLittleEndian<qint16>(body + i) / 32768.0);
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

double decibels(double value)
{
    return 20.0 * std::log10(std::max(value, 1e-9));
}

// Short-term loudness: the RMS of the loudest 50 ms, in dB below full scale.
double loudness(const Wave& wave)
{
    const size_t window = wave.rate / 20;
    double energy = 0.0;
    double loudest = 0.0;
    for (size_t i = 0; i < wave.samples.size(); ++i) {
        energy += wave.samples[i] * wave.samples[i];
        if (i >= window)
            energy -= wave.samples[i - window] * wave.samples[i - window];
        loudest = std::max(loudest, energy);
    }
    return 10.0 * std::log10(std::max(loudest / window, 1e-18));
}

TEST(SoundAssets, TheThirteenEffectsAreShortCleanAndEvenlyLoud)
{
    std::set<std::vector<double>> distinct;
    std::map<int, double> levels;
    for (int i = 0; i < SoundCount; ++i) {
        SCOPED_TRACE(SoundNames[i]);
        const Wave wave = readWave(QStringLiteral("%1/sounds/%2.wav").arg(assets).arg(i));
        EXPECT_EQ(wave.format, 1) << "PCM";
        EXPECT_EQ(wave.channels, 1);
        EXPECT_EQ(wave.bits, 16);
        ASSERT_TRUE(wave.rate == 22050 || wave.rate == 44100) << wave.rate;
        ASSERT_FALSE(wave.samples.empty());

        const auto& s = wave.samples;
        double peak = 0.0;
        for (double sample : s)
            peak = std::max(peak, std::abs(sample));
        EXPECT_GT(decibels(peak), -20.0);
        EXPECT_LT(decibels(peak), -0.5) << "headroom below full scale";
        const auto loudest = [](auto from, auto to) {
            double most = 0.0;
            for (auto at = from; at != to; ++at)
                most = std::max(most, std::abs(*at));
            return most;
        };
        // Where the sound has died away to 50 dB below its peak, and where the padding begins.
        const auto audible =
            std::find_if(s.rbegin(), s.rend(), [&](double x) { return std::abs(x) > peak / 316.0; });
        const auto padding = std::find_if(s.rbegin(), s.rend(), [](double x) { return x != 0.0; });
        const double sounding = static_cast<double>(s.rend() - audible) / wave.rate;
        EXPECT_GE(sounding, 0.05);
        EXPECT_LE(sounding, 0.8);
        EXPECT_GE(static_cast<double>(padding - s.rbegin()) / wave.rate, 0.18) << "the player cuts the tail";
        // No clicks: it rises from silence and fades back into it.
        const size_t halfMs = wave.rate / 2000;
        EXPECT_EQ(s.front(), 0.0);
        EXPECT_LT(loudest(s.begin(), s.begin() + halfMs), peak / 4.0);
        EXPECT_LT(loudest(padding, padding + 2 * halfMs), peak / 20.0);
        distinct.insert(s);
        levels[i] = loudness(wave);
    }
    EXPECT_EQ(distinct.size(), static_cast<size_t>(SoundCount)) << "every effect sounds different";
    // The ticks that follow the pointer sit well below the rest, which are all alike.
    const std::set<int> ticks = {soundIndex(Sound::PlivaColumn), soundIndex(Sound::VexorArrow),
                                 soundIndex(Sound::HuxelBlock)};
    const double reference = levels[soundIndex(Sound::Solved)];
    for (const auto& [index, level] : levels) {
        const double below = reference - level;
        if (ticks.count(index))
            EXPECT_TRUE(below > 5.0 && below < 11.0) << SoundNames[index] << " " << below;
        else
            EXPECT_LT(std::abs(below), 1.0) << SoundNames[index] << " " << below;
    }
}

// Seconds until the last event of a Standard MIDI File, under its tempo changes.
double midiSeconds(const QByteArray& bytes)
{
    const int division = qFromBigEndian<quint16>(bytes.constData() + 12);
    std::multimap<long, long> tempo; // tick -> microseconds per beat
    long lastTick = 0;
    for (qsizetype at = 14; at + 8 <= bytes.size();) {
        const qsizetype end = at + 8 + qFromBigEndian<quint32>(bytes.constData() + at + 4);
        long tick = 0;
        unsigned char status = 0;
        for (qsizetype i = at + 8; i < end;) {
            long delta = 0;
            unsigned char b;
            do {
                b = static_cast<unsigned char>(bytes[i++]);
                delta = (delta << 7) | (b & 0x7F);
            } while (b & 0x80);
            tick += delta;
            if (static_cast<unsigned char>(bytes[i]) & 0x80)
                status = static_cast<unsigned char>(bytes[i++]);
            if (status == 0xFF) {
                const unsigned char type = static_cast<unsigned char>(bytes[i++]);
                const int length = static_cast<unsigned char>(bytes[i++]);
                if (type == 0x51)
                    tempo.emplace(tick, (static_cast<unsigned char>(bytes[i]) << 16) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                                            static_cast<unsigned char>(bytes[i + 2]));
                i += length;
            } else {
                i += (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            }
        }
        lastTick = std::max(lastTick, tick);
        at = end;
    }
    double seconds = 0.0;
    long tick = 0;
    long perBeat = 500000;
    for (const auto& [at, microseconds] : tempo) {
        seconds += static_cast<double>(at - tick) / division * perBeat / 1e6;
        tick = at;
        perBeat = microseconds;
    }
    return seconds + static_cast<double>(lastTick - tick) / division * perBeat / 1e6;
}

TEST(SoundAssets, AtLeastThreePiecesOfMusicOfAMinuteOrMore)
{
    const QStringList pieces = QDir(assets + "/music").entryList({"*.mid"}, QDir::Files);
    EXPECT_GE(pieces.size(), 3);
    for (const QString& name : pieces) {
        QString error;
        const std::optional<QByteArray> bytes = readMidiFile(assets + "/music/" + name, error);
        ASSERT_TRUE(bytes) << name.toStdString() << ": " << error.toStdString();
        EXPECT_GE(midiSeconds(*bytes), 60.0) << name.toStdString();
    }
}

TEST(MidiFile, OnlyCompleteStandardMidiFilesAreMusic)
{
    const QByteArray header("MThd\0\0\0\x06\0\x01\0\x02\x01\xE0", 14);
    const QByteArray track("MTrk\0\0\0\x08\0\x90\x3C\x40\0\xFF\x2F\0", 16);
    const QByteArray unknown("XFIR\0\0\0\x02"
                             "ab",
                             10);
    struct Case {
        const char* what;
        QByteArray bytes;
        bool music;
    };
    const Case cases[] = {
        {"two tracks", header + track + track, true},
        {"a chunk of another kind between them", header + track + unknown + track, true},
        {"one track short", header + track, false},
        {"a track cut off", header + track + track.chopped(1), false},
        {"a track without its end", header + track + QByteArray("MTrk\0\0\0\x04\0\x90\x3C\x40", 12), false},
        {"no tracks announced", QByteArray("MThd\0\0\0\x06\0\0\0\0\x01\xE0", 14), false},
        {"another file", QByteArray("RIFF\0\0\0\0WAVEfmt "), false},
        {"empty", QByteArray(), false},
        {"a header that claims too much", QByteArray("MThd\xFF\xFF\xFF\xFF\0\x01\0\x02\x01\xE0", 14) + track,
         false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isMidiFile(c.bytes), c.music) << c.what;
}

TEST(SoundFont, TheSmallGeneralMidiFontComesFirstThenTheLargerOnes)
{
    QTemporaryDir first, second;
    const auto touch = [](const QTemporaryDir& dir, const char* name) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    const QStringList folders = {first.path(), second.path()};
    EXPECT_EQ(findSoundFont(folders), QString()) << "none installed";
    touch(first, "Piano.sf2");
    EXPECT_EQ(findSoundFont(folders), QString()) << "not a General MIDI font";
    touch(second, "default-GM.sf2");
    EXPECT_EQ(findSoundFont(folders), second.filePath("default-GM.sf2"));
    touch(first, "FluidR3_GM.sf2");
    EXPECT_EQ(findSoundFont(folders), first.filePath("FluidR3_GM.sf2"));
    touch(second, "TimGM6mb.sf2");
    EXPECT_EQ(findSoundFont(folders), second.filePath("TimGM6mb.sf2"));
}

} // namespace
