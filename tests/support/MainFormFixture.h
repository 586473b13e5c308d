#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

#include "app/GamePuzzles.h"
#include "app/MainForm.h"
#include "app/core/Canvas.h"
#include "app/settings/SettingsStore.h"
#include "app/widgets/ClockCaption.h"
#include "app/widgets/DrawingArea.h"
#include "app/widgets/SevenSegmentDisplay.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

// Everything the shell asks of a module, in one log shared by the four fakes.
class RecordingModule final : public PuzzleModule {
  public:
    RecordingModule(ShellServices& services, int index, std::vector<std::string>& log)
        : services_(services), index_(index), log_(log)
    {
    }

    void NewPuzzle() override
    {
        record("NewPuzzle");
        services_.setPlayState(PlayState::Fresh);
    }
    void NewPuzzleAtStart() override
    {
        record("NewPuzzleAtStart");
        services_.setPlayState(PlayState::Fresh);
    }
    void PaintPuzzle() override
    {
        record("PaintPuzzle");
        Canvas(services_.work()).copyFrom(services_.background(), QRect(0, 0, 500, 333));
        services_.copyWorkToScreen(QRect(0, 0, 500, 333));
    }
    void MouseDownLeft(int x, int y) override
    {
        record("Left", x, y);
        if (!announceOnLeft.isEmpty())
            services_.Announce(
                [text = announceOnLeft](int tongue) { return text + (tongue == 1 ? " (de)" : ""); });
        if (solveOnLeft)
            services_.PuzzleSolved();
    }
    void MouseDownRight(int x, int y) override { record("Right", x, y); }
    void MouseMove(int x, int y) override { record("Move", x, y); }
    void OptionClick(bool up) override
    {
        record(up ? "Option up" : "Option down");
        stepLevel(up);
    }
    void OptionZClick(bool up) override
    {
        record(up ? "OptionZ up" : "OptionZ down");
        stepLevel(up);
    }
    void TimerTick() override { record("TimerTick"); }
    void LoadSettings(const SettingsStore&) override { record("LoadSettings"); }
    void SaveSettings(SettingsStore& settings) const override
    {
        // What "common" holds at this moment tells the order of the writes at close.
        const int mode = settings.ReadInteger("common", "mode", -9);
        const int sound = settings.ReadInteger("common", "sound", -9);
        log_.push_back(std::to_string(index_) + " SaveSettings mode=" + std::to_string(mode) +
                       " sound=" + std::to_string(sound));
    }
    int ScoreLevel() const override { return level; }
    KeyTargetSet KeyTargets() const override { return keyTargets; }
    void ShowKeyCursor(std::optional<int> index) override
    {
        record(index ? "Cursor " + std::to_string(*index) : std::string("Cursor hidden"));
    }
    QString DescribeKeyTarget(int index, int tongue) const override
    {
        return QString("%1 target %2 tongue %3").arg(index_).arg(index).arg(tongue);
    }

    QString DescribeBoard(int tongue) const override
    {
        return board.isEmpty() ? QString() : QString("%1 %2 tongue %3").arg(board).arg(index_).arg(tongue);
    }
    std::optional<int> PartnerTarget(int index) const override
    {
        const auto found = partners.find(index);
        return found == partners.end() ? std::nullopt : std::optional<int>(found->second);
    }
    ReviewGrid ReviewLines() const override { return review; }
    QString DescribeReviewLine(ReviewLine line, int tongue) const override
    {
        return QString("%1 %2 tongue %3").arg(line.isRow ? "row" : "column").arg(line.index).arg(tongue);
    }

    KeyTargetSet keyTargets;
    QString announceOnLeft; // said by every left press (German: with " (de)")
    bool solveOnLeft = false;
    QString board;               // the board's summary; empty: none
    std::map<int, int> partners; // key J
    ReviewGrid review;

    int level = 7;
    static constexpr int LowestLevel = 4;
    static constexpr int HighestLevel = 12;

  private:
    void stepLevel(bool up) { level = std::clamp(level + (up ? 1 : -1), LowestLevel, HighestLevel); }

    void record(const std::string& what, int x = -1, int y = -1)
    {
        QString entry = QString("%1 %2").arg(index_).arg(QString::fromStdString(what));
        if (x >= 0)
            entry += QString(" %1,%2").arg(x).arg(y);
        log_.push_back(entry.toStdString());
    }

    ShellServices& services_;
    int index_;
    std::vector<std::string>& log_;
};

