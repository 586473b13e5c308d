#include "app/settings/WindowPlacement.h"

#include <QStringList>
#include <array>
#include <cstdint>

namespace {

constexpr int placementItemCount = 7;
constexpr int leftItem = 3;
constexpr int topItem = 4;
constexpr QLatin1String formatMark("200");

std::optional<std::array<int, placementItemCount>> placementItems(const QString& stored)
{
    const QStringList texts = stored.split(u',');
    if (texts.size() != placementItemCount || texts.front().trimmed() != formatMark)
        return std::nullopt;
    std::array<int, placementItemCount> items{};
    for (int i = 0; i < placementItemCount; ++i) {
        bool ok = false;
        items[i] = texts[i].trimmed().toInt(&ok, 10);
        if (!ok)
            return std::nullopt;
    }
    return items;
}

// Moves [start, start + length) back inside [low, high); the far edge is checked first, so a span
// longer than the range ends up at its low edge. 64-bit, since stored edges may lie anywhere.
std::int64_t pulledInside(std::int64_t start, std::int64_t length, std::int64_t low, std::int64_t high)
{
    if (start + length > high)
        start = high - length;
    if (start < low)
        start = low;
    return start;
}

} // namespace

QString placementText(int flags, int showCommand, const QRect& normalRect)
{
    const std::int64_t right = std::int64_t{normalRect.x()} + normalRect.width();
    const std::int64_t bottom = std::int64_t{normalRect.y()} + normalRect.height();
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
        .arg(formatMark)
        .arg(flags)
        .arg(showCommand)
        .arg(normalRect.x())
        .arg(normalRect.y())
        .arg(right)
        .arg(bottom);
}

QPoint pulledOntoDesktop(QPoint topLeft, const QSize& size, const QRect& desktop)
{
    const std::int64_t desktopRight = std::int64_t{desktop.x()} + desktop.width();
    const std::int64_t desktopBottom = std::int64_t{desktop.y()} + desktop.height();
    const std::int64_t left = pulledInside(topLeft.x(), size.width(), desktop.x(), desktopRight);
    const std::int64_t top = pulledInside(topLeft.y(), size.height(), desktop.y(), desktopBottom);
    return QPoint(static_cast<int>(left), static_cast<int>(top));
}

std::optional<QPoint> restoredWindowPosition(const QString& stored, const QSize& outerSize,
                                             const QRect& desktop)
{
    const auto items = placementItems(stored);
    if (!items)
        return std::nullopt;
    return pulledOntoDesktop(QPoint((*items)[leftItem], (*items)[topItem]), outerSize, desktop);
}
