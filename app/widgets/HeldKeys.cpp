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
    // A key that runs a shortcut reaches the window only as its shortcut override: that is where
    // its first press is seen, and where a repeat in another window is kept from its shortcuts.
    const bool override = type == QEvent::ShortcutOverride;
    const bool press = type == QEvent::KeyPress || override;
    if (!press && type != QEvent::KeyRelease)
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
        key.isAutoRepeat() || (press && found != held_.end() && found->second.releasedAt &&
                               key.timestamp() != 0 && *found->second.releasedAt == key.timestamp());
    if (!repeat) {
        if (press) {
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
    // The press that follows this override is the same repeat: it must still be known as one.
    if (!override)
        held.releasedAt.reset();
    if (held.window != window)
        held.dropping = true;
    if (held.dropping && override)
        event->accept(); // the window wants the key itself, so none of its shortcuts runs
    return held.dropping;
}
