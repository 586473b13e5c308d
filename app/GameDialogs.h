#pragma once

#include <QPointer>

#include "app/ShellDialogs.h"

class QWidget;
class TDoneDlg;
class TNoMoveDlg;
class TPauseDlg;
class TNewGameDlg;
class TEndGameDlg;

// The real windows of the game, created once over the main window and reused.
class GameDialogs final : public ShellDialogs {
  public:
    GameDialogs();
    ~GameDialogs() override;

    // Places the dialogs over the main window; they are made by createWindows, or when first needed.
    void attach(QWidget* mainWindow, const int& tongue);
    void createWindows();

    int askGiveUp() override;
    int askEndGame() override;
    void showPaused() override;
    void showSolved() override;
    void showFailed() override;
    void showStartupError(const QString& text) override;
    void showHighScores(const QString& listKey, int result) override;
    void showRules(int puzzle) override;
    void showAbout() override;
    void openHelp() override;
    void closeHelp() override;
    void chooseLanguage(int& tongue) override;
    void openWebsite() override;
    std::optional<ColorRef> chooseColor(ColorRef initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;

  private:
    // The dialogs are children of the main window, which deletes them.
    QWidget* mainWindow_ = nullptr;
    const int* tongue_ = nullptr;
    QPointer<TDoneDlg> done_;
    QPointer<TEndGameDlg> endGame_;
    QPointer<TNewGameDlg> newGame_;
    QPointer<TNoMoveDlg> noMove_;
    QPointer<TPauseDlg> pause_;
};
