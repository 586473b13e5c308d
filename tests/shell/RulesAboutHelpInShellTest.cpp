#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "app/GameDialogs.h"
#include "app/GameMain.h"
#include "app/MainForm.h"
#include "app/core/RandomSource.h"
#include "app/dialogs/HelpBrowser.h"
#include "app/dialogs/HelpWin.h"
#include "app/dialogs/InfoDialog.h"
#include "app/dialogs/RulesTexts.h"
#include "app/settings/SettingsStore.h"
#include "app/widgets/ClockCaption.h"
#include "support/ShellFakes.h"

namespace {

constexpr int Huxel = 3;
// Long enough for the 200 ms clock to count a few times.
constexpr int ClockWaitMs = 700;

// The game's main window with its real dialogs, HUXEL current, as the program builds them.
class ShellWindows : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(writePlainBackgrounds(dir.path()));
        settings.WriteInteger("common", "tongue", 0);
        settings.WriteInteger("common", "mode", Huxel);
        form = std::make_unique<TMainForm>(gameParts(dir.path() + "/", settings, random, dialogs));
        ASSERT_TRUE(form->startedOk());
        dialogs.attach(form.get(), form->tongueRef(), settings);
        dialogs.setLanguageAction([this] { form->TongueBtnClick(); });
        form->show();
        QTest::qWait(10);
        ASSERT_EQ(form->currentPuzzle(), Huxel);
    }

    void TearDown() override
    {
        if (form && form->isVisible()) {
            QTimer::singleShot(20, [] {
                if (QWidget* dialog = QApplication::activeModalWidget())
                    QTest::keyClick(dialog, Qt::Key_Return);
            });
            form->close();
        }
        form.reset();
    }

    // Runs `inside` once the modal window that `open` brings up is showing, then returns.
    void whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inside)
    {
        bool ran = false;
        QTimer::singleShot(50, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr) << "no modal window came up";
            inside(modal);
            ran = true;
        });
        open();
        EXPECT_TRUE(ran);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the window is still up";
    }

    void clickHotspot() { QTest::mouseClick(form->rulesHotspot(), Qt::LeftButton, {}, QPoint(5, 5)); }
    void clickTool(ToolButton which) { QTest::mouseClick(form->button(which), Qt::LeftButton); }

    QString rulesShown()
    {
        QString text;
        whileModal([this] { clickHotspot(); },
                   [&](QWidget* modal) {
                       auto* rules = qobject_cast<THelpWin*>(modal);
                       ASSERT_NE(rules, nullptr);
                       text = rules->helpMemo()->toPlainText();
                       rules->okButton()->click();
                   });
        return text;
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.path() + "/V1.ini"};
    ClockRandom random;
    GameDialogs dialogs; // outlives the window, as in the program
    std::unique_ptr<TMainForm> form;
};

TEST_F(ShellWindows, HotspotShowsTheRulesOfTheCurrentPuzzleInTheCurrentLanguage)
{
    const QString english = rulesShown();
    EXPECT_TRUE(english.startsWith(QStringLiteral("   The last computer virus attack")))
        << english.toStdString();
    // The six paragraphs of the rules, then what the keys do.
    EXPECT_EQ(english.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts).size(),
              6 + rulesParagraphs(storedKeysText(7)).size());
    EXPECT_TRUE(english.endsWith(QStringLiteral("\n\n")));
    EXPECT_FALSE(english.contains(QLatin1Char('@')));

    form->setTongue(1);
    const QString german = rulesShown();
    EXPECT_TRUE(german.startsWith(QStringLiteral("   Die letzte Computer-Virus-Attacke")))
        << german.toStdString();
    EXPECT_EQ(german.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts).size(),
              7 + rulesParagraphs(storedKeysText(3)).size());

    ASSERT_TRUE(form->SwitchPuzzle(0));
    EXPECT_TRUE(rulesShown().startsWith(QStringLiteral("   Als Top-Manager")));
}

TEST_F(ShellWindows, ClockStandsStillWhileTheRulesWindowIsOpen)
{
    form->setPlayState(PlayState::InProgress);
    whileModal([this] { clickHotspot(); },
               [&](QWidget* modal) {
                   const int before = form->elapsedOf(Huxel);
                   QTest::qWait(ClockWaitMs);
                   EXPECT_EQ(form->elapsedOf(Huxel), before);
                   qobject_cast<THelpWin*>(modal)->okButton()->click();
               });
    const int closed = form->elapsedOf(Huxel);
    QTest::qWait(ClockWaitMs);
    EXPECT_GT(form->elapsedOf(Huxel), closed) << "the clock runs again once the rules are closed";
}

// The language chosen from the about box shows in the box and the main window while the box stays
// open, and the clock stands still all the while.
TEST_F(ShellWindows, AboutBoxStopsTheClockAndChangesTheLanguageWhileOpen)
{
    form->setPlayState(PlayState::InProgress);
    whileModal([this] { clickTool(ToolButton::Info); },
               [&](QWidget* modal) {
                   auto* about = qobject_cast<TInfoDialog*>(modal);
                   ASSERT_NE(about, nullptr);
                   EXPECT_EQ(about->windowTitle(), QStringLiteral("Info about ..."));
                   const int before = form->elapsedOf(Huxel);
                   QTimer::singleShot(50, [] {
                       QWidget* languages = QApplication::activeModalWidget();
                       ASSERT_NE(languages, nullptr);
                       auto* german = languages->findChild<QPushButton*>(QStringLiteral("GermanBtn"));
                       ASSERT_NE(german, nullptr);
                       german->click();
                   });
                   about->tongButton()->click();
                   QTest::qWait(ClockWaitMs);
                   EXPECT_EQ(form->tongue(), 1);
                   EXPECT_EQ(about->windowTitle(), QStringLiteral("Info über ..."));
                   EXPECT_EQ(about->tongButton()->text(), QStringLiteral("Sprache"));
                   EXPECT_EQ(form->timeLabel()->text(), QStringLiteral("Zeit:"));
                   EXPECT_EQ(form->elapsedOf(Huxel), before);
                   about->okButton()->click();
               });
    const int closed = form->elapsedOf(Huxel);
    QTest::qWait(ClockWaitMs);
    EXPECT_GT(form->elapsedOf(Huxel), closed);
}

// The help is a window of its own: the game and its clock go on, and it closes with the game.
TEST_F(ShellWindows, HelpLeavesTheClockRunningAndClosesWithTheGame)
{
    form->setPlayState(PlayState::InProgress);
    clickTool(ToolButton::Help);
    auto* help = form->findChild<HelpBrowser*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(help->browser()->source().toLocalFile().endsWith(QStringLiteral("/help2.html")));
    const int opened = form->elapsedOf(Huxel);
    QTest::qWait(ClockWaitMs);
    EXPECT_GT(form->elapsedOf(Huxel), opened);

    form->setTongue(1);
    clickTool(ToolButton::Help);
    EXPECT_EQ(form->findChildren<HelpBrowser*>().size(), 1) << "one help window, reused";
    EXPECT_TRUE(help->browser()->source().toLocalFile().endsWith(QStringLiteral("/help1.html")));

    QTimer::singleShot(50, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(help->isVisible());
}

} // namespace
