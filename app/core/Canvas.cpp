#include "app/core/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>

namespace {

// GDI's own coordinate space is 27 bits wide; clamping keeps every product below 64 bits.
constexpr int CoordinateLimit = 1 << 27;

int clampCoordinate(int value)
{
    return std::clamp(value, -CoordinateLimit, CoordinateLimit);
}

QPoint clampPoint(QPoint point)
{
    return {clampCoordinate(point.x()), clampCoordinate(point.y())};
}

long long floorDiv(long long numerator, long long denominator)
{
    const long long quotient = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}

long long ceilDiv(long long numerator, long long denominator)
{
    return -floorDiv(-numerator, denominator);
}

// The pixels of one drawing call. Copies paint at once; inversions wait for finish(), so a pixel
// that several parts of the call cover (polyline joints, fill under outline) flips only once.
class PixelSink {
  public:
    PixelSink(QImage& image, bool invert)
        : bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()), height_(image.height()),
          invert_(invert)
    {
    }
    PixelSink(const PixelSink&) = delete;
    PixelSink& operator=(const PixelSink&) = delete;
    ~PixelSink() { finish(); }

    int width() const { return width_; }
    int height() const { return height_; }
    void setColor(ColorRef color) { rgb_ = 0xFF000000u | toQRgb(color); }

    void plot(long long x, long long y)
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return;
        if (invert_)
            touched_.push_back(static_cast<long long>(y) * width_ + x);
        else
            row(static_cast<int>(y))[x] = rgb_;
    }

    // Pixels [left, right) of row y.
    void span(long long y, long long left, long long right)
    {
        if (y < 0 || y >= height_)
            return;
        left = std::max(left, 0LL);
        right = std::min(right, static_cast<long long>(width_));
        for (long long x = left; x < right; ++x)
            plot(x, y);
    }

    void finish()
    {
        std::sort(touched_.begin(), touched_.end());
        touched_.erase(std::unique(touched_.begin(), touched_.end()), touched_.end());
        for (long long index : touched_)
            row(static_cast<int>(index / width_))[index % width_] ^= 0x00FFFFFFu;
        touched_.clear();
    }

  private:
    QRgb* row(int y) { return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_); }

    uchar* bits_;
    qsizetype stride_;
    int width_;
    int height_;
    bool invert_;
    QRgb rgb_ = 0xFF000000u;
    std::vector<long long> touched_;
};

// Steps of a thin line that can land inside [0, size) on its major axis.
struct StepRange {
    long long first;
    long long end;
};

StepRange visibleSteps(long long start, int direction, long long steps, int size)
{
    if (direction > 0)
        return {std::max(0LL, -start), std::min(steps, size - start)};
    return {std::max(0LL, start - (size - 1)), std::min(steps, start + 1)};
}

// Calls visit(x, y, step) for each pixel of a thin line, the end point left out. Where the ideal
// line passes exactly halfway between two pixels, GDI takes the one with the smaller coordinate.
template <typename Visit> void walkLine(QPoint from, QPoint to, int width, int height, Visit visit)
{
    const long long dx = to.x() - from.x();
    const long long dy = to.y() - from.y();
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0)
        return;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long major = xMajor ? from.x() : from.y();
    const long long minor = xMajor ? from.y() : from.x();
    const long long minorDelta = xMajor ? dy : dx;
    const int direction = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const StepRange range = visibleSteps(major, direction, steps, xMajor ? width : height);
    for (long long i = range.first; i < range.end; ++i) {
        const long long along = major + direction * i;
        const long long across = minor + ceilDiv(2 * i * minorDelta - steps, 2 * steps);
        if (xMajor)
            visit(along, across, i);
        else
            visit(across, along, i);
    }
}

// Returns the dot pattern's phase after the line, so that a polyline continues it.
long long thinLine(PixelSink& sink, QPoint from, QPoint to, bool dotted, long long phase = 0)
{
    walkLine(from, to, sink.width(), sink.height(), [&](long long x, long long y, long long step) {
        // Dots: three pixels on, three off.
        if (!dotted || (phase + step) % 6 < 3)
            sink.plot(x, y);
    });
    return phase + std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
}

