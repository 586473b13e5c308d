#pragma once

#include <QImage>
#include <QRect>
#include <optional>

#include "app/core/Color.h"
#include "app/core/KeyMark.h"
#include "app/core/PuzzleModule.h"
#include "puzzles/pliva/PlivaModel.h"

class Canvas;
class ShellServices;

// The curve puzzle: draws the graph and the arrow row and turns pointer input into moves.
class Pliva final : public PuzzleModule {
  public:
    static constexpr ColorRef DefaultLineColor = 0x0000FF;   // red
    static constexpr ColorRef DefaultMarkerColor = 0xFF0000; // blue
    static constexpr int DefaultMarkerStyle = 1;

    explicit Pliva(ShellServices& services);

    void NewPuzzle() override;
    void NewPuzzleAtStart() override;
    void PaintPuzzle() override;
    void MouseDownLeft(int x, int y) override;
    void MouseDownRight(int x, int y) override;
    void MouseMove(int x, int y) override;
    void OptionClick(bool up) override;
    void LoadSettings(const SettingsStore& settings) override;
    void SaveSettings(SettingsStore& settings) const override;
    int ScoreLevel() const override { return model_.mode(); }

    // One row: the columns 1..N of the arrow row, then the three switches left to right.
    KeyTargetSet KeyTargets() const override;
    // A column shows the pointer's own outline and arrows; a switch gets a frame of its own.
    void ShowKeyCursor(std::optional<int> index) override;
    QString DescribeKeyTarget(int index, int tongue) const override;
    QString DescribeBoard(int tongue) const override;

    // One move on column j (1..N): s = +1 adds the column's arrows, -1 subtracts them.
    void Move(int j, int s);
    void DrawGraph();
    void DrawArrows();

    PlivaModel& model() { return model_; }
    const PlivaModel& model() const { return model_; }
    int pointerColumn() const { return pointerColumn_; }
    ColorRef lcol() const { return lcol_; }
    ColorRef dcol() const { return dcol_; }
    int dmode() const { return dmode_; }

  private:
    void computeMapping();
    int X(int k) const;
    int Y(int value) const;
    int hoverColumn(int x, int y) const;
    int clickColumn(int x, int y) const;
    void switchClick(int x, int y);
    void chooseColorFor(ColorRef& color);
    QString describeColumn(int k, int tongue) const;
    QString describeSwitch(int index, int tongue) const;
    void drawGrid(Canvas& canvas) const;
    void drawCurve(Canvas& canvas) const;
    void drawMarker(Canvas& canvas, int x, int y) const;
    void drawArrow(Canvas& canvas, int xc, int v) const;
    void drawColumnOutline(Canvas& canvas) const;
    void announceMove(int j) const;

    ShellServices& services_;
    PlivaModel model_;
    int pointerColumn_ = 0;
    ColorRef lcol_ = DefaultLineColor;
    ColorRef dcol_ = DefaultMarkerColor;
    int dmode_ = DefaultMarkerStyle;
    KeyMark switchMark_;

    double stepX_ = 0;
    int originX_ = 0;
    double scaleY_ = 0;
    int originY_ = 0;
};
