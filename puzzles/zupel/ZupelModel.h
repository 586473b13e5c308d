#pragma once

#include <array>

class RandomSource;

// The digit table. Columns a and rows b run 1..K as the puzzle labels them; index 0 is unused.
// A cell holds 1..9 units of a digit, Expense ("$") or Empty.
class ZupelModel {
  public:
    static constexpr int MinMode = 4;
    static constexpr int MaxMode = 10;
    static constexpr int DefaultMode = 4;
    static constexpr int Expense = -1;
    static constexpr int Empty = 0;
    static constexpr int MaxDigit = 9;

    using Column = std::array<int, MaxMode + 1>;
    using Cells = std::array<Column, MaxMode + 1>;

    enum class PickKind { Refused, Expense, Digit };

    explicit ZupelModel(RandomSource& random);

    int mode() const { return mode_; }
    // Clamps to MinMode..MaxMode and keeps the current cell inside the table; the table itself
    // changes only with the next NewPuzzle.
    void setMode(int k);

    const Cells& cells() const { return cells_; }
    // Empty outside the table.
    int cell(int a, int b) const;
    int currentColumn() const { return currentColumn_; }
    int currentRow() const { return currentRow_; }
    bool rowBar() const { return rowBar_; }

    // Hand-made positions (tests, benchmarks). Values are clamped to Expense..MaxDigit and the
    // current cell into the table; cells outside the table are ignored.
    void setCell(int a, int b, int value);
    void setCurrent(int a, int b, bool rowBar);

    // A fresh table at the current mode, the draws in a fixed order.
    void NewPuzzle();

    bool inTable(int a, int b) const;
    bool inBar(int a, int b) const;
    // A cell of the bar that holds something and is not the current cell.
    bool canPick(int a, int b) const;
    // The picked cell becomes the current cell, a digit loses one unit, the bar turns.
    PickKind pick(int a, int b);

    bool AllCollected() const;
    // The digit units still in the table.
    int unitsLeft() const;
    // Nothing but empty cells beside the current one; an expense keeps the bar alive.
    bool BarEmpty() const;
    // Takes one unit off the first digit cell, column by column and row by row within a column;
    // false when no digit is left.
    bool chargeUnit();

  private:
    bool isCurrent(int a, int b) const { return a == currentColumn_ && b == currentRow_; }
    int draw(int n);
    void placeUnits();
    void markExpenses();
    void placeStartCell();

    RandomSource& random_;
    int mode_ = DefaultMode;
    Cells cells_{};
    int currentColumn_ = 1;
    int currentRow_ = 1;
    bool rowBar_ = true;
};
