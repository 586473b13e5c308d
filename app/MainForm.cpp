#include "app/MainForm.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QFrame>
#include <QScopeGuard>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <numeric>
#include <utility>

#include "app/ClockPause.h"
#include "app/KeyboardCursor.h"
#include "app/ToolbarKeys.h"
#include "app/core/Canvas.h"
#include "app/core/DrawingArea.h"
#include "app/core/Language.h"
#include "app/core/Picture.h"
#include "app/core/RandomSource.h"
#include "app/dialogs/AccessibleWindow.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/WindowPlacement.h"
#include "app/texts/Texts.h"
#include "app/widgets/ClockCaption.h"
#include "app/widgets/DrawingArea.h"
#include "app/widgets/HeldKeys.h"
#include "app/widgets/SevenSegmentDisplay.h"
#include "app/widgets/ToolBar.h"

namespace {
const QString common = QStringLiteral("common");
constexpr int ToolButtonTop = 6;
constexpr int PuzzleButtonsLeft = 192;
constexpr int PuzzleButtonsStep = 20;

// Waits on a monotonic clock, so a wrapping millisecond counter cannot stretch the wait.
void sleepMonotonic(unsigned ms)
{
    QElapsedTimer clock;
    clock.start();
    while (static_cast<quint64>(clock.elapsed()) <= ms) {
        const qint64 left = static_cast<qint64>(ms) - clock.elapsed();
        QThread::usleep(left > 1 ? static_cast<unsigned long>(left - 1) * 1000 : 200);
    }
}
} // namespace

// One toolbar button: what it is called, where it sits, what it shows and says, what it does.
struct TMainForm::ToolButtonSpec {
    ToolButton id;
    const char* name;
    int x;
    const char* glyph;
    QSize cell;
    int states; // glyph cells: normal, disabled, being pressed, latched
    bool checkable;
    QString MainWindowTexts::*hint;       // nullptr: the puzzle table's hint
    QString AccessibleTexts::*spokenName; // nullptr: the puzzle table's title
    void (TMainForm::*click)();           // nullptr: a puzzle button, or one that acts on the press
};

// The puzzle buttons take their name, glyph and hint from the puzzle table.
const std::array<TMainForm::ToolButtonSpec, 16>& TMainForm::toolButtonSpecs()
{
    using T = TMainForm;
    using M = MainWindowTexts;
    using A = AccessibleTexts;
    static const std::array<ToolButtonSpec, 16> specs = {{
        {ToolButton::Mix, "MixBtn", 4, "mix", {18, 18}, 2, false, &M::mix, &A::mix, &T::MixBtnClick},
        {ToolButton::Option, "OptionBtn", 28, "option", {19, 19}, 2, false, &M::option, &A::option, nullptr},
        {ToolButton::OptionZ,
         "OptionZBtn",
         48,
         "optionz",
         {19, 19},
         2,
         false,
         &M::optionZ,
         &A::optionZ,
         nullptr},
        {ToolButton::Pause,
         "PauseBtn",
         72,
         "pause",
         {18, 18},
         1,
         false,
         &M::pause,
         &A::pause,
         &T::PauseBtnClick},
        {ToolButton::Sound,
         "SoundBtn",
         96,
         "sound",
         {16, 16},
         4,
         true,
         &M::sound,
         &A::sound,
         &T::soundbtnClick},
        {ToolButton::Midi, "MidiBtn", 116, "midi", {16, 16}, 2, true, &M::midi, &A::midi, &T::MidiBtnClick},
        {ToolButton::HighScore,
         "HighScoreBtn",
         140,
         "highscore",
         {18, 18},
         1,
         false,
         &M::highScore,
         &A::highScore,
         &T::HighScoreBtnClick},
        {ToolButton::Exit, "ExitBtn", 164, "exit", {18, 18}, 1, false, &M::exit, &A::exit, &T::ExitBtnClick},
        {ToolButton::Puzzle0, "", PuzzleButtonsLeft, "", {18, 18}, 1, true, nullptr, nullptr, nullptr},
        {ToolButton::Puzzle1,
         "",
         PuzzleButtonsLeft + PuzzleButtonsStep,
         "",
         {18, 18},
         1,
         true,
         nullptr,
         nullptr,
         nullptr},
        {ToolButton::Puzzle2,
         "",
         PuzzleButtonsLeft + 2 * PuzzleButtonsStep,
         "",
         {18, 18},
         1,
         true,
         nullptr,
         nullptr,
         nullptr},
        {ToolButton::Puzzle3,
         "",
         PuzzleButtonsLeft + 3 * PuzzleButtonsStep,
         "",
         {18, 18},
         1,
         true,
         nullptr,
         nullptr,
         nullptr},
        {ToolButton::Tongue,
         "TongueBtn",
         396,
         "tongue",
         {15, 15},
         1,
         false,
         &M::tongue,
         &A::tongue,
         &T::TongueBtnClick},
        {ToolButton::Help, "HelpBtn", 420, "help", {18, 18}, 1, false, &M::help, &A::help, &T::HelpBtnClick},
        {ToolButton::Info, "InfoBtn", 444, "info", {18, 18}, 1, false, &M::info, &A::info, &T::InfoBtnClick},
        {ToolButton::Frobny,
         "FrobnyBtn",
         468,
         "frobny",
         {26, 20},
         1,
         false,
         &M::frobny,
         &A::frobny,
         &T::FrobnyBtnClick},
    }};
    return specs;
}