// ALTERNATE fill at integer points: a pixel belongs to a span [left, right) between the crossings
// of its row with the polygon's edges, counting an edge from its top end up to its bottom end.
void fillPolygon(PixelSink& sink, const std::vector<QPoint>& points)
{
    if (points.size() < 3)
        return;
    auto [lowest, highest] =
        std::minmax_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    const long long top = std::max(0, lowest->y());
    const long long bottom = std::min(sink.height(), highest->y());
    std::vector<long long> crossings;
    for (long long y = top; y < bottom; ++y) {
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const QPoint a = points[i];
            const QPoint b = points[(i + 1) % points.size()];
            if ((a.y() <= y && y < b.y()) || (b.y() <= y && y < a.y()))
                crossings.push_back(a.x() + ceilDiv((y - a.y()) * (b.x() - a.x()), b.y() - a.y()));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            sink.span(y, crossings[i], crossings[i + 1]);
    }
}

// The round dot a wide pen leaves at a point: GDI's elliptic region of the pen's width.
void penDot(PixelSink& sink, QPoint centre, int width)
{
    if (width == 2) {
        sink.span(centre.y() - 1, centre.x() - 1, centre.x() + 1);
        sink.span(centre.y(), centre.x() - 1, centre.x() + 1);
        return;
    }
    sink.plot(centre.x(), centre.y() - 1);
    sink.span(centre.y(), centre.x() - 1, centre.x() + 2);
    sink.plot(centre.x(), centre.y() + 1);
}

int awayFromZero(double value)
{
    return static_cast<int>(value < 0 ? std::floor(value) : std::ceil(value));
}

int nearest(double value)
{
    return static_cast<int>(std::floor(value + 0.5));
}

// The straight body of a wide segment: a polygon with integer corners, the segment moved sideways
// by half the pen width to each side. Measured against GDI: the side facing right (or down, for
// a level line) is rounded away from the line, the other side to the nearest pixel.
void wideBody(PixelSink& sink, QPoint from, QPoint to, int width)
{
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double length = std::hypot(dx, dy);
    if (length == 0)
        return;
    const double half = width / 2.0;
    double sideX = dy / length * half;
    double sideY = -dx / length * half;
    if (sideX < 0 || (sideX == 0 && sideY < 0)) {
        sideX = -sideX;
        sideY = -sideY;
    }
    const QPoint outer(awayFromZero(sideX), awayFromZero(sideY));
    const QPoint inner(nearest(-sideX), nearest(-sideY));
    fillPolygon(sink, {from + outer, to + outer, to + inner, from + inner});
}

void wideLine(PixelSink& sink, QPoint from, QPoint to, int width)
{
    penDot(sink, from, width);
    penDot(sink, to, width);
    wideBody(sink, from, to, width);
}

struct Stroke {
    int width = 1;
    bool dotted = false;
};

// Strokes the lines between consecutive points (and back to the first when closed). Within one
// stroke the dot pattern runs on across the corners, as in GDI's Polyline.
void strokePolyline(PixelSink& sink, const std::vector<QPoint>& points, const Stroke& stroke, bool closed)
{
    if (points.size() < 2)
        return;
    long long phase = 0;
    const size_t lines = closed ? points.size() : points.size() - 1;
    for (size_t i = 0; i < lines; ++i) {
        const QPoint from = points[i];
        const QPoint to = points[(i + 1) % points.size()];
        if (stroke.width > 1)
            wideLine(sink, from, to, stroke.width);
        else
            phase = thinLine(sink, from, to, stroke.dotted, phase);
    }
}

// A box with its corners in order. GDI's FillRect paints a reversed rectangle like a negative
// extent, from the start edge backward, which moves it one pixel against the ordered one.
QRect orderedBox(int left, int top, int right, int bottom, bool reversedFromStart = false)
{
    const int shift = reversedFromStart ? 1 : 0;
    if (left > right)
        std::swap(left, right), left += shift, right += shift;
    if (top > bottom)
        std::swap(top, bottom), top += shift, bottom += shift;
    return QRect(QPoint(clampCoordinate(left), clampCoordinate(top)),
                 QPoint(clampCoordinate(right) - 1, clampCoordinate(bottom) - 1));
}

