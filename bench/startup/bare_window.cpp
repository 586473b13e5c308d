// The yardstick for start-up: a bare Qt window of the game's size that paints itself and stays
// until the benchmark ends it.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {
class BareWindow final : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
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
