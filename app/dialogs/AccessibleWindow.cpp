#include "app/dialogs/AccessibleWindow.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {
const char* const WindowRole = "frobnyAccessibleWindow";

QAccessibleInterface* windowFactory(const QString&, QObject* object)
{
    if (object && object->isWidgetType() && object->property(WindowRole).toBool())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}
} // namespace

void markAsAccessibleWindow(QWidget* window)
{
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    (void)installed;
    window->setProperty(WindowRole, true);
}
