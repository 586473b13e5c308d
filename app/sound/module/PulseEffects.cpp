// The effects module: one libpulse playback stream for all thirteen effects.
//
// A stream opened per play loses what it is given now and then when another client connects to the
// server at the same moment; a stream that stays open does not. So the stream is opened once, corked
// while idle (the server may then suspend the output), and a new effect flushes what is queued and
// writes its own samples in its place. The connection lives on libpulse's own thread; the game's
// thread only takes its lock to hand over an effect. Without a server, or when it goes away, the
// effects are silent and the stream is made again once a server answers.
#include <pulse/pulseaudio.h>

#include <QResource>
#include <algorithm>
#include <array>
#include <optional>

#include "app/core/Sound.h"
#include "app/sound/SoundModule.h"
#include "app/sound/WaveFile.h"

namespace {

// How often a missing server or output is looked for again.
constexpr pa_usec_t RetryMicroseconds = 2 * PA_USEC_PER_SEC;
// An effect's stream is corked this long after its last sample should have sounded: room for the
// output's own latency, and for a sink that wakes from suspension first.
constexpr pa_usec_t CorkAfterMicroseconds = PA_USEC_PER_SEC;
// An effect asked for while the stream is being opened still sounds if that takes no longer.
constexpr pa_usec_t PendingMicroseconds = 500'000;
// Short enough that an effect starts with the pointer's move.
constexpr pa_usec_t TargetLatencyMicroseconds = 40'000;

struct Effect {
    QByteArray samples;
    pa_usec_t duration = 0;
};

std::optional<pa_sample_spec> specOf(const WaveSound& wave)
{
    pa_sample_spec spec{};
    spec.format = wave.bitsPerSample == 8    ? PA_SAMPLE_U8
                  : wave.bitsPerSample == 16 ? PA_SAMPLE_S16LE
                                             : PA_SAMPLE_S32LE;
    spec.rate = static_cast<uint32_t>(wave.sampleRate);
    spec.channels = static_cast<uint8_t>(wave.channels);
    if (!pa_sample_spec_valid(&spec))
        return std::nullopt;
    return spec;
}

bool sameSpec(const pa_sample_spec& a, const pa_sample_spec& b)
{
    return a.format == b.format && a.rate == b.rate && a.channels == b.channels;
}

// The offset of the data chunk's samples in a wave file that readWave() took them from.
qsizetype samplesAt(const QByteArray& file, const QByteArray& samples)
{
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const quint32 size = qFromLittleEndian<quint32>(file.constData() + at + 4);
        if (file.mid(at, 4) == "data")
            return file.size() - (at + 8) >= samples.size() &&
                           std::equal(samples.begin(), samples.end(), file.begin() + at + 8)
                       ? at + 8
                       : -1;
        at += 8 + static_cast<qsizetype>(size) + (size & 1);
    }
    return -1;
}

// The samples belong to the module's resources for as long as it is loaded.
void keepSamples(void*) {}

void dropOperation(pa_operation* operation)
{
    if (operation)
        pa_operation_unref(operation);
}

class PulseEffects final : public EffectsStream {
  public:
    PulseEffects()
    {
        readEffects();
        loop_ = pa_threaded_mainloop_new();
        if (!loop_)
            return;
        api_ = pa_threaded_mainloop_get_api(loop_);
        pa_threaded_mainloop_set_name(loop_, "frobny-effects");
        pa_threaded_mainloop_lock(loop_);
        if (pa_threaded_mainloop_start(loop_) == 0)
            connect();
        pa_threaded_mainloop_unlock(loop_);
    }

    ~PulseEffects() override
    {
        if (!loop_)
            return;
        pa_threaded_mainloop_lock(loop_);
        stopTimer(retry_);
        stopTimer(cork_);
        dropStream();
        dropContext();
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }

    void play(int index) override
    {
        if (!loop_ || index < 0 || index >= SoundCount || effects_[index].samples.isEmpty())
            return;
        pa_threaded_mainloop_lock(loop_);
        if (stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY) {
            start(index);
        } else {
            // The stream may be on its way: the effect sounds when it is there, if that is soon.
            pending_ = index;
            pendingSince_ = pa_rtclock_now();
        }
        pa_threaded_mainloop_unlock(loop_);
    }

