#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// The main window's stored placement: "200,flags,show,left,top,right,bottom", right and bottom
// exclusive (right = left + width). The shell keeps it as "MainForm" in section "common".

QString placementText(int flags, int showCommand, const QRect& normalRect);

// The top-left of a window of the given size moved back onto the desktop: the right edge, then the
// bottom, then the left, then the top.
QPoint pulledOntoDesktop(QPoint topLeft, const QSize& size, const QRect& desktop);

// The top-left at which to show a window of outerSize, from a stored placement text, pulled back onto
// the desktop. nullopt when the text has another form; the caller then centres the window.
std::optional<QPoint> restoredWindowPosition(const QString& stored, const QSize& outerSize,
                                             const QRect& desktop);
