#include "app/dialogs/DialogLook.h"

#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include "app/core/Canvas.h"

namespace {
constexpr int PictureHeight = 200;
constexpr ColorRef Black = colorRef(0, 0, 0);
// Stands in for the picture when it is missing, so the frames and text stay readable.
constexpr ColorRef PlainFill = colorRef(0xE0, 0xE0, 0xE0);
} // namespace

QPushButton* makePictureButton(QWidget* parent, const QString& name, const QRect& box,
                               const QString& iconPath)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(box);
    const QPixmap icon(iconPath);
    if (!icon.isNull())
        button->setIcon(icon);
    return button;
}

QImage framedBackground(const QImage& picture, QSize client, const std::vector<QRect>& frames)
{
    QImage image(client, QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.fillRect(0, 0, client.width(), client.height(), PlainFill);
    if (!picture.isNull()) {
        const QRect source(0, PictureHeight - client.height(), client.width(), client.height());
        canvas.copyFrom(picture, source, QPoint(0, 0));
    }
    canvas.setPen(Black);
    canvas.setNoBrush();
    canvas.rectangle(0, 0, client.width(), client.height());
    for (const QRect& frame : frames)
        canvas.rectangle(frame.left(), frame.top(), frame.left() + frame.width(),
                         frame.top() + frame.height());
    return image;
}

QPoint centredOver(const QWidget& mainWindow, QSize client)
{
    const QRect outer = mainWindow.frameGeometry();
    return {outer.left() + (outer.width() - client.width()) / 2,
            outer.top() + (outer.height() - client.height()) / 2};
}

const QImage& dialogPicture()
{
    static const QImage picture(DialogPicturePath);
    return picture;
}

QPoint placedOverClientArea(const QWidget& mainWindow, const QWidget& dialog)
{
    const QRect main = mainWindow.frameGeometry();
    QSize outer = dialog.frameGeometry().size();
    if (outer == dialog.size())
        outer += main.size() - mainWindow.size();
    return QPoint(main.left() + (main.width() - outer.width()) / 2,
                  main.top() + main.height() - (mainWindow.height() + outer.height()) / 2);
}