  private:
    // The effects travel uncompressed in the module's resources and are played from there, never
    // copied; those in another format than the first stay silent.
    void readEffects()
    {
        for (int index = 0; index < SoundCount; ++index) {
            const QResource resource(QStringLiteral(":/sounds/%1.wav").arg(index));
            if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
                continue;
            const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                                            static_cast<qsizetype>(resource.size()));
            const std::optional<WaveSound> wave = readWave(file);
            const std::optional<pa_sample_spec> spec = wave ? specOf(*wave) : std::nullopt;
            if (!spec)
                continue;
            if (!spec_)
                spec_ = spec;
            if (!sameSpec(*spec, *spec_))
                continue;
            // Where those samples lie in the file, to play them in place.
            const qsizetype at = samplesAt(file, wave->samples);
            if (at < 0)
                continue;
            effects_[index].samples = QByteArray::fromRawData(file.constData() + at, wave->samples.size());
            effects_[index].duration = pa_bytes_to_usec(static_cast<uint64_t>(wave->samples.size()), &*spec_);
        }
    }

    // All below runs with the loop's lock held: on its thread, or from play() and the destructor.

    void connect()
    {
        if (!spec_)
            return;
        pa_proplist* properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Frobny Office");
        pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "example.frobnygames.FrobnyOffice");
        pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "frobny-office");
        context_ = pa_context_new_with_proplist(api_, "Frobny Office", properties);
        pa_proplist_free(properties);
        if (!context_) {
            retryLater();
            return;
        }
        pa_context_set_state_callback(context_, &PulseEffects::contextChanged, this);
        // Starting a server of its own is not the game's business.
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            dropContext();
            retryLater();
        }
    }

    static void contextChanged(pa_context* context, void* data)
    {
        auto* self = static_cast<PulseEffects*>(data);
        switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            self->openStream();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            // No server, or it went away: the context is made anew later, out of its own callback.
            self->retryLater();
            break;
        default:
            break;
        }
    }

    void start(int index)
    {
        const Effect& effect = effects_[index];
        pending_ = -1;
        // What is still queued goes; the new effect is written where playing goes on from.
        dropOperation(pa_stream_flush(stream_, nullptr, nullptr));
        // With a free function libpulse sends the samples from where they lie instead of copying them.
        if (pa_stream_write(stream_, effect.samples.constData(), effect.samples.size(), &keepSamples, 0,
                            PA_SEEK_RELATIVE_ON_READ) != 0)
            return;
        if (corked_) {
            dropOperation(pa_stream_cork(stream_, 0, nullptr, nullptr));
            corked_ = false;
        }
        // A short effect need not fill the prebuffer before it starts.
        dropOperation(pa_stream_trigger(stream_, nullptr, nullptr));
        restartTimer<&PulseEffects::cork_, &PulseEffects::corkWhenDone>(effect.duration +
                                                                        CorkAfterMicroseconds);
    }

    void openStream()
    {
        pa_proplist* properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
        stream_ =
            pa_stream_new_with_proplist(context_, "Frobny Office effects", &*spec_, nullptr, properties);
        pa_proplist_free(properties);
        if (!stream_) {
            retryLater();
            return;
        }
        pa_stream_set_state_callback(stream_, &PulseEffects::streamChanged, this);
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<uint32_t>(-1);
        buffer.tlength = static_cast<uint32_t>(pa_usec_to_bytes(TargetLatencyMicroseconds, &*spec_));
        buffer.prebuf = static_cast<uint32_t>(-1);
        buffer.minreq = static_cast<uint32_t>(-1);
        buffer.fragsize = static_cast<uint32_t>(-1);
        corked_ = true;
        const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        if (pa_stream_connect_playback(stream_, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
            dropStream();
            retryLater();
        }
    }

    static void streamChanged(pa_stream* stream, void* data)
    {
        auto* self = static_cast<PulseEffects*>(data);
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_READY && self->pending_ >= 0 &&
            pa_rtclock_now() - self->pendingSince_ < PendingMicroseconds)
            self->start(self->pending_);
        // A stream fails when its output goes (or none is there yet): it is opened again later.
        if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED)
            self->retryLater();
    }

    void retryLater() { restartTimer<&PulseEffects::retry_, &PulseEffects::retry>(RetryMicroseconds); }

    void retry()
    {
        dropStream();
        if (context_ && pa_context_get_state(context_) == PA_CONTEXT_READY) {
            openStream();
            return;
        }
        dropContext();
        connect();
    }

    void corkWhenDone()
    {
        if (stream_ && !corked_ && pa_stream_get_state(stream_) == PA_STREAM_READY) {
            dropOperation(pa_stream_cork(stream_, 1, nullptr, nullptr));
            corked_ = true;
        }
    }

    // Each timer is kept in its own member, which is cleared once it has fired.
    template <pa_time_event* PulseEffects::*Timer, void (PulseEffects::*Action)()>
    static void fired(pa_mainloop_api* api, pa_time_event* timer, const struct timeval*, void* data)
    {
        auto* self = static_cast<PulseEffects*>(data);
        api->time_free(timer);
        self->*Timer = nullptr;
        (self->*Action)();
    }

    template <pa_time_event* PulseEffects::*Timer, void (PulseEffects::*Action)()>
    void restartTimer(pa_usec_t after)
    {
        stopTimer(this->*Timer);
        struct timeval when;
        pa_timeval_add(pa_gettimeofday(&when), after);
        this->*Timer = api_->time_new(api_, &when, &PulseEffects::fired<Timer, Action>, this);
    }

    void stopTimer(pa_time_event*& timer)
    {
        if (timer)
            api_->time_free(timer);
        timer = nullptr;
    }

    void dropStream()
    {
        if (!stream_)
            return;
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        if (pa_stream_get_state(stream_) == PA_STREAM_READY ||
            pa_stream_get_state(stream_) == PA_STREAM_CREATING)
            pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }

    void dropContext()
    {
        if (!context_)
            return;
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }

    std::array<Effect, SoundCount> effects_;
    std::optional<pa_sample_spec> spec_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_mainloop_api* api_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool corked_ = true;
    int pending_ = -1;
    pa_usec_t pendingSince_ = 0;
    pa_time_event* retry_ = nullptr;
    pa_time_event* cork_ = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT EffectsStream* frobnyOpenEffects()
{
    return new PulseEffects;
}
