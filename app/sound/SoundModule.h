#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// The audio libraries (Qt Multimedia, FluidSynth and what they pull in) cost several megabytes and
// milliseconds to load, so they live in a module of their own that the program loads after its
// first frame. These are the parts the module offers.

// One sound effect, ready to play.
class EffectVoice {
  public:
    virtual ~EffectVoice() = default;
    virtual void play() = 0; // from its start
    virtual void stop() = 0;
};

// A synthesiser with its audio output, playing one Standard MIDI File at a time. Made on a worker
// thread, then used from the GUI thread only.
class MusicEngine {
  public:
    virtual ~MusicEngine() = default;

    // Takes a piece (the file's bytes), placed at its beginning; false when it cannot.
    virtual bool load(const QByteArray& midiFile) = 0;
    virtual void unload() = 0;
    // Plays on from the current position; from the beginning once the piece has ended.
    virtual void play() = 0;
    // Halts at the current position and silences what still sounds.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
};

class SoundModule {
  public:
    virtual ~SoundModule() = default;

    virtual bool hasAudioOutput() = 0;
    // Effect `index` (0..12) from the program's resources; on the GUI thread.
    virtual std::unique_ptr<EffectVoice> makeEffect(int index) = 0;
    // Loads the SoundFont and starts the audio output. May take a while: meant for a worker thread.
    // Null, with the reason in `error`, when either fails.
    virtual std::unique_ptr<MusicEngine> startMusic(const QString& soundFont, QString& error) = 0;
};

// The module exports one function of this name that returns its SoundModule, alive until the end.
inline constexpr char SoundModuleEntryName[] = "frobnySoundModule";
using SoundModuleEntry = SoundModule* (*)();
