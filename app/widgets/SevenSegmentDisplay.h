#pragma once

#include <QWidget>

// A six-digit seven-segment counter: lit segments lime, unlit dark green, right-aligned.
// A negative count shows a minus sign (the middle segment) before its digits.
class SevenSegmentDisplay final : public QWidget {
    Q_OBJECT
  public:
    explicit SevenSegmentDisplay(QWidget* parent = nullptr);

    void display(int value);
    int value() const { return value_; }
    // The six characters shown, blanks for unlit positions ("    42", "   -17").
    QString shownText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int value_ = 0;
};
