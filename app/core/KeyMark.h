#pragma once

#include <QImage>
#include <QRect>
#include <optional>

class ShellServices;

// The keyboard cursor's frame round a place the mouse never marks (a switch, a button): two
// pixels, blue outside and yellow inside, drawn on the screen only. The pixels under it are kept
// and given back exactly when it goes.
class KeyMark {
  public:
    // Moves the frame to rect (the place's own pixels; the frame lies on its outer two).
    void show(ShellServices& services, const QRect& rect);
    void hide(ShellServices& services);
    // After a full redraw painted over the frame: the pixels under it are new, so keep those and
    // draw the frame again.
    void redraw(ShellServices& services);
    // The whole picture is about to be painted anew without the frame: nothing to give back.
    void forget() { under_.reset(); }
    bool shown() const { return under_.has_value(); }
    const QRect& rect() const { return rect_; }

  private:
    void draw(ShellServices& services);

    QRect rect_;
    std::optional<QImage> under_;
};
