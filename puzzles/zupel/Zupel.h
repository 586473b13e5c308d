#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

#include "app/core/PuzzleModule.h"
#include "app/core/ShellServices.h"
#include "puzzles/zupel/ZupelModel.h"

class Canvas;

// The digit puzzle: draws the table as a small spreadsheet straight onto the drawing area,
// turns presses into picks and makes the selection bar blink.
class Zupel final : public PuzzleModule {
  public:
    static constexpr int CellWidth = 35;
    static constexpr int CellHeight = 25;

    explicit Zupel(ShellServices& services);

    void NewPuzzle() override;
    void PaintPuzzle() override;
    // Every mouse button lands here.
    void MouseDownLeft(int x, int y) override;
    void OptionClick(bool up) override;
    void TimerTick() override;
    void LoadSettings(const SettingsStore& settings) override;
    void SaveSettings(SettingsStore& settings) const override;
    int ScoreLevel() const override { return model_.mode(); }

    // Keyboard play: the targets are the cells of the bar, in the bar's direction; the cursor
    // first stands on the current cell, where a pick also leaves it.
    KeyTargetSet KeyTargets() const override;
    // A two-tone frame inside the cell's face, clear of the bar's lines, so the blink never
    // touches it; the pixels under it are kept and put back when it leaves or hides.
    void ShowKeyCursor(std::optional<int> index) override;
    // The content, then the cell; on the current cell also which way the bar runs, since the
    // arrows across it find nothing.
    QString DescribeKeyTarget(int index, int tongue) const override;
    QString DescribeBoard(int tongue) const override;
    // Every row and column of the table, starting at the current cell's.
    ReviewGrid ReviewLines() const override;
    QString DescribeReviewLine(ReviewLine line, int tongue) const override;

    // The move on the cell in column a, row b, with its sounds, clock changes and end reports.
    void PickCell(int a, int b);
    void DrawBoard();
    // invert: the blink, which inverts the outline so that a second call restores it.
    void DrawBar(bool invert);

    // Top-left corner of the header corner cell; the board is centred on x = 220.
    int boardX() const;
    int boardY() const;
    // Everything DrawBoard paints, outer frame included.
    QRect boardRect() const;
    // Everything DrawBar paints.
    QRect barRect() const;

    ZupelModel& model() { return model_; }
    const ZupelModel& model() const { return model_; }

  private:
    struct Cell {
        int a = 0;
        int b = 0;
        bool operator==(const Cell&) const = default;
    };
    struct KeyMark {
        Cell cell;
        QRect rect;   // where it was drawn, whatever the level is by now
        QImage under; // the screen's pixels below it
    };
    struct BarBox {
        int left;
        int top;
        int right;
        int bottom;
    };

    BarBox barBox() const;
    void DrawBoard(Canvas& canvas) const;
    void drawFrame(Canvas& canvas) const;
    void DrawCell(Canvas& canvas, int a, int b) const;
    void DrawHeader(Canvas& canvas, int a, int b, const QString& text) const;
    void drawRaisedEdges(Canvas& canvas, int x, int y) const;
    void drawFlatEdges(Canvas& canvas, int a, int b, int x, int y) const;
    void DrawBar(Canvas& canvas, bool invert) const;
    void startClock();
    void addToClock(int ticks);
    void chargeRemainingUnits(const SpokenText& pickNews);
    void announceRefusal(int a, int b);
    std::optional<Cell> barCell(int index) const;
    QRect keyMarkRect(Cell cell) const;
    void showKeyMark(Cell cell);
    void hideKeyMark();
    void redrawKeyMark(Canvas& canvas);
    void drawKeyMark(Canvas& canvas, Cell cell);

    ShellServices& services_;
    ZupelModel model_;
    QFont cellFont_;
    QFont headerFont_;
    QFont raisedHeaderFont_;
    std::optional<KeyMark> keyMark_;
};