TMainForm::TMainForm(ShellParts parts) : parts_(std::move(parts))
{
    if (!parts_.sleep)
        parts_.sleep = sleepMonotonic;
    setFont(Canvas::fontPixels(QStringLiteral("System"), 13));
    for (const PuzzleEntry& puzzle : parts_.puzzles)
        modules_.push_back(puzzle.make(*this));
    playState_.assign(modules_.size(), PlayState::NotGenerated);
    elapsed_.assign(modules_.size(), 0);
    buildToolbar();
    box_ = new DrawingArea(screen_, this);
    box_->setGeometry(0, ToolbarHeight, DrawingAreaSize.width(), DrawingAreaSize.height());
    connect(box_, &DrawingArea::pressed, this,
            [this](Qt::MouseButton b, QPoint at) { boxMouseDown(b, at.x(), at.y()); });
    connect(box_, &DrawingArea::moved, this, [this](QPoint at) {
        if (keys_->pointerMoved(at))
            boxMouseMove(at.x(), at.y());
    });
    connect(box_, &DrawingArea::painted, this, &TMainForm::framePainted);
    rulesShape_ = new RulesHotspot(this);
    rulesShape_->raise();
    connect(rulesShape_, &RulesHotspot::pressed, this, &TMainForm::RulesShapeMouseDown);
    timer_.setInterval(200);
    connect(&timer_, &QTimer::timeout, this, &TMainForm::TimerTimer);
    // Keys go to the drawing area; the toolbar is reached through its own keys.
    box_->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(box_);
    keys_ = new KeyboardCursor(*this, *box_);
    addToolbarKeys(*this);
    new HeldKeys(this);
    markAsAccessibleWindow(this);
    FormCreate();
}

TMainForm::~TMainForm()
{
    // FormDestroy: the window keeps its place for the next start.
    if (startedOk_ && shownOnce_)
        storeWindowPosition();
}

std::vector<int> TMainForm::puzzlesInSettingsOrder() const
{
    std::vector<int> order(parts_.puzzles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return parts_.puzzles[a].settingsRank < parts_.puzzles[b].settingsRank;
    });
    return order;
}

