#pragma once

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <optional>

// The samples of a RIFF WAVE file with integer PCM, as the effects carry them. Header-only: the
// audio module, which links nothing of the program, reads its effects with it.
struct WaveSound {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0; // 8 (unsigned), 16 or 32 (signed)
    QByteArray samples;    // whole frames only
};

inline constexpr quint32 MaxSampleRate = 384'000;

// Null when the file is not one of those, or holds no sound.
inline std::optional<WaveSound> readWave(const QByteArray& file)
{
    const auto word = [&file](qsizetype at) { return qFromLittleEndian<quint16>(file.constData() + at); };
    const auto dword = [&file](qsizetype at) { return qFromLittleEndian<quint32>(file.constData() + at); };
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    WaveSound sound;
    bool formatSeen = false;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype body = at + 8;
        const qsizetype size = std::min<qsizetype>(dword(at + 4), file.size() - body);
        if (id == "fmt " && size >= 16 && word(body) == 1) {
            sound.channels = word(body + 2);
            const quint32 rate = dword(body + 4);
            sound.sampleRate = rate <= MaxSampleRate ? static_cast<int>(rate) : 0;
            sound.bitsPerSample = word(body + 14);
            formatSeen = true;
        } else if (id == "data") {
            sound.samples = file.mid(body, size);
            break;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    const bool usable = formatSeen && sound.channels >= 1 && sound.channels <= 8 && sound.sampleRate > 0 &&
                        (sound.bitsPerSample == 8 || sound.bitsPerSample == 16 || sound.bitsPerSample == 32);
    if (!usable)
        return std::nullopt;
    const qsizetype frameBytes = sound.channels * sound.bitsPerSample / 8;
    sound.samples.truncate(sound.samples.size() / frameBytes * frameBytes);
    if (sound.samples.isEmpty())
        return std::nullopt;
    return sound;
}
