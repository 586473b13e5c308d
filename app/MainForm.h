#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/ShellDialogs.h"
#include "app/core/PuzzleModule.h"
#include "app/core/ShellServices.h"

class QLabel;
class QToolButton;
class QButtonGroup;
class RandomSource;
class SettingsStore;
class SevenSegmentDisplay;
class DrawingArea;
class RulesHotspot;

enum PuzzleIndex { PuzzlePliva = 0, PuzzleZupel = 1, PuzzleVexor = 2, PuzzleHuxel = 3, PuzzleCount = 4 };

using PuzzleModules = std::array<std::unique_ptr<PuzzleModule>, PuzzleCount>;

// What the main window is built from; the game passes the real parts, tests their fakes.
struct ShellParts {
    QString dataDir; // with a trailing separator
    SettingsStore* settings = nullptr;
    RandomSource* random = nullptr;
    ShellDialogs* dialogs = nullptr;
    SoundOutput* sound = nullptr;
    std::function<PuzzleModules(ShellServices&)> makeModules;
    // Blocks the thread for the given milliseconds (Delay); tests replace it.
    std::function<void(unsigned)> sleep;
};

// The main window: toolbar, clock, drawing area; owns the puzzles' play states and clocks and
// routes events to the current puzzle.
class TMainForm final : public QWidget, public ShellServices {
    Q_OBJECT
  public:
    static constexpr int ToolbarHeight = 33;
    static constexpr int AreaWidth = 500;
    static constexpr int AreaHeight = 333;

    explicit TMainForm(ShellParts parts);
    ~TMainForm() override;

    // False when the start-up failed (background picture missing); the program must end.
    bool startedOk() const { return startedOk_; }
    // Called once, after the drawing area has painted for the first time.
    void setFirstFrameHook(std::function<void()> hook) { firstFrameHook_ = std::move(hook); }
    void framePainted();

    // ShellServices
    void PlaySound(int index) override;
    void Delay(unsigned ms) override;
    void PuzzleSolved() override;
    void PuzzleFailed() override;
    int playState() const override { return playState_[currentPuzzle_]; }
    void setPlayState(int state) override { playState_[currentPuzzle_] = state; }
    int elapsed() const override { return elapsed_[currentPuzzle_]; }
    void setElapsed(int ticks) override;
    const QImage& background() const override { return background_; }
    QImage& work() override { return work_; }
    QImage& screen() override { return screen_; }
    void screenChanged(const QRect& rect) override;
    std::optional<ColorRef> chooseColor(ColorRef initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    RandomSource& random() override { return *parts_.random; }

    // Shell operations
    bool SwitchPuzzle(int index);
    void ApplyTexts();
    QString SelectScoreList();
    void boxPaint();

    int currentPuzzle() const { return currentPuzzle_; }
    int playStateOf(int puzzle) const { return playState_[puzzle]; }
    int elapsedOf(int puzzle) const { return elapsed_[puzzle]; }
    int tongue() const { return tongue_; }
    void setTongue(int tongue) { tongue_ = tongue; }
    const int& tongueRef() const { return tongue_; }
    PuzzleModule& module(int puzzle) { return *modules_[puzzle]; }
    QTimer& timer() { return timer_; }
    QWidget* drawingArea() const;
    QWidget* rulesHotspot() const;
    QWidget* clockDisplay() const;
    QLabel* timeLabel() const { return timeLabel_; }
    QToolButton* button(const char* objectName) const;

    // Handlers, public so the routing can be driven directly.
    void boxMouseDown(Qt::MouseButton button, int x, int y);
    void boxMouseMove(int x, int y);
    void RulesShapeMouseDown();
    void TimerTimer();
    void MixBtnClick();
    void OptionBtnMouseDown(int x, int y);
    void OptionZBtnMouseDown(int x, int y);
    void PauseBtnClick();
    void HighScoreBtnClick();
    void InfoBtnClick();
    void HelpBtnClick();
    void TongueBtnClick();
    void soundbtnClick();
    void MidiBtnClick();
    void FrobnyBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    bool loadBackground(int puzzle);
    void buildToolbar();
    QToolButton* addToolButton(const char* name, int x, const char* glyph, QSize cell, int states);
    void placeRulesShape();
    void updateOptionZ();
    void showClock(int ticks);
    void fitTimeLabel();
    void optionPress(bool zButton, int x, int y);
    bool confirmGiveUpIfPlaying();
    void reportEnd(int state, int sound, void (ShellDialogs::*show)());
    void restoreWindowPosition();
    void storeWindowPosition();
    void searchMusic();

    ShellParts parts_;
    PuzzleModules modules_;
    int currentPuzzle_ = PuzzlePliva;
    std::array<int, PuzzleCount> playState_{StateNotGenerated, StateNotGenerated, StateNotGenerated,
                                            StateNotGenerated};
    std::array<int, PuzzleCount> elapsed_{};
    int tongue_ = -1;
    bool startedOk_ = false;
    bool firstActivation_ = false;
    bool shownOnce_ = false;
    bool closing_ = false;
    QString musicFile_;
    std::function<void()> firstFrameHook_;
    QImage background_;
    QImage work_;
    QImage screen_;
    QTimer timer_;
    QWidget* toolPanel_ = nullptr;
    DrawingArea* box_ = nullptr;
    RulesHotspot* rulesShape_ = nullptr;
    SevenSegmentDisplay* ledLabel_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    QButtonGroup* puzzleButtons_ = nullptr;
    QToolButton* soundBtn_ = nullptr;
    QToolButton* midiBtn_ = nullptr;
    QToolButton* optionBtn_ = nullptr;
    QToolButton* optionZBtn_ = nullptr;
};
