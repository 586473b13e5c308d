#include "app/widgets/HeldKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {
// The window a key event is on its way to: a widget's top-level widget, or the window itself.
QObject* windowOf(QObject* receiver)
{
    if (receiver->isWidgetType())
        return static_cast<QWidget*>(receiver)->window();
    if (auto* window = qobject_cast<QWindow*>(receiver)) {
        // A widget's window stands for its top-level widget, as the widgets' events name it.
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->windowHandle() == window)
                return top;
        }
        return window;
    }
    return nullptr;
}
} // namespace

HeldKeys::HeldKeys(QObject* parent) : QObject(parent)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool HeldKeys::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    QObject* window = windowOf(watched);
    if (!window)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const int code = key.key();
    const auto found = held_.find(code);
    // X repeats a held key as a release and a press at the same moment; when the program was
    // busy meanwhile, the pair may come without its repeat mark.
    const bool repeat =
        key.isAutoRepeat() || (type == QEvent::KeyPress && found != held_.end() && found->second.releasedAt &&
                               key.timestamp() != 0 && *found->second.releasedAt == key.timestamp());
    if (!repeat) {
        if (type == QEvent::KeyPress) {
            held_[code] = {window, false, std::nullopt};
            return false;
        }
        // The key is let go: its release goes where its press went, or nowhere.
        if (found == held_.end())
            return false;
        Held& held = found->second;
        if (!held.dropping && held.window == window && !held.releasedAt) {
            held_.erase(found);
            return false;
        }
        held.dropping = true;
        held.releasedAt = key.timestamp();
        return true;
    }
    if (found == held_.end())
        return false;
    Held& held = found->second;
    held.releasedAt.reset();
    if (held.window != window)
        held.dropping = true;
    return held.dropping;
}
