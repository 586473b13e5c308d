#include "Synth.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace snd {

namespace {
constexpr double TwoPi = 2.0 * std::numbers::pi;

double attackGain(double t, double attack)
{
    // A raised-cosine rise starts at exactly zero and has no corner to click on.
    return t >= attack ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
}

double onePoleCoefficient(double cutoff)
{
    return 1.0 - std::exp(-TwoPi * cutoff / SampleRate);
}
} // namespace

int frames(double length)
{
    return static_cast<int>(std::lround(length * SampleRate));
}

double seconds(const Samples& samples)
{
    return static_cast<double>(samples.size()) / SampleRate;
}

Samples struck(double frequency, double length, std::initializer_list<Partial> partials, double attack)
{
    Samples out(frames(length));
    for (const Partial& partial : partials) {
        const double step = TwoPi * frequency * partial.ratio / SampleRate;
        for (size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / SampleRate;
            out[i] += static_cast<float>(partial.level * std::exp(-t / partial.decay) * std::sin(step * i));
        }
    }
    shape(out, attack, 1e9);
    return out;
}

Samples fmTone(double carrier, double ratio, double index, double length, double decay, double attack)
{
    Samples out(frames(length));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double level = std::exp(-t / decay);
        const double modulator = index * level * std::sin(TwoPi * carrier * ratio * t);
        out[i] =
            static_cast<float>(level * attackGain(t, attack) * std::sin(TwoPi * carrier * t + modulator));
    }
    return out;
}

Samples sustained(double fromFrequency, double toFrequency, double length, int harmonics, double harmonicFall,
                  double attack, double release, double vibratoDepth, double vibratoRate)
{
    Samples out(frames(length));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double progress = t / length;
        // Glides are exponential, so they sound even in pitch.
        double frequency = fromFrequency * std::pow(toFrequency / fromFrequency, progress);
        frequency *= 1.0 + vibratoDepth * std::sin(TwoPi * vibratoRate * t);
        phase += TwoPi * frequency / SampleRate;
        double value = 0.0;
        double level = 1.0;
        for (int h = 1; h <= harmonics; ++h) {
            if (frequency * h < SampleRate * 0.45)
                value += level * std::sin(phase * h);
            level *= harmonicFall;
        }
        const double left = length - t;
        const double releaseGain =
            left >= release ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * left / release);
        out[i] = static_cast<float>(value * attackGain(t, attack) * releaseGain);
    }
    return out;
}

Samples noise(double length, unsigned seed)
{
    Samples out(frames(length));
    unsigned state = seed ? seed : 1u;
    for (float& sample : out) {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<float>(static_cast<double>(state >> 8) / (1u << 23) - 1.0);
    }
    return out;
}

void lowPass(Samples& samples, double cutoff)
{
    const double a = onePoleCoefficient(cutoff);
    double y = 0.0;
    for (float& sample : samples) {
        y += a * (sample - y);
        sample = static_cast<float>(y);
    }
}

void highPass(Samples& samples, double cutoff)
{
    const double a = onePoleCoefficient(cutoff);
    double low = 0.0;
    for (float& sample : samples) {
        low += a * (sample - low);
        sample = static_cast<float>(sample - low);
    }
}

void shape(Samples& samples, double attack, double decay)
{
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        samples[i] = static_cast<float>(samples[i] * attackGain(t, attack) * std::exp(-t / decay));
    }
}

void scale(Samples& samples, double gain)
{
    for (float& sample : samples)
        sample = static_cast<float>(sample * gain);
}

void mixInto(Samples& into, const Samples& part, double at, double gain)
{
    const size_t offset = static_cast<size_t>(frames(at));
    if (into.size() < offset + part.size())
        into.resize(offset + part.size(), 0.0f);
    for (size_t i = 0; i < part.size(); ++i)
        into[offset + i] += static_cast<float>(part[i] * gain);
}

void fadeEdges(Samples& samples, double fadeIn, double fadeOut)
{
    const size_t in = std::min(samples.size(), static_cast<size_t>(frames(fadeIn)));
    const size_t out = std::min(samples.size(), static_cast<size_t>(frames(fadeOut)));
    for (size_t i = 0; i < in; ++i)
        samples[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / in));
    for (size_t i = 0; i < out; ++i)
        samples[samples.size() - 1 - i] *=
            static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / out));
}

double loudnessDb(const Samples& samples)
{
    const size_t window = std::min(samples.size(), static_cast<size_t>(frames(0.05)));
    if (window == 0)
        return -200.0;
    double energy = 0.0;
    for (size_t i = 0; i < window; ++i)
        energy += samples[i] * samples[i];
    double loudest = energy;
    for (size_t i = window; i < samples.size(); ++i) {
        energy += samples[i] * samples[i] - samples[i - window] * samples[i - window];
        loudest = std::max(loudest, energy);
    }
    return 10.0 * std::log10(std::max(loudest / window, 1e-20));
}

void normalise(Samples& samples, double targetDb, double peakCeilingDb)
{
    scale(samples, std::pow(10.0, (targetDb - loudnessDb(samples)) / 20.0));
    float peak = 0.0f;
    for (float sample : samples)
        peak = std::max(peak, std::abs(sample));
    const double ceiling = std::pow(10.0, peakCeilingDb / 20.0);
    if (peak > ceiling)
        scale(samples, ceiling / peak);
}

void padSilence(Samples& samples, double length)
{
    samples.resize(samples.size() + frames(length), 0.0f);
}

QByteArray wavFile(const Samples& samples)
{
    constexpr quint16 channels = 1;
    constexpr quint16 bits = 16;
    constexpr quint16 blockAlign = channels * bits / 8;
    const quint32 dataBytes = static_cast<quint32>(samples.size()) * blockAlign;
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << channels << quint32(SampleRate) << quint32(SampleRate * blockAlign)
        << blockAlign << bits;
    out.writeRawData("data", 4);
    out << dataBytes;
    for (float sample : samples)
        out << static_cast<qint16>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
    return file;
}

} // namespace snd
