#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

#include "app/ShellDialogs.h"

// Dialogs that answer yes at once and remember what they were asked to show.
class SilentDialogs final : public ShellDialogs {
  public:
    int askGiveUp() override { return Ok; }
    int askEndGame() override { return Ok; }
    void showPaused() override {}
    void showSolved() override { ++solvedShown; }
    void showFailed() override { ++failedShown; }
    void showStartupError(const QString&) override {}
    void showHighScores(const QString& key, int result) override { offered.emplace_back(key, result); }
    void showRules(int) override {}
    void showAbout() override {}
    void openHelp() override {}
    void closeHelp() override {}
    void chooseLanguage(int&) override {}
    void openWebsite() override {}
    std::optional<ColorRef> chooseColor(ColorRef) override { return colorAnswer; }
    std::optional<QFont> chooseFont(const QFont&) override { return fontAnswer; }

    std::optional<ColorRef> colorAnswer;
    std::optional<QFont> fontAnswer;
    int solvedShown = 0;
    int failedShown = 0;
    std::vector<std::pair<QString, int>> offered;
};

class RecordingSound final : public SoundOutput {
  public:
    void play(Sound sound) override { played.push_back(soundIndex(sound)); }
    std::vector<int> played;
};

// Plain backgrounds b1.bmp ... b4.bmp (HUXEL's 500 x 533) in a folder; false when one cannot be written.
inline bool writePlainBackgrounds(const QString& folder, QRgb color = qRgb(255, 255, 255))
{
    for (int i = 1; i <= 4; ++i) {
        QImage picture(500, i == 4 ? 533 : 333, QImage::Format_RGB32);
        picture.fill(color);
        if (!picture.save(folder + QStringLiteral("/b%1.bmp").arg(i)))
            return false;
    }
    return true;
}
