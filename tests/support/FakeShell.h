#pragma once

#include <QImage>
#include <QRect>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/core/RandomSource.h"
#include "app/core/ShellServices.h"

// A repeatable random source for tests and benchmarks; Reseed counts and restarts the sequence.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(unsigned seed = 1) : seed_(seed), engine_(seed) {}
    int Random(int n) override { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    void Reseed() override
    {
        ++reseeds;
        engine_.seed(seed_);
    }
    void seed(unsigned seed)
    {
        seed_ = seed;
        engine_.seed(seed);
    }

    int reseeds = 0;

  private:
    unsigned seed_;
    std::mt19937 engine_;
};

// Hands out scripted draws in order and records every range asked for, so tests can check the
// order and ranges of a generation. Past the end of the script it answers 0.
class ScriptedRandom final : public RandomSource {
  public:
    int Random(int n) override
    {
        ranges.push_back(n);
        if (script.empty())
            return 0;
        const int draw = script.front();
        script.pop_front();
        if (draw < 0 || draw >= n)
            outOfRange.push_back(static_cast<int>(ranges.size()) - 1);
        return draw;
    }
    void Reseed() override { ++reseeds; }

    std::deque<int> script;
    std::vector<int> ranges;
    // Indices of scripted draws that did not fit the range asked for (a broken script).
    std::vector<int> outOfRange;
    int reseeds = 0;
};

// A shell that records what a puzzle module asks of it and never waits or shows a dialog.
// PuzzleSolved and PuzzleFailed set the play state but keep no guard: every call is counted.
class FakeShell final : public ShellServices {
  public:
    static constexpr int Width = 500;
    static constexpr int Height = 333;

    explicit FakeShell(QRgb backgroundColor = qRgb(255, 255, 255), int backgroundHeight = Height)
        : backgroundImage(Width, backgroundHeight, QImage::Format_RGB32),
          workImage(Width, Height, QImage::Format_RGB32), screenImage(Width, Height, QImage::Format_RGB32)
    {
        backgroundImage.fill(backgroundColor);
        workImage.fill(Qt::black);
        screenImage.fill(Qt::black);
    }

    void PlaySound(Sound sound) override
    {
        sounds.push_back(soundIndex(sound));
        calls.push_back("PlaySound " + std::to_string(soundIndex(sound)));
    }
    void Delay(unsigned ms) override
    {
        delays.push_back(ms);
        calls.push_back("Delay " + std::to_string(ms));
    }
    void PuzzleSolved() override
    {
        ++solvedCalls;
        state = PlayState::Solved;
        calls.push_back("PuzzleSolved");
    }
    void PuzzleFailed() override
    {
        ++failedCalls;
        state = PlayState::Failed;
        calls.push_back("PuzzleFailed");
    }

    PlayState playState() const override { return state; }
    void setPlayState(PlayState newState) override { state = newState; }
    int elapsed() const override { return elapsedTicks; }
    void setElapsed(int ticks) override
    {
        elapsedTicks = ticks;
        calls.push_back("setElapsed " + std::to_string(ticks));
    }

    const QImage& background() const override { return backgroundImage; }
    QImage& work() override { return workImage; }
    QImage& screen() override { return screenImage; }
    void screenChanged(const QRect& rect) override { changedRects.push_back(rect); }

    std::optional<ColorRef> chooseColor(ColorRef initial) override
    {
        colorRequests.push_back(initial);
        return colorAnswer;
    }
    std::optional<QFont> chooseFont(const QFont& initial) override
    {
        fontRequests.push_back(initial);
        return fontAnswer;
    }

    RandomSource& random() override { return randomSource ? *randomSource : seededRandom; }

    int language() const override { return tongue; }
    void Announce(SpokenText words) override { announcements.push_back(words(tongue)); }

    // The screen pixel at (x, y) as 0x00BBGGRR.
    ColorRef pixel(int x, int y) const { return fromQRgb(screenImage.pixel(x, y)); }
    ColorRef backgroundPixel(int x, int y) const { return fromQRgb(backgroundImage.pixel(x, y)); }

    void clearRecords()
    {
        sounds.clear();
        delays.clear();
        calls.clear();
        changedRects.clear();
        colorRequests.clear();
        fontRequests.clear();
        announcements.clear();
        solvedCalls = 0;
        failedCalls = 0;
    }

    QImage backgroundImage;
    QImage workImage;
    QImage screenImage;

    std::vector<int> sounds; // sound indices, as the sound list numbers them
    std::vector<unsigned> delays;
    // Sounds, delays, clock changes and reports in the order they came: "PlaySound 3", "Delay 350",
    // "setElapsed 17", "PuzzleSolved", "PuzzleFailed".
    std::vector<std::string> calls;
    std::vector<QRect> changedRects;
    std::vector<ColorRef> colorRequests;
    std::vector<QFont> fontRequests;
    int solvedCalls = 0;
    int failedCalls = 0;
    PlayState state = PlayState::NotGenerated;
    int elapsedTicks = 0;

    int tongue = 0;
    std::vector<QString> announcements;

    std::optional<ColorRef> colorAnswer;
    std::optional<QFont> fontAnswer;

    SeededRandom seededRandom;
    // When set, random() answers from it instead of seededRandom.
    RandomSource* randomSource = nullptr;
};
