#pragma once

#include <QSplashScreen>
#include <QTimer>

class QEventLoop;

// The start-up picture: frameless, above every window, centred on the screen. It hides itself
// after three seconds or at a click, and is not shown again.
class TSplash : public QSplashScreen {
    Q_OBJECT
  public:
    static constexpr int ShowMs = 3000;
    // How long start-up waits at most for the window system to show the picture.
    static constexpr int FirstPaintWaitMs = 500;

    TSplash();

    // Shows the picture and returns once it has been painted on the screen, so that it is there
    // while the rest of the program loads.
    void showAndPaint();

    bool painted() const { return painted_; }

  protected:
    void drawContents(QPainter* painter) override;

  private:
    QTimer hideTimer_;
    QEventLoop* waitingForPaint_ = nullptr;
    bool painted_ = false;
};
