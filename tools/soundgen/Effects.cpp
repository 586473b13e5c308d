#include "Effects.h"

namespace snd {

namespace {
constexpr double LoudnessDb = -14.0;
constexpr double HoverLoudnessDb = -22.0; // ticks while the pointer moves sit well below the rest
constexpr double PeakCeilingDb = -1.0;
constexpr double TailSilence = 0.2;

Samples marimba(double frequency, double length)
{
    return struck(frequency, length, {{1.0, 1.0, 0.11}, {3.93, 0.28, 0.025}, {9.2, 0.06, 0.008}});
}

Samples vibraphone(double frequency, double length)
{
    return struck(frequency, length, {{1.0, 1.0, 0.3}, {4.0, 0.22, 0.05}, {10.1, 0.04, 0.01}});
}

Samples woodblock(double frequency, double length)
{
    return struck(frequency, length, {{1.0, 1.0, 0.024}, {2.76, 0.45, 0.012}, {5.4, 0.15, 0.005}}, 0.001);
}

Samples notes(Samples (*voice)(double, double), std::initializer_list<double> frequencies, double step,
              double length)
{
    Samples out;
    double at = 0.0;
    for (double frequency : frequencies) {
        mixInto(out, voice(frequency, length), at);
        at += step;
    }
    return out;
}

// PLIVA 1: a right-button move, a falling third on the marimba.
Samples plivaRightMove()
{
    return notes(marimba, {440.0, 349.2}, 0.055, 0.22);
}

// PLIVA 2: a left-button move, a rising fourth.
Samples plivaLeftMove()
{
    return notes(marimba, {329.6, 440.0}, 0.055, 0.22);
}

// PLIVA 3: the pointer reaches another column, a small high tick.
Samples plivaColumn()
{
    Samples tick = struck(2100.0, 0.07, {{1.0, 1.0, 0.012}, {2.3, 0.4, 0.006}}, 0.001);
    Samples grain = noise(0.07, 3);
    lowPass(grain, 4000.0);
    shape(grain, 0.001, 0.003);
    mixInto(tick, grain, 0.0, 0.25);
    return tick;
}

// ZUPEL 1: a penalty cell, a low double buzz.
Samples zupelPenalty()
{
    Samples buzz;
    for (double at : {0.0, 0.17}) {
        mixInto(buzz, sustained(150.0, 122.0, 0.14, 12, 0.8, 0.004, 0.03, 0.01, 28.0), at);
    }
    lowPass(buzz, 1800.0);
    lowPass(buzz, 1800.0);
    return buzz;
}

// ZUPEL 2: a digit collected, two bright coin-like notes.
Samples zupelDigit()
{
    Samples coin = fmTone(987.8, 2.0, 1.2, 0.09, 0.08);
    mixInto(coin, fmTone(1318.5, 2.0, 1.2, 0.3, 0.12), 0.07);
    return coin;
}

// ZUPEL 3: one digit unit counted, a short blip that repeats well.
Samples zupelCountUp()
{
    return fmTone(1568.0, 1.0, 0.8, 0.07, 0.025);
}

// VEXOR 1: a shift starts, a rising slide with a breath of air.
Samples vexorShift()
{
    Samples slide = sustained(260.0, 620.0, 0.22, 4, 0.35, 0.02, 0.08);
    Samples air = noise(0.22, 7);
    lowPass(air, 2500.0);
    highPass(air, 600.0);
    shape(air, 0.03, 0.08);
    mixInto(slide, air, 0.0, 0.6);
    return slide;
}

// VEXOR 2: the arrow under the pointer changes, a woodblock tick.
Samples vexorArrow()
{
    return woodblock(1250.0, 0.065);
}

// HUXEL 1: the highlighted block changes, a soft rising pop.
Samples huxelBlock()
{
    return sustained(500.0, 800.0, 0.055, 2, 0.3, 0.003, 0.04);
}

// HUXEL 2: a rotation starts, a turn figure on the vibraphone.
Samples huxelRotate()
{
    return notes(vibraphone, {784.0, 987.8, 1174.7, 987.8}, 0.05, 0.3);
}

// "Geschafft": a rising C major arpeggio that lands on a ringing octave.
Samples solved()
{
    Samples jingle = notes(marimba, {523.3, 659.3, 784.0}, 0.09, 0.25);
    mixInto(jingle, vibraphone(1046.5, 0.5), 0.27);
    for (double frequency : {523.3, 659.3, 784.0})
        mixInto(jingle, sustained(frequency, frequency, 0.45, 3, 0.3, 0.04, 0.2), 0.27, 0.18);
    return jingle;
}

// "Leider": a muted horn sinking by half steps, the last note drooping.
Samples failed()
{
    Samples horn;
    mixInto(horn, sustained(392.0, 392.0, 0.2, 8, 0.55, 0.03, 0.05, 0.003), 0.0);
    mixInto(horn, sustained(370.0, 370.0, 0.2, 8, 0.55, 0.03, 0.05, 0.003), 0.22);
    mixInto(horn, sustained(349.2, 329.6, 0.34, 8, 0.55, 0.03, 0.12, 0.008), 0.44);
    lowPass(horn, 1500.0);
    return horn;
}

// PLIVA 4: a move refused, a dull double thud.
Samples plivaRefused()
{
    Samples thud;
    mixInto(thud, sustained(190.0, 120.0, 0.14, 3, 0.4, 0.002, 0.05), 0.0);
    mixInto(thud, sustained(170.0, 100.0, 0.14, 3, 0.4, 0.002, 0.05), 0.09);
    shape(thud, 0.0, 0.09);
    return thud;
}

Samples finished(Samples sound, double loudnessDb)
{
    fadeEdges(sound, 0.002, 0.015);
    normalise(sound, loudnessDb, PeakCeilingDb);
    padSilence(sound, TailSilence);
    return sound;
}
} // namespace

std::vector<Samples> soundEffects()
{
    return {finished(plivaRightMove(), LoudnessDb),   finished(plivaLeftMove(), LoudnessDb),
            finished(plivaColumn(), HoverLoudnessDb), finished(zupelPenalty(), LoudnessDb),
            finished(zupelDigit(), LoudnessDb),       finished(zupelCountUp(), LoudnessDb),
            finished(vexorShift(), LoudnessDb),       finished(vexorArrow(), HoverLoudnessDb),
            finished(huxelBlock(), HoverLoudnessDb),  finished(huxelRotate(), LoudnessDb),
            finished(solved(), LoudnessDb),           finished(failed(), LoudnessDb),
            finished(plivaRefused(), LoudnessDb)};
}

} // namespace snd
