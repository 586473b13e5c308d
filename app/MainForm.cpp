#include "app/MainForm.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QToolButton>
#include <utility>

#include "app/SevenSegmentDisplay.h"
#include "app/core/Canvas.h"
#include "app/core/RandomSource.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/WindowPlacement.h"
#include "app/texts/Texts.h"

namespace {
const QString common = QStringLiteral("common");

struct HotspotRect {
    int left, top, width, height;
};
constexpr std::array<HotspotRect, PuzzleCount> hotspots = {{
    {418, 155, 71, 161},
    {424, 10, 61, 314},
    {375, 10, 97, 65},
    {180, 50, 130, 50},
}};
constexpr std::array<const char*, PuzzleCount> scorePrefixes = {"pliv", "zupe", "vexo", "huxe"};
constexpr std::array<const char*, PuzzleCount> puzzleButtonNames = {"PlivBtn", "ZupeBtn", "VexoBtn",
                                                                    "HuxeBtn"};

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

// The toolbar panel: its background picture with a raised inner edge.
class ToolPanel final : public QWidget {
  public:
    explicit ToolPanel(QWidget* parent) : QWidget(parent), picture_(QStringLiteral(":/art/toolbar.png")) {}

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (picture_.isNull())
            p.fillRect(rect(), palette().button());
        else
            p.drawPixmap(0, 0, picture_);
        p.setPen(palette().light().color());
        p.drawLine(0, 0, width() - 1, 0);
        p.drawLine(0, 0, 0, height() - 1);
        p.setPen(palette().dark().color());
        p.drawLine(0, height() - 1, width() - 1, height() - 1);
        p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    }

  private:
    QPixmap picture_;
};

// The drawing area shows the screen picture; the puzzles draw into that picture.
class DrawingArea final : public QWidget {
  public:
    DrawingArea(TMainForm& form, QWidget* parent) : QWidget(parent), form_(form)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.drawImage(event->rect(), form_.screen(), event->rect());
        form_.framePainted();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        form_.boxMouseDown(event->button(), at.x(), at.y());
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        form_.boxMouseMove(at.x(), at.y());
    }

  private:
    TMainForm& form_;
};

// The invisible rules hotspot: it takes presses and pointer moves away from the puzzle.
class RulesHotspot final : public QWidget {
  public:
    RulesHotspot(TMainForm& form, QWidget* parent) : QWidget(parent), form_(form) { setMouseTracking(true); }

  protected:
    void mousePressEvent(QMouseEvent*) override { form_.RulesShapeMouseDown(); }
    void mouseMoveEvent(QMouseEvent*) override {}

  private:
    TMainForm& form_;
};

TMainForm::TMainForm(ShellParts parts) : parts_(std::move(parts))
{
    if (!parts_.sleep)
        parts_.sleep = sleepMonotonic;
    setFont(Canvas::fontPixels(QStringLiteral("System"), 13));
    modules_ = parts_.makeModules(*this);
    buildToolbar();
    box_ = new DrawingArea(*this, this);
    box_->setGeometry(0, ToolbarHeight, AreaWidth, AreaHeight);
    rulesShape_ = new RulesHotspot(*this, this);
    rulesShape_->raise();
    timer_.setInterval(200);
    connect(&timer_, &QTimer::timeout, this, &TMainForm::TimerTimer);
    FormCreate();
}

TMainForm::~TMainForm()
{
    // FormDestroy: the window keeps its place for the next start.
    if (startedOk_ && shownOnce_)
        storeWindowPosition();
}

