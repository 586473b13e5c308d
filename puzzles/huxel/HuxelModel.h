#pragma once

#include <array>
#include <string>
#include <string_view>

class RandomSource;

// Two square tables of characters that hold the same set, one scrambled against the other by
// 2 x 2 rotations. Columns and rows count from 1 as the puzzle numbers them (index 0 is unused);
// a table is stored column by column, [column][row].
class HuxelModel {
  public:
    static constexpr int MinSize = 3;
    static constexpr int MaxSize = 6;
    static constexpr int DefaultSize = 3;

    static constexpr std::u32string_view SymbolAlphabet = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ#*§$%&?!@+";
    static_assert(SymbolAlphabet.size() == MaxSize * MaxSize, "one character per cell of a full table");

    enum class Side { Left = 0, Right = 1 };
    enum class Turn { Clockwise, CounterClockwise };

    using Column = std::array<char32_t, MaxSize + 1>;
    using Table = std::array<Column, MaxSize + 1>;

    explicit HuxelModel(RandomSource& random);

    int TableSize() const { return tableSize_; }
    // Clamps to MinSize..MaxSize; the tables change only with the next ShuffleTables.
    void setTableSize(int n);

    const Table& LeftTable() const { return left_; }
    const Table& RightTable() const { return right_; }
    // The character at [col][row], or 0 outside the 6 x 6 grid.
    char32_t cell(Side table, int col, int row) const;
    // Rejects cells outside the 6 x 6 grid and characters outside SymbolAlphabet.
    bool setCell(Side table, int col, int row, char32_t character);

    // Both tables filled from a shuffled alphabet, then scrambled by an odd number of rotations.
    void ShuffleTables();
    // [col][row] is the top-left cell of the block, col and row 1..n-1; other blocks are ignored.
    void RotateClockwise(int col, int row, Side table);
    void RotateCounterClockwise(int col, int row, Side table);
    void rotate(Turn turn, int col, int row, Side table);
    // Compares columns and rows 1..n only.
    bool TablesEqual() const;

  private:
    Table& tableOf(Side side) { return side == Side::Left ? left_ : right_; }
    const Table& tableOf(Side side) const { return side == Side::Left ? left_ : right_; }
    bool validBlock(int col, int row) const;
    std::u32string shuffledAlphabet();
    void fillRightTable(std::u32string_view symbols);
    void scrambleByRotations();

    RandomSource& random_;
    int tableSize_ = DefaultSize;
    Table left_{};
    Table right_{};
};
