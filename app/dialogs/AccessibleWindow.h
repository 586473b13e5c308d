#pragma once

class QWidget;

// Tells screen readers that a plain top-level widget is a window (a frame on AT-SPI), not a
// filler; a QWidget would otherwise report itself as a client area.
void markAsAccessibleWindow(QWidget* window);
