#pragma once

#include <gtest/gtest.h>

#include "puzzles/pliva/Pliva.h"
#include "support/FakeShell.h"

// A PLIVA module on a fake shell with a hand-made curve. Limits -6..12 put value 0 on y = 184
// and highLimit on y = 30.
class PlivaFixture : public testing::Test {
  protected:
    static constexpr int Low = -6;
    static constexpr int High = 12;
    static constexpr int ZeroY = 184;

    // A flat curve at 0 and unit arrows: column j moves point j by one.
    void SetUpCurve(int n)
    {
        PlivaModel& model = pliva.model();
        model.setMode(n);
        ASSERT_TRUE(model.setCurve({}, Low, High));
        for (int j = 1; j <= n; ++j) {
            PlivaModel::Values unit{};
            unit[j] = 1;
            model.setArrowColumn(j, unit);
        }
        shell.state = PlayState::Fresh;
        pliva.MouseMove(0, 0);
        pliva.PaintPuzzle();
        shell.clearRecords();
    }

    void SetValues(const PlivaModel::Values& values)
    {
        ASSERT_TRUE(pliva.model().setCurve(values, Low, High));
        pliva.PaintPuzzle();
        shell.clearRecords();
    }

    FakeShell shell;
    Pliva pliva{shell};
};
