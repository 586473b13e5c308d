#pragma once

#include <QImage>
#include <QWidget>

// Shows the picture the puzzles draw into and reports the pointer in its own pixels.
class DrawingArea final : public QWidget {
    Q_OBJECT
  public:
    DrawingArea(const QImage& picture, QWidget* parent);

  signals:
    void pressed(Qt::MouseButton button, QPoint at);
    void moved(QPoint at);
    void painted();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const QImage& picture_;
};

// The invisible rules hotspot: it takes presses and pointer moves away from the puzzle below it.
class RulesHotspot final : public QWidget {
    Q_OBJECT
  public:
    explicit RulesHotspot(QWidget* parent);

  signals:
    void pressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
