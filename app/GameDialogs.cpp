#include "app/GameDialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "app/core/DataDir.h"
#include "app/dialogs/HelpBrowser.h"
#include "app/dialogs/HelpWin.h"
#include "app/dialogs/HighscoreDlg.h"
#include "app/dialogs/InfoDialog.h"
#include "app/dialogs/MessageDialogs.h"
#include "app/dialogs/TongueDlg.h"

GameDialogs::GameDialogs() = default;
GameDialogs::~GameDialogs() = default;

void GameDialogs::attach(QWidget* mainWindow, const int& tongue, SettingsStore& settings)
{
    mainWindow_ = mainWindow;
    tongue_ = &tongue;
    settings_ = &settings;
}

void GameDialogs::createWindows()
{
    if (!mainWindow_ || done_)
        return;
    tongueDlg_ = new TTongueDlg(mainWindow_);
    done_ = new TDoneDlg(mainWindow_, *tongue_);
    endGame_ = new TEndGameDlg(mainWindow_, *tongue_);
    highscore_ = new THighscoreDlg(mainWindow_, *tongue_, *settings_);
    newGame_ = new TNewGameDlg(mainWindow_, *tongue_);
    noMove_ = new TNoMoveDlg(mainWindow_, *tongue_);
    pause_ = new TPauseDlg(mainWindow_, *tongue_);
    rules_ = new THelpWin(mainWindow_, *tongue_);
    info_ = new TInfoDialog(mainWindow_, *tongue_);
    info_->onLanguage = [this] {
        if (languageAction_)
            languageAction_();
    };
}

int GameDialogs::askGiveUp()
{
    createWindows();
    return newGame_ ? newGame_->exec() : Ok;
}

int GameDialogs::askEndGame()
{
    createWindows();
    return endGame_ ? endGame_->exec() : Ok;
}

void GameDialogs::showPaused()
{
    createWindows();
    if (pause_)
        pause_->exec();
}

void GameDialogs::showSolved()
{
    createWindows();
    if (done_)
        done_->exec();
}

void GameDialogs::showFailed()
{
    createWindows();
    if (noMove_)
        noMove_->exec();
}

void GameDialogs::showStartupError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"), text, QMessageBox::Ok, mainWindow_);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void GameDialogs::showRules(int puzzle)
{
    createWindows();
    if (rules_)
        rules_->ShowRules(puzzle);
}

void GameDialogs::showAbout()
{
    createWindows();
    if (info_)
        info_->exec();
}

// The help window is made when it is first asked for; many a game never needs it.
void GameDialogs::openHelp()
{
    if (!mainWindow_)
        return;
    if (!help_)
        help_ = new HelpBrowser(mainWindow_);
    help_->showTopic(findDataDir(QCoreApplication::applicationDirPath()), HelpBrowser::topicFor(*tongue_));
}

void GameDialogs::closeHelp()
{
    if (help_)
        help_->close();
}

void GameDialogs::showHighScores(const QString& listKey, int result)
{
    createWindows();
    if (highscore_)
        highscore_->ShowHighScores(listKey, result);
}

void GameDialogs::chooseLanguage(int& tongue)
{
    createWindows();
    if (tongueDlg_)
        tongueDlg_->ChooseLanguage(tongue);
}

void GameDialogs::openWebsite()
{
    QDesktopServices::openUrl(linkTarget(FrobnyHomepage));
}

std::optional<ColorRef> GameDialogs::chooseColor(ColorRef initial)
{
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(toQRgb(initial)), mainWindow_);
    if (!chosen.isValid())
        return std::nullopt;
    return fromQRgb(chosen.rgb());
}

std::optional<QFont> GameDialogs::chooseFont(const QFont& initial)
{
    bool confirmed = false;
    const QFont chosen = QFontDialog::getFont(&confirmed, initial, mainWindow_);
    if (!confirmed)
        return std::nullopt;
    return chosen;
}
