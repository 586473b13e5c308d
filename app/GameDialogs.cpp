#include "app/GameDialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "app/dialogs/MessageDialogs.h"

GameDialogs::GameDialogs() = default;
GameDialogs::~GameDialogs() = default;

void GameDialogs::attach(QWidget* mainWindow, const int& tongue)
{
    mainWindow_ = mainWindow;
    tongue_ = &tongue;
}

void GameDialogs::createWindows()
{
    if (!mainWindow_ || done_)
        return;
    done_ = new TDoneDlg(mainWindow_, *tongue_);
    endGame_ = new TEndGameDlg(mainWindow_, *tongue_);
    newGame_ = new TNewGameDlg(mainWindow_, *tongue_);
    noMove_ = new TNoMoveDlg(mainWindow_, *tongue_);
    pause_ = new TPauseDlg(mainWindow_, *tongue_);
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

// The high-score list, rules window, about box, help and language dialog come with their own
// windows; until then these requests are quietly ignored.
void GameDialogs::showHighScores(const QString&, int) {}
void GameDialogs::showRules(int) {}
void GameDialogs::showAbout() {}
void GameDialogs::openHelp() {}
void GameDialogs::closeHelp() {}
void GameDialogs::chooseLanguage(int&) {}

void GameDialogs::openWebsite()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("https://www.frobnygames.example/")));
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
