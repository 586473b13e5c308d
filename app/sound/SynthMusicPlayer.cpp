#include "app/sound/SynthMusicPlayer.h"

#include <cstdio>
#include <mutex>
#include <thread>
#include <utility>

#include "app/sound/MidiFile.h"

struct SynthMusicPlayer::Startup {
    std::mutex mutex;
    bool done = false;
    bool abandoned = false; // the player went first: the worker disposes of the engine
    std::unique_ptr<MusicEngine> engine;
    QString error;
};

namespace {
void reportOnStderr(const QString& reason)
{
    std::fprintf(stderr, "frobny-office: no music: %s\n", qPrintable(reason));
}
} // namespace

SynthMusicPlayer::SynthMusicPlayer(Report report) : report_(report ? std::move(report) : reportOnStderr) {}

SynthMusicPlayer::~SynthMusicPlayer()
{
    if (startup_) {
        std::lock_guard lock(startup_->mutex);
        if (!startup_->done)
            startup_->abandoned = true;
        else if (!engine_)
            engine_ = std::move(startup_->engine);
    }
    if (!engine_)
        return;
    engine_->stop();
    engine_->unload();
    // Deleting a freshly started audio output can wait two seconds; a closing program does not.
    std::thread([engine = std::move(engine_)]() mutable { engine.reset(); }).detach();
}

void SynthMusicPlayer::start(SoundModule* module, const QString& soundFont)
{
    if (armed_)
        return;
    armed_ = true;
    module_ = module;
    soundFont_ = soundFont;
    if (wanted_)
        launch();
}

// The synthesiser and its SoundFont take some ten megabytes: they are made when music is first
// asked for, not before.
void SynthMusicPlayer::launch()
{
    if (startup_ || !armed_)
        return;
    startup_ = std::make_shared<Startup>();
    if (!module_ || soundFont_.isEmpty()) {
        startup_->done = true;
        startup_->error = !module_ ? QStringLiteral("the music module cannot be loaded")
                                   : QStringLiteral("no General MIDI SoundFont is installed");
        return;
    }
    std::thread([startup = startup_, module = module_, soundFont = soundFont_] {
        QString error;
        std::unique_ptr<MusicEngine> engine = module->startMusic(soundFont, error);
        std::unique_lock lock(startup->mutex);
        if (startup->abandoned)
            return; // the engine goes here, on this thread
        startup->error = engine || !error.isEmpty() ? error : QStringLiteral("the synthesiser did not start");
        startup->engine = std::move(engine);
        startup->done = true;
    }).detach();
}

void SynthMusicPlayer::takeOverEngine() const
{
    if (engine_ || !failure_.isEmpty() || !startup_)
        return;
    {
        std::lock_guard lock(startup_->mutex);
        if (!startup_->done)
            return;
        engine_ = std::move(startup_->engine);
        if (!engine_) {
            failure_ = startup_->error;
            return;
        }
    }
    if (!piece_.isEmpty())
        pieceLoaded_ = engine_->load(piece_);
    if (pieceLoaded_ && std::exchange(wanted_, false))
        engine_->play();
}

bool SynthMusicPlayer::fail(const QString& reason) const
{
    if (!std::exchange(reported_, true))
        report_(reason);
    return false;
}

bool SynthMusicPlayer::open(const QString& file)
{
    close();
    QString error;
    std::optional<QByteArray> piece = readMidiFile(file, error);
    if (!piece)
        return fail(QStringLiteral("cannot read %1: %2").arg(file, error));
    piece_ = *std::move(piece);
    pieceFile_ = file;
    takeOverEngine();
    if (engine_ && !pieceLoaded_)
        pieceLoaded_ = engine_->load(piece_);
    return !engine_ || pieceLoaded_ || fail(QStringLiteral("cannot play %1").arg(file));
}

void SynthMusicPlayer::close()
{
    if (engine_ && pieceLoaded_)
        engine_->unload();
    piece_.clear();
    pieceFile_.clear();
    pieceLoaded_ = false;
    wanted_ = false;
    paused_ = false;
}

bool SynthMusicPlayer::play()
{
    paused_ = false;
    if (piece_.isEmpty())
        return false;
    launch();
    takeOverEngine();
    if (!failure_.isEmpty())
        return fail(failure_);
    if (!engine_) {
        wanted_ = true;
        return true;
    }
    if (!pieceLoaded_ && !(pieceLoaded_ = engine_->load(piece_)))
        return fail(QStringLiteral("cannot play %1").arg(pieceFile_));
    engine_->play();
    return true;
}

void SynthMusicPlayer::stop()
{
    wanted_ = false;
    paused_ = false;
    takeOverEngine();
    if (engine_)
        engine_->stop();
}

void SynthMusicPlayer::pause()
{
    if (paused_) {
        play();
        return;
    }
    const bool playing = isPlaying();
    stop();
    paused_ = playing;
}

bool SynthMusicPlayer::isPlaying() const
{
    takeOverEngine();
    return engine_ ? engine_->isPlaying() : wanted_ && failure_.isEmpty();
}

bool SynthMusicPlayer::starting() const
{
    takeOverEngine();
    return startup_ && !engine_ && failure_.isEmpty();
}
