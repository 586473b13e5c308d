#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

#include "app/GameMain.h"
#include "app/settings/SettingsStore.h"
#include "app/sound/GameAudio.h"
#include "app/sound/SoundEffects.h"
#include "app/sound/SoundFont.h"
#include "app/sound/SynthMusicPlayer.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"
#include "support/StoredValues.h"

// What goes wrong on players' machines, one row each: damaged or missing files beside the program,
// no music, no SoundFont, no sound device, settings that cannot be written or hold nonsense. For
// each row the program either starts or refuses with its message, never crashes, and whatever the
// settings file held before is still there afterwards.
namespace {
using Values = StoredValues;

const char* const StoredSettings = "[common]\ntongue=1\nmode=0\nsound=1\nmusic=1\n"
                                   "[pliva]\nmode=23\n[zupel]\nmode=2\n[vexor]\nmode=34\nfit=0\n"
                                   "[huxel]\nmode=5\nbold=1\n"
                                   "[highscore]\nplayer=Anna\npliv230=Zxq,Bmcu\n"
                                   "[elsewhere]\nkeep=what another program stored here\n";

// Size, time and text of a file (the text only when it can be read).
QString fingerprint(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return QStringLiteral("%1 bytes, %2: %3")
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(QString::fromLatin1(text.toHex()));
}

struct Machine; // the fixture's folders, set up fresh for every row

struct FaultRow {
    std::string fault;
    std::function<void(Machine&)> damage;      // before the start
    bool starts;                               // the main window comes up (else: the start-up message)
    bool musicButton;                          // the music button is enabled once the music had its chance
    std::function<void(Machine&)> during = {}; // after the start, before the four puzzles are switched to
    int puzzleAfterSwitches = 3;               // the puzzle current after switching to 0, 1, 2, 3
    bool settingsWritable = true;
    bool rootIgnoresIt = false; // root writes into read-only folders
};

struct Machine {
    QTemporaryDir root;
    QString data = root.filePath("data");
    QString config = root.filePath("config");
    QString ini = config + "/V1.ini";
    QString soundFont = findSoundFont();
    bool useRealSynth = false;

    Machine()
    {
        QDir().mkpath(data);
        QDir().mkpath(config);
        writePlainBackgrounds(data);
        for (const char* piece : {"01-freude.mid", "02-kanon.mid"})
            QFile::copy(QStringLiteral(FROBNY_SOURCE_DIR "/assets/music/") + piece, data + "/" + piece);
        writeSettings(StoredSettings);
    }

    void writeSettings(const QByteArray& text) const
    {
        QFile file(ini);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text);
    }

    void replace(const QString& name, const QByteArray& content) const
    {
        QFile file(data + "/" + name);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
    }

    void truncate(const QString& name, qint64 size) const { QFile(data + "/" + name).resize(size); }
    void remove(const QString& name) const { QFile::remove(data + "/" + name); }
};

// A music player that plays whatever it can open, as with a sound server present.
class PlayableMusic final : public MusicPlayer {
  public:
    bool open(const QString&) override { return true; }
    void close() override {}
    bool play() override { return playing = true; }
    void stop() override { playing = false; }
    void pause() override { playing = !playing; }
    bool isPlaying() const override { return playing; }
    bool playing = false;
};

class EffectsOutput final : public SoundOutput {
  public:
    explicit EffectsOutput(SoundEffects& effects) : effects_(effects) {}
    void play(Sound sound) override { effects_.play(sound); }

  private:
    SoundEffects& effects_;
};

// Every value of every key the program keeps, out of range or not a number.
QByteArray hostileSettings()
{
    return "[common]\ntongue=abc\nmode=-2147483649\nsound=\nmusic=@Invalid()\nMainForm=9,9,9,9,x,y\n"
           "[pliva]\nmode=99999999999\nlcol=clNoSuchColour\ndcol=$FFFFFFFFFFFF\ndmode=-7\n"
           "[zupel]\nmode=1e9\n"
           "[vexor]\nmode=-55\ncol1=\ncol2=abc\ncol3=$-1\ncol4=2147483648\ncol5=clNone\ncol6=$1000000\n"
           "col7=-1\ncol8=$GGGGGG\nfit=x\nlin=-1\n"
           "[huxel]\nmode=0x10\nname=\nbold=yes\nital=2\n"
           "[highscore]\nplayer=\npliv230=garbage\npliv231=,\npliv232=99999999999999,x\n"
           "[elsewhere]\nkeep=what another program stored here\n";
}

