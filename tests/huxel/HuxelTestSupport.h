#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "puzzles/huxel/Huxel.h"
#include "support/FakeShell.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace huxeltest {

using Side = HuxelModel::Side;
using Turn = HuxelModel::Turn;

constexpr int PictureHeight = 533;
constexpr int VisibleHeight = 333;
constexpr ColorRef Black = colorRef(0, 0, 0);
constexpr ColorRef Paper = colorRef(0xFF, 0xFF, 0xFF);
// The highlighted look below the visible rows: a plain dark blue, so glyph pixels stand out.
constexpr ColorRef Navy = colorRef(0x20, 0x30, 0x80);

inline const QRect WholeArea(0, 0, 500, 333);
inline const QRect LeftSquare(65, 120, 180, 180);
inline const QRect RightSquare(270, 120, 180, 180);

// Forwards to a FakeShell and keeps one log of sounds, screen updates, delays and reports, plus a
// picture of the screen at every Delay: what the player sees while the shell waits.
class RecordingShell final : public ShellServices {
  public:
    explicit RecordingShell(FakeShell& inner) : inner_(inner) {}

    void PlaySound(Sound sound) override
    {
        log.push_back("PlaySound " + std::to_string(soundIndex(sound)));
        inner_.PlaySound(sound);
    }
    void Delay(unsigned ms) override
    {
        log.push_back("Delay " + std::to_string(ms));
        screensAtDelay.push_back(inner_.screenImage.copy());
        inner_.Delay(ms);
    }
    void PuzzleSolved() override
    {
        log.push_back("PuzzleSolved");
        spokenAtSolved = spoken.size();
        inner_.PuzzleSolved();
        if (onSolved)
            onSolved();
    }
    void PuzzleFailed() override
    {
        log.push_back("PuzzleFailed");
        inner_.PuzzleFailed();
    }
    PlayState playState() const override { return inner_.playState(); }
    void setPlayState(PlayState state) override { inner_.setPlayState(state); }
    int elapsed() const override { return inner_.elapsed(); }
    void setElapsed(int ticks) override { inner_.setElapsed(ticks); }
    const QImage& background() const override { return inner_.background(); }
    QImage& work() override { return inner_.work(); }
    QImage& screen() override { return inner_.screen(); }
    void screenChanged(const QRect& rect) override
    {
        log.push_back(Describe(rect));
        inner_.screenChanged(rect);
    }
    std::optional<ColorRef> chooseColor(ColorRef initial) override { return inner_.chooseColor(initial); }
    std::optional<QFont> chooseFont(const QFont& initial) override { return inner_.chooseFont(initial); }
    RandomSource& random() override { return inner_.random(); }
    int language() const override { return inner_.language(); }
    void Announce(SpokenText words) override
    {
        spoken.push_back(words);
        inner_.Announce(std::move(words));
    }

    static std::string Describe(const QRect& rect)
    {
        return "screen " + std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " +
               std::to_string(rect.width()) + "x" + std::to_string(rect.height());
    }

    void clear()
    {
        log.clear();
        screensAtDelay.clear();
        spoken.clear();
        inner_.clearRecords();
    }

    std::vector<std::string> log;
    std::vector<QImage> screensAtDelay;
    // Every announcement as made, to be worded again in another language.
    std::vector<SpokenText> spoken;
    size_t spokenAtSolved = 0;
    // What the main window does once the end is shown (it repaints the puzzle, for one).
    std::function<void()> onSolved;

  private:
    FakeShell& inner_;
};

// A HUXEL module on a recording fake shell with a 533-row background: white above, navy below.
class HuxelFixture : public testing::Test {
  protected:
    HuxelFixture() { PaintHighlightRows(toQRgb(Navy)); }

    void PaintHighlightRows(QRgb color)
    {
        for (int y = VisibleHeight; y < PictureHeight; ++y) {
            for (int x = 0; x < shell.backgroundImage.width(); ++x)
                shell.backgroundImage.setPixel(x, y, color);
        }
    }

    // A fresh puzzle of size n on screen, nothing hovered, records cleared.
    void StartPuzzle(int n, unsigned seed = 7)
    {
        shell.seededRandom.seed(seed);
        huxel.model().setTableSize(n);
        huxel.NewPuzzle();
        huxel.PaintPuzzle();
        recorder.clear();
    }

    // Makes the left table equal to the right one in every used cell.
    void CopyRightToLeft()
    {
        HuxelModel& model = huxel.model();
        for (int col = 1; col <= model.TableSize(); ++col) {
            for (int row = 1; row <= model.TableSize(); ++row)
                model.setCell(Side::Left, col, row, model.cell(Side::Right, col, row));
        }
    }

    // A pointer position inside the area that highlights block [col][row] of a table.
    QPoint PointerOn(int col, int row, Side table) const
    {
        const int x0 = table == Side::Left ? huxel.LeftX() : Huxel::RightX;
        return {x0 + col * huxel.CellSize() + 1, Huxel::TableTop + row * huxel.CellSize() + 1};
    }

    void Hover(int col, int row, Side table)
    {
        const QPoint p = PointerOn(col, row, table);
        huxel.MouseMove(p.x(), p.y());
    }

    FakeShell shell{qRgb(0xFF, 0xFF, 0xFF), PictureHeight};
    RecordingShell recorder{shell};
    Huxel huxel{recorder};
};

} // namespace huxeltest
