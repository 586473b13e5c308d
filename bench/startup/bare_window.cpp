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

#include <chrono>
#define MARK(x) std::fprintf(stderr, "%s %lld\n", x, (long long)std::chrono::steady_clock::now().time_since_epoch().count()/1000)
int main(int argc, char** argv)
{MARK("main");
    QApplication app(argc, argv);
    MARK("app");
    BareWindow window;
    window.setFixedSize(500, 366);
    window.show();
    MARK("show");
    return app.exec();
}
