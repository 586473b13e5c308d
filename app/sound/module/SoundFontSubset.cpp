#include "SoundFontSubset.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <vector>

namespace {

// ---- Standard MIDI File ----

constexpr int PercussionChannel = 9;
constexpr int PercussionBank = 128;

struct ChannelEvent {
    quint64 tick;
    int order; // keeps the file's order among events of the same tick
    quint8 status;
    quint8 first;
    quint8 second;
};

// Reads a variable-length quantity (at most four bytes); false when the track ends inside it.
bool readNumber(const QByteArray& track, qsizetype& at, quint32& value)
{
    value = 0;
    for (int i = 0; i < 4 && at < track.size(); ++i) {
        const auto byte = static_cast<quint8>(track[at++]);
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

// Program changes, bank selects and note starts of one track, in absolute ticks.
void scanTrack(const QByteArray& track, std::vector<ChannelEvent>& events)
{
    quint64 tick = 0;
    quint8 running = 0;
    qsizetype at = 0;
    quint32 delta = 0;
    while (at < track.size() && readNumber(track, at, delta) && at < track.size()) {
        tick += delta;
        auto status = static_cast<quint8>(track[at]);
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            at += status == 0xFF ? 2 : 1;
            quint32 length = 0;
            if (at > track.size() || !readNumber(track, at, length))
                return;
            at += length;
            running = 0;
            continue;
        }
        if (status & 0x80)
            ++at;
        else
            status = running;
        if (status < 0x80 || status >= 0xF0)
            return;
        running = status;
        const int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
        if (at + dataBytes > track.size())
            return;
        const auto first = static_cast<quint8>(track[at]);
        const auto second = dataBytes == 2 ? static_cast<quint8>(track[at + 1]) : quint8(0);
        at += dataBytes;
        const int kind = status & 0xF0;
        if (kind == 0xC0 || (kind == 0xB0 && first == 0) || (kind == 0x90 && second > 0))
            events.push_back({tick, static_cast<int>(events.size()), status, first, second});
    }
}

} // namespace

std::set<SoundFontPreset> presetsPlayed(const QByteArray& midiFile)
{
    std::vector<ChannelEvent> events;
    if (midiFile.size() < 14 || !midiFile.startsWith("MThd"))
        return {};
    qsizetype at = 8 + qFromBigEndian<quint32>(midiFile.constData() + 4);
    while (at >= 8 && at + 8 <= midiFile.size()) {
        const quint32 length = qFromBigEndian<quint32>(midiFile.constData() + at + 4);
        const qsizetype end = std::min<qint64>(midiFile.size(), at + 8 + qint64(length));
        if (midiFile.mid(at, 4) == "MTrk")
            scanTrack(midiFile.mid(at + 8, end - at - 8), events);
        at = end;
    }
    // Tracks play side by side: a program change in one holds for notes of another from its tick on.
    std::stable_sort(events.begin(), events.end(),
                     [](const ChannelEvent& a, const ChannelEvent& b) { return a.tick < b.tick; });
    std::array<int, 16> bank{};
    std::array<int, 16> program{};
    std::set<SoundFontPreset> played;
    for (const ChannelEvent& event : events) {
        const int channel = event.status & 0x0F;
        switch (event.status & 0xF0) {
        case 0xB0:
            bank[channel] = event.second;
            break;
        case 0xC0:
            program[channel] = event.first;
            break;
        default:
            played.insert({channel == PercussionChannel ? PercussionBank : bank[channel], program[channel]});
        }
    }
    return played;
}

namespace {

// ---- SoundFont 2 ----

constexpr qint64 LargestPresetData = 64 * 1024 * 1024;
constexpr quint16 InstrumentGenerator = 41;
constexpr quint16 SampleGenerator = 53;
constexpr int PresetHeaderSize = 38;
constexpr int InstrumentHeaderSize = 22;
constexpr int SampleHeaderSize = 46;
constexpr int BagSize = 4;
constexpr int GeneratorSize = 4;
constexpr int ModulatorSize = 10;
constexpr int SampleLinkAt = 42;
constexpr int SampleTypeAt = 44;

quint16 word(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

void putWord(QByteArray& bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

QByteArray littleLong(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& data)
{
    return QByteArray(id, 4) + littleLong(data.size()) + data;
}

// One level of the preset data: presets with their zones, or instruments with theirs. A header's
// bag index and a bag's generator and modulator indices each mark where its run begins; the next
// record marks where it ends.
struct Level {
    QByteArray headers, bags, generators, modulators;
    int headerSize = 0;
    int bagAt = 0; // where a header keeps its first bag's index

    int headerCount() const { return headers.size() / headerSize; }
    int bagCount() const { return bags.size() / BagSize; }
    int bagOf(int header) const { return word(headers, qsizetype(header) * headerSize + bagAt); }
};

struct PresetData {
    Level presets, instruments;
    QByteArray samples;
};

class SubsetBuilder {
  public:
    explicit SubsetBuilder(const PresetData& in) : in_(in)
    {
        out_.presets.headerSize = in.presets.headerSize;
        out_.presets.bagAt = in.presets.bagAt;
        out_.instruments.headerSize = in.instruments.headerSize;
        out_.instruments.bagAt = in.instruments.bagAt;
    }

    // False when a reference of the preset's points outside the file's records.
    bool addPreset(int index)
    {
        return addHeader(in_.presets, out_.presets, index, InstrumentGenerator,
                         [this](int instrument) { return addInstrument(instrument); });
    }

    QByteArray presetDataChunk()
    {
        linkSamples();
        closeLevel(out_.presets, "EOP");
        closeLevel(out_.instruments, "EOI");
        QByteArray samples = out_.samples;
        samples += terminal("EOS", SampleHeaderSize);
        const QByteArray body =
            chunk("phdr", out_.presets.headers) + chunk("pbag", out_.presets.bags) +
            chunk("pmod", out_.presets.modulators) + chunk("pgen", out_.presets.generators) +
            chunk("inst", out_.instruments.headers) + chunk("ibag", out_.instruments.bags) +
            chunk("imod", out_.instruments.modulators) + chunk("igen", out_.instruments.generators) +
            chunk("shdr", samples);
        return chunk("LIST", "pdta" + body);
    }

  private:
    template <typename Map>
    bool addHeader(const Level& from, Level& to, int index, quint16 reference, Map&& mapReference)
    {
        const int firstBag = from.bagOf(index);
        const int endBag = from.bagOf(index + 1);
        // Each bag's end is the next bag's start: the last bag read is the one after the run.
        if (firstBag > endBag || endBag >= from.bagCount())
            return false;
        QByteArray header = from.headers.mid(qsizetype(index) * from.headerSize, from.headerSize);
        putWord(header, from.bagAt, static_cast<quint16>(to.bagCount()));
        to.headers += header;
        for (int bag = firstBag; bag < endBag; ++bag) {
            if (!copyZone(from, to, bag, reference, mapReference))
                return false;
        }
        return true;
    }

    template <typename Map>
    bool copyZone(const Level& from, Level& to, int bag, quint16 reference, Map& mapReference)
    {
        const auto range = [&from, bag](int offset, int recordSize, const QByteArray& records, int& first,
                                        int& end) {
            first = word(from.bags, qsizetype(bag) * BagSize + offset);
            end = word(from.bags, qsizetype(bag + 1) * BagSize + offset);
            return first <= end && qsizetype(end) * recordSize <= records.size();
        };
        int firstGenerator = 0, endGenerator = 0, firstModulator = 0, endModulator = 0;
        if (!range(0, GeneratorSize, from.generators, firstGenerator, endGenerator) ||
            !range(2, ModulatorSize, from.modulators, firstModulator, endModulator))
            return false;
        QByteArray bagRecord(BagSize, '\0');
        putWord(bagRecord, 0, static_cast<quint16>(to.generators.size() / GeneratorSize));
        putWord(bagRecord, 2, static_cast<quint16>(to.modulators.size() / ModulatorSize));
        to.bags += bagRecord;
        to.modulators += from.modulators.mid(qsizetype(firstModulator) * ModulatorSize,
                                             qsizetype(endModulator - firstModulator) * ModulatorSize);
        for (int generator = firstGenerator; generator < endGenerator; ++generator) {
            QByteArray record = from.generators.mid(qsizetype(generator) * GeneratorSize, GeneratorSize);
            if (word(record, 0) == reference) {
                const int mapped = mapReference(word(record, 2));
                if (mapped < 0)
                    return false;
                putWord(record, 2, static_cast<quint16>(mapped));
            }
            to.generators += record;
        }
        return true;
    }

    int addInstrument(int index)
    {
        if (index >= in_.instruments.headerCount() - 1)
            return -1;
        if (const auto found = instruments_.find(index); found != instruments_.end())
            return found->second;
        const int added = out_.instruments.headerCount();
        instruments_[index] = added;
        const bool ok = addHeader(in_.instruments, out_.instruments, index, SampleGenerator,
                                  [this](int sample) { return addSample(sample); });
        return ok ? added : -1;
    }

    int addSample(int index)
    {
        if (index >= in_.samples.size() / SampleHeaderSize - 1)
            return -1;
        if (const auto found = samples_.find(index); found != samples_.end())
            return found->second;
        const int added = out_.samples.size() / SampleHeaderSize;
        samples_[index] = added;
        out_.samples += in_.samples.mid(qsizetype(index) * SampleHeaderSize, SampleHeaderSize);
        return added;
    }

    // A stereo sample names its other channel: that one comes along, under its new number.
    void linkSamples()
    {
        for (int added = 0; added < out_.samples.size() / SampleHeaderSize; ++added) {
            const qsizetype at = qsizetype(added) * SampleHeaderSize;
            const quint16 type = word(out_.samples, at + SampleTypeAt) & 0x7FFF;
            if (type == 1)
                continue;
            const int link = addSample(word(out_.samples, at + SampleLinkAt));
            putWord(out_.samples, at + SampleLinkAt, static_cast<quint16>(std::max(link, 0)));
        }
    }

    static QByteArray terminal(const char* name, int size)
    {
        QByteArray record(size, '\0');
        std::memcpy(record.data(), name, std::strlen(name));
        return record;
    }

    static void closeLevel(Level& level, const char* name)
    {
        QByteArray header = terminal(name, level.headerSize);
        putWord(header, level.bagAt, static_cast<quint16>(level.bagCount()));
        level.headers += header;
        QByteArray bag(BagSize, '\0');
        putWord(bag, 0, static_cast<quint16>(level.generators.size() / GeneratorSize));
        putWord(bag, 2, static_cast<quint16>(level.modulators.size() / ModulatorSize));
        level.bags += bag;
        level.generators += QByteArray(GeneratorSize, '\0');
        level.modulators += QByteArray(ModulatorSize, '\0');
    }

    const PresetData& in_;
    PresetData out_;
    std::map<int, int> instruments_, samples_;
};

// The file's top-level chunks: where the preset data's LIST begins and its bytes.
struct FileLayout {
    qint64 presetDataAt = -1;
    QByteArray presetData;
};

std::optional<FileLayout> readLayout(QIODevice& file)
{
    if (!file.seek(0))
        return std::nullopt;
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "sfbk")
        return std::nullopt;
    const qint64 end =
        std::min<qint64>(file.size(), 8 + qint64(qFromLittleEndian<quint32>(head.constData() + 4)));
    bool sampleData = false;
    for (qint64 at = 12; at + 12 <= end;) {
        if (!file.seek(at))
            return std::nullopt;
        const QByteArray header = file.read(12);
        if (header.size() < 12)
            return std::nullopt;
        const qint64 length = qFromLittleEndian<quint32>(header.constData() + 4);
        if (length < 4 || at + 8 + length > end)
            return std::nullopt;
        if (header.startsWith("LIST") && header.mid(8) == "sdta")
            sampleData = true;
        if (header.startsWith("LIST") && header.mid(8) == "pdta") {
            if (!sampleData || length > LargestPresetData)
                return std::nullopt;
            FileLayout layout{at, file.read(length - 4)};
            return layout.presetData.size() == length - 4 ? std::optional(layout) : std::nullopt;
        }
        at += 8 + length + (length & 1);
    }
    return std::nullopt;
}

std::optional<PresetData> parsePresetData(const QByteArray& bytes)
{
    std::map<QByteArray, QByteArray> chunks;
    for (qsizetype at = 0; at + 8 <= bytes.size();) {
        const qint64 length = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (at + 8 + length > bytes.size())
            return std::nullopt;
        chunks[bytes.mid(at, 4)] = bytes.mid(at + 8, length);
        at += 8 + length + (length & 1);
    }
    PresetData data;
    data.presets = {chunks["phdr"], chunks["pbag"], chunks["pgen"], chunks["pmod"], PresetHeaderSize, 24};
    data.instruments = {chunks["inst"], chunks["ibag"],       chunks["igen"],
                        chunks["imod"], InstrumentHeaderSize, 20};
    data.samples = chunks["shdr"];
    const auto whole = [](const QByteArray& records, int size) {
        return records.size() >= size && records.size() % size == 0;
    };
    for (const Level* level : {&data.presets, &data.instruments}) {
        if (!whole(level->headers, level->headerSize) || !whole(level->bags, BagSize) ||
            !whole(level->generators, GeneratorSize) || level->modulators.size() % ModulatorSize != 0)
            return std::nullopt;
    }
    if (!whole(data.samples, SampleHeaderSize))
        return std::nullopt;
    return data;
}

// Where the presets a piece asks for stand among the file's, with a synthesiser's fallbacks.
std::vector<int> presetsToKeep(const Level& presets, const std::set<SoundFontPreset>& wanted)
{
    std::map<SoundFontPreset, int> index;
    for (int i = presets.headerCount() - 2; i >= 0; --i) // the first of equal ones wins
        index[{word(presets.headers, qsizetype(i) * PresetHeaderSize + 22),
               word(presets.headers, qsizetype(i) * PresetHeaderSize + 20)}] = i;
    std::set<int> keep;
    for (const SoundFontPreset& preset : wanted) {
        const SoundFontPreset fallback = preset.bank == PercussionBank ? SoundFontPreset{PercussionBank, 0}
                                                                       : SoundFontPreset{0, preset.program};
        for (const SoundFontPreset& candidate : {preset, fallback}) {
            if (const auto found = index.find(candidate); found != index.end()) {
                keep.insert(found->second);
                break;
            }
        }
    }
    return {keep.begin(), keep.end()};
}

} // namespace

std::shared_ptr<const SoundFontSubset>
SoundFontSubset::make(const QString& path, const std::set<SoundFontPreset>& presets, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return nullptr;
    }
    return make(file, path, presets, error);
}

std::shared_ptr<const SoundFontSubset> SoundFontSubset::make(QIODevice& file, const QString& path,
                                                             const std::set<SoundFontPreset>& presets,
                                                             QString& error)
{
    const std::optional<FileLayout> layout = readLayout(file);
    const std::optional<PresetData> data = layout ? parsePresetData(layout->presetData) : std::nullopt;
    if (!data) {
        error = QStringLiteral("not a SoundFont");
        return nullptr;
    }
    SubsetBuilder builder(*data);
    auto subset = std::make_shared<SoundFontSubset>();
    for (int preset : presetsToKeep(data->presets, presets)) {
        if (!builder.addPreset(preset)) {
            error = QStringLiteral("a damaged SoundFont");
            return nullptr;
        }
        ++subset->presetCount_;
    }
    subset->path_ = path;
    subset->keptLength_ = layout->presetDataAt;
    subset->presetData_ = builder.presetDataChunk();
    subset->riffLength_ = littleLong(static_cast<quint32>(subset->size() - 8));
    return subset;
}

bool SoundFontSubset::read(qint64 offset, char* into, qint64 count, QIODevice& file) const
{
    if (offset < 0 || count < 0 || offset + count > size())
        return false;
    const qint64 fromFile = std::clamp<qint64>(keptLength_ - offset, 0, count);
    if (fromFile > 0 && (!file.seek(offset) || file.read(into, fromFile) != fromFile))
        return false;
    // The RIFF length at bytes 4 to 7 is the subset's own.
    for (qint64 at = std::max<qint64>(offset, 4); at < std::min<qint64>(offset + fromFile, 8); ++at)
        into[at - offset] = riffLength_[at - 4];
    if (count > fromFile)
        std::memcpy(into + fromFile, presetData_.constData() + (offset + fromFile - keptLength_),
                    count - fromFile);
    return true;
}
