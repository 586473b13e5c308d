#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>

#include "app/dialogs/FocusMark.h"
#include "app/dialogs/HelpBrowser.h"
#include "app/dialogs/HelpWin.h"
#include "app/dialogs/HighscoreDlg.h"
#include "app/dialogs/InfoDialog.h"
#include "app/dialogs/MessageDialogs.h"
#include "app/dialogs/RulesTexts.h"
#include "app/dialogs/TongueDlg.h"
#include "app/settings/SettingsStore.h"

namespace {

class KeyboardDialogs : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        main.setFixedSize(500, 366);
        main.move(200, 150);
        main.show();
        QApplication::setActiveWindow(&main);
    }

    // Shows the dialog without its own loop and collects where Tab takes the focus, round after
    // round from the control that has it.
    static std::set<QWidget*> reachedWithTab(QDialog& dialog, int presses = 12)
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QTest::qWait(1);
        std::set<QWidget*> reached;
        for (int i = 0; i < presses; ++i) {
            QWidget* focus = QApplication::focusWidget();
            if (!focus)
                break;
            reached.insert(focus);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        dialog.hide();
        return reached;
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.path() + "/V1.ini"};
    QWidget main;
    int tongue = 0;
};

TEST_F(KeyboardDialogs, TabReachesEveryControlOfEveryDialog)
{
    TNewGameDlg giveUp(&main, tongue);
    EXPECT_EQ(reachedWithTab(giveUp), (std::set<QWidget*>{giveUp.okButton(), giveUp.cancelButton()}));
    TPauseDlg pause(&main, tongue);
    EXPECT_EQ(reachedWithTab(pause), (std::set<QWidget*>{pause.okButton()}));
    THelpWin rules(&main, tongue);
    rules.loadRules(0);
    EXPECT_EQ(reachedWithTab(rules), (std::set<QWidget*>{rules.helpMemo(), rules.okButton()}));
    TInfoDialog about(&main, tongue);
    EXPECT_EQ(reachedWithTab(about), (std::set<QWidget*>{about.mailLabel(), about.homepageLabel(),
                                                         about.tongButton(), about.okButton()}));
    TTongueDlg language(&main);
    EXPECT_EQ(reachedWithTab(language).size(), 2u);
}

// The name field comes back with Tab once it was left.
TEST_F(KeyboardDialogs, TheHighScoreNameFieldIsReachedAgainWithTab)
{
    THighscoreDlg scores(&main, tongue, settings);
    std::set<QWidget*> reached;
    QTimer::singleShot(0, &scores, [&] {
        QApplication::setActiveWindow(&scores);
        EXPECT_EQ(QApplication::focusWidget(), scores.nameEdit());
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.insert(QApplication::focusWidget()); // from the second control on
        }
        scores.cancelButton()->click();
    });
    scores.ShowHighScores("pliv7", 30);
    EXPECT_EQ(reached, (std::set<QWidget*>{scores.nameEdit(), scores.clearBox(), scores.cancelButton(),
                                           scores.okButton()}));
}

TEST_F(KeyboardDialogs, NamesForScreenReaders)
{
    for (int value : {0, 1}) {
        tongue = value;
        TDoneDlg done(&main, tongue);
        done.show();
        const QString message = value == 1 ? "Hurra, geschafft!" : "Hurrah, you did it!";
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&done)->text(QAccessible::Name), message);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(done.okButton())->text(QAccessible::Description),
                  message);
        TEndGameDlg end(&main, tongue);
        end.show();
        EXPECT_EQ(end.cancelButton()->accessibleDescription(), end.messageLabel()->text());

        THighscoreDlg scores(&main, tongue, settings);
        scores.show();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(scores.clearBox())->text(QAccessible::Name),
                  QString::fromUtf8(value == 1 ? "alle Einträge löschen" : "remove all entries"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(scores.nameEdit())->text(QAccessible::Name),
                  value == 1 ? "Dein Name" : "Your name");
    }
}

