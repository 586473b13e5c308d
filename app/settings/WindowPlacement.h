#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// The main window's stored placement: "200,flags,show,left,top,right,bottom", right and bottom
// exclusive (right = left + width). The shell keeps it as "MainForm" in section "common".

QString placementText(int flags, int showCommand, const QRect& normalRect);

// The top-left at which to show a window of outerSize, from a stored placement text, pulled back onto
// the desktop. nullopt when the text has another form; the caller then centres the window.
std::optional<QPoint> restoredWindowPosition(const QString& stored, const QSize& outerSize,
                                             const QRect& desktop);
