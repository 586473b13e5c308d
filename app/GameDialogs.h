#pragma once

#include <QPointer>
#include <functional>
#include <utility>

#include "app/ShellDialogs.h"

class QWidget;
class SettingsStore;
class TDoneDlg;
class TNoMoveDlg;
class TPauseDlg;
class TTongueDlg;
class THighscoreDlg;
class TNewGameDlg;
class TEndGameDlg;
class THelpWin;
class TInfoDialog;
class HelpBrowser;

// The real windows of the game, created once over the main window and reused.
class GameDialogs final : public ShellDialogs {
  public:
    GameDialogs();
    ~GameDialogs() override;

    // Places the dialogs over the main window; they are made by createWindows, or when first needed.
    void attach(QWidget* mainWindow, const int& tongue, SettingsStore& settings);
    void createWindows();
    // What the about box's language button does: the language dialog, then the main window's texts.
    void setLanguageAction(std::function<void()> action) { languageAction_ = std::move(action); }

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
    SettingsStore* settings_ = nullptr;
    QPointer<TTongueDlg> tongueDlg_;
    QPointer<TDoneDlg> done_;
    QPointer<TEndGameDlg> endGame_;
    QPointer<THighscoreDlg> highscore_;
    QPointer<TNewGameDlg> newGame_;
    QPointer<TNoMoveDlg> noMove_;
    QPointer<TPauseDlg> pause_;
    QPointer<THelpWin> rules_;
    QPointer<TInfoDialog> info_;
    QPointer<HelpBrowser> help_;
    std::function<void()> languageAction_;
};