void fillBox(PixelSink& sink, long long left, long long top, long long right, long long bottom)
{
    for (long long y = std::max(0LL, top); y < std::min(bottom, static_cast<long long>(sink.height())); ++y)
        sink.span(y, left, right);
}

// Up to this size the ellipse error terms fit in 64 bits.
constexpr int ExactEllipseLimit = 1 << 15;

// GDI walks an ellipse's quadrant in two parts, each time taking the next point whose error
// b^2 x^2 + a^2 y^2 - a^2 b^2 is the smaller: row by row up the steep part from the widest row, and
// column by column along the flat part from the top. Here in half pixels (a and b are the box's
// width and height less one), so that boxes of even size centre on a pixel edge.
class QuadrantWalk {
  public:
    QuadrantWalk(long long a, long long b) : a_(a), b_(b) {}

    long long error(long long x, long long y) const
    {
        return b_ * b_ * x * x + a_ * a_ * y * y - a_ * a_ * b_ * b_;
    }

    // Points of the flat part, from the middle column outward while the slope stays flat, left of
    // column limit.
    std::vector<std::pair<long long, long long>> flatPart(long long limit) const
    {
        std::vector<std::pair<long long, long long>> points;
        for (long long x = a_ % 2, y = b_; b_ * b_ * x <= a_ * a_ * y && x < limit; x += 2) {
            points.emplace_back(x, y);
            if (error(x + 2, y) + error(x + 2, y - 2) > 0)
                y -= 2;
        }
        return points;
    }

  private:
    long long a_;
    long long b_;
};

// The reach of the ellipse's first quadrant per row, in half pixels from the centre (index: the
// row's distance from the centre in half pixels; -1 where the row stays empty).
std::vector<long long> quadrantReach(long long a, long long b)
{
    const QuadrantWalk walk(a, b);
    std::vector<long long> reach(b + 1, -1);
    auto mark = [&](long long x, long long y) {
        if (x >= 0 && y >= 0 && y <= b)
            reach[y] = std::max(reach[y], x);
    };
    // The steep part always starts with the widest row, even where the slope is already flat.
    long long x = a, y = b % 2;
    do {
        mark(x, y);
        y += 2;
        if (walk.error(x, y) + walk.error(x - 2, y) >= 0)
            x -= 2;
    } while (b * b * x >= a * a * y);
    // A narrow ellipse may reach its middle column first: that point is then its top.
    if (x <= a % 2) {
        mark(x, y);
        return reach;
    }
    // Where the steep part stopped, the flat part takes over; if the flat part never reaches that
    // row, the stopping point stays and the flat part ends short of its column.
    auto flat = walk.flatPart(std::numeric_limits<long long>::max());
    const bool stopRowReached =
        std::any_of(flat.begin(), flat.end(), [&](const auto& point) { return point.second == y; });
    if (y <= b && !stopRowReached) {
        mark(x, y);
        flat = walk.flatPart(x);
    }
    for (const auto& [flatX, flatY] : flat)
        mark(flatY == y ? std::min(flatX, x) : flatX, flatY);
    return reach;
}

// The rows of GDI's ellipse in a box: span [left, right) of each row, row 0 at the box's top.
class EllipseRows {
  public:
    EllipseRows(const QRect& box, bool filledWhole)
        : left_(box.left()), width_(std::max(0, box.width())), height_(std::max(0, box.height())),
          whole_(filledWhole || width_ <= 2 || height_ <= 2)
    {
        if (width_ == 1 && height_ == 1 && !filledWhole)
            height_ = 0;
        exact_ = width_ <= ExactEllipseLimit && height_ <= ExactEllipseLimit;
        if (!whole_ && exact_)
            reach_ = quadrantReach(width_ - 1, height_ - 1);
    }

    long long count() const { return height_; }

