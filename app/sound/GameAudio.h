#pragma once

#include <QString>

class SoundEffects;
class SoundModule;
class SynthMusicPlayer;

// The program's audio module: loaded on first use, from beside the program or from where it was
// installed, and kept to the end. Null when it cannot be loaded; error then says why.
SoundModule* audioModule(QString* error = nullptr);

// Loads the audio module, makes the effects and starts the music's synthesiser in the background:
// what the program does right after its first frame.
void startAudio(SoundEffects& effects, SynthMusicPlayer& music);
