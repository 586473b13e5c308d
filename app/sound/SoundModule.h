#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// The audio libraries cost megabytes and milliseconds to load, so each part lives in a module of its
// own that the program loads only when it is wanted: the effects (libpulse) when sound is switched
// on, the music (FluidSynth) when a piece is first played. These are the parts the modules offer.

// The one output stream all effects play through. Without a sound server it stays silent and keeps
// looking for one in the background; nothing it does waits for the server.
class EffectsStream {
  public:
    virtual ~EffectsStream() = default;
    // Effect `index` (0..12) from its start; the one still sounding stops. On the GUI thread.
    virtual void play(int index) = 0;
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

// The modules as the program sees them: each is loaded on first use and kept to the end.
class SoundModule {
  public:
    virtual ~SoundModule() = default;

    // Opens the effects' stream; null when the effects module cannot be loaded. On the GUI thread.
    virtual std::unique_ptr<EffectsStream> openEffects() = 0;
    // Loads the SoundFont and starts the audio output. May take a while: meant for a worker thread.
    // Null, with the reason in `error`, when either fails.
    virtual std::unique_ptr<MusicEngine> startMusic(const QString& soundFont, QString& error) = 0;
};

// What the two modules export.
inline constexpr char EffectsModuleEntryName[] = "frobnyOpenEffects";
using EffectsModuleEntry = EffectsStream* (*)();
inline constexpr char MusicModuleEntryName[] = "frobnyStartMusic";
using MusicModuleEntry = MusicEngine* (*)(const QString& soundFont, QString& error);
