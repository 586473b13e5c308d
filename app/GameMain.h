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
    // Loads the audio libraries and starts the music's synthesiser in the background; the game
    // does this right after its first frame.
    void start();

  private:
    SoundEffects effects_;
    SynthMusicPlayer music_;
};

// The parts the game's main window is built from, with the four puzzles as the game plays them;
// without sound, the window plays none.
ShellParts gameParts(const QString& dataDir, SettingsStore& settings, RandomSource& random,
                     ShellDialogs& dialogs, GameSound* sound = nullptr);
