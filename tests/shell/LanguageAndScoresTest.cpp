#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "app/GameDialogs.h"
#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/MainForm.h"
#include "app/core/RandomSource.h"
#include "app/dialogs/Chiffre.h"
#include "app/dialogs/HighscoreDlg.h"
#include "app/dialogs/MessageDialogs.h"
#include "app/dialogs/TongueDlg.h"
#include "app/settings/SettingsStore.h"
#include "app/widgets/ClockCaption.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

namespace {

// Waits, handling events, until done() holds or two seconds have passed.
bool waitUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000)
        QTest::qWait(5);
    return done();
}

// Answers each modal dialog that comes up, in turn, with the next step; records what came up.
class DialogScript : public QObject {
  public:
    using Step = std::function<void(QWidget*)>;

    void add(Step step) { steps_.push_back(std::move(step)); }
    void start()
    {
        connect(&poll_, &QTimer::timeout, this, [this] { answerWhatIsUp(); });
        poll_.start(5);
    }
    bool finished() const { return next_ == steps_.size(); }

    std::vector<std::string> seen; // class names of the dialogs, in the order they came up

  private:
    void answerWhatIsUp()
    {
        QWidget* up = QApplication::activeModalWidget();
        if (!up || up == answered_ || !up->isVisible() || finished())
            return;
        answered_ = up;
        seen.push_back(up->metaObject()->className());
        // Each step runs once; a dialog that stays up is not answered twice.
        steps_[next_++](up);
        answered_ = up->isVisible() ? up : nullptr;
    }

    QTimer poll_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    QWidget* answered_ = nullptr;
};

class LanguageAndScores : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(writePlainBackgrounds(dir.path())); }

    // The main window with the game's real puzzles and dialogs, made as the program makes them.
    TMainForm& start()
    {
        dialogs = std::make_unique<GameDialogs>();
        ShellParts parts = gameParts(dir.path() + "/", settings, random, *dialogs);
        parts.sleep = [](unsigned) {};
        form = std::make_unique<TMainForm>(std::move(parts));
        dialogs->attach(form.get(), form->tongueRef(), settings);
        form->setFirstFrameHook([this] { dialogs->createWindows(); });
        return *form;
    }

    // Ends the program with a yes in the end dialog.
    void closeProgram()
    {
        DialogScript script;
        script.add([](QWidget* up) { QTest::keyClick(up, Qt::Key_Return); });
        script.start();
        EXPECT_TRUE(form->close());
        form.reset();
        dialogs.reset();
    }

    QString hint(ToolButton which) const { return form->button(which)->toolTip(); }

    QTemporaryDir dir;
    SettingsStore settings{dir.path() + "/V1.ini"};
    SeededRandom random{3};
    std::unique_ptr<GameDialogs> dialogs;
    std::unique_ptr<TMainForm> form;
};

TEST_F(LanguageAndScores, FirstStartAsksForTheLanguageBeforeAnythingAndGermanHoldsAtOnce)
{
    TMainForm& f = start();
    DialogScript script;
    script.add([&](QWidget* up) {
        EXPECT_EQ(f.windowTitle(), "Frobny Office") << "texts come after the choice";
        EXPECT_TRUE(f.timer().isActive()) << "the language dialog keeps the clock running";
        auto* languages = qobject_cast<TTongueDlg*>(up);
        if (!languages) {
            ADD_FAILURE() << "the language dialog comes first";
            up->close();
            return;
        }
        QTest::mouseClick(languages->germanButton(), Qt::LeftButton);
    });
    script.start();
    f.show();
    ASSERT_TRUE(waitUntil([&] { return script.finished() && f.windowTitle() != "Frobny Office"; }));
    EXPECT_EQ(script.seen, (std::vector<std::string>{"TTongueDlg"}));

    EXPECT_EQ(f.tongue(), 1);
    EXPECT_EQ(f.windowTitle(), "Frobny Office V1.3");
    EXPECT_EQ(f.timeLabel()->text(), "Zeit:");
    EXPECT_EQ(hint(ToolButton::Mix), "Ich fang neu an.");
    EXPECT_EQ(hint(ToolButton::Tongue), "I don't speak german.");
    EXPECT_EQ(f.rulesHotspot()->toolTip(), "Worum geht's da eigentlich?");
    const char* puzzleHints[] = {"Jetzt spiel ich eine Runde PLIVA.", "Jetzt knack ich schnell die ZUPEL.",
                                 "Nach VEXOR steht mir der Sinn.", "HUXEL wartet schon auf mich."};
    for (int puzzle = 0; puzzle < PuzzleCount; ++puzzle)
        EXPECT_EQ(hint(puzzleButton(puzzle)), puzzleHints[puzzle]);

    // The sound hint says what the next click does.
    EXPECT_EQ(hint(ToolButton::Sound), QString::fromUtf8("Ich schalte die Ger\u00E4usche lieber aus."));
    QTest::mouseClick(f.button(ToolButton::Sound), Qt::LeftButton);
    EXPECT_EQ(hint(ToolButton::Sound), QString::fromUtf8("Ohne Ger\u00E4usche ist es doch etwas fad."));
    QTest::mouseClick(f.button(ToolButton::Sound), Qt::LeftButton);
    EXPECT_EQ(hint(ToolButton::Sound), QString::fromUtf8("Ich schalte die Ger\u00E4usche lieber aus."));
    EXPECT_EQ(hint(ToolButton::Midi), "Ohne Musik ist es mir lieber.");

    closeProgram();
    EXPECT_EQ(settings.ReadString("common", "tongue", "?"), "1");
}