class ScriptedDialogs final : public ShellDialogs {
  public:
    explicit ScriptedDialogs(std::vector<std::string>& log) : log_(log) {}

    int askGiveUp() override { return answer("askGiveUp", giveUpAnswer); }
    int askEndGame() override { return answer("askEndGame", endGameAnswer); }
    void showPaused() override { answer("showPaused", Ok); }
    void showSolved() override { answer("showSolved", Ok); }
    void showFailed() override { answer("showFailed", Ok); }
    void showStartupError(const QString& text) override { log_.push_back("error " + text.toStdString()); }
    void showHighScores(const QString& key, int result) override
    {
        answer("showHighScores " + key.toStdString() + " " + std::to_string(result), Ok);
    }
    void showRules(int puzzle) override { answer("showRules " + std::to_string(puzzle), Ok); }
    void showAbout() override { answer("showAbout", Ok); }
    void openHelp() override { answer("openHelp", Ok); }
    void closeHelp() override { log_.push_back("closeHelp"); }
    void chooseLanguage(int& tongue) override
    {
        answer("chooseLanguage", Ok);
        if (languageChoice)
            tongue = *languageChoice;
    }
    void openWebsite() override { log_.push_back("openWebsite"); }
    std::optional<ColorRef> chooseColor(ColorRef) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }

    int giveUpAnswer = Ok;
    int endGameAnswer = Ok;
    std::optional<int> languageChoice;
    QTimer* timer = nullptr;

  private:
    // Records the call and whether the clock timer ran while the dialog was up.
    int answer(const std::string& what, int result)
    {
        log_.push_back(what + (timer && timer->isActive() ? " [timer on]" : " [timer off]"));
        return result;
    }

    std::vector<std::string>& log_;
};

// A pointer move without buttons, delivered whatever the last pointer position was.
inline void sendMove(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// The main window on plain coloured backgrounds, with recording modules in the game's own table.
class MainFormFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const std::array<QRgb, 4> colors = {qRgb(200, 10, 10), qRgb(10, 200, 10), qRgb(10, 10, 200),
                                            qRgb(200, 200, 10)};
        for (int i = 0; i < 4; ++i) {
            QImage picture(500, i == 3 ? 533 : 333, QImage::Format_RGB32);
            picture.fill(colors[i]);
            ASSERT_TRUE(picture.save(dataDir() + QString("b%1.bmp").arg(i + 1)));
        }
    }

    QString dataDir() const { return dir.path() + "/"; }
    QString iniPath() const { return dir.path() + "/V1.ini"; }

    void writeIni(const QString& text)
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    TMainForm& start()
    {
        form.reset(); // a second start: the old window still writes to its settings as it goes
        settings = std::make_unique<SettingsStore>(iniPath());
        ShellParts parts;
        parts.dataDir = dataDir();
        parts.settings = settings.get();
        parts.random = &random;
        parts.dialogs = &dialogs;
        parts.sound = &sound;
        if (!realSleep)
            parts.sleep = [this](unsigned ms) {
                sleeps.push_back(ms);
                if (sleepProbe)
                    sleepProbe();
            };
        // The game's own table, with modules that record what reaches them.
        parts.puzzles = gamePuzzleTable();
        for (int i = 0; i < PuzzleCount; ++i) {
            parts.puzzles[i].make = [this, i](ShellServices& services) {
                auto module = std::make_unique<RecordingModule>(services, i, log);
                modules[i] = module.get();
                return module;
            };
        }
        form = std::make_unique<TMainForm>(std::move(parts));
        dialogs.timer = &form->timer();
        return *form;
    }

    // Starts, then forgets what start-up did, so a test sees only its own calls.
    TMainForm& started()
    {
        start();
        log.clear();
        return *form;
    }

    // Shown, with the first activation (language question) already behind it.
    TMainForm& shown()
    {
        start();
        form->show();
        QTest::qWait(10);
        log.clear();
        return *form;
    }

    bool logged(const std::string& entry) const
    {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }

    QTemporaryDir dir;
    std::vector<std::string> log;
    ScriptedDialogs dialogs{log};
    RecordingSound sound;
    SeededRandom random;
    std::vector<unsigned> sleeps;
    std::function<void()> sleepProbe; // runs inside Delay's wait
    bool realSleep = false;           // Delay really waits
    std::array<RecordingModule*, 4> modules{};
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<TMainForm> form;
};