void TMainForm::FormCreate()
{
    parts_.random->Reseed();
    setFixedSize(DrawingAreaSize.width(), ToolbarHeight + DrawingAreaSize.height());
    SettingsStore& ini = *parts_.settings;
    tongue_ = ini.ReadInteger(common, QStringLiteral("tongue"), -1);
    const int mode = ini.ReadInteger(common, QStringLiteral("mode"), 0);
    // Only this program writes "mode"; anything else found there starts the first puzzle.
    currentPuzzle_ = (mode >= 0 && mode < puzzleCount()) ? mode : 0;
    for (int puzzle : puzzlesInSettingsOrder())
        modules_[puzzle]->LoadSettings(ini);
    button(ToolButton::Sound)->setChecked(ini.ReadBool(common, QStringLiteral("sound"), true));
    button(ToolButton::Midi)->setChecked(ini.ReadBool(common, QStringLiteral("music"), true));

    work_ = QImage(DrawingAreaSize, QImage::Format_RGB32);
    screen_ = QImage(DrawingAreaSize, QImage::Format_RGB32);
    if (!loadBackground(currentPuzzle_) || work_.isNull() || screen_.isNull()) {
        parts_.dialogs->showStartupError(startupErrorText(tongue_));
        return;
    }
    work_.fill(Qt::white);
    screen_.fill(Qt::white);
    button(puzzleButton(currentPuzzle_))->setChecked(true);
    std::fill(playState_.begin(), playState_.end(), PlayState::NotGenerated);
    std::fill(elapsed_.begin(), elapsed_.end(), 0);
    modules_[currentPuzzle_]->NewPuzzleAtStart();
    updateOptionZ();
    placeRulesShape();
    nameForScreenReaders();
    setPlayState(PlayState::Fresh);
    firstActivation_ = true;
    searchMusic();
    setWindowTitle(QStringLiteral("Frobny Office"));
    timer_.start();
    startedOk_ = true;
}

bool TMainForm::loadBackground(int puzzle)
{
    const QImage picture = bmpPicture(parts_.dataDir + QLatin1String(parts_.puzzles[puzzle].backgroundFile));
    if (picture.isNull() || picture.width() < DrawingAreaSize.width() ||
        picture.height() < DrawingAreaSize.height())
        return false;
    background_ = picture.convertToFormat(QImage::Format_RGB32);
    return true;
}

