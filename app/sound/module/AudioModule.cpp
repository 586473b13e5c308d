// The loadable audio module: sound effects on Qt Multimedia, music on FluidSynth.
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <optional>
#include <utility>

#include "FluidMusicEngine.h"
#include "app/sound/SoundModule.h"
#include "app/sound/WaveFile.h"

namespace {

// Qt 6.4's PulseAudio sink asks each new stream for the buffer that its previous stream was
// granted, and the server grants a little less every time: after some dozens of restarts the
// buffer is smaller than the period the sink feeds, it never pulls again, and the effect is silent
// for good. QSoundEffect hides its sink, so each effect has a sink of its own here, given its
// buffer size anew before every start.
class SinkEffectVoice final : public EffectVoice {
  public:
    SinkEffectVoice(const QAudioDevice& device, const WaveSound& wave)
        : pcm_(wave.samples), sink_(device, formatOf(wave))
    {
        samples_.setBuffer(&pcm_);
        samples_.open(QIODevice::ReadOnly);
        bufferBytes_ = sink_.format().bytesForDuration(BufferMicroseconds);
        release_.setSingleShot(true);
        release_.setInterval(ReleaseMilliseconds);
        QObject::connect(&release_, &QTimer::timeout, [this] { releaseWhenDone(); });
        // Tied to the timer, which goes first, so that a sink being deleted no longer reaches it.
        QObject::connect(&sink_, &QAudioSink::stateChanged, &release_, [this] {
            if (hasRunDry())
                release_.start();
        });
    }
    void play() override
    {
        stop();
        samples_.seek(0);
        sink_.setBufferSize(bufferBytes_);
        sink_.start(&samples_);
    }
    void stop() override
    {
        release_.stop();
        sink_.stop();
    }

  private:
    static constexpr qint64 BufferMicroseconds = 100'000;
    // Once the sink has taken the last sample, what it holds still sounds for about its buffer's time.
    static constexpr int ReleaseMilliseconds = 500;

    static QAudioFormat formatOf(const WaveSound& wave)
    {
        QAudioFormat format;
        format.setSampleRate(wave.sampleRate);
        format.setChannelCount(wave.channels);
        format.setSampleFormat(wave.bitsPerSample == 8    ? QAudioFormat::UInt8
                               : wave.bitsPerSample == 16 ? QAudioFormat::Int16
                                                          : QAudioFormat::Int32);
        return format;
    }
    // A state change may arrive late from the sound server's thread: only the present state counts.
    bool hasRunDry() const { return sink_.state() == QAudio::IdleState && samples_.atEnd(); }
    // An idle stream would keep the sound server from suspending the output.
    void releaseWhenDone()
    {
        if (hasRunDry())
            sink_.stop();
    }

    QByteArray pcm_;
    QBuffer samples_;
    QAudioSink sink_;
    QTimer release_;
    qsizetype bufferBytes_ = 0;
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
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(index));
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull() || !file.open(QIODevice::ReadOnly))
            return nullptr;
        const std::optional<WaveSound> wave = readWave(file.readAll());
        if (!wave)
            return nullptr;
        return std::make_unique<SinkEffectVoice>(device, *wave);
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