void TMainForm::FormCreate()
{
    parts_.random->Reseed();
    setFixedSize(AreaWidth, ToolbarHeight + AreaHeight);
    SettingsStore& ini = *parts_.settings;
    tongue_ = ini.ReadInteger(common, QStringLiteral("tongue"), -1);
    const int mode = ini.ReadInteger(common, QStringLiteral("mode"), PuzzlePliva);
    // Only this program writes "mode"; anything else found there starts PLIVA.
    currentPuzzle_ = (mode >= PuzzlePliva && mode <= PuzzleHuxel) ? mode : PuzzlePliva;
    for (int puzzle : {PuzzlePliva, PuzzleVexor, PuzzleZupel, PuzzleHuxel})
        modules_[puzzle]->LoadSettings(ini);
    soundBtn_->setChecked(ini.ReadBool(common, QStringLiteral("sound"), true));
    midiBtn_->setChecked(ini.ReadBool(common, QStringLiteral("music"), true));

    work_ = QImage(AreaWidth, AreaHeight, QImage::Format_RGB32);
    screen_ = QImage(AreaWidth, AreaHeight, QImage::Format_RGB32);
    if (!loadBackground(currentPuzzle_) || work_.isNull() || screen_.isNull()) {
        parts_.dialogs->showStartupError(startupErrorText(tongue_));
        return;
    }
    work_.fill(Qt::white);
    screen_.fill(Qt::white);
    puzzleButtons_->button(currentPuzzle_)->setChecked(true);
    playState_.fill(StateNotGenerated);
    elapsed_.fill(0);
    modules_[currentPuzzle_]->NewPuzzleAtStart();
    updateOptionZ();
    placeRulesShape();
    playState_[currentPuzzle_] = StateFresh;
    firstActivation_ = true;
    searchMusic();
    setWindowTitle(QStringLiteral("Frobny Office"));
    timer_.start();
    startedOk_ = true;
}

bool TMainForm::loadBackground(int puzzle)
{
    const QString file = parts_.dataDir + QStringLiteral("b%1.bmp").arg(puzzle + 1);
    QImage picture(file);
    if (picture.isNull() || picture.width() < AreaWidth || picture.height() < AreaHeight)
        return false;
    background_ = picture.convertToFormat(QImage::Format_RGB32);
    return true;
}