TEST_F(LanguageAndScores, CloseBoxAtFirstStartGivesEnglishAndAsksAgainNextTime)
{
    for (int run = 0; run < 2; ++run) {
        TMainForm& f = start();
        DialogScript script;
        script.add([](QWidget* up) { up->close(); });
        script.start();
        f.show();
        ASSERT_TRUE(waitUntil([&] { return script.finished() && f.windowTitle() != "Frobny Office"; }))
            << run;
        EXPECT_EQ(script.seen, (std::vector<std::string>{"TTongueDlg"})) << run;
        EXPECT_EQ(f.tongue(), -1);
        EXPECT_EQ(f.timeLabel()->text(), "Time:");
        EXPECT_EQ(hint(ToolButton::Mix), "I start again.");
        EXPECT_EQ(hint(ToolButton::Tongue), "Ich spreche nicht englisch.");
        EXPECT_EQ(hint(puzzleButton(PuzzleZupel)), "I quickly solve the ZUPEL.");
        closeProgram();
        EXPECT_EQ(settings.ReadString("common", "tongue", "?"), "-1");
    }
}

TEST_F(LanguageAndScores, LanguageButtonSwitchesWithTheClockRunning)
{
    settings.WriteInteger("common", "tongue", 1);
    TMainForm& f = start();
    f.show();
    ASSERT_TRUE(waitUntil([&] { return f.windowTitle() == "Frobny Office V1.3"; }));
    EXPECT_EQ(hint(ToolButton::Mix), "Ich fang neu an.");
    DialogScript script;
    script.add([&](QWidget* up) {
        EXPECT_TRUE(f.timer().isActive());
        QTest::keyClick(up, Qt::Key_Return); // English holds the focus
    });
    script.start();
    QTest::mouseClick(f.button(ToolButton::Tongue), Qt::LeftButton);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(f.tongue(), 0);
    EXPECT_EQ(hint(ToolButton::Mix), "I start again.");
    EXPECT_EQ(f.timeLabel()->text(), "Time:");
    closeProgram();
}

// Solved, then the list of that puzzle and level takes the time and the name, and the toolbar's
// button shows it later with the clock stopped.
TEST_F(LanguageAndScores, SolvedTimeEntersTheListOfItsLevelAndStaysThere)
{
    settings.WriteInteger("common", "tongue", 0);
    TMainForm& f = start();
    f.show();
    ASSERT_TRUE(waitUntil([&] { return f.windowTitle() == "Frobny Office V1.3"; }));
    const QString list = f.SelectScoreList();
    ASSERT_TRUE(list.startsWith("pliv"));

    DialogScript script;
    script.add([](QWidget* up) {
        EXPECT_NE(qobject_cast<TDoneDlg*>(up), nullptr);
        QTest::keyClick(up, Qt::Key_Return);
    });
    script.add([](QWidget* up) {
        auto* scores = qobject_cast<THighscoreDlg*>(up);
        if (!scores) {
            ADD_FAILURE() << "the high-score dialog follows the solved message";
            up->close();
            return;
        }
        EXPECT_EQ(scores->newRow(), 0);
        scores->nameEdit()->clear();
        QTest::keyClicks(scores->nameEdit(), "Ann");
        QTest::keyClick(scores->nameEdit(), Qt::Key_Return);
    });
    script.start();
    f.setPlayState(PlayState::InProgress);
    f.setElapsed(42);
    f.PuzzleSolved();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(TChiffre().Decode(settings.ReadString("highscore", list + "0", "")), "42,Ann");

    DialogScript look;
    look.add([&](QWidget* up) {
        EXPECT_FALSE(f.timer().isActive()) << "the clock stands while the list is shown";
        EXPECT_EQ(up->findChild<QLabel*>("pla0")->text(), "Ann");
        EXPECT_EQ(up->findChild<QLabel*>("sco0")->text(), "42");
        EXPECT_TRUE(up->findChild<QLineEdit*>("Edit1")->isHidden());
        QTest::keyClick(up, Qt::Key_Escape);
    });
    look.start();
    QTest::mouseClick(f.button(ToolButton::HighScore), Qt::LeftButton);
    EXPECT_TRUE(look.finished());
    EXPECT_TRUE(f.timer().isActive());
    closeProgram();
}

} // namespace
