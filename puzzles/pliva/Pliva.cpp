#include "puzzles/pliva/Pliva.h"

#include <QRect>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "app/core/Canvas.h"
#include "app/core/ColourName.h"
#include "app/core/DrawingArea.h"
#include "app/core/Language.h"
#include "app/core/RandomSource.h"
#include "app/core/ShellServices.h"
#include "app/settings/SettingsStore.h"

namespace {

const QString Section = QStringLiteral("pliva");

constexpr ColorRef Silver = colorRef(0xC0, 0xC0, 0xC0);
constexpr ColorRef Black = colorRef(0, 0, 0);
constexpr ColorRef UpArrowColor = colorRef(0xFF, 0, 0);
constexpr ColorRef DownArrowColor = colorRef(0, 0, 0xFF);

constexpr int GraphLeft = 30;
constexpr int GraphTop = 30;
constexpr int GraphRight = 405;
constexpr int GraphBottom = 270;
constexpr int GraphPlotHeight = 231;
// The framed graph plus the five rows above it: a marker on highLimit (y = 30) reaches up to
// y = 25, and restoring and copying those rows too leaves no stale piece of it on screen.
constexpr int MarkerOverhang = 5;
const QRect GraphRect(GraphLeft, GraphTop - MarkerOverhang, 375, 240 + MarkerOverhang);

constexpr int ArrowRowTop = 285;
constexpr int ArrowRowBottom = 307;
const QRect ArrowRowRect(30, ArrowRowTop, 376, DrawingAreaSize.height() - ArrowRowTop);

constexpr int SwitchLeft = 420;
constexpr int SwitchTop = 30;
constexpr int SwitchBottom = 50;
constexpr int SwitchWidth = 20;
enum SwitchIndex { LineColourSwitch, MarkerColourSwitch, MarkerStyleSwitch, SwitchCount };
constexpr int MarkerStyleCount = 5;

// The keyboard frame on a switch: two rings in colours that stand out on any artwork.

constexpr unsigned SolvedPauseMs = 300;

// Halves go to the even neighbour, as the layout was measured with.
int nearest(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

// 64-bit so a stored style of INT_MAX steps on instead of overflowing.
int nextMarkerStyle(int dmode)
{
    return static_cast<int>((static_cast<std::int64_t>(dmode) + 1) % MarkerStyleCount);
}

QString markerStyleName(int dmode, int tongue)
{
    switch (dmode) {
    case 1:
        return pick(tongue, "Quadrat", "square");
    case 2:
        return pick(tongue, "Kreis", "circle");
    case 3:
        return pick(tongue, "Dreieck", "triangle");
    case 4:
        return pick(tongue, "Raute", "diamond");
    default: // drawn as the bare line
        return pick(tongue, "keine Markierung", "no mark");
    }
}

// Signed, so a player who cannot see the arrow row hears which way each point goes.
QString signedNumber(int v)
{
    return v > 0 ? QStringLiteral("+") + QString::number(v) : QString::number(v);
}

QString upperFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// The switch's button as the artwork draws it, edges included.
QRect switchRect(int which)
{
    return QRect(SwitchLeft + which * SwitchWidth, SwitchTop, SwitchWidth, SwitchBottom - SwitchTop + 1);
}

} // namespace

Pliva::Pliva(ShellServices& services) : services_(services), model_(services.random())
{
    computeMapping();
}

void Pliva::NewPuzzle()
{
    model_.NewPuzzle();
    computeMapping();
    services_.setPlayState(PlayState::Fresh);
}

void Pliva::NewPuzzleAtStart()
{
    services_.random().Reseed();
    pointerColumn_ = 0;
    NewPuzzle();
}

void Pliva::OptionClick(bool up)
{
    const int before = model_.mode();
    model_.setMode(before + (up ? 1 : -1));
    if (model_.mode() == before)
        return;
    NewPuzzle();
    PaintPuzzle();
}

void Pliva::Move(int j, int s)
{
    if (j < 1 || j > model_.mode())
        return;
    if (model_.moveFits(j, s)) {
        model_.applyArrows(j, s);
        DrawGraph();
        services_.PlaySound(s > 0 ? Sound::PlivaLeftMove : Sound::PlivaRightMove);
        announceMove(j);
    } else {
        services_.PlaySound(Sound::PlivaRefused);
        // Nothing on screen changes, so a player who cannot see it hears why.
        services_.Announce([](int tongue) {
            return pick(tongue, "Der Vorstand lehnt das Bündel ab: Ein Punkt würde das Diagramm verlassen.",
                        "The board turns the bundle down: a point would leave the chart.");
        });
    }
    if (services_.playState() == PlayState::Fresh)
        services_.setPlayState(PlayState::InProgress);
    // Reported again on every move that leaves the curve rising; the shell ignores repeats.
    if (model_.CurveRises()) {
        services_.Delay(SolvedPauseMs);
        services_.PuzzleSolved();
    }
}

// ---- Settings ----

void Pliva::LoadSettings(const SettingsStore& settings)
{
    model_.setMode(settings.ReadInteger(Section, QStringLiteral("mode"), PlivaModel::DefaultMode));
    lcol_ = settings.ReadColor(Section, QStringLiteral("lcol"), DefaultLineColor);
    dcol_ = settings.ReadColor(Section, QStringLiteral("dcol"), DefaultMarkerColor);
    dmode_ = settings.ReadInteger(Section, QStringLiteral("dmode"), DefaultMarkerStyle);
}

void Pliva::SaveSettings(SettingsStore& settings) const
{
    settings.WriteInteger(Section, QStringLiteral("mode"), model_.mode());
    settings.WriteColor(Section, QStringLiteral("lcol"), lcol_);
    settings.WriteColor(Section, QStringLiteral("dcol"), dcol_);
    settings.WriteInteger(Section, QStringLiteral("dmode"), dmode_);
}

// ---- Screen mapping ----

void Pliva::computeMapping()
{
    stepX_ = 376.0 / model_.mode();
    originX_ = nearest(stepX_ / 2) + GraphLeft;
    // The model keeps highLimit above lowLimit; the guard only keeps hand-set limits finite.
    const int span = std::max(1, model_.highLimit() - model_.lowLimit());
    scaleY_ = static_cast<double>(GraphPlotHeight) / span;
    originY_ = nearest(model_.highLimit() * scaleY_) + GraphTop;
}

int Pliva::X(int k) const
{
    return nearest((k - 1) * stepX_) + originX_;
}

int Pliva::Y(int value) const
{
    return originY_ - nearest(value * scaleY_);
}

// ---- Drawing ----

void Pliva::PaintPuzzle()
{
    Canvas(services_.work()).copyFrom(services_.background(), DrawingAreaRect);
    DrawGraph();
    DrawArrows();
    services_.copyWorkToScreen(DrawingAreaRect);
    // The full copy painted over a switch frame: the cursor still stands there.
    switchMark_.redraw(services_);
}

void Pliva::DrawGraph()
{
    Canvas canvas(services_.work());
    canvas.copyFrom(services_.background(), GraphRect);
    computeMapping();
    drawGrid(canvas);
    drawCurve(canvas);
    services_.copyWorkToScreen(GraphRect);
}

void Pliva::drawGrid(Canvas& canvas) const
{
    canvas.setPen(Silver);
    canvas.polyline({{GraphLeft, GraphTop},
                     {GraphLeft, GraphBottom},
                     {GraphRight, GraphBottom},
                     {GraphRight, GraphTop},
                     {GraphLeft, GraphTop}});
    const int n = model_.mode();
    const int halfStep = nearest(stepX_) / 2;
    for (int k = 1; k < n; ++k)
        canvas.line(X(k) + halfStep, GraphTop, X(k) + halfStep, GraphBottom);
    // The row step depends only on N, not on the values.
    const int rowStep = (GraphBottom - GraphTop) / n;
    for (int k = 1; k < n; ++k)
        canvas.line(GraphLeft, GraphTop + k * rowStep, GraphRight, GraphTop + k * rowStep);
}

void Pliva::drawCurve(Canvas& canvas) const
{
    const int n = model_.mode();
    std::vector<QPoint> points;
    points.reserve(n);
    for (int k = 1; k <= n; ++k)
        points.emplace_back(X(k), Y(model_.values()[k]));
    canvas.setPen(lcol_, 3);
    canvas.polyline(points);

    canvas.setPen(Black);
    canvas.setBrush(dcol_);
    for (const QPoint& point : points)
        drawMarker(canvas, point.x(), point.y());
}

void Pliva::drawMarker(Canvas& canvas, int x, int y) const
{
    switch (dmode_) {
    case 1:
        canvas.rectangle(x - 4, y - 4, x + 5, y + 5);
        break;
    case 2:
        canvas.ellipse(x - 4, y - 4, x + 5, y + 5);
        break;
    case 3:
        canvas.polygon({{x - 5, y + 4}, {x + 5, y + 4}, {x, y - 5}});
        break;
    case 4:
        canvas.polygon({{x - 5, y}, {x, y - 5}, {x + 5, y}, {x, y + 5}});
        break;
    default: // 0 and any stored out-of-range style: the bare line
        break;
    }
}

void Pliva::DrawArrows()
{
    Canvas canvas(services_.work());
    canvas.copyFrom(services_.background(), ArrowRowRect);
    if (pointerColumn_ >= 1 && pointerColumn_ <= model_.mode()) {
        for (int k = 1; k <= model_.mode(); ++k)
            drawArrow(canvas, X(k), model_.arrows()[pointerColumn_][k]);
        drawColumnOutline(canvas);
    }
    services_.copyWorkToScreen(ArrowRowRect);
}

// An arrow of size m is 2m + 1 pixels high and 4m + 2 wide; up arrows centre on y = 298.5,
// down arrows on y = 293.5.
void Pliva::drawArrow(Canvas& canvas, int xc, int v) const
{
    if (v > 0) {
        const int s = 2 * v + 1;
        const int top = 298 - v;
        canvas.setPen(UpArrowColor);
        canvas.setBrush(UpArrowColor);
        canvas.polygon({{xc - s, top + s}, {xc + s, top + s}, {xc, top}});
    } else if (v < 0) {
        const int a = -v;
        const int s = 2 * a + 1;
        const int top = 293 - a;
        canvas.setPen(DownArrowColor);
        canvas.setBrush(DownArrowColor);
        canvas.polygon({{xc - s, top}, {xc + s, top}, {xc, top + s}});
    }
}

void Pliva::drawColumnOutline(Canvas& canvas) const
{
    const int w = nearest(stepX_) - 1;
    const int left = X(pointerColumn_) - (w / 2) - 1;
    canvas.setPen(Black);
    canvas.polyline({{left, ArrowRowTop},
                     {left + w, ArrowRowTop},
                     {left + w, ArrowRowBottom},
                     {left, ArrowRowBottom},
                     {left, ArrowRowTop}});
}

// ---- Input ----

// Hover band: rows 286..306, right column edge included; the last matching column wins.
int Pliva::hoverColumn(int x, int y) const
{
    int column = 0;
    if (y <= ArrowRowTop || y >= ArrowRowBottom)
        return column;
    const int r = nearest(stepX_ / 2);
    for (int k = 1; k <= model_.mode(); ++k) {
        if (X(k) - r < x && x <= X(k) + r)
            column = k;
    }
    return column;
}

// Click band: rows 285..307, both column edges excluded.
int Pliva::clickColumn(int x, int y) const
{
    int column = 0;
    if (y < ArrowRowTop || y > ArrowRowBottom)
        return column;
    const int r = nearest(stepX_ / 2);
    for (int k = 1; k <= model_.mode(); ++k) {
        if (X(k) - r < x && x < X(k) + r)
            column = k;
    }
    return column;
}

void Pliva::MouseMove(int x, int y)
{
    const int column = hoverColumn(x, y);
    if (column == pointerColumn_)
        return;
    services_.PlaySound(Sound::PlivaColumn);
    pointerColumn_ = column;
    DrawArrows();
}

void Pliva::MouseDownLeft(int x, int y)
{
    if (x > SwitchLeft) {
        switchClick(x, y);
        return;
    }
    if (const int column = clickColumn(x, y); column != 0)
        Move(column, +1);
}

void Pliva::MouseDownRight(int x, int y)
{
    if (const int column = clickColumn(x, y); column != 0)
        Move(column, -1);
}

void Pliva::switchClick(int x, int y)
{
    if (y < SwitchTop || y > SwitchBottom)
        return;
    if (x < 440) {
        chooseColorFor(lcol_);
    } else if (x < 460) {
        chooseColorFor(dcol_);
    } else if (x < 480) {
        dmode_ = nextMarkerStyle(dmode_);
        DrawGraph();
    }
}

void Pliva::chooseColorFor(ColorRef& color)
{
    const std::optional<ColorRef> chosen = services_.chooseColor(color);
    if (!chosen)
        return;
    color = *chosen;
    DrawGraph();
}

// ---- Keyboard ----

// The column points lie inside both the hover band and the click band, so the key cursor shows
// the mouse's own outline and a press moves that very column. They depend on N only, so a move
// keeps the cursor where it is.
KeyTargetSet Pliva::KeyTargets() const
{
    KeyTargetSet set;
    const int n = model_.mode();
    const int rowMiddle = (ArrowRowTop + ArrowRowBottom) / 2;
    for (int k = 1; k <= n; ++k)
        set.targets.push_back({QPoint(X(k), rowMiddle), 0, k - 1});
    const int switchMiddle = (SwitchTop + SwitchBottom) / 2;
    for (int i = 0; i < SwitchCount; ++i)
        set.targets.push_back(
            {QPoint(SwitchLeft + SwitchWidth / 2 + i * SwitchWidth, switchMiddle), 0, n + i});
    return set;
}

// The hover look stays the column's cursor, and it goes with the cursor: after a hide nothing
// of it is left for a player to take for the place a key acts on.
void Pliva::ShowKeyCursor(std::optional<int> index)
{
    const int n = model_.mode();
    std::optional<int> which;
    if (index && *index >= n && *index < n + SwitchCount)
        which = *index - n;
    if (which)
        switchMark_.show(services_, switchRect(*which));
    else
        switchMark_.hide(services_);
    const bool onColumn = index && *index >= 0 && *index < n;
    if (index && !onColumn)
        return;
    const int column = onColumn ? *index + 1 : 0;
    if (column != pointerColumn_) {
        pointerColumn_ = column;
        DrawArrows();
    }
}

QString Pliva::DescribeKeyTarget(int index, int tongue) const
{
    const int n = model_.mode();
    if (index >= 0 && index < n)
        return describeColumn(index + 1, tongue);
    if (index >= n && index < n + SwitchCount)
        return describeSwitch(index - n, tongue);
    return {};
}

// Heights count from lowLimit, so 0 is the bottom of the chart and the arrows add to them as they
// are: a player can tell from the numbers alone whether a move stays on the chart.
QString Pliva::DescribeBoard(int tongue) const
{
    QStringList heights;
    for (int k = 1; k <= model_.mode(); ++k)
        heights << QString::number(model_.values()[k] - model_.lowLimit());
    return pick(tongue, "Höhen %1; Obergrenze %2.", "Heights %1; top %2.")
        .arg(heights.join(QStringLiteral(", ")))
        .arg(model_.highLimit() - model_.lowLimit());
}

// The height and its trend from the left neighbour change with every move, so they come first;
// the arrows, one per point, stay with the column.
QString Pliva::describeColumn(int k, int tongue) const
{
    const PlivaModel::Values& values = model_.values();
    QStringList arrows;
    for (int point = 1; point <= model_.mode(); ++point)
        arrows << signedNumber(model_.arrows()[k][point]);
    const QString place =
        pick(tongue, "Spalte %1: %2.", "Column %1: %2.").arg(k).arg(arrows.join(QStringLiteral(", ")));
    const QString height = QString::number(values[k] - model_.lowLimit());
    if (k == 1)
        return QStringLiteral("%1. %2").arg(height, place);
    QString trend;
    if (values[k] > values[k - 1])
        trend = pick(tongue, "steigt", "rising");
    else if (values[k] == values[k - 1])
        trend = pick(tongue, "gleich hoch", "flat");
    else
        trend = pick(tongue, "fällt", "falling");
    return QStringLiteral("%1, %2. %3").arg(height, trend, place);
}

QString Pliva::describeSwitch(int index, int tongue) const
{
    switch (index) {
    case LineColourSwitch:
        return pick(tongue, "%1, Kurvenfarbe.", "%1, curve colour.")
            .arg(upperFirst(colourName(lcol_, tongue)));
    case MarkerColourSwitch:
        return pick(tongue, "%1, Punktfarbe.", "%1, point colour.")
            .arg(upperFirst(colourName(dcol_, tongue)));
    default:
        return pick(tongue, "%1, Punktform, danach %2.", "%1, point shape, next %2.")
            .arg(upperFirst(markerStyleName(dmode_, tongue)),
                 markerStyleName(nextMarkerStyle(dmode_), tongue));
    }
}

// Which points the move took where, as heights from the bottom of the chart.
void Pliva::announceMove(int j) const
{
    std::vector<std::pair<int, int>> moved;
    for (int k = 1; k <= model_.mode(); ++k) {
        if (model_.arrows()[j][k] != 0)
            moved.emplace_back(k, model_.values()[k] - model_.lowLimit());
    }
    services_.Announce([moved](int tongue) {
        if (moved.empty())
            return pick(tongue, "Kein Punkt bewegt sich.", "No point moves.");
        QStringList parts;
        for (const auto& [k, height] : moved)
            parts << pick(tongue, "%1 auf %2", "%1 to %2").arg(k).arg(height);
        const QString points =
            moved.size() == 1 ? pick(tongue, "Punkt", "Point") : pick(tongue, "Punkte", "Points");
        return QStringLiteral("%1 %2.").arg(points, parts.join(QStringLiteral(", ")));
    });
}
