#include "Midi.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace midi {

namespace {
int toTick(double beat)
{
    return static_cast<int>(std::lround(beat * TicksPerBeat));
}

struct Event {
    int tick;
    int order; // at the same tick: note-offs first, then settings, then note-ons
    QByteArray bytes;
};

QByteArray variableLength(quint32 value)
{
    QByteArray reversed;
    reversed.append(static_cast<char>(value & 0x7F));
    while (value >>= 7)
        reversed.append(static_cast<char>((value & 0x7F) | 0x80));
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
    return out;
}

QByteArray meta(int type, const QByteArray& data)
{
    return QByteArray("\xFF", 1) + static_cast<char>(type) + variableLength(data.size()) + data;
}

QByteArray channelMessage(int status, int channel, int first, int second = -1)
{
    QByteArray out;
    out.append(static_cast<char>(status | channel));
    out.append(static_cast<char>(first));
    if (second >= 0)
        out.append(static_cast<char>(second));
    return out;
}

QByteArray chunk(std::vector<Event> events)
{
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return std::tie(a.tick, a.order) < std::tie(b.tick, b.order);
    });
    QByteArray body;
    int last = 0;
    for (const Event& event : events) {
        body += variableLength(static_cast<quint32>(event.tick - last)) + event.bytes;
        last = event.tick;
    }
    body += variableLength(0) + meta(0x2F, {});
    return QByteArray("MTrk") + bigEndian(body.size(), 4) + body;
}

std::vector<Event> conductorEvents(const Song& song)
{
    QByteArray signature;
    for (int value : {song.beatsPerBar, 2 /* quarter notes */, 24, 8})
        signature.append(static_cast<char>(value));
    std::vector<Event> events{{0, 1, meta(0x03, song.title.toUtf8())}, {0, 1, meta(0x58, signature)}};
    for (const TempoChange& change : song.tempo) {
        const auto microseconds = static_cast<quint32>(std::lround(60'000'000.0 / change.beatsPerMinute));
        events.push_back({toTick(change.beat), 1, meta(0x51, bigEndian(microseconds, 3))});
    }
    return events;
}

std::vector<Event> trackEvents(const Track& track)
{
    const Instrument& i = track.instrument();
    std::vector<Event> events{{0, 1, meta(0x03, i.name.toUtf8())}};
    if (i.channel != 9)
        events.push_back({0, 1, channelMessage(0xC0, i.channel, i.program)});
    events.push_back({0, 1, channelMessage(0xB0, i.channel, 7, i.volume)});
    events.push_back({0, 1, channelMessage(0xB0, i.channel, 10, i.pan)});
    events.push_back({0, 1, channelMessage(0xB0, i.channel, 91, i.reverb)});
    for (const Track::Note& note : track.notes()) {
        events.push_back({note.tick, 2, channelMessage(0x90, i.channel, note.key, note.velocity)});
        events.push_back({note.tick + note.ticks, 0, channelMessage(0x80, i.channel, note.key, 64)});
    }
    return events;
}
} // namespace

void Track::note(double beat, double beats, int key, int velocity)
{
    notes_.push_back(
        {toTick(beat), std::max(1, toTick(beats)), std::clamp(key, 0, 127), std::clamp(velocity, 1, 127)});
}

QByteArray smfFile(const Song& song)
{
    const int trackCount = static_cast<int>(song.tracks.size()) + 1;
    QByteArray file = QByteArray("MThd") + bigEndian(6, 4) + bigEndian(1, 2) + bigEndian(trackCount, 2) +
                      bigEndian(TicksPerBeat, 2);
    file += chunk(conductorEvents(song));
    for (const Track& track : song.tracks)
        file += chunk(trackEvents(track));
    return file;
}

double secondsAt(const Song& song, double beat)
{
    double seconds = 0.0;
    for (size_t i = 0; i < song.tempo.size(); ++i) {
        const double from = song.tempo[i].beat;
        const double to = i + 1 < song.tempo.size() ? song.tempo[i + 1].beat : beat;
        if (beat <= from)
            break;
        seconds += (std::min(beat, to) - from) * 60.0 / song.tempo[i].beatsPerMinute;
    }
    return seconds;
}

double lastBeat(const Song& song)
{
    int end = 0;
    for (const Track& track : song.tracks)
        for (const Track::Note& note : track.notes())
            end = std::max(end, note.tick + note.ticks);
    return static_cast<double>(end) / TicksPerBeat;
}

} // namespace midi
