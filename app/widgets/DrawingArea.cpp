#include "app/widgets/DrawingArea.h"

#include <QMouseEvent>
#include <QPainter>

DrawingArea::DrawingArea(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // On a scaled screen every picture pixel becomes a sharp block of device pixels, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(event->rect(), picture_, event->rect());
    emit painted();
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->position().toPoint());
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->position().toPoint());
}

RulesHotspot::RulesHotspot(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void RulesHotspot::mousePressEvent(QMouseEvent*)
{
    emit pressed();
}

void RulesHotspot::mouseMoveEvent(QMouseEvent*) {}
