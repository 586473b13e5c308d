#pragma once

#include <QFont>
#include <QString>
#include <optional>

#include "app/core/Color.h"
#include "app/core/Sound.h"

// The windows the main window opens. The game uses the real dialogs; tests answer them.
class ShellDialogs {
  public:
    enum Result { Ok = 1, Cancel = 2 };

    virtual ~ShellDialogs() = default;

    virtual int askGiveUp() = 0;  // TNewGameDlg
    virtual int askEndGame() = 0; // TEndGameDlg
    virtual void showPaused() = 0;
    virtual void showSolved() = 0;
    virtual void showFailed() = 0;
    virtual void showStartupError(const QString& text) = 0;
    // Offers a result to the selected high-score list; 0 only shows it.
    virtual void showHighScores(const QString& listKey, int result) = 0;
    virtual void showRules(int puzzle) = 0;
    virtual void showAbout() = 0;
    virtual void openHelp() = 0;
    virtual void closeHelp() = 0;
    // Shows the language dialog; sets tongue to 0 or 1, or leaves it when closed.
    virtual void chooseLanguage(int& tongue) = 0;
    virtual void openWebsite() = 0;
    virtual std::optional<ColorRef> chooseColor(ColorRef initial) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
};

// Sound effects; silent when there is no output.
class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    virtual void play(Sound sound) = 0;
};
