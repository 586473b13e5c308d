#pragma once

#include <QTimer>

// Stops the clock timer for a scope and starts it again on every way out, so a dialog opened
// from the toolbar never lets the clock count behind it.
class ClockPause {
  public:
    explicit ClockPause(QTimer& timer) : timer_(timer) { timer_.stop(); }
    ~ClockPause() { timer_.start(); }
    ClockPause(const ClockPause&) = delete;
    ClockPause& operator=(const ClockPause&) = delete;

  private:
    QTimer& timer_;
};
