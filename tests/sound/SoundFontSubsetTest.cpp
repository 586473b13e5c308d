#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/sound/SoundFont.h"
#include "app/sound/module/SoundFontSubset.h"

namespace {

// ---- Standard MIDI Files made for the cases ----

// One track's events (delta times included) closed by its end-of-track event.
QByteArray track(const QByteArray& events)
{
    QByteArray body = events + QByteArray("\x00\xFF\x2F\x00", 4);
    QByteArray chunk("MTrk");
    chunk.resize(8);
    qToBigEndian<quint32>(body.size(), chunk.data() + 4);
    return chunk + body;
}

QByteArray midiFile(const std::vector<QByteArray>& tracks)
{
    QByteArray header("MThd\x00\x00\x00\x06\x00\x01\x00\x00\x01\xE0", 14);
    qToBigEndian<quint16>(tracks.size(), header.data() + 10);
    for (const QByteArray& events : tracks)
        header += track(events);
    return header;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result += static_cast<char>(value);
    return result;
}

using Presets = std::set<SoundFontPreset>;

TEST(PresetsPlayed, AreTheProgramsAndBanksInForceWhenNotesStart)
{
    struct Case {
        const char* what;
        std::vector<QByteArray> tracks;
        Presets expected;
    };
    const Case cases[] = {
        {"a program change, then a note", {bytes({0, 0xC0, 5, 0, 0x90, 60, 100})}, {{0, 5}}},
        {"a note before any program change plays program 0, the later one its own",
         {bytes({0, 0x91, 60, 100, 10, 0xC1, 7, 0, 0x91, 62, 100})},
         {{0, 0}, {0, 7}}},
        {"the tenth channel plays the percussion bank, a bank select notwithstanding",
         {bytes({0, 0xB9, 0, 3, 0, 0xC9, 25, 0, 0x99, 36, 100})},
         {{128, 25}}},
        {"a bank select before the program change",
         {bytes({0, 0xB2, 0, 8, 0, 0xC2, 5, 0, 0x92, 60, 1})},
         {{8, 5}}},
        {"running status and meta and system exclusive events between",
         {bytes({0,    0xFF, 0x51, 3,    7, 0xA1, 0x20, 0,   0xC3, 9,  0,
                 0xF0, 2,    0x7E, 0xF7, 0, 0x93, 60,   100, 5,    62, 100})},
         {{0, 9}}},
        {"a note-on of velocity 0 is a release, no note",
         {bytes({0, 0x90, 60, 0, 0, 0xC0, 4, 0, 0x90, 60, 9})},
         {{0, 4}}},
        {"a program change in another track holds from its tick on, whatever the track order",
         {bytes({0, 0x94, 60, 100, 20, 0x94, 62, 100}), bytes({10, 0xC4, 40})},
         {{0, 0}, {0, 40}}},
        {"a data byte without a status ends its track", {bytes({0, 0x40, 0, 0x90, 60, 100})}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(presetsPlayed(midiFile(c.tracks)), c.expected) << c.what;
}

TEST(PresetsPlayed, HostileBytesGiveWhatTheyCanWithoutReadingPastTheEnd)
{
    QByteArray file = midiFile({bytes({0, 0xC0, 5, 0, 0x90, 60, 100})});
    for (qsizetype cut = 0; cut < file.size(); ++cut) {
        const Presets played = presetsPlayed(file.left(cut));
        EXPECT_TRUE(played.empty() || played == (Presets{{0, 5}})) << cut;
    }
    // A track whose length runs past the file, a header that says it is huge, an endless number.
    QByteArray longTrack = file;
    qToBigEndian<quint32>(0x7FFFFFFF, longTrack.data() + 18);
    EXPECT_EQ(presetsPlayed(longTrack), (Presets{{0, 5}}));
    QByteArray hugeHeader = file;
    qToBigEndian<quint32>(0xFFFFFFFF, hugeHeader.data() + 4);
    EXPECT_TRUE(presetsPlayed(hugeHeader).empty());
    EXPECT_TRUE(presetsPlayed(midiFile({bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF})})).empty());
}

// ---- A small SoundFont made for the cases ----

QByteArray le16(int value)
{
    QByteArray result(2, '\0');
    qToLittleEndian<quint16>(value, result.data());
    return result;
}

QByteArray le32(quint32 value)
{
    QByteArray result(4, '\0');
    qToLittleEndian<quint32>(value, result.data());
    return result;
}

QByteArray name20(const char* name)
{
    QByteArray result(name);
    result.resize(20, '\0');
    return result;
}

QByteArray riffChunk(const char* id, const QByteArray& data)
{
    return QByteArray(id, 4) + le32(data.size()) + data;
}

constexpr int InstrumentGenerator = 41;
constexpr int SampleGenerator = 53;
constexpr int PanGenerator = 17;

QByteArray generator(int op, int amount)
{
    return le16(op) + le16(amount);
}

QByteArray sampleHeader(const char* name, quint32 start, int type, int link)
{
    return name20(name) + le32(start) + le32(start + 40) + le32(start + 8) + le32(start + 32) + le32(22050) +
           QByteArray("\x3C\x00", 2) + le16(link) + le16(type);
}

QByteArray modulator(char tag)
{
    return QByteArray(10, tag);
}

// Presets Piano (0, 0), Strings (0, 5) with a global zone and a modulator, Drums (128, 0); each
// plays its own instrument. Strings' instrument plays the left half of a stereo pair only.
// Another `drumsInstrument` than 2 makes Drums point at an instrument that is not there.
QByteArray tinySoundFont(int drumsInstrument = 2)
{
    const QByteArray phdr = name20("Piano") + le16(0) + le16(0) + le16(0) + le32(0) + le32(0) + le32(0) +
                            name20("Strings") + le16(5) + le16(0) + le16(1) + le32(0) + le32(0) + le32(0) +
                            name20("Drums") + le16(0) + le16(128) + le16(3) + le32(0) + le32(0) + le32(0) +
                            name20("EOP") + le16(0) + le16(0) + le16(4) + le32(0) + le32(0) + le32(0);
    const QByteArray pbag =
        le16(0) + le16(0) + le16(1) + le16(0) + le16(2) + le16(1) + le16(3) + le16(1) + le16(4) + le16(1);
    const QByteArray pmod = modulator('p') + QByteArray(10, '\0');
    const QByteArray pgen = generator(InstrumentGenerator, 0) + generator(PanGenerator, 100) +
                            generator(InstrumentGenerator, 1) +
                            generator(InstrumentGenerator, drumsInstrument) + generator(0, 0);
    const QByteArray inst = name20("PianoI") + le16(0) + name20("StringsI") + le16(1) + name20("DrumsI") +
                            le16(2) + name20("EOI") + le16(3);
    const QByteArray ibag = le16(0) + le16(0) + le16(1) + le16(0) + le16(2) + le16(0) + le16(3) + le16(1);
    const QByteArray imod = modulator('i') + QByteArray(10, '\0');
    const QByteArray igen = generator(SampleGenerator, 0) + generator(SampleGenerator, 1) +
                            generator(SampleGenerator, 3) + generator(0, 0);
    const QByteArray shdr = sampleHeader("PianoS", 0, 1, 0) + sampleHeader("StrL", 100, 4, 2) +
                            sampleHeader("StrR", 200, 2, 1) + sampleHeader("DrumS", 300, 1, 0) +
                            QByteArray(46, '\0');
    const QByteArray info = riffChunk("ifil", le16(2) + le16(1));
    const QByteArray sampleData = riffChunk("smpl", QByteArray(2 * 400, '\x11'));
    const QByteArray presetData = riffChunk("phdr", phdr) + riffChunk("pbag", pbag) +
                                  riffChunk("pmod", pmod) + riffChunk("pgen", pgen) +
                                  riffChunk("inst", inst) + riffChunk("ibag", ibag) +
                                  riffChunk("imod", imod) + riffChunk("igen", igen) + riffChunk("shdr", shdr);
    const QByteArray body = "sfbk" + riffChunk("LIST", "INFO" + info) +
                            riffChunk("LIST", "sdta" + sampleData) + riffChunk("LIST", "pdta" + presetData);
    return riffChunk("RIFF", body);
}

// The preset data of a SoundFont, record by record.
struct Records {
    std::map<QByteArray, QByteArray> chunks;

