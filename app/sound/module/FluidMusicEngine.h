#pragma once

#include <fluidsynth.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "SoundFontSubset.h"
#include "app/sound/SoundModule.h"

// The music on FluidSynth: one synthesiser with the instruments of a General MIDI SoundFont that the
// piece plays (their samples read only once they are chosen), FluidSynth's own audio output, and a
// MIDI file player per piece. Without an output the player waits where it is (it advances only as the
// synthesiser renders); a watcher opens the output again once there is one.
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
    using Clock = std::chrono::steady_clock;

    FluidMusicEngine() = default;
    bool startSynth(const QString& soundFont, QString& error);
    bool loadInstruments(const QByteArray& midiFile);
    void unloadInstruments();
    bool openOutput();
    void watchOutput();
    void deletePlayer();
    static int render(void* data, int frames, int effectCount, float* effects[], int outputCount,
                      float* outputs[]);

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    QString soundFont_;
    int fontId_ = FLUID_FAILED;
    std::string fontName_;
    std::set<SoundFontPreset> fontPresets_;
    // FluidSynth's players hook into the synthesiser's rendering without a lock of their own: one is
    // made, changed or deleted only while the output thread is not rendering.
    std::mutex rendering_;

    // Only the watcher's thread makes and deletes the output once the engine has started.
    fluid_audio_driver_t* driver_ = nullptr;
    std::atomic<Clock::rep> lastRender_{0};
    std::thread watcher_;
    std::mutex watching_;
    std::condition_variable wake_;
    bool ending_ = false;
};
