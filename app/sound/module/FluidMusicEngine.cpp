#include "FluidMusicEngine.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include <dlfcn.h>

namespace {
constexpr double Gain = 0.8; // the pieces sit well below the effects at this level
constexpr int Polyphony = 64;
// An output that has rendered nothing for this long has lost its server; and how often that, or a
// missing output, is looked at.
constexpr auto SilentOutput = std::chrono::seconds(2);
constexpr auto WatchInterval = std::chrono::seconds(1);

// FluidSynth writes its messages to stderr; the program reports a failure once, in its own words,
// so the last error of this thread is kept for that and everything else is dropped.
thread_local QString lastError;

void keepError(int level, const char* message, void*)
{
    if (level <= FLUID_ERR)
        lastError = QString::fromLocal8Bit(message);
}

// ALSA prints its own complaints (no card, no configuration) on stderr. FluidSynth brings the library
// along (already loaded: it is only looked up here).
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void quietenAlsa()
{
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!alsa)
        return;
    if (auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(quietAlsa);
    dlclose(alsa);
}

void quietenFluidSynth()
{
    static std::once_flag once;
    std::call_once(once, [] {
        quietenAlsa();
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
    if (!engine->startSynth(soundFont, error))
        return nullptr;
    // No output yet is no failure: the music waits for one.
    engine->openOutput();
    engine->watcher_ = std::thread([raw = engine.get()] { raw->watchOutput(); });
    return engine;
}

bool FluidMusicEngine::startSynth(const QString& soundFont, QString& error)
{
    settings_ = new_fluid_settings();
    if (!settings_) {
        error = withReason(QStringLiteral("cannot set up the synthesiser"));
        return false;
    }
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
    // A synthesiser without its instruments is no use, and FluidSynth's file loader keeps the
    // error of a file it cannot open.
    if (!QFileInfo(soundFont).isReadable()) {
        error = withReason(QStringLiteral("cannot load the SoundFont %1").arg(soundFont));
        return false;
    }
    synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        error = withReason(QStringLiteral("cannot set up the synthesiser"));
        return false;
    }
    if (fluid_synth_sfload(synth_, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED) {
        error = withReason(QStringLiteral("cannot load the SoundFont %1").arg(soundFont));
        return false;
    }
    return true;
}

// PulseAudio (or PipeWire's pulse server) first, the sound card itself when there is none.
bool FluidMusicEngine::openOutput()
{
    for (const char* name : {"pulseaudio", "alsa"}) {
        fluid_settings_setstr(settings_, "audio.driver", name);
        lastRender_ = Clock::now().time_since_epoch().count();
        if (fluid_audio_driver_t* driver =
                new_fluid_audio_driver2(settings_, &FluidMusicEngine::render, this)) {
            driver_ = driver;
            return true;
        }
    }
    return false;
}

// A server that goes away ends FluidSynth's output thread; a server that appears later is not looked
// for by FluidSynth. Both are this thread's business, away from the game's.
void FluidMusicEngine::watchOutput()
{
    std::unique_lock lock(watching_);
    while (!wake_.wait_for(lock, WatchInterval, [this] { return ending_; })) {
        const auto silentFor = Clock::now() - Clock::time_point(Clock::duration(lastRender_.load()));
        if (driver_ && silentFor < SilentOutput)
            continue;
        if (driver_) {
            delete_fluid_audio_driver(driver_);
            driver_ = nullptr;
        }
        openOutput();
    }
}

FluidMusicEngine::~FluidMusicEngine()
{
    if (watcher_.joinable()) {
        {
            std::lock_guard lock(watching_);
            ending_ = true;
        }
        wake_.notify_all();
        watcher_.join();
    }
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
    engine->lastRender_ = Clock::now().time_since_epoch().count();
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

// The music module's one export.
extern "C" Q_DECL_EXPORT MusicEngine* frobnyStartMusic(const QString& soundFont, QString& error)
{
    return FluidMusicEngine::start(soundFont, error).release();
}
