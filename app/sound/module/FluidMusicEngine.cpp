#include "FluidMusicEngine.h"

#include <QFile>
#include <algorithm>
#include <mutex>

namespace {
constexpr double Gain = 0.8; // the pieces sit well below the effects at this level
constexpr int Polyphony = 64;

// FluidSynth writes its messages to stderr; the program reports a failure once, in its own words,
// so the last error of this thread is kept for that and everything else is dropped.
thread_local QString lastError;

void keepError(int level, const char* message, void*)
{
    if (level <= FLUID_ERR)
        lastError = QString::fromLocal8Bit(message);
}

void quietenFluidSynth()
{
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, keepError, nullptr);
        fluid_set_log_function(FLUID_ERR, keepError, nullptr);
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

QString withReason(const QString& what)
{
    return lastError.isEmpty() ? what : what + QStringLiteral(" (") + lastError + QLatin1Char(')');
}
} // namespace

std::unique_ptr<MusicEngine> FluidMusicEngine::start(const QString& soundFont, QString& error)
{
    quietenFluidSynth();
    lastError.clear();
    std::unique_ptr<FluidMusicEngine> engine(new FluidMusicEngine);
    if (!engine->startOutput(soundFont, error))
        return nullptr;
    return engine;
}

bool FluidMusicEngine::startOutput(const QString& soundFont, QString& error)
{
    settings_ = new_fluid_settings();
    if (!settings_) {
        error = withReason(QStringLiteral("cannot set up the synthesiser"));
        return false;
    }
    fluid_settings_setstr(settings_, "audio.driver", "pulseaudio");
    // The default periods sometimes held the first note back for two seconds.
    fluid_settings_setint(settings_, "audio.period-size", 512);
    fluid_settings_setint(settings_, "audio.periods", 4);
    fluid_settings_setstr(settings_, "audio.pulseaudio.media-role", "music");
    // Only the instruments a piece uses are read from the SoundFont, and they need not be locked
    // into memory.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    fluid_settings_setint(settings_, "synth.polyphony", Polyphony);
    fluid_settings_setnum(settings_, "synth.gain", Gain);
    // The output first: without one, the SoundFont's ten megabytes are not worth reading.
    driver_ = new_fluid_audio_driver2(settings_, &FluidMusicEngine::render, this);
    if (!driver_) {
        error = withReason(QStringLiteral("cannot start the audio output"));
        return false;
    }
    fluid_synth_t* synth = new_fluid_synth(settings_);
    if (!synth) {
        error = withReason(QStringLiteral("cannot set up the synthesiser"));
        return false;
    }
    {
        std::lock_guard lock(rendering_);
        synth_ = synth;
    }
    if (fluid_synth_sfload(synth_, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED) {
        error = withReason(QStringLiteral("cannot load the SoundFont %1").arg(soundFont));
        return false;
    }
    return true;
}

FluidMusicEngine::~FluidMusicEngine()
{
    deletePlayer();
    // Within about two seconds of its start, deleting the PulseAudio output waits that long:
    // callers delete the engine away from the GUI thread. The output goes first; it renders the synth.
    if (driver_)
        delete_fluid_audio_driver(driver_);
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

int FluidMusicEngine::render(void* data, int frames, int, float*[], int outputCount, float* outputs[])
{
    auto* engine = static_cast<FluidMusicEngine*>(data);
    std::lock_guard lock(engine->rendering_);
    if (!engine->synth_) {
        for (int channel = 0; channel < outputCount; ++channel)
            std::fill_n(outputs[channel], frames, 0.0f);
        return FLUID_OK;
    }
    if (outputCount < 2)
        return fluid_synth_process(engine->synth_, frames, 0, nullptr, outputCount, outputs);
    // Reverb and chorus go into the same two channels as the dry sound.
    float* effects[] = {outputs[0], outputs[1]};
    return fluid_synth_process(engine->synth_, frames, 2, effects, 2, outputs);
}

void FluidMusicEngine::deletePlayer()
{
    std::lock_guard lock(rendering_);
    if (!player_)
        return;
    delete_fluid_player(player_);
    player_ = nullptr;
    // A deleted player cannot silence its notes any more; they fade out by their release.
    fluid_synth_all_notes_off(synth_, -1);
}

bool FluidMusicEngine::load(const QByteArray& midiFile)
{
    deletePlayer();
    std::lock_guard lock(rendering_);
    player_ = new_fluid_player(synth_);
    if (player_ && fluid_player_add_mem(player_, midiFile.constData(), midiFile.size()) == FLUID_OK)
        return true;
    if (player_)
        delete_fluid_player(player_);
    player_ = nullptr;
    return false;
}

void FluidMusicEngine::unload()
{
    deletePlayer();
}

void FluidMusicEngine::play()
{
    std::lock_guard lock(rendering_);
    if (player_)
        fluid_player_play(player_);
}

void FluidMusicEngine::stop()
{
    std::lock_guard lock(rendering_);
    if (player_)
        fluid_player_stop(player_);
}

bool FluidMusicEngine::isPlaying() const
{
    return player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
}
