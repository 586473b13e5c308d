#pragma once

#include <QImage>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/KeyboardCursor.h"
#include "app/ShellDialogs.h"
#include "app/core/PuzzleModule.h"
#include "app/core/PuzzleTable.h"
#include "app/core/ShellServices.h"
#include "app/sound/MusicPlayer.h"

class QButtonGroup;
class ClockCaption;
class QToolButton;
class RandomSource;
class SettingsStore;
class SevenSegmentDisplay;
class DrawingArea;
class RulesHotspot;
class ToolPanel;
struct MainWindowTexts;

// The toolbar's buttons, left to right.
enum class ToolButton {
    Mix,
    Option,
    OptionZ,
    Pause,
    Sound,
    Midi,
    HighScore,
    Exit,
    Puzzle0, // one per row of the puzzle table, in table order
    Puzzle1,
    Puzzle2,
    Puzzle3,
    Tongue,
    Help,
    Info,
    Frobny,
};

constexpr ToolButton puzzleButton(int puzzle)
{
    return static_cast<ToolButton>(static_cast<int>(ToolButton::Puzzle0) + puzzle);
}

// What the main window is built from; the game passes the real parts, tests their fakes.
struct ShellParts {
    QString dataDir; // with a trailing separator
    SettingsStore* settings = nullptr;
    RandomSource* random = nullptr;
    ShellDialogs* dialogs = nullptr;
    SoundOutput* sound = nullptr;
    MusicPlayer* music = nullptr; // null: music files are looked for, but nothing plays
    PuzzleTable puzzles;
    // Blocks the thread for the given milliseconds (Delay); tests replace it.
    std::function<void(unsigned)> sleep;
};

// The main window: toolbar, clock, drawing area; owns the puzzles' play states and clocks and
// routes events to the current puzzle by what the puzzle table says of it.
class TMainForm final : public QWidget, public ShellServices, public KeyboardHost {
    Q_OBJECT
  public:
    static constexpr int ToolbarHeight = 33;

    explicit TMainForm(ShellParts parts);
    ~TMainForm() override;

    // False when the start-up failed (background picture missing); the program must end.
    bool startedOk() const { return startedOk_; }
    // Called once, after the drawing area has painted for the first time.
    void setFirstFrameHook(std::function<void()> hook) { firstFrameHook_ = std::move(hook); }

    // ShellServices
    void PlaySound(Sound sound) override;
    void Delay(unsigned ms) override;
    void PuzzleSolved() override;
    void PuzzleFailed() override;
    PlayState playState() const override { return playState_[currentPuzzle_]; }
    void setPlayState(PlayState state) override { playState_[currentPuzzle_] = state; }
    int elapsed() const override { return elapsed_[currentPuzzle_]; }
    void setElapsed(int ticks) override;
    const QImage& background() const override { return background_; }
    QImage& work() override { return work_; }
    QImage& screen() override { return screen_; }
    void screenChanged(const QRect& rect) override;
    std::optional<ColorRef> chooseColor(ColorRef initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    RandomSource& random() override { return *parts_.random; }
    int language() const override { return tongue_; }
    void Announce(SpokenText words) override;

    // KeyboardHost
    PuzzleModule& currentModule() override { return *modules_[currentPuzzle_]; }
    void pressAt(Qt::MouseButton button, QPoint at) override { boxMouseDown(button, at.x(), at.y()); }
    void pointerAt(QPoint at) override { boxMouseMove(at.x(), at.y()); }
    // What a screen reader says of the drawing area; empty: how to play it with keys.
    void describeDrawingArea(const QString& text) override;
    int announcementCount() const override { return announcements_; }

    // Shell operations
    bool SwitchPuzzle(int index);
    void ApplyTexts();
    QString SelectScoreList();
    void boxPaint();

    int currentPuzzle() const { return currentPuzzle_; }
    int puzzleCount() const { return static_cast<int>(parts_.puzzles.size()); }
    PlayState playStateOf(int puzzle) const { return playState_[puzzle]; }
    int elapsedOf(int puzzle) const { return elapsed_[puzzle]; }
    int tongue() const { return tongue_; }
    void setTongue(int tongue) { tongue_ = tongue; }
    const int& tongueRef() const { return tongue_; }
    PuzzleModule& module(int puzzle) { return *modules_[puzzle]; }
    QTimer& timer() { return timer_; }
    QWidget* drawingArea() const;
    QWidget* rulesHotspot() const;
    SevenSegmentDisplay* clockDisplay() const { return ledLabel_; }
    ClockCaption* timeLabel() const { return timeLabel_; }
    QToolButton* button(ToolButton which) const { return buttons_[static_cast<int>(which)]; }
    KeyboardCursor& keyboardCursor() const { return *keys_; }
    // A key whose button is grey says why it does nothing.
    void explainDisabled(ToolButton which);

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
    void ExitBtnClick();
    void FrobnyBtnClick();

  protected:
    void setVisible(bool visible) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    struct ToolButtonSpec;
    static const std::array<ToolButtonSpec, 16>& toolButtonSpecs();

    void FormCreate();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    const PuzzleEntry& current() const { return parts_.puzzles[currentPuzzle_]; }
    std::vector<int> puzzlesInSettingsOrder() const;
    bool loadBackground(int puzzle);
    void buildToolbar();
    void buildClock();
    void placeRulesShape();
    void nameForScreenReaders();
    // again: said anew even when the text is what the drawing area already says.
    void say(const QString& text, bool again = true);
    void updateOptionZ();
    void showClock(int ticks);
    void optionPress(bool zButton, QPoint at);
    void announceWithBoard(const std::function<QString(int)>& words);
    bool mayGiveUp();
    void reportEnd(PlayState state, Sound sound, void (ShellDialogs::*show)());
    void restoreWindowPosition();
    void keepFrameOnDesktop();
    void storeWindowPosition();
    void searchMusic();
    bool openMusic();
    void nextPiece();
    void keepMusicAlive();
    void noMusic();
    void framePainted();

    ShellParts parts_;
    std::vector<std::unique_ptr<PuzzleModule>> modules_;
    int currentPuzzle_ = 0;
    std::vector<PlayState> playState_;
    std::vector<int> elapsed_;
    int tongue_ = -1;
    bool startedOk_ = false;
    bool firstActivation_ = false;
    bool shownOnce_ = false;
    bool framePlaced_ = false;
    bool centreFrame_ = false;
    bool closing_ = false;
    bool announced_ = false; // the drawing area says an announcement, not the cursor's place
    int announcements_ = 0;
    SpokenText lastAnnouncement_; // said again in the new language after a language change
    // What the press being handled has announced so far; an announcement keeps the earlier ones
    // of the same press in front of it, so the end of a game is heard with what led to it.
    std::vector<SpokenText> pressAnnouncements_;
    bool inPress_ = false;
    QStringList musicFiles_; // the "*.mid" files of the data folder, in name order
    int musicIndex_ = 0;     // the piece in the player
    std::function<void()> firstFrameHook_;
    QImage background_;
    QImage work_;
    QImage screen_;
    QTimer timer_;
    ToolPanel* toolPanel_ = nullptr;
    std::array<QToolButton*, 16> buttons_{};
    DrawingArea* box_ = nullptr;
    RulesHotspot* rulesShape_ = nullptr;
    SevenSegmentDisplay* ledLabel_ = nullptr;
    ClockCaption* timeLabel_ = nullptr;
    QButtonGroup* puzzleButtons_ = nullptr;
    KeyboardCursor* keys_ = nullptr;
};