    explicit Records(const QByteArray& file)
    {
        const qsizetype list = file.lastIndexOf("pdta");
        for (qsizetype at = list + 4; at + 8 <= file.size();) {
            const quint32 length = qFromLittleEndian<quint32>(file.constData() + at + 4);
            chunks[file.mid(at, 4)] = file.mid(at + 8, length);
            at += 8 + length;
        }
    }
    int count(const char* id, int size) { return chunks[id].size() / size; }
    QByteArray name(const char* id, int size, int index)
    {
        return chunks[id].mid(index * size, 20).split('\0')[0];
    }
    int word(const char* id, qsizetype at) { return qFromLittleEndian<quint16>(chunks[id].constData() + at); }
    quint32 dword(const char* id, qsizetype at)
    {
        return qFromLittleEndian<quint32>(chunks[id].constData() + at);
    }
};

class SoundFontSubsetTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString write(const QByteArray& content)
    {
        const QString path = folder.filePath(QStringLiteral("font%1.sf2").arg(++written));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    static QByteArray readAll(const SoundFontSubset& subset, qint64 piece)
    {
        QFile file(subset.path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray all(subset.size(), '\0');
        for (qint64 at = 0; at < subset.size(); at += piece)
            EXPECT_TRUE(subset.read(at, all.data() + at, std::min(piece, subset.size() - at), file)) << at;
        return all;
    }

    QTemporaryDir folder;
    int written = 0;
};

TEST_F(SoundFontSubsetTest, KeepsThePresetWithItsInstrumentAndSamplesRenumbered)
{
    const QByteArray original = tinySoundFont();
    QString error;
    const auto subset = SoundFontSubset::make(write(original), {{0, 5}}, error);
    ASSERT_TRUE(subset) << error.toStdString();
    EXPECT_EQ(subset->presetCount(), 1);
    const QByteArray file = readAll(*subset, subset->size());
    EXPECT_EQ(readAll(*subset, 7), file) << "read in pieces across the border";

    // The header and the sample data stand as they are; the RIFF length is the subset's own.
    const qsizetype presetData = original.lastIndexOf("LIST");
    EXPECT_EQ(file.left(4), original.left(4));
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 4), quint32(file.size() - 8));
    EXPECT_EQ(file.mid(8, presetData - 8), original.mid(8, presetData - 8));

