#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Standard MIDI Files (format 1) for the background music, in General MIDI.
namespace midi {

constexpr int TicksPerBeat = 480;

// A General MIDI instrument on a channel of its own, with its mix settings.
struct Instrument {
    QString name;
    int channel; // 0..15; 9 is percussion
    int program; // General MIDI program 0..127
    int volume;  // controller 7
    int pan;     // controller 10, 64 = centre
    int reverb;  // controller 91
};

class Track {
  public:
    explicit Track(Instrument instrument) : instrument_(std::move(instrument)) {}

    // Beats are quarter notes from the start of the piece.
    void note(double beat, double beats, int key, int velocity);
    const Instrument& instrument() const { return instrument_; }

    struct Note {
        int tick;
        int ticks;
        int key;
        int velocity;
    };
    const std::vector<Note>& notes() const { return notes_; }

  private:
    Instrument instrument_;
    std::vector<Note> notes_;
};

struct TempoChange {
    double beat;
    double beatsPerMinute;
};

struct Song {
    QString title;
    int beatsPerBar = 4;
    std::vector<TempoChange> tempo;
    std::vector<Track> tracks;
};

QByteArray smfFile(const Song& song);

// Seconds from the start to the given beat under the song's tempo changes.
double secondsAt(const Song& song, double beat);
// The beat after the last note ends.
double lastBeat(const Song& song);

} // namespace midi