    std::pair<long long, long long> span(long long row) const
    {
        if (row < 0 || row >= height_)
            return {left_, left_};
        if (whole_)
            return {left_, left_ + width_};
        const long long a = width_ - 1, b = height_ - 1;
        const long long y = std::llabs(2 * row - b);
        const long long x = exact_ ? reach_[y] : idealReach(a, b, y);
        if (x < 0)
            return {left_, left_};
        return {left_ + (a - x) / 2, left_ + (a + x) / 2 + 1};
    }

  private:
    // Boxes beyond the exact range reach far outside any picture; there the ideal ellipse will do.
    static long long idealReach(long long a, long long b, long long y)
    {
        const double v = double(y) / double(b);
        const auto x = static_cast<long long>(double(a) * std::sqrt(std::max(0.0, 1 - v * v)));
        return x - ((a - x) % 2 != 0 ? 1 : 0);
    }

    long long left_;
    long long width_;
    long long height_;
    bool whole_;
    bool exact_ = true;
    std::vector<long long> reach_;
};

} // namespace

Canvas::Canvas(QImage& image) : image_(image)
{
    // The rasteriser writes 32-bit pixels; other formats are converted once, in place.
    const auto format = image_.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied && !image_.isNull())
        image_.convertTo(image_.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

void Canvas::setPen(ColorRef color, int width, PenStyle style, PenMode mode)
{
    pen_.color = color;
    // Dotted pens are always thin; wider solid pens than 3 are not needed and drawn as 3.
    pen_.width = style == PenStyle::Dot ? 1 : std::clamp(width, 1, 3);
    pen_.style = style;
    pen_.mode = mode;
    pen_.visible = true;
}

void Canvas::setNoPen()
{
    pen_.visible = false;
}

void Canvas::setBrush(ColorRef color)
{
    brush_.color = color;
    brush_.visible = true;
}

void Canvas::setNoBrush()
{
    brush_.visible = false;
}

void Canvas::moveTo(int x, int y)
{
    position_ = clampPoint({x, y});
}

void Canvas::lineTo(int x, int y)
{
    line(position_.x(), position_.y(), x, y);
    position_ = clampPoint({x, y});
}

void Canvas::line(int x0, int y0, int x1, int y1)
{
    polyline({{x0, y0}, {x1, y1}});
}

void Canvas::polyline(const std::vector<QPoint>& points)
{
    if (!pen_.visible)
        return;
    std::vector<QPoint> clamped(points.size());
    std::transform(points.begin(), points.end(), clamped.begin(), clampPoint);
    PixelSink sink(image_, pen_.mode == PenMode::Invert);
    sink.setColor(pen_.color);
    strokePolyline(sink, clamped, {pen_.width, pen_.style == PenStyle::Dot}, false);
}

void Canvas::fillRect(int left, int top, int right, int bottom, ColorRef color)
{
    const QRect box = orderedBox(left, top, right, bottom, true);
    PixelSink sink(image_, false);
    sink.setColor(color);
    fillBox(sink, box.left(), box.top(), box.right() + 1LL, box.bottom() + 1LL);
}

void Canvas::rectangle(int left, int top, int right, int bottom)
{
    const QRect box = orderedBox(left, top, right, bottom);
    const long long l = box.left(), t = box.top(), r = box.right() + 1LL, b = box.bottom() + 1LL;
    PixelSink sink(image_, pen_.mode == PenMode::Invert);
    // Without a pen GDI leaves out the right and bottom edge, where the outline would be.
    const int inset = pen_.visible ? 1 : 0;
    if (brush_.visible) {
        sink.setColor(brush_.color);
        fillBox(sink, l + inset, t + inset, r - 1, b - 1);
    }
    if (!pen_.visible || r - l < 1 || b - t < 1)
        return;
    sink.setColor(pen_.color);
    const std::vector<QPoint> corners{box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    strokePolyline(sink, corners, {pen_.width, pen_.style == PenStyle::Dot}, true);
}

void Canvas::polygon(const std::vector<QPoint>& points)
{
    std::vector<QPoint> clamped(points.size());
    std::transform(points.begin(), points.end(), clamped.begin(), clampPoint);
    PixelSink sink(image_, pen_.mode == PenMode::Invert);
    if (brush_.visible) {
        sink.setColor(brush_.color);
        fillPolygon(sink, clamped);
    }
    if (pen_.visible) {
        sink.setColor(pen_.color);
        strokePolyline(sink, clamped, {pen_.width, pen_.style == PenStyle::Dot}, true);
    }
}

void Canvas::ellipse(int left, int top, int right, int bottom)
{
    QRect box = orderedBox(left, top, right, bottom);
    // Without a pen a thin box loses its right and bottom edge, as a rectangle does, and is filled.
    const bool thin = box.width() <= 2 || box.height() <= 2;
    if (!pen_.visible && thin)
        box.adjust(0, 0, -1, -1);
    const EllipseRows rows(box, !pen_.visible && thin);
    PixelSink sink(image_, pen_.mode == PenMode::Invert);
    const long long firstRow = std::max(0LL, -static_cast<long long>(box.top()));
    const long long endRow = std::min(rows.count(), static_cast<long long>(sink.height()) - box.top());
    for (long long row = firstRow; row < endRow; ++row) {
        const auto [first, end] = rows.span(row);
        const auto above = rows.span(row - 1);
        const auto below = rows.span(row + 1);
        for (long long x = std::max(first, -1LL); x < std::min(end, sink.width() + 1LL); ++x) {
            // The outline takes every pixel of the ellipse that borders on one outside it.
            const bool edge = x == first || x + 1 == end || x < above.first || x >= above.second ||
                              x < below.first || x >= below.second;
            const bool byPen = pen_.visible && edge;
            if (!byPen && !brush_.visible)
                continue;
            sink.setColor(byPen ? pen_.color : brush_.color);
            sink.plot(x, box.top() + row);
        }
    }
}

void Canvas::setPixel(int x, int y, ColorRef color)
{
    PixelSink sink(image_, false);
    sink.setColor(color);
    sink.plot(x, y);
}

void Canvas::copyFrom(const QImage& source, const QRect& sourceRect, QPoint target)
{
    QRect from = sourceRect.normalized() & source.rect();
    QRect to = from.translated(target - sourceRect.normalized().topLeft()) & image_.rect();
    from = to.translated(sourceRect.normalized().topLeft() - target);
    if (to.isEmpty())
        return;
    if (source.format() != image_.format()) {
        QPainter painter(&image_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(to.topLeft(), source, from);
        return;
    }
    // Writing first detaches a shared picture; the same picture as source may overlap itself.
    uchar* bits = image_.bits();
    const uchar* sourceBits = source.constBits();
    const qsizetype bytes = static_cast<qsizetype>(to.width()) * 4;
    const bool upward = to.top() > from.top();
    for (int i = 0; i < to.height(); ++i) {
        const int row = upward ? to.height() - 1 - i : i;
        std::memmove(bits + (to.top() + row) * image_.bytesPerLine() + to.left() * 4,
                     sourceBits + (from.top() + row) * source.bytesPerLine() + from.left() * 4, bytes);
    }
}

void Canvas::textTopCentre(int x, int y, const QString& text, const QFont& font, ColorRef color)
{
    if (image_.isNull())
        return;
    QPainter painter(&image_);
    painter.setFont(font);
    painter.setPen(QColor(toQRgb(color)));
    const QFontMetrics metrics(font);
    painter.drawText(QPoint(x - metrics.horizontalAdvance(text) / 2, y + metrics.ascent()), text);
}

QFont Canvas::font(const QString& family, int points, bool bold)
{
    return fontPixels(family, static_cast<int>(std::lround(points * 96.0 / 72.0)), bold);
}

QFont Canvas::fontPixels(const QString& family, int pixels, bool bold)
{
    static std::once_flag substitutions;
    std::call_once(substitutions, [] {
        QFont::insertSubstitution("Arial", "Liberation Sans");
        QFont::insertSubstitution("MS Sans Serif", "DejaVu Sans");
        QFont::insertSubstitution("System", "DejaVu Sans");
    });
    QFont font(family);
    font.setPixelSize(std::max(1, pixels));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