void TMainForm::searchMusic()
{
    const QStringList pieces =
        QDir(parts_.dataDir)
            .entryList({QStringLiteral("*.mid")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    musicFile_ = pieces.isEmpty() ? QString() : parts_.dataDir + pieces.first();
    midiBtn_->setEnabled(!musicFile_.isEmpty());
}

QToolButton* TMainForm::addToolButton(const char* name, int x, const char* glyph, QSize cell, int states)
{
    auto* button = new QToolButton(toolPanel_);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(x, 6, cell.width() > 20 ? 29 : 22, 22);
    const QPixmap strip(QStringLiteral(":/art/glyph_%1.png").arg(QLatin1String(glyph)));
    if (!strip.isNull()) {
        auto cellAt = [&](int i) { return strip.copy(i * cell.width(), 0, cell.width(), cell.height()); };
        QIcon icon;
        icon.addPixmap(cellAt(0), QIcon::Normal, QIcon::Off);
        if (states >= 2)
            icon.addPixmap(cellAt(1), QIcon::Disabled);
        if (states >= 4) {
            icon.addPixmap(cellAt(2), QIcon::Active, QIcon::Off);
            icon.addPixmap(cellAt(3), QIcon::Normal, QIcon::On);
            icon.addPixmap(cellAt(3), QIcon::Active, QIcon::On);
        }
        button->setIcon(icon);
        button->setIconSize(cell);
    }
    return button;
}

void TMainForm::buildToolbar()
{
    toolPanel_ = new ToolPanel(this);
    toolPanel_->setGeometry(0, 0, AreaWidth, ToolbarHeight);

    connect(addToolButton("MixBtn", 4, "mix", {18, 18}, 2), &QToolButton::clicked, this,
            &TMainForm::MixBtnClick);
    optionBtn_ = addToolButton("OptionBtn", 28, "option", {19, 19}, 2);
    optionZBtn_ = addToolButton("OptionZBtn", 48, "optionz", {19, 19}, 2);
    optionBtn_->installEventFilter(this);
    optionZBtn_->installEventFilter(this);
    connect(addToolButton("PauseBtn", 72, "pause", {18, 18}, 1), &QToolButton::clicked, this,
            &TMainForm::PauseBtnClick);
    soundBtn_ = addToolButton("SoundBtn", 96, "sound", {16, 16}, 4);
    soundBtn_->setCheckable(true);
    connect(soundBtn_, &QToolButton::clicked, this, &TMainForm::soundbtnClick);
    midiBtn_ = addToolButton("MidiBtn", 116, "midi", {16, 16}, 2);
    midiBtn_->setCheckable(true);
    connect(midiBtn_, &QToolButton::clicked, this, &TMainForm::MidiBtnClick);
    connect(addToolButton("HighScoreBtn", 140, "highscore", {18, 18}, 1), &QToolButton::clicked, this,
            &TMainForm::HighScoreBtnClick);
    connect(addToolButton("ExitBtn", 164, "exit", {18, 18}, 1), &QToolButton::clicked, this, &QWidget::close);

    puzzleButtons_ = new QButtonGroup(this);
    puzzleButtons_->setExclusive(true);
    const std::array<const char*, PuzzleCount> glyphs = {"pliv", "zupe", "vexo", "huxe"};
    for (int puzzle = 0; puzzle < PuzzleCount; ++puzzle) {
        QToolButton* button =
            addToolButton(puzzleButtonNames[puzzle], 192 + 20 * puzzle, glyphs[puzzle], {18, 18}, 1);
        button->setCheckable(true);
        puzzleButtons_->addButton(button, puzzle);
    }
    connect(puzzleButtons_, &QButtonGroup::idClicked, this, [this](int puzzle) {
        if (!SwitchPuzzle(puzzle))
            puzzleButtons_->button(currentPuzzle_)->setChecked(true);
    });

    auto* clock = new QFrame(toolPanel_);
    clock->setObjectName(QStringLiteral("ClockPanel"));
    clock->setGeometry(280, 5, 113, 24);
    clock->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    clock->setAutoFillBackground(true);
    QPalette clockColors = clock->palette();
    clockColors.setColor(QPalette::Window, Qt::black);
    clock->setPalette(clockColors);
    timeLabel_ = new QLabel(QStringLiteral("Time:"), clock);
    timeLabel_->setObjectName(QStringLiteral("TimeLabel"));
    timeLabel_->setGeometry(2, 9, 27, 16);
    fitTimeLabel();
    timeLabel_->setStyleSheet(QStringLiteral("color: #00FF00; background: transparent;"));
    ledLabel_ = new SevenSegmentDisplay(clock);
    ledLabel_->setObjectName(QStringLiteral("LEDLabel"));
    ledLabel_->setGeometry(32, 2, 79, 20);

    connect(addToolButton("TongueBtn", 396, "tongue", {15, 15}, 1), &QToolButton::clicked, this,
            &TMainForm::TongueBtnClick);
    connect(addToolButton("HelpBtn", 420, "help", {18, 18}, 1), &QToolButton::clicked, this,
            &TMainForm::HelpBtnClick);
    connect(addToolButton("InfoBtn", 444, "info", {18, 18}, 1), &QToolButton::clicked, this,
            &TMainForm::InfoBtnClick);
    connect(addToolButton("FrobnyBtn", 468, "frobny", {26, 20}, 1), &QToolButton::clicked, this,
            &TMainForm::FrobnyBtnClick);
}

QToolButton* TMainForm::button(const char* objectName) const
{
    return toolPanel_->findChild<QToolButton*>(QLatin1String(objectName));
}

QWidget* TMainForm::drawingArea() const
{
    return box_;
}

QWidget* TMainForm::rulesHotspot() const
{
    return rulesShape_;
}

QWidget* TMainForm::clockDisplay() const
{
    return ledLabel_;
}

void TMainForm::placeRulesShape()
{
    const HotspotRect& r = hotspots[currentPuzzle_];
    rulesShape_->setGeometry(r.left, r.top + ToolbarHeight, r.width, r.height);
}

void TMainForm::updateOptionZ()
{
    optionZBtn_->setEnabled(currentPuzzle_ == PuzzleVexor);
}

// The clock label is 27 pixels wide, measured for a narrow 12-pixel system font; wider
// substitutes step down in size until the whole word fits.
void TMainForm::fitTimeLabel()
{
    QFont font = Canvas::fontPixels(QStringLiteral("MS Sans Serif"), 12);
    while (font.pixelSize() > 8 &&
           QFontMetrics(font).horizontalAdvance(timeLabel_->text()) > timeLabel_->width())
        font.setPixelSize(font.pixelSize() - 1);
    timeLabel_->setFont(font);
}

void TMainForm::showClock(int ticks)
{
    ledLabel_->display(ticks);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    restoreWindowPosition();
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
    const QRect desktop = display->virtualGeometry();
    const QString stored = parts_.settings->ReadString(common, QStringLiteral("MainForm"), QString());
    const QSize outer = frameGeometry().size();
    const auto position = restoredWindowPosition(stored, outer, desktop);
    if (position) {
        move(*position);
        return;
    }
    const QRect available = display->availableGeometry();
    move(available.left() + (available.width() - outer.width()) / 2,
         available.top() + (available.height() - outer.height()) / 2);
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
    showClock(elapsed_[currentPuzzle_]);
    box_->update();
}

void TMainForm::framePainted()
{
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
    if (index == currentPuzzle_)
        return true;
    const int previous = currentPuzzle_;
    if (!loadBackground(index)) {
        parts_.dialogs->showStartupError(startupErrorText(tongue_));
        puzzleButtons_->button(previous)->setChecked(true);
        return false;
    }
    currentPuzzle_ = index;
    placeRulesShape();
    if (playState_[index] == StateNotGenerated) {
        modules_[index]->NewPuzzleAtStart();
        playState_[index] = StateFresh;
    }
    updateOptionZ();
    puzzleButtons_->button(index)->setChecked(true);
    boxPaint();
    update();
    return true;
}

void TMainForm::ApplyTexts()
{
    const MainWindowTexts t = mainWindowTexts(tongue_, soundBtn_->isChecked(), midiBtn_->isChecked());
    const std::array<std::pair<const char*, const QString*>, 16> hints = {{
        {"MixBtn", &t.mix},
        {"OptionBtn", &t.option},
        {"OptionZBtn", &t.optionZ},
        {"PauseBtn", &t.pause},
        {"SoundBtn", &t.sound},
        {"MidiBtn", &t.midi},
        {"HighScoreBtn", &t.highScore},
        {"ExitBtn", &t.exit},
        {"PlivBtn", &t.pliva},
        {"ZupeBtn", &t.zupel},
        {"VexoBtn", &t.vexor},
        {"HuxeBtn", &t.huxel},
        {"HelpBtn", &t.help},
        {"InfoBtn", &t.info},
        {"FrobnyBtn", &t.frobny},
        {"TongueBtn", &t.tongue},
    }};
    for (const auto& [name, text] : hints)
        button(name)->setToolTip(*text);
    timeLabel_->setText(t.timeLabel);
    fitTimeLabel();
    rulesShape_->setToolTip(t.rules);
    if (currentPuzzle_ == PuzzleHuxel)
        modules_[PuzzleHuxel]->PaintPuzzle();
    setWindowTitle(t.caption);
}

QString TMainForm::SelectScoreList()
{
    return QLatin1String(scorePrefixes[currentPuzzle_]) +
           QString::number(modules_[currentPuzzle_]->ScoreLevel());
}

void TMainForm::PlaySound(int index)
{
    if (soundBtn_->isChecked() && parts_.sound)
        parts_.sound->play(index);
}

void TMainForm::Delay(unsigned ms)
{
    box_->repaint();
    parts_.sleep(ms);
}

void TMainForm::reportEnd(int state, int sound, void (ShellDialogs::*show)())
{
    setPlayState(state);
    PlaySound(sound);
    (parts_.dialogs->*show)();
    const QString list = SelectScoreList();
    parts_.dialogs->showHighScores(list, elapsed_[currentPuzzle_]);
    ApplyTexts();
}

void TMainForm::PuzzleSolved()
{
    if (playState() == StateSolved)
        return;
    reportEnd(StateSolved, 10, &ShellDialogs::showSolved);
}

void TMainForm::PuzzleFailed()
{
    if (playState() == StateSolved)
        return;
    reportEnd(StateFailed, 11, &ShellDialogs::showFailed);
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
    PuzzleModule& current = *modules_[currentPuzzle_];
    if (currentPuzzle_ == PuzzleZupel) {
        // ZUPEL takes every mouse button alike.
        if (button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton)
            current.MouseDownLeft(x, y);
        return;
    }
    if (button == Qt::LeftButton)
        current.MouseDownLeft(x, y);
    else if (button == Qt::RightButton)
        current.MouseDownRight(x, y);
}

void TMainForm::boxMouseMove(int x, int y)
{
    if (currentPuzzle_ != PuzzleZupel)
        modules_[currentPuzzle_]->MouseMove(x, y);
}

void TMainForm::RulesShapeMouseDown()
{
    timer_.stop();
    parts_.dialogs->showRules(currentPuzzle_);
    timer_.start();
}

void TMainForm::TimerTimer()
{
    // Music keeps itself alive here once the music player is in place.
    if (currentPuzzle_ == PuzzleZupel)
        modules_[PuzzleZupel]->TimerTick();
    if (playState() == StateInProgress) {
        ++elapsed_[currentPuzzle_];
        showClock(elapsed_[currentPuzzle_]);
    }
}

bool TMainForm::confirmGiveUpIfPlaying()
{
    if (playState() == StateInProgress && parts_.dialogs->askGiveUp() == ShellDialogs::Cancel) {
        timer_.start();
        return false;
    }
    return true;
}

void TMainForm::MixBtnClick()
{
    timer_.stop();
    if (!confirmGiveUpIfPlaying())
        return;
    modules_[currentPuzzle_]->NewPuzzle();
    modules_[currentPuzzle_]->PaintPuzzle();
    elapsed_[currentPuzzle_] = 0;
    showClock(0);
    setPlayState(StateFresh);
    timer_.start();
}

void TMainForm::optionPress(bool zButton, int x, int y)
{
    timer_.stop();
    if (!confirmGiveUpIfPlaying())
        return;
    const bool up = x > y;
    if (!zButton)
        modules_[currentPuzzle_]->OptionClick(up);
    else if (currentPuzzle_ == PuzzleVexor)
        modules_[currentPuzzle_]->OptionZClick(up);
    elapsed_[currentPuzzle_] = 0;
    showClock(0);
    timer_.start();
}

void TMainForm::OptionBtnMouseDown(int x, int y)
{
    optionPress(false, x, y);
}

void TMainForm::OptionZBtnMouseDown(int x, int y)
{
    optionPress(true, x, y);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == optionBtn_ || watched == optionZBtn_) && event->type() == QEvent::MouseButtonPress) {
        // The option buttons act on the press, and where it lands decides the direction.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (watched == optionBtn_)
            OptionBtnMouseDown(at.x(), at.y());
        else
            OptionZBtnMouseDown(at.x(), at.y());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::PauseBtnClick()
{
    if (playState() != StateInProgress)
        return;
    timer_.stop();
    parts_.dialogs->showPaused();
    timer_.start();
}

void TMainForm::HighScoreBtnClick()
{
    timer_.stop();
    parts_.dialogs->showHighScores(SelectScoreList(), 0);
    timer_.start();
}

void TMainForm::InfoBtnClick()
{
    timer_.stop();
    parts_.dialogs->showAbout();
    timer_.start();
}

void TMainForm::HelpBtnClick()
{
    timer_.stop();
    parts_.dialogs->openHelp();
    timer_.start();
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
    ApplyTexts();
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
    timer_.stop();
    const bool mayClose = parts_.dialogs->askEndGame() == ShellDialogs::Ok;
    timer_.start();
    return mayClose;
}

void TMainForm::FormClose()
{
    closing_ = true;
    timer_.stop();
    parts_.dialogs->closeHelp();
    SettingsStore& ini = *parts_.settings;
    ini.WriteInteger(common, QStringLiteral("mode"), currentPuzzle_);
    for (int puzzle : {PuzzlePliva, PuzzleVexor, PuzzleZupel, PuzzleHuxel})
        modules_[puzzle]->SaveSettings(ini);
    ini.WriteBool(common, QStringLiteral("sound"), soundBtn_->isChecked());
    ini.WriteBool(common, QStringLiteral("music"), midiBtn_->isChecked());
    ini.WriteInteger(common, QStringLiteral("tongue"), tongue_);
}
