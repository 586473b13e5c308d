#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// The clock's caption in lime on the dark clock panel. The words the game uses come as pictures
// drawn at build time, so showing the main window needs no font; any other word is drawn in the
// largest size up to 12 pixels that fits the box.
class ClockCaption final : public QWidget {
    Q_OBJECT
  public:
    explicit ClockCaption(QWidget* parent);

    void setText(const QString& text);
    QString text() const { return text_; }
    // Whether the caption is shown from a picture rather than drawn in a font.
    bool fromPicture() const { return !picture_.isNull(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QImage picture_;
};