// The key that paused the game lets it go on; a held one does not.
TEST_F(KeyboardDialogs, PauseClosesWithItsOwnKeys)
{
    for (Qt::Key key : {Qt::Key_P, Qt::Key_Pause}) {
        TPauseDlg pause(&main, tongue);
        QTimer::singleShot(0, &pause, [&] {
            QKeyEvent held(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(pause.okButton(), &held);
            EXPECT_TRUE(pause.isVisible()) << "an auto-repeated key";
            QTest::keyClick(pause.okButton(), key, Qt::ControlModifier);
            EXPECT_TRUE(pause.isVisible()) << "with Ctrl";
            QTest::keyClick(pause.okButton(), key);
            if (pause.isVisible())
                pause.done(TMessageDlg::CancelResult);
        });
        EXPECT_EQ(pause.exec(), TMessageDlg::OkResult);
    }
    TDoneDlg done(&main, tongue);
    QTimer::singleShot(0, &done, [&] {
        QTest::keyClick(done.okButton(), Qt::Key_P);
        EXPECT_TRUE(done.isVisible()) << "P is the pause window's key only";
        done.done(TMessageDlg::CancelResult);
    });
    done.exec();
}

// A clear frame around the focused control while keys are used, none while the mouse is.
TEST_F(KeyboardDialogs, TheFocusMarkShowsWhileKeysAreUsed)
{
    TNewGameDlg giveUp(&main, tongue);
    auto* mark = giveUp.findChild<FocusMark*>();
    ASSERT_NE(mark, nullptr);
    QTest::qWait(1); // keys of earlier tests are long handled, as they are when a player clicks
    giveUp.show();
    QApplication::setActiveWindow(&giveUp);
    QTest::qWait(1);
    const QImage byMouse = giveUp.grab().toImage();
    EXPECT_FALSE(mark->showing()) << "shown without a key: the dialog looks as it always did";

    QTest::keyClick(giveUp.okButton(), Qt::Key_Tab);
    QTest::qWait(1);
    ASSERT_TRUE(mark->showing());
    EXPECT_EQ(mark->marked(), giveUp.cancelButton());
    const QImage byKeys = giveUp.grab().toImage();
    const QRect cancel = giveUp.cancelButton()->geometry();
    int changed = 0;
    for (int x = cancel.left() - 2; x <= cancel.right() + 2; ++x)
        changed += byKeys.pixel(x, cancel.top() - 1) != byMouse.pixel(x, cancel.top() - 1);
    EXPECT_GT(changed, cancel.width() / 2) << "a line along the top of the focused button";

    QTest::mouseClick(giveUp.messageLabel(), Qt::LeftButton);
    QTest::qWait(1);
    EXPECT_FALSE(mark->showing());
    const QImage clicked = giveUp.grab().toImage();
    for (int x = cancel.left() - 2; x <= cancel.right() + 2; ++x)
        EXPECT_EQ(clicked.pixel(x, cancel.top() - 1), byMouse.pixel(x, cancel.top() - 1)) << x;
    giveUp.hide();
}

TEST_F(KeyboardDialogs, ADialogOpenedByAKeyShowsItsFocusAtOnce)
{
    TDoneDlg done(&main, tongue);
    auto* mark = done.findChild<FocusMark*>();
    bool shown = false;
    QShortcut opener(Qt::Key_Return, &main);
    QObject::connect(&opener, &QShortcut::activated, &main, [&] {
        QTimer::singleShot(0, &done, [&] {
            QTest::qWait(1);
            shown = mark->showing() && mark->marked() == done.okButton();
            done.okButton()->click();
        });
        done.exec();
    });
    QTest::keyClick(&main, Qt::Key_Return);
    EXPECT_TRUE(shown);
}

TEST_F(KeyboardDialogs, TheHelpWindowClosesWithEscapeOrCtrlW)
{
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* help = new HelpBrowser(&main);
        help->showTopic(dir.path() + "/", 2);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(help)->role(), QAccessible::Window);
        QApplication::setActiveWindow(help);
        help->browser()->setFocus();
        QTest::keySequence(help->browser(), keys);
        EXPECT_FALSE(help->isVisible()) << keys.toString().toStdString();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main)) << "the game has the keys again";
        delete help;
    }
}

// After a puzzle's rules, what its keys do; a puzzle without such a text shows its rules alone.
TEST_F(KeyboardDialogs, TheRulesWindowEndsWithThePuzzlesKeys)
{
    THelpWin rules(&main, tongue);
    for (int puzzle = 0; puzzle < RulesPuzzleCount; ++puzzle) {
        for (int value : {0, 1}) {
            tongue = value;
            rules.loadRules(puzzle);
            const int item = rulesItem(puzzle, tongue);
            const QString keys = rulesMemoText(storedKeysText(item));
            EXPECT_EQ(rules.helpMemo()->toPlainText(), rulesMemoText(storedRulesText(item)) + keys);
            if (!keys.isEmpty()) {
                EXPECT_TRUE(keys.contains(value == 1 ? "Taste" : "key", Qt::CaseInsensitive)) << item;
            }
        }
    }
    EXPECT_TRUE(storedKeysText(-1).isEmpty());
    EXPECT_TRUE(storedKeysText(8).isEmpty());
}

} // namespace
