#include "app/widgets/SevenSegmentDisplay.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPainter>
#include <array>
#include <cstdlib>

namespace {
constexpr int digitCount = 6;
constexpr int segmentAcross = 8; // horizontal segment length
constexpr int segmentDown = 6;   // vertical segment length
constexpr int digitPitch = 13;
const QColor litColor(0x00, 0xFF, 0x00);
const QColor unlitColor(0x00, 0x80, 0x00);

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left, f upper left, g middle.
int segmentsOf(QChar c)
{
    static const std::array<int, 10> digits = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    if (c.isDigit())
        return digits[c.digitValue()];
    if (c == QLatin1Char('-'))
        return 0x40;
    return 0;
}

void drawDigit(QPainter& p, int left, int top, int lit)
{
    const int x0 = left + 1, x1 = left + 2 + segmentAcross;
    const int y0 = top, y1 = top + segmentDown + 1, y2 = top + 2 * segmentDown + 2;
    const std::array<QLine, 7> segments = {
        QLine(x0 + 1, y0, x0 + segmentAcross, y0), // a
        QLine(x1, y0 + 1, x1, y0 + segmentDown),   // b
        QLine(x1, y1 + 1, x1, y1 + segmentDown),   // c
        QLine(x0 + 1, y2, x0 + segmentAcross, y2), // d
        QLine(x0, y1 + 1, x0, y1 + segmentDown),   // e
        QLine(x0, y0 + 1, x0, y0 + segmentDown),   // f
        QLine(x0 + 1, y1, x0 + segmentAcross, y1), // g
    };
    for (int i = 0; i < 7; ++i) {
        p.setPen(lit & (1 << i) ? litColor : unlitColor);
        p.drawLine(segments[i]);
    }
}

// A screen reader reads the counter as a clock with a value, not as a picture.
class CounterAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit CounterAccessible(SevenSegmentDisplay* counter)
        : QAccessibleWidget(counter, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(counter()->value());
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return counter()->value(); }
    void setCurrentValue(const QVariant&) override {} // the clock is read, not set
    QVariant maximumValue() const override { return 999999; }
    QVariant minimumValue() const override { return -99999; }
    QVariant minimumStepSize() const override { return 1; }

  private:
    SevenSegmentDisplay* counter() const { return static_cast<SevenSegmentDisplay*>(widget()); }
};

QAccessibleInterface* counterAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("SevenSegmentDisplay") && object->isWidgetType())
        return new CounterAccessible(static_cast<SevenSegmentDisplay*>(object));
    return nullptr;
}
} // namespace

SevenSegmentDisplay::SevenSegmentDisplay(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool factoryInstalled = (QAccessible::installFactory(counterAccessible), true);
    Q_UNUSED(factoryInstalled);
}

void SevenSegmentDisplay::display(int value)
{
    if (value == value_)
        return;
    value_ = value;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, value);
        QAccessible::updateAccessibility(&changed);
    }
}

QString SevenSegmentDisplay::shownText() const
{
    // Six positions: counts beyond them keep their last digits, as a real counter would.
    QString digits = QString::number(std::abs(static_cast<long long>(value_)));
    const int room = value_ < 0 ? digitCount - 1 : digitCount;
    if (digits.size() > room)
        digits = digits.right(room);
    if (value_ < 0)
        digits.prepend(QLatin1Char('-'));
    return digits.rightJustified(digitCount, QLatin1Char(' '));
}

void SevenSegmentDisplay::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QString text = shownText();
    const int left = width() - digitCount * digitPitch;
    const int top = (height() - (2 * segmentDown + 3)) / 2;
    for (int i = 0; i < digitCount; ++i)
        drawDigit(p, left + i * digitPitch, top, segmentsOf(text[i]));
}
