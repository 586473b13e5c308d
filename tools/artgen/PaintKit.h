#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

// Shared palette and drawing pieces, so every picture of the program looks like one office.
namespace art {

namespace palette {
inline const QColor deskLight{0xC8, 0x9B, 0x6C};
inline const QColor deskDark{0xA9, 0x7A, 0x4E};
inline const QColor grain{0x8E, 0x62, 0x3B};
inline const QColor paper{0xFD, 0xFC, 0xF7};
inline const QColor paperShade{0xE6, 0xE1, 0xD3};
inline const QColor ink{0x23, 0x2B, 0x3A};
inline const QColor navy{0x2C, 0x4A, 0x7E};
inline const QColor signalRed{0xC8, 0x3A, 0x36};
inline const QColor leafGreen{0x3A, 0x8A, 0x4F};
inline const QColor amber{0xE8, 0xA8, 0x2C};
inline const QColor steelLight{0xF2, 0xF4, 0xF7};
inline const QColor steelDark{0xC9, 0xCF, 0xD8};
inline const QColor clipBoard{0x9A, 0x68, 0x3C};
inline const QColor clipMetal{0xB8, 0xBE, 0xC7};
} // namespace palette

QFont artFont(int pixelSize, bool bold = false);

QImage blankImage(int width, int height, QColor fill);
QImage transparentImage(int width, int height);

// A wooden desk top with a fixed grain, so every run draws the same pixels.
void paintDesk(QPainter& painter, const QRect& area, unsigned seed);

// A sheet of paper lying on the desk, with a soft shadow to the lower right.
void paintPaperSheet(QPainter& painter, const QRect& sheet, QColor paper = palette::paper);

// The rules sign: a clipboard holding a sheet with a large question mark.
void paintRulesClipboard(QPainter& painter, const QRect& area);

// A clipboard's metal clip: a rounded bar lit from above.
void paintMetalClip(QPainter& painter, const QRectF& clip, double radius);

// A small raised push button face; the caller draws the symbol inside `face`.
void paintRaisedButton(QPainter& painter, const QRect& face);

// Text centred in a rectangle.
void paintCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                      QColor color);

} // namespace art
