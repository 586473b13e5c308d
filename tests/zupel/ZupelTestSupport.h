#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzles/zupel/Zupel.h"
#include "support/FakeShell.h"

// A table written row by row, one character per column: a digit, '$' for an expense, '.' empty.
using TableText = std::vector<std::string>;

inline void SetTable(ZupelModel& model, const TableText& rows, int column, int row, bool rowBar)
{
    const int k = static_cast<int>(rows.size());
    model.setMode(k);
    for (int b = 1; b <= k; ++b) {
        for (int a = 1; a <= k; ++a) {
            const char c = rows[b - 1].at(a - 1);
            model.setCell(a, b, c == '$' ? ZupelModel::Expense : c == '.' ? ZupelModel::Empty : c - '0');
        }
    }
    model.setCurrent(column, row, rowBar);
}

inline TableText TableOf(const ZupelModel& model)
{
    TableText rows;
    for (int b = 1; b <= model.mode(); ++b) {
        std::string row;
        for (int a = 1; a <= model.mode(); ++a) {
            const int value = model.cell(a, b);
            row += value < 0 ? '$' : value == 0 ? '.' : static_cast<char>('0' + value);
        }
        rows.push_back(row);
    }
    return rows;
}

inline int DigitSum(const ZupelModel& model)
{
    int sum = 0;
    for (int a = 1; a <= model.mode(); ++a) {
        for (int b = 1; b <= model.mode(); ++b)
            sum += std::max(0, model.cell(a, b));
    }
    return sum;
}

// A ZUPEL module on a fake shell (white background) with a hand-made table, painted and with
// clean records.
class ZupelFixture : public testing::Test {
  protected:
    void SetUpTable(const TableText& rows, int column, int row, bool rowBar,
                    PlayState state = PlayState::Fresh)
    {
        SetTable(zupel.model(), rows, column, row, rowBar);
        shell.state = state;
        zupel.PaintPuzzle();
        shell.clearRecords();
    }

    FakeShell shell;
    Zupel zupel{shell};
};
