#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QPushButton;
class QWidget;

// The look the game's own dialogs share: a cut-out of the 320 x 200 dialog picture with thin black
// frames, push buttons with a small picture, and a place centred over the main window.

inline const QString DialogPicturePath = QStringLiteral(":/art/dialog.png");

// The dialog picture, decoded once and shared by every dialog that shows it.
const QImage& dialogPicture();

QPushButton* makePictureButton(QWidget* parent, const QString& name, const QRect& box,
                               const QString& iconPath);

// The bottom-left part of the picture in the dialog's size (a plain fill where the picture is
// missing), framed as a whole and at each of the given rectangles.
QImage framedBackground(const QImage& picture, QSize client, const std::vector<QRect>& frames);

// Centred over the main window's outer frame, caption included, even when that lies partly off
// the screen; the halves truncate toward zero.
QPoint centredOver(const QWidget& mainWindow, QSize client);

// Where a dialog goes over the main window: centred across it and, upward, on its client area
// rather than on its caption. The sizes are outer ones; before the window manager has framed the
// dialog once, its frame is taken to be as thick as the main window's.
QPoint placedOverClientArea(const QWidget& mainWindow, const QWidget& dialog);