    Records records(file);
    ASSERT_EQ(records.count("phdr", 38), 2);
    EXPECT_EQ(records.name("phdr", 38, 0), "Strings");
    EXPECT_EQ(records.name("phdr", 38, 1), "EOP");
    EXPECT_EQ(records.word("phdr", 38 + 24), 2) << "the terminal preset closes two zones";
    EXPECT_EQ(records.chunks["pmod"], modulator('p') + QByteArray(10, '\0'));
    EXPECT_EQ(records.chunks["pgen"],
              generator(PanGenerator, 100) + generator(InstrumentGenerator, 0) + generator(0, 0));
    ASSERT_EQ(records.count("inst", 22), 2);
    EXPECT_EQ(records.name("inst", 22, 0), "StringsI");
    EXPECT_EQ(records.chunks["igen"], generator(SampleGenerator, 0) + generator(0, 0));
    EXPECT_EQ(records.chunks["imod"], QByteArray(10, '\0')) << "the drums' modulator stays behind";

    // The right half comes along with the left; each names the other by its new number.
    ASSERT_EQ(records.count("shdr", 46), 3);
    EXPECT_EQ(records.name("shdr", 46, 0), "StrL");
    EXPECT_EQ(records.name("shdr", 46, 1), "StrR");
    EXPECT_EQ(records.name("shdr", 46, 2), "EOS");
    EXPECT_EQ(records.dword("shdr", 20), 100u) << "the sample's place in the data is kept";
    EXPECT_EQ(records.dword("shdr", 46 + 20), 200u);
    EXPECT_EQ(records.word("shdr", 42), 1);
    EXPECT_EQ(records.word("shdr", 46 + 42), 0);
}

