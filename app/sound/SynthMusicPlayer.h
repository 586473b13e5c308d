#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "app/sound/MusicPlayer.h"
#include "app/sound/SoundModule.h"

// The music player on the audio module's synthesiser. The synthesiser starts on a worker thread
// (SoundFont, audio output); until it runs, the player keeps the open piece and whether it should
// sound, and hands both over once it is there. When the synthesiser cannot start or a piece cannot be
// read, open() or play() fail and the first such failure is reported, once.
class SynthMusicPlayer final : public MusicPlayer {
  public:
    using Report = std::function<void(const QString& reason)>;

    // Without a report function, a failure is one line on stderr.
    explicit SynthMusicPlayer(Report report = {});
    ~SynthMusicPlayer() override;

    // What the synthesiser is made from. It starts in the background when music is first played
    // (at once if that was asked for already); only then is the music module loaded. Without a
    // module or SoundFont there is no music.
    void start(SoundModule* module, const QString& soundFont);

    bool open(const QString& file) override;
    void close() override;
    bool play() override;
    void stop() override;
    void pause() override;
    bool isPlaying() const override;

    // True while the synthesiser is on its way: from the first play until it runs or has failed.
    bool starting() const;

  private:
    struct Startup;

    void launch();
    void takeOverEngine() const;
    bool fail(const QString& reason) const;

    Report report_;
    bool armed_ = false;
    SoundModule* module_ = nullptr;
    QString soundFont_;
    std::shared_ptr<Startup> startup_;
    QByteArray piece_;
    QString pieceFile_;
    bool paused_ = false;
    // Taken over from the worker when first seen, which may be in isPlaying().
    mutable std::unique_ptr<MusicEngine> engine_;
    mutable QString failure_; // set once the synthesiser could not start
    mutable bool pieceLoaded_ = false;
    mutable bool wanted_ = false; // play() came before the synthesiser
    mutable bool reported_ = false;
};
