#pragma once

#include <QImage>

// The four puzzle backgrounds. Each keeps the areas the game draws over plain and light,
// and puts the rules sign under the puzzle's rules hotspot.
namespace art {

QImage plivaBackground();
QImage zupelBackground();
QImage vexorBackground();
// 500 x 533: rows 0..332 the visible area, and 233 rows below each table cell its highlighted look.
QImage huxelBackground();

constexpr int huxelHighlightOffset = 233;

} // namespace art
