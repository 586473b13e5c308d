#include "app/dialogs/Splash.h"

#include <QEventLoop>
#include <QPixmap>

#include "app/core/Picture.h"

namespace {
const char* const SplashPicturePath = ":/art/splash.png";
} // namespace

TSplash::TSplash()
    : QSplashScreen(QPixmap::fromImage(pngPicture(SplashPicturePath)), Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Splash"));
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(ShowMs);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
    hideTimer_.start();
}

void TSplash::showAndPaint()
{
    show();
    if (painted_)
        return;
    QEventLoop loop;
    waitingForPaint_ = &loop;
    QTimer::singleShot(FirstPaintWaitMs, &loop, &QEventLoop::quit);
    // Clicks wait for the loop of the game; the window system's answers do not.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    waitingForPaint_ = nullptr;
}

// The picture is all there is; no message text is drawn over it.
void TSplash::drawContents(QPainter*)
{
    painted_ = true;
    if (waitingForPaint_)
        waitingForPaint_->quit();
}
