#pragma once

#include <fluidsynth.h>

#include <memory>
#include <mutex>

#include "app/sound/SoundModule.h"

// The music on FluidSynth: one synthesiser with a General MIDI SoundFont, its own PulseAudio
// output, and a MIDI file player per piece.
class FluidMusicEngine final : public MusicEngine {
  public:
    static std::unique_ptr<MusicEngine> start(const QString& soundFont, QString& error);
    ~FluidMusicEngine() override;

    bool load(const QByteArray& midiFile) override;
    void unload() override;
    void play() override;
    void stop() override;
    bool isPlaying() const override;

  private:
    FluidMusicEngine() = default;
    bool startOutput(const QString& soundFont, QString& error);
    void deletePlayer();
    static int render(void* data, int frames, int effectCount, float* effects[], int outputCount,
                      float* outputs[]);

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    fluid_player_t* player_ = nullptr;
    // FluidSynth's players hook into the synthesiser's rendering without a lock of their own: one is
    // made, changed or deleted only while the output thread is not rendering.
    std::mutex rendering_;
};
