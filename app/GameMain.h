#pragma once

#include <functional>

#include "app/MainForm.h"
#include "app/sound/SoundEffects.h"
#include "app/sound/SynthMusicPlayer.h"

// Runs the game: entry of the program.
int runGame(int argc, char** argv);

// The game's sound effects and music, on the audio module that start() loads.
class GameSound final : public SoundOutput {
  public:
    GameSound();
    void play(Sound sound) override { effects_.play(sound); }
    MusicPlayer& music() { return music_; }
    bool started() const { return started_; }
    // Loads the audio libraries and starts the music's synthesiser in the background, once; the
    // game does this right after its first frame, or later when sound or music is switched on.
    void start();

  private:
    SoundEffects effects_;
    SynthMusicPlayer music_;
    bool started_ = false;
};

// Starts the sound now when the window's sound or music button is on; otherwise when the player
// first switches one on. The audio libraries cost megabytes of memory that a silent game saves.
void startSoundWhenWanted(TMainForm& form, GameSound& sound);

// The parts the game's main window is built from, with the four puzzles as the game plays them;
// without sound, the window plays none.
ShellParts gameParts(const QString& dataDir, SettingsStore& settings, RandomSource& random,
                     ShellDialogs& dialogs, GameSound* sound = nullptr);