// A settings file of about 10 MB: the stored values among a great many keys of no use to us.
QByteArray hugeSettings()
{
    QByteArray text = StoredSettings;
    text += "[ballast]\n";
    const QByteArray filler(200, 'x');
    for (int i = 0; text.size() < 10 * 1024 * 1024; ++i)
        text += "key" + QByteArray::number(i) + "=" + filler + "\n";
    return text;
}

const std::vector<FaultRow>& faultMatrix()
{
    static const std::vector<FaultRow> rows = [] {
        std::vector<FaultRow> table = {
            {"no fault", [](Machine&) {}, true, true},
            {"b1.bmp truncated", [](Machine& m) { m.truncate("b1.bmp", 100); }, false, false},
            {"b1.bmp one byte short",
             [](Machine& m) { m.truncate("b1.bmp", QFileInfo(m.data + "/b1.bmp").size() - 1); }, false,
             false},
            {"b1.bmp is empty", [](Machine& m) { m.truncate("b1.bmp", 0); }, false, false},
            {"b1.bmp is a PNG picture",
             [](Machine& m) {
                 QImage picture(500, 333, QImage::Format_RGB32);
                 picture.fill(Qt::gray);
                 picture.save(m.data + "/b1.bmp", "PNG");
             },
             false, false},
            {"b1.bmp is a folder",
             [](Machine& m) {
                 m.remove("b1.bmp");
                 QDir().mkpath(m.data + "/b1.bmp");
             },
             false, false},
            {"no *.mid file",
             [](Machine& m) {
                 m.remove("01-freude.mid");
                 m.remove("02-kanon.mid");
             },
             true, false},
            {"the first *.mid file is not MIDI",
             [](Machine& m) {
                 m.replace("01-freude.mid", "RIFF\0\0\0\0WAVEfmt this is no music");
                 m.remove("02-kanon.mid");
                 m.useRealSynth = true;
             },
             true, false},
            {"no SoundFont",
             [](Machine& m) {
                 m.soundFont.clear();
                 m.useRealSynth = true;
             },
             true, false},
            {"settings folder read-only",
             [](Machine& m) { QFile::setPermissions(m.config, QFile::ReadOwner | QFile::ExeOwner); },
             true,
             true,
             {},
             3,
             false,
             true},
            {"settings file unreadable",
             [](Machine& m) { QFile::setPermissions(m.ini, QFile::WriteOwner); },
             true,
             true,
             {},
             3,
             false,
             true},
            {"settings path is a folder",
             [](Machine& m) {
                 QFile::remove(m.ini);
                 QDir().mkpath(m.ini);
             },
             true,
             true,
             {},
             3,
             false},
            {"settings file of 10 MB", [](Machine& m) { m.writeSettings(hugeSettings()); }, true, true},
            {"every value out of range or not a number",
             [](Machine& m) { m.writeSettings(hostileSettings()); }, true, true},
            {"settings file of binary noise",
             [](Machine& m) {
                 QByteArray noise;
                 for (int i = 0; i < 4096; ++i)
                     noise += char((i * 7919) % 251);
                 m.writeSettings(noise);
             },
             true, true},
        };
        table.push_back({"no audio device",
                         [](Machine& m) {
                             // Before libpulse or FluidSynth first look for a sound server in this process.
                             qputenv("PULSE_SERVER", "unix:/nonexistent/frobny-no-sound-server");
                             m.useRealSynth = true;
                         },
                         // The music waits in silence for a server to appear.
                         true, true});
        for (int i = 1; i <= 4; ++i) {
            const QString file = QStringLiteral("b%1.bmp").arg(i);
            table.push_back(
                {file.toStdString() + " missing at start-up",
                 [file, i](Machine& m) {
                     m.remove(file);
                     m.writeSettings(
                         QByteArray(StoredSettings).replace("mode=0", "mode=" + QByteArray::number(i - 1)));
                 },
                 false, false});
            // Switching to its puzzle keeps the puzzle before it; the switches go 0, 1, 2, 3.
            table.push_back({file.toStdString() + " missing at a switch", [](Machine&) {}, true, true,
                             [file](Machine& m) { m.remove(file); }, i == 4 ? 2 : 3});
        }
        return table;
    }();
    return rows;
}

