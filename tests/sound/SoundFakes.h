#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/sound/SoundModule.h"

// What reaches the fake voices and engines, in order.
using CallLog = std::vector<std::string>;

// The effects' stream: what it was asked to play.
class FakeStream final : public EffectsStream {
  public:
    explicit FakeStream(CallLog& log) : log_(log) {}
    void play(int index) override { log_.push_back("play " + std::to_string(index)); }

  private:
    CallLog& log_;
};

// A synthesiser that plays whatever it is told; isPlaying follows play/stop unless a test ends the piece.
class FakeEngine final : public MusicEngine {
  public:
    struct Shared {
        CallLog log;
        std::thread::id deletedOn;
        bool deleted = false;
        std::mutex mutex;
        std::condition_variable gone;
    };

    // The shared record outlives the engine's owner: the engine may be deleted on another thread late.
    explicit FakeEngine(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    ~FakeEngine() override
    {
        std::lock_guard lock(shared_->mutex);
        shared_->deleted = true;
        shared_->deletedOn = std::this_thread::get_id();
        shared_->gone.notify_all();
    }
    bool load(const QByteArray& midiFile) override
    {
        shared_->log.push_back("load " + std::to_string(midiFile.size()));
        playing_ = false;
        return loadWorks;
    }
    void unload() override { shared_->log.push_back("unload"); }
    void play() override
    {
        shared_->log.push_back("play");
        playing_ = true;
    }
    void stop() override
    {
        shared_->log.push_back("stop");
        playing_ = false;
    }
    bool isPlaying() const override { return playing_; }

    void endPiece() { playing_ = false; }
    bool loadWorks = true;

  private:
    std::shared_ptr<Shared> shared_;
    bool playing_ = false;
};

// A module whose synthesiser starts only when the test lets it, or fails to.
class FakeModule final : public SoundModule {
  public:
    std::unique_ptr<EffectsStream> openEffects() override
    {
        ++streamsOpened;
        return effectsLoad ? std::make_unique<FakeStream>(log) : nullptr;
    }
    std::unique_ptr<MusicEngine> startMusic(const QString& soundFont, QString& error) override
    {
        ++starts;
        std::unique_lock lock(mutex_);
        soundFontAsked = soundFont;
        released_.wait(lock, [this] { return release_; });
        if (!startWorks) {
            error = QStringLiteral("cannot start the audio output");
            return nullptr;
        }
        auto made = std::make_unique<FakeEngine>(engine);
        std::lock_guard madeLock(engine->mutex);
        engineMade = made.get();
        return made;
    }

    // Lets the synthesiser start (or fail).
    void release()
    {
        std::lock_guard lock(mutex_);
        release_ = true;
        released_.notify_all();
    }

    bool effectsLoad = true;
    bool startWorks = true;
    int streamsOpened = 0;
    std::atomic<int> starts = 0;
    CallLog log;
    std::shared_ptr<FakeEngine::Shared> engine = std::make_shared<FakeEngine::Shared>();
    FakeEngine* engineMade = nullptr;
    QString soundFontAsked;

  private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool release_ = false;
};