// The music files in name order, which stands in for the order a folder happens to list them in.
void TMainForm::searchMusic()
{
    // Filtered by hand: a wildcard filter would load a regular-expression engine before the first frame.
    musicFiles_.clear();
    for (const QString& name :
         QDir(parts_.dataDir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (name.endsWith(QLatin1String(".mid"), Qt::CaseInsensitive))
            musicFiles_.append(name);
    }
    musicIndex_ = 0;
    button(ToolButton::Midi)->setEnabled(!musicFiles_.isEmpty() && openMusic());
}

bool TMainForm::openMusic()
{
    return !parts_.music || parts_.music->open(parts_.dataDir + musicFiles_[musicIndex_]);
}

// Music that cannot sound is treated as no music found: the button goes grey, its stored state stays.
void TMainForm::noMusic()
{
    button(ToolButton::Midi)->setEnabled(false);
}

// Every switch-on moves to the next piece; after the last, the search starts again from the first.
void TMainForm::nextPiece()
{
    MusicPlayer& player = *parts_.music;
    player.stop();
    player.close();
    if (++musicIndex_ >= musicFiles_.size()) {
        searchMusic();
        if (!button(ToolButton::Midi)->isEnabled())
            return;
    } else if (!openMusic()) {
        noMusic();
        return;
    }
    if (!player.play())
        noMusic();
}

// A piece that has ended starts again from its beginning.
void TMainForm::keepMusicAlive()
{
    const QToolButton* midi = button(ToolButton::Midi);
    if (parts_.music && midi->isEnabled() && midi->isChecked() && !parts_.music->isPlaying() &&
        !parts_.music->play())
        noMusic();
}

void TMainForm::buildToolbar()
{
    toolPanel_ = new ToolPanel(this);
    toolPanel_->setGeometry(0, 0, DrawingAreaSize.width(), ToolbarHeight);
    puzzleButtons_ = new QButtonGroup(this);
    puzzleButtons_->setExclusive(true);

    for (const ToolButtonSpec& item : toolButtonSpecs()) {
        const int puzzle = static_cast<int>(item.id) - static_cast<int>(ToolButton::Puzzle0);
        const bool isPuzzleButton = puzzle >= 0 && puzzle < 4;
        if (isPuzzleButton && puzzle >= puzzleCount())
            continue;
        const char* name = isPuzzleButton ? parts_.puzzles[puzzle].buttonName : item.name;
        const char* glyph = isPuzzleButton ? parts_.puzzles[puzzle].glyph : item.glyph;
        const bool actsOnPress = !item.click && !isPuzzleButton;
        GlyphButton* button = actsOnPress
                                  ? new OptionButton(toolPanel_, QLatin1String(glyph), item.cell, item.states)
                                  : new GlyphButton(toolPanel_, QLatin1String(glyph), item.cell, item.states);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(item.x, ToolButtonTop, item.cell.width() > 20 ? 29 : 22, 22);
        button->setCheckable(item.checkable);
        button->setFocusPolicy(Qt::NoFocus);
        buttons_[static_cast<int>(item.id)] = button;
        if (isPuzzleButton)
            puzzleButtons_->addButton(button, puzzle);
        else if (item.click)
            connect(button, &QToolButton::clicked, this, item.click);
    }
    connect(static_cast<OptionButton*>(button(ToolButton::Option)), &OptionButton::pressedAt, this,
            [this](QPoint at) { OptionBtnMouseDown(at.x(), at.y()); });
    connect(static_cast<OptionButton*>(button(ToolButton::OptionZ)), &OptionButton::pressedAt, this,
            [this](QPoint at) { OptionZBtnMouseDown(at.x(), at.y()); });
    connect(puzzleButtons_, &QButtonGroup::idClicked, this, [this](int puzzle) {
        if (!SwitchPuzzle(puzzle))
            button(puzzleButton(currentPuzzle_))->setChecked(true);
    });
    buildClock();
}

void TMainForm::buildClock()
{
    auto* clock = new QFrame(toolPanel_);
    clock->setObjectName(QStringLiteral("ClockPanel"));
    clock->setGeometry(280, 5, 113, 24);
    clock->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    clock->setAutoFillBackground(true);
    QPalette clockColors = clock->palette();
    clockColors.setColor(QPalette::Window, Qt::black);
    clock->setPalette(clockColors);
    timeLabel_ = new ClockCaption(clock);
    timeLabel_->setObjectName(QStringLiteral("TimeLabel"));
    timeLabel_->setGeometry(2, 9, 27, 16);
    timeLabel_->setText(QStringLiteral("Time:"));
    ledLabel_ = new SevenSegmentDisplay(clock);
    ledLabel_->setObjectName(QStringLiteral("LEDLabel"));
    ledLabel_->setGeometry(32, 2, 79, 20);
}

QWidget* TMainForm::drawingArea() const
{
    return box_;
}

QWidget* TMainForm::rulesHotspot() const
{
    return rulesShape_;
}

void TMainForm::placeRulesShape()
{
    rulesShape_->setGeometry(current().rulesHotspot.translated(0, ToolbarHeight));
}

void TMainForm::nameForScreenReaders()
{
    const AccessibleTexts t = accessibleTexts(tongue_);
    for (const ToolButtonSpec& item : toolButtonSpecs()) {
        if (item.spokenName)
            button(item.id)->setAccessibleName(t.*item.spokenName);
    }
    for (int puzzle = 0; puzzle < puzzleCount(); ++puzzle)
        button(puzzleButton(puzzle))->setAccessibleName(QLatin1String(parts_.puzzles[puzzle].title));
    ledLabel_->setAccessibleName(t.clock);
    rulesShape_->setAccessibleName(t.rules);
    box_->setAccessibleName(QLatin1String(current().title));
    // An announcement stays until the cursor moves, in the language now chosen; unchanged, it is
    // not said again (the sound button's key re-applies the texts too).
    say(announced_ && lastAnnouncement_ ? lastAnnouncement_(tongue_) : keys_->description(), false);
}

void TMainForm::describeDrawingArea(const QString& text)
{
    announced_ = false;
    say(text);
}

void TMainForm::say(const QString& text, bool again)
{
    const QString description = text.isEmpty() ? accessibleTexts(tongue_).keyHelp : text;
    if (box_->accessibleDescription() == description) {
        if (!again)
            return;
        // Said again, as a repeated announcement must be.
        QAccessibleEvent again(box_, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&again);
        return;
    }
    box_->setAccessibleDescription(description);
}

void TMainForm::Announce(SpokenText words)
{
    announced_ = true;
    ++announcements_;
    if (inPress_) {
        pressAnnouncements_.push_back(std::move(words));
        words = [parts = pressAnnouncements_](int tongue) {
            QStringList said;
            for (const SpokenText& part : parts)
                said << part(tongue);
            return said.join(QLatin1Char(' '));
        };
    }
    lastAnnouncement_ = std::move(words);
    say(lastAnnouncement_(tongue_));
}

void TMainForm::updateOptionZ()
{
    button(ToolButton::OptionZ)->setEnabled(current().optionZLive);
}

void TMainForm::showClock(int ticks)
{
    ledLabel_->display(ticks);
}

// The stored place is taken before the window exists: a position given then is the outer
// frame's, the same corner that is stored at the end.
void TMainForm::setVisible(bool visible)
{
    if (visible && !shownOnce_ && !testAttribute(Qt::WA_WState_Created))
        restoreWindowPosition();
    QWidget::setVisible(visible);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    boxPaint();
    QTimer::singleShot(0, this, &TMainForm::FormActivate);
}

void TMainForm::FormActivate()
{
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    if (tongue_ == -1)
        parts_.dialogs->chooseLanguage(tongue_);
    ApplyTexts();
}

void TMainForm::restoreWindowPosition()
{
    QScreen* display = QWidget::screen();
    if (!display)
        return;
    const QString stored = parts_.settings->ReadString(common, QStringLiteral("MainForm"), QString());
    // The frame's size is not known yet: the window's own size stands in until the first frame.
    const auto position = restoredWindowPosition(stored, size(), display->virtualGeometry());
    centreFrame_ = !position;
    if (position) {
        move(*position);
        return;
    }
    const QRect available = display->availableGeometry();
    move(available.left() + (available.width() - width()) / 2,
         available.top() + (available.height() - height()) / 2);
}

// Once the window manager has put its frame around the window, the frame is centred (first start)
// or pulled back onto the desktop; a frame that already fits stays where it is.
void TMainForm::keepFrameOnDesktop()
{
    QScreen* display = QWidget::screen();
    if (!display)
        return;
    const QRect frame = frameGeometry();
    QPoint target = pulledOntoDesktop(frame.topLeft(), frame.size(), display->virtualGeometry());
    if (centreFrame_) {
        const QRect available = display->availableGeometry();
        target = QPoint(available.left() + (available.width() - frame.width()) / 2,
                        available.top() + (available.height() - frame.height()) / 2);
    }
    if (target != frame.topLeft())
        move(target);
}

void TMainForm::storeWindowPosition()
{
    constexpr int showNormal = 1;
    parts_.settings->WriteString(common, QStringLiteral("MainForm"),
                                 placementText(0, showNormal, frameGeometry()));
}

void TMainForm::boxPaint()
{
    modules_[currentPuzzle_]->PaintPuzzle();
    showClock(elapsed());
    box_->update();
}

void TMainForm::framePainted()
{
    if (framePlaced_)
        return;
    framePlaced_ = true;
    keepFrameOnDesktop();
    if (firstFrameHook_)
        std::exchange(firstFrameHook_, nullptr)();
}

void TMainForm::screenChanged(const QRect& rect)
{
    box_->update(rect);
}

void TMainForm::setElapsed(int ticks)
{
    elapsed_[currentPuzzle_] = ticks;
    showClock(ticks);
}

bool TMainForm::SwitchPuzzle(int index)
{
    if (index == currentPuzzle_ || index < 0 || index >= puzzleCount())
        return index == currentPuzzle_;
    if (!loadBackground(index)) {
        parts_.dialogs->showStartupError(startupErrorText(tongue_));
        button(puzzleButton(currentPuzzle_))->setChecked(true);
        return false;
    }
    keys_->hide();
    currentPuzzle_ = index;
    placeRulesShape();
    if (playState() == PlayState::NotGenerated) {
        modules_[index]->NewPuzzleAtStart();
        setPlayState(PlayState::Fresh);
    }
    updateOptionZ();
    button(puzzleButton(index))->setChecked(true);
    nameForScreenReaders();
    boxPaint();
    update();
    const PuzzleModule& module = *modules_[index];
    Announce(spokenNow([&module, title = QString::fromLatin1(current().title)](int tongue) {
        const QString board = module.DescribeBoard(tongue);
        return board.isEmpty() ? title + QLatin1Char('.') : title + QStringLiteral(". ") + board;
    }));
    return true;
}

void TMainForm::ApplyTexts()
{
    const MainWindowTexts t = mainWindowTexts(tongue_, button(ToolButton::Sound)->isChecked(),
                                              button(ToolButton::Midi)->isChecked());
    for (const ToolButtonSpec& item : toolButtonSpecs()) {
        if (item.hint)
            button(item.id)->setToolTip(t.*item.hint);
    }
    for (int puzzle = 0; puzzle < puzzleCount(); ++puzzle) {
        const PuzzleEntry& entry = parts_.puzzles[puzzle];
        button(puzzleButton(puzzle))->setToolTip(pick(tongue_, entry.hintGerman, entry.hintEnglish));
    }
    timeLabel_->setText(t.timeLabel);
    rulesShape_->setToolTip(t.rules);
    nameForScreenReaders();
    if (current().repaintsOnLanguageChange)
        modules_[currentPuzzle_]->PaintPuzzle();
    setWindowTitle(t.caption);
}

QString TMainForm::SelectScoreList()
{
    return QLatin1String(current().scorePrefix) + QString::number(modules_[currentPuzzle_]->ScoreLevel());
}

void TMainForm::PlaySound(Sound sound)
{
    if (button(ToolButton::Sound)->isChecked() && parts_.sound)
        parts_.sound->play(sound);
}

void TMainForm::Delay(unsigned ms)
{
    box_->repaint();
    parts_.sleep(ms);
}

void TMainForm::reportEnd(PlayState state, Sound sound, void (ShellDialogs::*show)())
{
    setPlayState(state);
    // The time of the end goes to the list, whatever happens while the dialog is up.
    const int result = elapsed();
    PlaySound(sound);
    Announce([solved = state == PlayState::Solved, result](int tongue) {
        return solved ? solvedAnnouncement(tongue, result) : failedAnnouncement(tongue, result);
    });
    (parts_.dialogs->*show)();
    const QString list = SelectScoreList();
    parts_.dialogs->showHighScores(list, result);
    ApplyTexts();
}

void TMainForm::PuzzleSolved()
{
    if (playState() == PlayState::Solved)
        return;
    reportEnd(PlayState::Solved, Sound::Solved, &ShellDialogs::showSolved);
}

void TMainForm::PuzzleFailed()
{
    if (playState() == PlayState::Solved)
        return;
    reportEnd(PlayState::Failed, Sound::Failed, &ShellDialogs::showFailed);
}

std::optional<ColorRef> TMainForm::chooseColor(ColorRef initial)
{
    return parts_.dialogs->chooseColor(initial);
}

std::optional<QFont> TMainForm::chooseFont(const QFont& initial)
{
    return parts_.dialogs->chooseFont(initial);
}

void TMainForm::boxMouseDown(Qt::MouseButton button, int x, int y)
{
    pressAnnouncements_.clear();
    inPress_ = true;
    const auto pressEnds = qScopeGuard([this] {
        inPress_ = false;
        pressAnnouncements_.clear();
    });
    PuzzleModule& module = *modules_[currentPuzzle_];
    const bool anyButton =
        button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
    if (button == Qt::LeftButton || (current().everyButtonActsAsLeft && anyButton))
        module.MouseDownLeft(x, y);
    else if (button == Qt::RightButton)
        module.MouseDownRight(x, y);
}

void TMainForm::boxMouseMove(int x, int y)
{
    if (current().takesPointerMoves)
        modules_[currentPuzzle_]->MouseMove(x, y);
}

void TMainForm::RulesShapeMouseDown()
{
    ClockPause pause(timer_);
    parts_.dialogs->showRules(currentPuzzle_);
}

void TMainForm::TimerTimer()
{
    keepMusicAlive();
    if (current().takesTimerTicks)
        modules_[currentPuzzle_]->TimerTick();
    if (playState() == PlayState::InProgress)
        setElapsed(elapsed() + 1);
}

// Asks before a puzzle in progress is given up; anything else may go without asking.
bool TMainForm::mayGiveUp()
{
    return playState() != PlayState::InProgress || parts_.dialogs->askGiveUp() != ShellDialogs::Cancel;
}

void TMainForm::MixBtnClick()
{
    ClockPause pause(timer_);
    if (!mayGiveUp())
        return;
    keys_->hide();
    modules_[currentPuzzle_]->NewPuzzle();
    modules_[currentPuzzle_]->PaintPuzzle();
    setElapsed(0);
    setPlayState(PlayState::Fresh);
    announceWithBoard(newPuzzleAnnouncement);
}

// Said with the board's summary line, worded now in both languages.
void TMainForm::announceWithBoard(const std::function<QString(int)>& words)
{
    const PuzzleModule& module = *modules_[currentPuzzle_];
    Announce(spokenNow([&module, &words](int tongue) {
        const QString board = module.DescribeBoard(tongue);
        return board.isEmpty() ? words(tongue) : words(tongue) + QLatin1Char(' ') + board;
    }));
}

void TMainForm::optionPress(bool zButton, QPoint at)
{
    ClockPause pause(timer_);
    if (!mayGiveUp())
        return;
    keys_->hide();
    PuzzleModule& module = *modules_[currentPuzzle_];
    const int levelBefore = module.ScoreLevel();
    const bool up = at.x() > at.y();
    if (!zButton)
        module.OptionClick(up);
    else if (current().optionZLive)
        module.OptionZClick(up);
    // At a bound the puzzle on screen stays as it was; a clock reset would let it finish with a
    // time that is not its own.
    const bool changed = module.ScoreLevel() != levelBefore;
    if (changed)
        setElapsed(0);
    const bool second = zButton && current().optionZLive;
    if (zButton && !second)
        return;
    announceWithBoard(
        [second, up, changed](int tongue) { return levelAnnouncement(tongue, second, up, changed); });
}

void TMainForm::OptionBtnMouseDown(int x, int y)
{
    optionPress(false, QPoint(x, y));
}

void TMainForm::OptionZBtnMouseDown(int x, int y)
{
    optionPress(true, QPoint(x, y));
}

void TMainForm::PauseBtnClick()
{
    if (playState() != PlayState::InProgress) {
        Announce([fresh = playState() == PlayState::Fresh](int tongue) {
            return noPauseAnnouncement(tongue, fresh);
        });
        return;
    }
    ClockPause pause(timer_);
    Announce(pausedAnnouncement);
    parts_.dialogs->showPaused();
    Announce(resumedAnnouncement);
}

void TMainForm::explainDisabled(ToolButton which)
{
    if (which == ToolButton::Midi)
        Announce(noMusicAnnouncement);
    else if (which == ToolButton::OptionZ)
        Announce(noSecondLevelAnnouncement);
}

void TMainForm::HighScoreBtnClick()
{
    ClockPause pause(timer_);
    parts_.dialogs->showHighScores(SelectScoreList(), 0);
}

void TMainForm::InfoBtnClick()
{
    ClockPause pause(timer_);
    parts_.dialogs->showAbout();
}

void TMainForm::HelpBtnClick()
{
    ClockPause pause(timer_);
    parts_.dialogs->openHelp();
}

void TMainForm::TongueBtnClick()
{
    parts_.dialogs->chooseLanguage(tongue_);
    ApplyTexts();
}

void TMainForm::soundbtnClick()
{
    ApplyTexts();
}

void TMainForm::MidiBtnClick()
{
    const QToolButton* midi = button(ToolButton::Midi);
    if (midi->isEnabled() && parts_.music) {
        if (midi->isChecked())
            nextPiece();
        else
            parts_.music->pause();
    }
    ApplyTexts();
}

void TMainForm::ExitBtnClick()
{
    close();
}

void TMainForm::FrobnyBtnClick()
{
    parts_.dialogs->openWebsite();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (closing_ || !startedOk_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TMainForm::FormCloseQuery()
{
    ClockPause pause(timer_);
    return parts_.dialogs->askEndGame() == ShellDialogs::Ok;
}

void TMainForm::FormClose()
{
    closing_ = true;
    timer_.stop();
    // The program is about to end; the music ends with the window.
    if (parts_.music)
        parts_.music->stop();
    parts_.dialogs->closeHelp();
    SettingsStore& ini = *parts_.settings;
    const SettingsBatch together(ini);
    ini.WriteInteger(common, QStringLiteral("mode"), currentPuzzle_);
    for (int puzzle : puzzlesInSettingsOrder())
        modules_[puzzle]->SaveSettings(ini);
    ini.WriteBool(common, QStringLiteral("sound"), button(ToolButton::Sound)->isChecked());
    ini.WriteBool(common, QStringLiteral("music"), button(ToolButton::Midi)->isChecked());
    ini.WriteInteger(common, QStringLiteral("tongue"), tongue_);
}
