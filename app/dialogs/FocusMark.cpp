#include "app/dialogs/FocusMark.h"

#include <QApplication>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <utility>

namespace {
const QColor MarkColor(0x00, 0x40, 0xFF);
constexpr int MarkWidth = 2;

// True from a key press until the event loop runs again: a dialog shown then opened on a key.
bool keyBeingHandled = false;

class MarkFrame final : public QFocusFrame {
  public:
    explicit MarkFrame(QWidget* parent) : QFocusFrame(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    // A solid ring just outside the control, whatever the style's own focus frame looks like.
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(MarkColor, MarkWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            QRectF(rect()).adjusted(MarkWidth / 2.0, MarkWidth / 2.0, -MarkWidth / 2.0, -MarkWidth / 2.0));
    }
};

bool inside(const QWidget* widget, const QWidget* dialog)
{
    return widget && widget != dialog && dialog->isAncestorOf(widget);
}
} // namespace

FocusMark::FocusMark(QWidget* dialog) : QObject(dialog), dialog_(dialog), frame_(new MarkFrame(dialog))
{
    frame_->hide();
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FocusMark::follow);
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: // a key that runs a shortcut comes as this alone
    case QEvent::KeyPress:
        if (!keyBeingHandled) {
            keyBeingHandled = true;
            QTimer::singleShot(0, qApp, [] { keyBeingHandled = false; });
        }
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == dialog_ && !keyboard_) {
            keyboard_ = true;
            follow();
        }
        break;
    case QEvent::MouseButtonPress:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == dialog_ && keyboard_) {
            keyboard_ = false;
            follow();
        }
        break;
    case QEvent::Show:
        if (watched == dialog_) {
            // Taken by the first window that shows: a key long gone opens nothing.
            keyboard_ = std::exchange(keyBeingHandled, false);
            follow();
            // The dialog gives a control the focus as it shows, after this.
            QTimer::singleShot(0, this, &FocusMark::follow);
        }
        break;
    default:
        break;
    }
    return false;
}

void FocusMark::follow()
{
    if (!frame_)
        return;
    QWidget* focus = dialog_->focusWidget();
    const bool show = keyboard_ && dialog_->isVisible() && inside(focus, dialog_);
    frame_->setWidget(show ? focus : nullptr);
    if (show) {
        frame_->setVisible(focus->isVisible());
        frame_->update();
    }
}

bool FocusMark::showing() const
{
    return frame_ && frame_->isVisible();
}

QWidget* FocusMark::marked() const
{
    return frame_ ? frame_->widget() : nullptr;
}
