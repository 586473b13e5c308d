#include "Music.h"

#include <QByteArray>
#include <QList>
#include <cmath>
#include <stdexcept>

namespace music {

namespace {

using midi::Instrument;
using midi::Song;
using midi::Track;

// "f#4" -> 66 (C4 = 60).
int key(const QByteArray& name)
{
    static const int steps[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    int at = 0;
    const char letter = name.at(at++);
    if (letter < 'a' || letter > 'g')
        throw std::invalid_argument(name.toStdString());
    int value = steps[letter - 'a'];
    // The octave follows the letter at once, so a "b" in second place is a flat.
    if (name.at(at) == '#' || name.at(at) == 'b')
        value += name.at(at++) == '#' ? 1 : -1;
    return value + 12 * (name.mid(at).toInt() + 1);
}

struct Note {
    double beat;
    double beats;
    int key; // -1: rest
};

struct Phrase {
    std::vector<Note> notes;
    double length = 0.0;
};

// A melody in a compact form: "f#4q e4e. rq" - pitch (or r for a rest), then the length:
// w whole, h half, q quarter, e eighth, s sixteenth; a dot makes it half as long again.
Phrase phrase(const char* text)
{
    Phrase out;
    for (const QByteArray& token : QByteArray(text).simplified().split(' ')) {
        const bool dotted = token.endsWith('.');
        const QByteArray body = dotted ? token.chopped(1) : token;
        const char code = body.back();
        const double lengths[] = {4.0, 2.0, 1.0, 0.5, 0.25};
        const int index = QByteArray("whqes").indexOf(code);
        if (index < 0)
            throw std::invalid_argument(token.toStdString());
        const double beats = lengths[index] * (dotted ? 1.5 : 1.0);
        const QByteArray pitch = body.chopped(1);
        out.notes.push_back({out.length, beats, pitch == "r" ? -1 : key(pitch)});
        out.length += beats;
    }
    return out;
}

// Plays a phrase from the given beat; legato shortens each note a little so repeated notes speak.
void play(Track& track, const Phrase& phrase, double start, int velocity, int transpose = 0,
          double legato = 0.92)
{
    for (const Note& note : phrase.notes) {
        if (note.key < 0)
            continue;
        // A light lean on strong beats keeps the line from sounding mechanical.
        const double position = std::fmod(start + note.beat, 4.0);
        const int lean = position == 0.0 ? 6 : position == 2.0 ? 3 : 0;
        track.note(start + note.beat, note.beats * legato, note.key + transpose, velocity + lean);
    }
}

struct Chord {
    int root; // pitch class 0..11
    bool minor;
};

Chord chord(const char* name)
{
    const QByteArray text(name);
    const bool minor = text.endsWith('m');
    const QByteArray root = minor ? text.chopped(1) : text;
    return {key(root.toLower() + "4") % 12, minor};
}

std::vector<Chord> chords(const char* names)
{
    std::vector<Chord> out;
    for (const QByteArray& name : QByteArray(names).simplified().split(' '))
        out.push_back(chord(name.constData()));
    return out;
}

std::vector<int> pitchClasses(const Chord& c)
{
    return {c.root, (c.root + (c.minor ? 3 : 4)) % 12, (c.root + 7) % 12};
}

// The key of this pitch class that lies within a fifth or so of the centre.
int toneNear(int pitchClass, int centre)
{
    int best = pitchClass;
    while (best + 12 <= centre + 6)
        best += 12;
    return best;
}

// The chord's three tones close around a centre key, for pads and comping.
std::vector<int> voicing(const Chord& c, int centre)
{
    std::vector<int> keys;
    for (int pitchClass : pitchClasses(c))
        keys.push_back(toneNear(pitchClass, centre));
    return keys;
}

int bassKey(const Chord& c, int lowest)
{
    int keyValue = c.root;
    while (keyValue < lowest)
        keyValue += 12;
    return keyValue;
}

Instrument instrument(const char* name, int channel, int program, int volume, int pan, int reverb)
{
    return {QString::fromLatin1(name), channel, program, volume, pan, reverb};
}

// "Ode an die Freude" (Beethoven), for electric piano, vibraphone and flute over a soft band.
Song freude()
{
    Song song{QStringLiteral("Ode an die Freude"), 4, {{0.0, 96.0}}, {}};
    Track piano(instrument("Electric piano", 0, 4, 100, 64, 50));
    Track vibes(instrument("Vibraphone", 1, 11, 92, 44, 60));
    Track flute(instrument("Flute", 2, 73, 66, 84, 60));
    Track bass(instrument("Bass", 3, 32, 96, 64, 30));
    Track pad(instrument("Warm pad", 4, 89, 58, 64, 70));
    Track comping(instrument("Comping piano", 5, 5, 70, 84, 50));
    Track drums(instrument("Brushes", 9, 0, 60, 64, 40));

    const Phrase tune = phrase("f#4q f#4q g4q a4q a4q g4q f#4q e4q d4q d4q e4q f#4q f#4q. e4e e4h "
                               "f#4q f#4q g4q a4q a4q g4q f#4q e4q d4q d4q e4q f#4q e4q. d4e d4h "
                               "e4q e4q f#4q d4q e4q f#4e g4e f#4q d4q e4q f#4e g4e f#4q e4q d4q e4q a3h "
                               "f#4q f#4q g4q a4q a4q g4q f#4q e4q d4q d4q e4q f#4q e4q. d4e d4h");
    // Two chords a bar.
    const std::vector<Chord> harmony = chords("D D A A D D D A D D A A D D A D "
                                              "A D A D A Bm G A D D A A D D A D");
    const double intro = 8.0;
    const double verse = 64.0;

    for (int half = 0; half < 4; ++half) {
        const Chord c = half < 2 ? chord("D") : chord("A");
        for (int keyValue : voicing(c, 62))
            pad.note(half * 2.0, 2.0, keyValue, 46);
        bass.note(half * 2.0, 1.8, bassKey(c, 38), 70);
        const std::vector<int> tones = voicing(c, 74);
        for (int step = 0; step < 4; ++step)
            piano.note(half * 2.0 + step * 0.5, 0.5, tones[step % 3] + (step == 3 ? 12 : 0), 52);
    }

    for (int pass = 0; pass < 2; ++pass) {
        const double start = intro + pass * verse;
        if (pass == 0) {
            play(piano, tune, start, 74, 12);
        } else {
            play(vibes, tune, start, 78, 12);
            play(flute, tune, start, 50, 24, 0.85);
        }
        for (size_t i = 0; i < harmony.size(); ++i) {
            const double at = start + i * 2.0;
            const Chord& c = harmony[i];
            for (int keyValue : voicing(c, 62))
                pad.note(at, 2.0, keyValue, pass == 0 ? 44 : 38);
            const int root = bassKey(c, 38);
            if (pass == 0) {
                bass.note(at, 1.8, root, 72);
            } else {
                bass.note(at, 0.9, root, 74);
                bass.note(at + 1.0, 0.9, root + 7, 64);
                for (int keyValue : voicing(c, 67))
                    comping.note(at + 1.0, 0.4, keyValue, 42);
            }
        }
        if (pass == 1) {
            for (double beat = start; beat < start + verse; beat += 0.5) {
                const bool onBeat = std::fmod(beat, 1.0) == 0.0;
                drums.note(beat, 0.25, 42, onBeat ? 32 : 22); // closed hi-hat
                if (std::fmod(beat, 2.0) == 0.0)
                    drums.note(beat, 0.25, 36, 44); // kick on one and three
                else if (onBeat)
                    drums.note(beat, 0.25, 37, 34); // side stick on two and four
            }
        }
    }

    const double outro = intro + 2 * verse;
    for (int keyValue : voicing(chord("D"), 62))
        pad.note(outro, 8.0, keyValue, 44);
    for (int keyValue : {62, 66, 69, 74})
        piano.note(outro, 8.0, keyValue, 58);
    vibes.note(outro, 8.0, 86, 56);
    bass.note(outro, 8.0, 38, 70);

    song.tracks = {piano, vibes, flute, bass, pad, comping, drums};
    return song;
}

// The canon over Pachelbel's ground bass: three voices enter one after another with the same
// lines, over cello and harp.
Song kanon()
{
    Song song{QStringLiteral("Kanon"), 4, {{0.0, 56.0}}, {}};
    Track cello(instrument("Cello", 0, 42, 64, 50, 64));
    Track harp(instrument("Harp", 1, 46, 56, 72, 70));
    Track strings(instrument("Strings", 2, 48, 60, 36, 72));
    Track flute(instrument("Flute", 3, 73, 52, 92, 72));
    Track clarinet(instrument("Clarinet", 4, 71, 50, 64, 72));

    const std::vector<Chord> ground = chords("D A Bm F#m G D G A");
    const std::vector<Phrase> lines = {
        phrase("f#5q e5q d5q c#5q b4q a4q b4q c#5q"),
        phrase("d5q c#5q b4q a4q g4q f#4q g4q e4q"),
        phrase("d4e f#4e a4e g4e f#4e d4e f#4e e4e d4e b3e d4e a4e g4e b4e a4e g4e"),
        phrase("f#4e d4e e4e c#5e d5e f#5e a5e a4e b4e g4e a4e f#4e d4e d5e d5e c#5e"),
        phrase("a5q a5q f#5q f#5q g5q f#5q d5q e5q"),
    };
    constexpr int cycles = 10;
    constexpr double cycle = 8.0;

    for (int round = 0; round < cycles; ++round) {
        for (size_t i = 0; i < ground.size(); ++i) {
            const double at = round * cycle + i;
            const Chord& c = ground[i];
            const int root = bassKey(c, 38);
            cello.note(at, 0.95, root, 66);
            const int third = toneNear(pitchClasses(c)[1], 62);
            const int fifth = toneNear(pitchClasses(c)[2], 57);
            const int arpeggio[] = {root + 12, fifth, third, fifth + 12};
            for (int step = 0; step < 4; ++step)
                harp.note(at + step * 0.25, 0.6, arpeggio[step], step == 0 ? 58 : 48);
        }
    }
    // Each voice walks through the lines in order, one cycle after the voice before it.
    struct Voice {
        Track* track;
        int firstCycle;
        int transpose;
        int velocity;
    };
    const Voice voices[] = {{&strings, 1, 0, 70}, {&flute, 2, 0, 62}, {&clarinet, 3, -12, 64}};
    for (const Voice& voice : voices) {
        for (int round = voice.firstCycle; round < cycles; ++round) {
            const Phrase& line = lines[(round - voice.firstCycle) % lines.size()];
            play(*voice.track, line, round * cycle, voice.velocity, voice.transpose, 0.96);
        }
    }
    // A gentle slowing into the last chord.
    song.tempo.push_back({(cycles - 1) * cycle + 4.0, 52.0});
    song.tempo.push_back({(cycles - 1) * cycle + 6.0, 46.0});
    const double end = cycles * cycle;
    cello.note(end, 4.0, 38, 66);
    const int rolled[] = {50, 57, 62, 66, 69, 74};
    for (int step = 0; step < 6; ++step)
        harp.note(end + step * 0.12, 4.0 - step * 0.12, rolled[step], 56);
    strings.note(end, 4.0, 74, 60);
    strings.note(end, 4.0, 78, 56);
    flute.note(end, 4.0, 81, 54);
    clarinet.note(end, 4.0, 66, 54);

    song.tracks = {cello, harp, strings, flute, clarinet};
    return song;
}

// "Bruder Jakob" as a round for four wind and mallet voices, then slower in minor as a canon for
// oboe and cello, ending on a major chord.
Song bruderJakob()
{
    Song song{QStringLiteral("Bruder Jakob"), 4, {{0.0, 112.0}}, {}};
    Track marimba(instrument("Marimba", 0, 12, 96, 40, 50));
    Track clarinet(instrument("Clarinet", 1, 71, 80, 88, 60));
    Track flute(instrument("Flute", 2, 73, 70, 20, 60));
    Track bassoon(instrument("Bassoon", 3, 70, 82, 104, 60));
    Track pizzicato(instrument("Pizzicato", 4, 45, 86, 64, 50));
    Track oboe(instrument("Oboe", 5, 68, 84, 48, 72));
    Track cello(instrument("Cello", 6, 42, 80, 80, 72));
    Track strings(instrument("Strings", 7, 49, 70, 64, 80));

    const Phrase major = phrase("g4q a4q b4q g4q g4q a4q b4q g4q b4q c5q d5h b4q c5q d5h "
                                "d5e e5e d5e c5e b4q g4q d5e e5e d5e c5e b4q g4q g4q d4q g4h g4q d4q g4h");
    const Phrase minor =
        phrase("g4q a4q bb4q g4q g4q a4q bb4q g4q bb4q c5q d5h bb4q c5q d5h "
               "d5e eb5e d5e c5e bb4q g4q d5e eb5e d5e c5e bb4q g4q g4q d4q g4h g4q d4q g4h");
    const double tune = major.length; // eight bars

    struct Voice {
        Track* track;
        int transpose;
        int velocity;
    };
    const Voice round[] = {{&marimba, 12, 78}, {&clarinet, 0, 70}, {&flute, 12, 58}, {&bassoon, -12, 70}};
    for (int v = 0; v < 4; ++v) {
        for (int time = 0; time < 3; ++time)
            play(*round[v].track, major, v * 8.0 + time * tune, round[v].velocity, round[v].transpose);
    }
    const double roundEnd = 3 * tune + 3 * 8.0; // the last voice finishes
    for (double beat = 0.0; beat < roundEnd; beat += 4.0) {
        pizzicato.note(beat, 1.0, 43, 70);
        pizzicato.note(beat + 2.0, 1.0, 50, 62);
    }
    for (int keyValue : {43, 50, 55})
        pizzicato.note(roundEnd, 2.0, keyValue, 70);
    for (int keyValue : {67, 71, 74})
        marimba.note(roundEnd, 4.0, keyValue, 70);

    const double minorStart = roundEnd + 4.0;
    song.tempo.push_back({minorStart, 84.0});
    play(oboe, minor, minorStart, 72, 0, 0.95);
    play(oboe, minor, minorStart + tune, 68, 0, 0.95);
    play(cello, minor, minorStart + 8.0, 66, -12, 0.95);
    play(cello, minor, minorStart + 8.0 + tune, 62, -12, 0.95);
    const double minorEnd = minorStart + 8.0 + 2 * tune;
    for (double beat = minorStart; beat < minorEnd; beat += 2.0) {
        pizzicato.note(beat, 0.8, 43, 58);
        pizzicato.note(beat + 1.0, 0.8, 50, 48);
    }
    // The minor verse ends in G major.
    song.tempo.push_back({minorEnd, 72.0});
    for (int keyValue : {55, 59, 62, 67})
        strings.note(minorEnd, 8.0, keyValue, 56);
    oboe.note(minorEnd, 8.0, 71, 56);
    cello.note(minorEnd, 8.0, 43, 60);
    pizzicato.note(minorEnd, 1.0, 43, 60);

    song.tracks = {marimba, clarinet, flute, bassoon, pizzicato, oboe, cello, strings};
    return song;
}

} // namespace

std::vector<Piece> pieces()
{
    return {{QStringLiteral("01-freude.mid"), freude()},
            {QStringLiteral("02-kanon.mid"), kanon()},
            {QStringLiteral("03-bruder-jakob.mid"), bruderJakob()}};
}

} // namespace music
