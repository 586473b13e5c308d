#pragma once

#include <array>

class RandomSource;

// The curve and its hidden arrow table. Indices run 1..12 as the puzzle counts points and
// columns; index 0 is unused so rules read like the puzzle's own numbering.
class PlivaModel {
  public:
    static constexpr int MinMode = 4;
    static constexpr int MaxMode = 12;
    static constexpr int DefaultMode = 4;

    using Values = std::array<int, MaxMode + 1>;
    using ArrowTable = std::array<Values, MaxMode + 1>;

    explicit PlivaModel(RandomSource& random);

    int mode() const { return mode_; }
    // Clamps to MinMode..MaxMode; the puzzle itself changes only with the next NewPuzzle.
    void setMode(int n);

    // A fresh puzzle at the current mode: arrow table, scrambled curve, limits.
    void NewPuzzle();

    // values[k] += s * arrows[j][k] for every point; j outside 1..N is ignored.
    void applyArrows(int j, int s);
    // True when every point stays within [lowLimit, highLimit] after applyArrows(j, s).
    bool moveFits(int j, int s) const;
    bool CurveRises() const;
    // A nonzero arrow of size 1..N div 2 with a random sign; the size is drawn first.
    int RandomArrow();

    const Values& values() const { return values_; }
    const ArrowTable& arrows() const { return arrows_; }
    int lowLimit() const { return lowLimit_; }
    int highLimit() const { return highLimit_; }

    // Hand-made positions (tests, benchmarks). The curve is taken only with lowLimit < highLimit and
    // every point 1..N within the limits; an arrow column only for a column 1..N, its entries
    // beyond N cleared. False leaves the model as it was.
    bool setCurve(const Values& values, int lowLimit, int highLimit);
    bool setArrowColumn(int j, const Values& column);

  private:
    bool validColumn(int j) const { return j >= 1 && j <= mode_; }
    void setStraightLine();
    void fillArrowTable();
    void shuffleColumns();
    void scramble();
    void setLimits();

    RandomSource& random_;
    int mode_ = DefaultMode;
    Values values_{};
    ArrowTable arrows_{};
    int lowLimit_ = 0;
    int highLimit_ = DefaultMode;
};
