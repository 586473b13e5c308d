#pragma once

#include <QImage>
#include <array>
#include <optional>

#include "app/core/Color.h"
#include "app/core/KeyMark.h"
#include "app/core/PuzzleModule.h"
#include "puzzles/vexor/VexorModel.h"

class Canvas;
class ShellServices;

// The bar puzzle: draws the accounts as 3-D bars with the target plate and the arrow column, and
// turns pointer input into shifts, switch changes and colour choices.
class Vexor final : public PuzzleModule {
  public:
    using Colours = std::array<ColorRef, VexorModel::MaxPositions + 1>;

    static constexpr int DefaultMode = 11;
    // Position 1..8; index 0 is unused.
    static constexpr Colours DefaultColours = {
        0,
        colorRef(0xFF, 0x80, 0x80),
        colorRef(0xFF, 0xFF, 0x80),
        colorRef(0x80, 0xFF, 0x80),
        colorRef(0xFF, 0x80, 0x00),
        colorRef(0x80, 0x40, 0x40),
        colorRef(0x00, 0x80, 0xFF),
        colorRef(0xFF, 0x80, 0xFF),
        colorRef(0x80, 0x00, 0xFF),
    };
    static constexpr bool DefaultFit = false;
    static constexpr bool DefaultLin = true;

    enum HoverSide { NoSide = 0, LeftSide = 1, RightSide = 2 };

    explicit Vexor(ShellServices& services);

    void NewPuzzle() override;
    void PaintPuzzle() override;
    void MouseDownLeft(int x, int y) override;
    void MouseDownRight(int x, int y) override;
    void MouseMove(int x, int y) override;
    void OptionClick(bool up) override;
    void OptionZClick(bool up) override;
    void LoadSettings(const SettingsStore& settings) override;
    void SaveSettings(SettingsStore& settings) const override;
    int ScoreLevel() const override { return model_.mode(); }

    // Row 0: the plate switch and the size switch. Below it one row per arrow row from the top
    // (position bookingCount) down to position 1, its left arrow at column 0 and its right arrow
    // at column 1: position k's left arrow is target 2 + 2 * (bookingCount - k). The cursor first
    // stands on the left arrow of position 1.
    KeyTargetSet KeyTargets() const override;
    // An arrow shows the pointer's own highlight; a switch gets a frame of its own.
    void ShowKeyCursor(std::optional<int> index) override;
    QString DescribeKeyTarget(int index, int tongue) const override;
    QString DescribeBoard(int tongue) const override;

    // Shifts position k (1..bookingCount) with its sound and animation and tests for a win.
    void Move(int k, VexorModel::Shift direction);
    void DrawBars();
    void DrawArrows();

    VexorModel& model() { return model_; }
    const VexorModel& model() const { return model_; }
    const Colours& colours() const { return colours_; }
    bool fit() const { return fit_; }
    bool lin() const { return lin_; }
    int hoverRow() const { return hoverRow_; }
    int hoverSide() const { return hoverSide_; }

  private:
    struct BarGeometry;
    void startLevel();
    int arrowRow(int y) const;
    bool onSwitchRow(int y) const;
    void chooseColour(int k);
    QString describeArrow(int k, HoverSide side, int tongue) const;
    QString describeSwitch(int index, int tongue) const;
    void drawAccount(Canvas& canvas, const BarGeometry& geometry, int a) const;
    void drawArrowRow(Canvas& canvas, int k) const;
    void announceMove(const VexorModel::Sums& before) const;
    void setHover(int row, int side);

    ShellServices& services_;
    VexorModel model_;
    Colours colours_ = DefaultColours;
    bool fit_ = DefaultFit;
    bool lin_ = DefaultLin;
    int hoverRow_ = 0;
    int hoverSide_ = NoSide;
    KeyMark switchMark_;
};
