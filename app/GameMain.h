#pragma once

#include <functional>

#include "app/MainForm.h"
#include "app/sound/SoundEffects.h"
#include "app/sound/SynthMusicPlayer.h"

// Runs the game: entry of the program.
int runGame(int argc, char** argv);

// The game's sound effects and music. Each loads its module only when it is wanted: the effects
// when sound is on, the music when a piece is first played.
class GameSound final : public SoundOutput {
  public:
    GameSound();
    void play(Sound sound) override { effects_.play(sound); }
    MusicPlayer& music() { return music_; }
    bool effectsStarted() const { return effects_.prepared(); }
    // Opens the effects' stream (in the background), once.
    void startEffects() { effects_.prepare(); }
    // Tells the music what its synthesiser is made from; nothing is loaded before the first piece plays.
    void startMusic();

  private:
    SoundEffects effects_;
    SynthMusicPlayer music_;
    bool musicStarted_ = false;
};

// Opens the effects now when the window's sound button is down, otherwise when the player first
// switches it on; readies the music. The game does this right after its first frame.
void startSoundWhenWanted(TMainForm& form, GameSound& sound);

// The parts the game's main window is built from, with the four puzzles as the game plays them;
// without sound, the window plays none.
ShellParts gameParts(const QString& dataDir, SettingsStore& settings, RandomSource& random,
                     ShellDialogs& dialogs, GameSound* sound = nullptr);
