#include "puzzles/huxel/HuxelModel.h"

#include <algorithm>
#include <utility>

#include "app/core/RandomSource.h"

namespace {

constexpr int AlphabetExchanges = 1001;

bool inGrid(int col, int row)
{
    return col >= 1 && col <= HuxelModel::MaxSize && row >= 1 && row <= HuxelModel::MaxSize;
}

} // namespace

// Until the first shuffle both tables hold the alphabet in order, so every cell is defined.
HuxelModel::HuxelModel(RandomSource& random) : random_(random)
{
    for (int col = 1; col <= MaxSize; ++col) {
        for (int row = 1; row <= MaxSize; ++row)
            right_[col][row] = SymbolAlphabet[(col - 1) * MaxSize + row - 1];
    }
    left_ = right_;
}

void HuxelModel::setTableSize(int n)
{
    tableSize_ = std::clamp(n, MinSize, MaxSize);
}

char32_t HuxelModel::cell(Side table, int col, int row) const
{
    return inGrid(col, row) ? tableOf(table)[col][row] : 0;
}

bool HuxelModel::setCell(Side table, int col, int row, char32_t character)
{
    if (!inGrid(col, row) || SymbolAlphabet.find(character) == std::u32string_view::npos)
        return false;
    tableOf(table)[col][row] = character;
    return true;
}

void HuxelModel::ShuffleTables()
{
    fillRightTable(shuffledAlphabet());
    // The whole grid, unused cells included.
    left_ = right_;
    scrambleByRotations();
}

std::u32string HuxelModel::shuffledAlphabet()
{
    std::u32string symbols(SymbolAlphabet);
    const int count = static_cast<int>(symbols.size());
    for (int i = 0; i < AlphabetExchanges; ++i) {
        const int p = random_.Random(count);
        const int q = random_.Random(count);
        std::swap(symbols[p], symbols[q]);
    }
    return symbols;
}

// The first n symbols fill column 1 from the top, the next n column 2, and so on.
void HuxelModel::fillRightTable(std::u32string_view symbols)
{
    const int n = tableSize_;
    for (int col = 1; col <= n; ++col) {
        for (int row = 1; row <= n; ++row)
            right_[col][row] = symbols[(col - 1) * n + row - 1];
    }
}

// An odd number of four-cell cycles: the tables can never come out equal.
void HuxelModel::scrambleByRotations()
{
    const int n = tableSize_;
    const int rotations = n * n * 100 + 1;
    for (int i = 0; i < rotations; ++i) {
        const int d = random_.Random(2);
        const int t = random_.Random(2);
        const int row = random_.Random(n - 1) + 1;
        const int col = random_.Random(n - 1) + 1;
        const Side table = t == 0 ? Side::Left : Side::Right;
        rotate(d == 0 ? Turn::CounterClockwise : Turn::Clockwise, col, row, table);
    }
}

bool HuxelModel::validBlock(int col, int row) const
{
    return col >= 1 && col < tableSize_ && row >= 1 && row < tableSize_;
}

// Top-left moves right: TL -> TR -> BR -> BL -> TL.
void HuxelModel::RotateClockwise(int col, int row, Side table)
{
    if (!validBlock(col, row))
        return;
    Table& t = tableOf(table);
    const char32_t topLeft = t[col][row];
    t[col][row] = t[col][row + 1];
    t[col][row + 1] = t[col + 1][row + 1];
    t[col + 1][row + 1] = t[col + 1][row];
    t[col + 1][row] = topLeft;
}

// Top-left moves down: TL -> BL -> BR -> TR -> TL.
void HuxelModel::RotateCounterClockwise(int col, int row, Side table)
{
    if (!validBlock(col, row))
        return;
    Table& t = tableOf(table);
    const char32_t topLeft = t[col][row];
    t[col][row] = t[col + 1][row];
    t[col + 1][row] = t[col + 1][row + 1];
    t[col + 1][row + 1] = t[col][row + 1];
    t[col][row + 1] = topLeft;
}

void HuxelModel::rotate(Turn turn, int col, int row, Side table)
{
    if (turn == Turn::Clockwise)
        RotateClockwise(col, row, table);
    else
        RotateCounterClockwise(col, row, table);
}

bool HuxelModel::TablesEqual() const
{
    for (int col = 1; col <= tableSize_; ++col) {
        for (int row = 1; row <= tableSize_; ++row) {
            if (left_[col][row] != right_[col][row])
                return false;
        }
    }
    return true;
}