TEST_F(SoundFontSubsetTest, MissingPresetsFallBackAsASynthesiserDoes)
{
    const QString path = write(tinySoundFont());
    struct Case {
        Presets wanted;
        std::vector<QByteArray> presets;
        std::vector<QByteArray> instruments;
    };
    const Case cases[] = {
        {{{3, 5}}, {"Strings"}, {"StringsI"}},
        {{{128, 9}}, {"Drums"}, {"DrumsI"}},
        {{{0, 77}}, {}, {}},
        {{{0, 0}, {128, 0}, {0, 0}}, {"Piano", "Drums"}, {"PianoI", "DrumsI"}},
    };
    for (const Case& c : cases) {
        QString error;
        const auto subset = SoundFontSubset::make(path, c.wanted, error);
        ASSERT_TRUE(subset) << error.toStdString();
        Records records(readAll(*subset, subset->size()));
        std::vector<QByteArray> presets, instruments;
        for (int i = 0; i + 1 < records.count("phdr", 38); ++i)
            presets.push_back(records.name("phdr", 38, i));
        for (int i = 0; i + 1 < records.count("inst", 22); ++i)
            instruments.push_back(records.name("inst", 22, i));
        EXPECT_EQ(presets, c.presets);
        EXPECT_EQ(instruments, c.instruments);
        EXPECT_EQ(subset->presetCount(), int(c.presets.size()));
    }
}

TEST_F(SoundFontSubsetTest, WhatIsNoSoundFontOrIsDamagedIsRefused)
{
    const QByteArray font = tinySoundFont();
    QByteArray wave = font;
    wave.replace(8, 4, "WAVE");
    const qsizetype presetData = font.lastIndexOf("LIST");
    struct Case {
        const char* what;
        QByteArray content;
        Presets wanted;
    };
    const Case cases[] = {
        {"empty", {}, {}},
        {"not a SoundFont", wave, {}},
        {"no preset data", font.left(presetData), {}},
        {"cut inside the preset data", font.left(font.size() - 30), {}},
        {"a preset that names an instrument that is not there", tinySoundFont(7), {{128, 0}}},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(SoundFontSubset::make(write(c.content), c.wanted, error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
    QString error;
    EXPECT_FALSE(SoundFontSubset::make(folder.filePath("none.sf2"), {}, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(SoundFontSubset::make(write(tinySoundFont(7)), {{0, 5}}, error))
        << "the damage lies in a preset not asked for";
}

// ---- The real General MIDI SoundFont through FluidSynth ----

struct Synth {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = nullptr;

    explicit Synth(const QString& font)
    {
        fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
        synth = new_fluid_synth(settings);
        id = fluid_synth_sfload(synth, QFile::encodeName(font).constData(), 1);
    }
    ~Synth()
    {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
    }
    std::vector<float> note(int channel, SoundFontPreset preset)
    {
        if (fluid_synth_program_select(synth, channel, id, preset.bank, preset.program) != FLUID_OK)
            return {};
        fluid_synth_noteon(synth, channel, 60, 100);
        std::vector<float> frames(2 * 4096);
        fluid_synth_write_float(synth, 4096, frames.data(), 0, 2, frames.data(), 1, 2);
        fluid_synth_noteoff(synth, channel, 60);
        return frames;
    }
    int id = FLUID_FAILED;
};

TEST_F(SoundFontSubsetTest, ThePiecesSoundAsWithTheWholeFontAndNothingElseIsLoaded)
{
    const QString font = findSoundFont();
    if (font.isEmpty())
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    QFile piece(QStringLiteral(FROBNY_SOURCE_DIR "/assets/music/01-freude.mid"));
    ASSERT_TRUE(piece.open(QIODevice::ReadOnly));
    const Presets played = presetsPlayed(piece.readAll());
    ASSERT_EQ(played.size(), 7u) << "six instruments and the drums";
    QString error;
    const auto subset = SoundFontSubset::make(font, played, error);
    ASSERT_TRUE(subset) << error.toStdString();
    EXPECT_EQ(subset->presetCount(), 7);

    Synth whole(font);
    Synth part(write(readAll(*subset, subset->size())));
    ASSERT_NE(part.id, FLUID_FAILED);
    int channel = 0;
    for (const SoundFontPreset& preset : played) {
        const std::vector<float> expected = whole.note(channel, preset);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(part.note(channel, preset), expected) << preset.bank << ":" << preset.program;
        ++channel;
    }
    EXPECT_TRUE(part.note(channel, {0, 0}).empty()) << "the piano is not played";
}

} // namespace
