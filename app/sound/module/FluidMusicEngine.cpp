#include "FluidMusicEngine.h"

#include <QFile>
#include <algorithm>
#include <map>

#include <dlfcn.h>

#include "SoundFontSubset.h"

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

// FluidSynth opens a SoundFont by the name it was loaded under, again later whenever it reads an
// instrument's samples: a subset is known by a name of its own for as long as it is loaded.
std::mutex subsetsMutex;
std::map<std::string, std::shared_ptr<const SoundFontSubset>> subsets;

struct OpenSubset {
    std::shared_ptr<const SoundFontSubset> subset;
    QFile file;
    qint64 position = 0;
};

void* openSubset(const char* name)
{
    std::shared_ptr<const SoundFontSubset> subset;
    {
        std::lock_guard lock(subsetsMutex);
        const auto found = subsets.find(name);
        if (found == subsets.end())
            return nullptr;
        subset = found->second;
    }
    auto handle = std::make_unique<OpenSubset>();
    handle->subset = subset;
    handle->file.setFileName(subset->path());
    return handle->file.open(QIODevice::ReadOnly) ? handle.release() : nullptr;
}

int readSubset(void* buffer, fluid_long_long_t count, void* handle)
{
    auto* open = static_cast<OpenSubset*>(handle);
    if (!open->subset->read(open->position, static_cast<char*>(buffer), count, open->file))
        return FLUID_FAILED;
    open->position += count;
    return FLUID_OK;
}

int seekSubset(void* handle, fluid_long_long_t offset, int origin)
{
    auto* open = static_cast<OpenSubset*>(handle);
    const qint64 from = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? open->position : open->subset->size();
    if (from + offset < 0 || from + offset > open->subset->size())
        return FLUID_FAILED;
    open->position = from + offset;
    return FLUID_OK;
}

fluid_long_long_t tellSubset(void* handle)
{
    return static_cast<OpenSubset*>(handle)->position;
}

int closeSubset(void* handle)
{
    delete static_cast<OpenSubset*>(handle);
    return FLUID_OK;
}

std::string registerSubset(std::shared_ptr<const SoundFontSubset> subset)
{
    static std::atomic<int> made{0};
    std::string name = "frobny-soundfont-subset:" + std::to_string(++made);
    std::lock_guard lock(subsetsMutex);
    subsets[name] = std::move(subset);
    return name;
}

void forgetSubset(const std::string& name)
{
    std::lock_guard lock(subsetsMutex);
    subsets.erase(name);
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
    // Only the samples of the instruments a piece uses are read from the SoundFont, and they need not
    // be locked into memory.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    fluid_settings_setint(settings_, "synth.polyphony", Polyphony);
    fluid_settings_setnum(settings_, "synth.gain", Gain);
    // A synthesiser without its instruments is no use: the SoundFont is looked at first. Its
    // instruments are loaded with each piece, only those the piece plays.
    QString reason;
    if (!SoundFontSubset::make(soundFont, {}, reason)) {
        error = QStringLiteral("cannot load the SoundFont %1 (%2)").arg(soundFont, reason);
        return false;
    }
    soundFont_ = soundFont;
    synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        error = withReason(QStringLiteral("cannot set up the synthesiser"));
        return false;
    }
    fluid_sfloader_t* subsetLoader = new_fluid_defsfloader(settings_);
    if (!subsetLoader) {
        error = withReason(QStringLiteral("cannot set up the synthesiser"));
        return false;
    }
    fluid_sfloader_set_callbacks(subsetLoader, openSubset, readSubset, seekSubset, tellSubset, closeSubset);
    fluid_synth_add_sfloader(synth_, subsetLoader);
    return true;
}

// The presets of the piece to come replace those of the last, once they are loaded.
bool FluidMusicEngine::loadInstruments(const QByteArray& midiFile)
{
    const std::set<SoundFontPreset> presets = presetsPlayed(midiFile);
    if (fontId_ != FLUID_FAILED && presets == fontPresets_)
        return true;
    QString ignored;
    std::shared_ptr<const SoundFontSubset> subset = SoundFontSubset::make(soundFont_, presets, ignored);
    if (!subset)
        return false;
    std::string name = registerSubset(std::move(subset));
    const int id = fluid_synth_sfload(synth_, name.c_str(), 1);
    if (id == FLUID_FAILED) {
        forgetSubset(name);
        return false;
    }
    unloadInstruments();
    fontId_ = id;
    fontName_ = std::move(name);
    fontPresets_ = presets;
    return true;
}

void FluidMusicEngine::unloadInstruments()
{
    if (fontId_ == FLUID_FAILED)
        return;
    fluid_synth_sfunload(synth_, fontId_, 1);
    forgetSubset(fontName_);
    fontId_ = FLUID_FAILED;
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
    forgetSubset(fontName_);
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
    if (!loadInstruments(midiFile))
        return false;
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
