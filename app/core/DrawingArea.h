#pragma once

#include <QRect>
#include <QSize>

// The drawing area below the toolbar: every puzzle coordinate is a pixel of it.
inline constexpr QSize DrawingAreaSize(500, 333);
inline constexpr QRect DrawingAreaRect(0, 0, 500, 333);
