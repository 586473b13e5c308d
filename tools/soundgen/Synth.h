#pragma once

#include <QByteArray>
#include <initializer_list>
#include <vector>

// A small kit for the sound effects: mono float samples in [-1, 1] at one fixed rate.
namespace snd {

constexpr int SampleRate = 22050;
using Samples = std::vector<float>;

int frames(double seconds);
double seconds(const Samples& samples);

// One partial of a struck tone: frequency ratio to the fundamental, level, decay time constant.
struct Partial {
    double ratio;
    double level;
    double decay;
};

// A struck or plucked tone (mallet, bell, pluck): partials that die away exponentially.
Samples struck(double frequency, double length, std::initializer_list<Partial> partials,
               double attack = 0.002);
// A two-operator FM tone whose brightness fades with the level: bells and blips.
Samples fmTone(double carrier, double ratio, double index, double length, double decay,
               double attack = 0.002);
// A sustained tone of the first harmonics, gliding from one frequency to another, with an
// attack and release; harmonicFall thins the upper harmonics (1: soft, 0.3: reedy).
Samples sustained(double fromFrequency, double toFrequency, double length, int harmonics, double harmonicFall,
                  double attack, double release, double vibratoDepth = 0.0, double vibratoRate = 5.5);
// White noise from a fixed seed, so every run writes the same file.
Samples noise(double length, unsigned seed);

void lowPass(Samples& samples, double cutoff);
void highPass(Samples& samples, double cutoff);
// Multiplies by an envelope that rises over attack and decays with the time constant.
void shape(Samples& samples, double attack, double decay);
void scale(Samples& samples, double gain);
void mixInto(Samples& into, const Samples& part, double at, double gain = 1.0);

// Short fades, so neither end clicks.
void fadeEdges(Samples& samples, double fadeIn, double fadeOut);
// Short-term loudness: the RMS of the loudest 50 ms, so a click and a chord compare fairly.
double loudnessDb(const Samples& samples);
// Brings the loudness to the target, then keeps the peak below the ceiling.
void normalise(Samples& samples, double targetDb, double peakCeilingDb);
void padSilence(Samples& samples, double length);

// A RIFF/WAVE file image: PCM, mono, 16 bits.
QByteArray wavFile(const Samples& samples);

} // namespace snd
