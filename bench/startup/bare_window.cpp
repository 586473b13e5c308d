// The yardstick for start-up: a bare Qt window of the game's size that ends after its first paint.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "first_frame_report.h"

namespace {
class BareWindow final : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::white);
        if (!reported_) {
            reported_ = true;
            reportFirstFrame();
        }
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }

  private:
    bool reported_ = false;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.setFixedSize(500, 366);
    window.show();
    return app.exec();
}
