// The loadable audio module: sound effects on Qt Multimedia, music on FluidSynth.
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <utility>

#include "FluidMusicEngine.h"
#include "app/sound/SoundModule.h"

namespace {

class QtEffectVoice final : public EffectVoice {
  public:
    explicit QtEffectVoice(int index)
    {
        // Loaded now, in the background, so that the first play starts at once.
        effect_.setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(index)));
    }
    void play() override { effect_.play(); }
    void stop() override { effect_.stop(); }

  private:
    QSoundEffect effect_;
};

// Without a sound server Qt says so on stderr when it first looks for one; for the game that is
// plain silence, so that notice is dropped.
QtMessageHandler passOn = nullptr;

void dropNoServerNotice(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("PulseAudioService:")))
        passOn(type, context, message);
}

class AudioModule final : public SoundModule {
  public:
    bool hasAudioOutput() override
    {
        if (!std::exchange(looked_, true)) {
            passOn = qInstallMessageHandler(dropNoServerNotice);
            QMediaDevices::audioOutputs();
            qInstallMessageHandler(passOn);
        }
        return !QMediaDevices::audioOutputs().isEmpty();
    }
    std::unique_ptr<EffectVoice> makeEffect(int index) override
    {
        return std::make_unique<QtEffectVoice>(index);
    }
    std::unique_ptr<MusicEngine> startMusic(const QString& soundFont, QString& error) override
    {
        return FluidMusicEngine::start(soundFont, error);
    }

  private:
    bool looked_ = false;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundModule* frobnySoundModule()
{
    static AudioModule module;
    return &module;
}
