#pragma once

#include <QPixmap>
#include <QToolButton>
#include <QWidget>

// The toolbar panel: its background picture with a raised inner edge.
class ToolPanel final : public QWidget {
  public:
    explicit ToolPanel(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

// A flat toolbar button showing cells of a glyph strip: normal, disabled, being pressed, latched.
class GlyphButton : public QToolButton {
    Q_OBJECT
  public:
    GlyphButton(QWidget* parent, const QString& glyph, QSize cell, int states);
};

// A level button that acts on the press, not the release, and tells where it was pressed: the
// place decides the direction. A disabled one does nothing.
class OptionButton final : public GlyphButton {
    Q_OBJECT
  public:
    using GlyphButton::GlyphButton;

  signals:
    void pressedAt(QPoint at);

  protected:
    // Quick presses arrive as double clicks, which Qt hands on to this as presses: each one counts.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