class FaultMatrix : public testing::TestWithParam<std::size_t> {};

// Runs the main window on the damaged machine as the program does: start, sound, the four
// puzzles, close. Returns whether it started.
struct Outcome {
    bool started = false;
    bool musicButton = false;
    int puzzle = -1;
};

Outcome playOn(Machine& machine, const FaultRow& row)
{
    SettingsStore settings(machine.ini);
    SeededRandom random;
    SilentDialogs dialogs;
    SoundEffects effects([] { return audioModule(); });
    SynthMusicPlayer synth([](const QString&) {});
    EffectsOutput output(effects);
    PlayableMusic playable;
    ShellParts parts = gameParts(machine.data + "/", settings, random, dialogs);
    parts.sound = &output;
    parts.music = machine.useRealSynth ? static_cast<MusicPlayer*>(&synth) : &playable;
    TMainForm form(std::move(parts));
    Outcome outcome;
    outcome.started = form.startedOk();
    if (!outcome.started)
        return outcome;
    if (machine.useRealSynth) {
        effects.prepare();
        synth.start(audioModule(), machine.soundFont);
    }
    form.show();
    QTest::qWait(10);
    form.PlaySound(Sound::ZupelDigit);
    // The music's first chance: the keep-alive ticks until the synthesiser has started or failed.
    QElapsedTimer waited;
    waited.start();
    do {
        form.TimerTimer();
        QTest::qWait(20);
    } while (synth.starting() && waited.elapsed() < 10000);
    form.TimerTimer();
    if (row.during)
        row.during(machine);
    for (int puzzle = 0; puzzle < 4; ++puzzle)
        form.SwitchPuzzle(puzzle);
    outcome.puzzle = form.currentPuzzle();
    outcome.musicButton = form.button(ToolButton::Midi)->isEnabled();
    form.close();
    return outcome;
}

TEST_P(FaultMatrix, StartsOrRefusesAsDecidedAndLosesNothingStored)
{
    const FaultRow& row = faultMatrix()[GetParam()];
    SCOPED_TRACE(row.fault);
    Machine machine;
    row.damage(machine);
    if (row.rootIgnoresIt && geteuid() == 0)
        GTEST_SKIP() << "as root every folder takes writes";
    const QString fileBefore = fingerprint(machine.ini);
    const Values before = storedValues(machine.ini);

    const Outcome outcome = playOn(machine, row);

    EXPECT_EQ(outcome.started, row.starts);
    if (row.starts) {
        EXPECT_EQ(outcome.musicButton, row.musicButton);
        EXPECT_EQ(outcome.puzzle, row.puzzleAfterSwitches);
    }
    const Values after = storedValues(machine.ini);
    for (const auto& [key, value] : before)
        EXPECT_TRUE(after.contains(key)) << key.toStdString() << " was lost";
    if (!row.starts || !row.settingsWritable) {
        EXPECT_EQ(fingerprint(machine.ini), fileBefore) << "nothing may be written";
    } else {
        // Kept as they were: what the program does not own, and the scrambled high-score rows.
        for (const QString& key : {QStringLiteral("elsewhere/keep"), QStringLiteral("highscore/pliv230"),
                                   QStringLiteral("highscore/pliv232"), QStringLiteral("ballast/key7")}) {
            if (before.contains(key)) {
                EXPECT_EQ(after.at(key), before.at(key)) << key.toStdString();
            }
        }
        EXPECT_EQ(after.at("common/mode"), QString::number(outcome.puzzle));
    }
    QFile::setPermissions(machine.config, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(machine.ini, QFile::ReadOwner | QFile::WriteOwner);
}

std::string rowName(const testing::TestParamInfo<std::size_t>& info)
{
    std::string name;
    for (char c : faultMatrix()[info.param].fault)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Rows, FaultMatrix, testing::Range<std::size_t>(0, faultMatrix().size()), rowName);
} // namespace
