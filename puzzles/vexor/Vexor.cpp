#include "puzzles/vexor/Vexor.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "app/core/Canvas.h"
#include "app/core/ColourName.h"
#include "app/core/DrawingArea.h"
#include "app/core/Language.h"
#include "app/core/ShellServices.h"
#include "app/settings/SettingsStore.h"

namespace {

const QString Section = QStringLiteral("vexor");

constexpr ColorRef Black = colorRef(0, 0, 0);

const QRect BarArea(27, 27, 363, 278);
const QRect ArrowColumn(401, 76, 38, 229);

// Bars stand on the base line; the slots share 338 pixels from x = 30, and the highest account
// of a fitted board (top face included) reaches up to y = 30.
constexpr int BaseLine = 302;
constexpr int SlotsLeft = 30;
constexpr double SlotsWidth = 338.0;
constexpr int BarRoom = 272;

// Arrow rows are 27 pixels apart, row 1 at the bottom with its top edge at 275.
constexpr int RowPitch = 27;
constexpr int ArrowColumnLeft = 402;
constexpr int ArrowColumnRight = 438;
constexpr int RightArrowsLeft = 420;
constexpr int ArrowHeight = 22;

// The switches react strictly inside their frames.
constexpr int SwitchTop = 76;
constexpr int SwitchBottom = 96;
constexpr int PlateSwitchLeft = 446;
constexpr int FitSwitchLeft = 466;
constexpr int FitSwitchRight = 486;
enum SwitchIndex { PlateSwitch, FitSwitch, SwitchCount };

// The keyboard frame on a switch: two rings in colours that stand out on any artwork.

// Key cursor points: inside the arrow triangles and the switch frames, for both buttons.
constexpr int LeftArrowX = 410;
constexpr int RightArrowX = 430;

constexpr unsigned FrameMs = 50;
constexpr unsigned SolvedPauseMs = 300;

// Halves go to the even neighbour, as the layout was measured with.
int nearest(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

ColorRef scaled(ColorRef color, int numerator, int denominator)
{
    auto channel = [&](int shift) {
        return std::min(255, static_cast<int>((color >> shift) & 0xFF) * numerator / denominator);
    };
    return colorRef(channel(0), channel(8), channel(16));
}

ColorRef darkened(ColorRef color)
{
    return scaled(color, 3, 4);
}

ColorRef lightened(ColorRef color)
{
    return scaled(color, 3, 2);
}

QString colourKey(int k)
{
    return QStringLiteral("col") + QString::number(k);
}

// The switch's button as the artwork draws it, edges included.
QRect switchRect(int which)
{
    const int left = which == PlateSwitch ? PlateSwitchLeft : FitSwitchLeft;
    return QRect(left + 1, SwitchTop + 1, FitSwitchLeft - PlateSwitchLeft - 1, SwitchBottom - SwitchTop - 1);
}

QString numberList(const std::vector<int>& numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts << QString::number(number);
    return texts.join(QStringLiteral(", "));
}

} // namespace

// Sizes of one DrawBars: slot pitch and width, bar front width, side depth and rise, the inset
// of the bar in its slot, pixels per unit and the plate line.
struct Vexor::BarGeometry {
    BarGeometry(int accounts, int scaleUnits)
        : pitch(SlotsWidth / accounts), slot(nearest(pitch)), front(slot / 2), depth(front / 2),
          rise(depth / 2), inset((slot - front) / 2),
          // The model keeps every total positive; the guard only keeps the scale finite.
          scale(static_cast<double>(BarRoom - rise) / std::max(1, scaleUnits)),
          plateY(BaseLine - nearest(VexorModel::Target * scale))
    {
    }

    int slotLeft(int a) const { return nearest((a - 1) * pitch) + SlotsLeft; }

    double pitch;
    int slot;
    int front;
    int depth;
    int rise;
    int inset;
    double scale;
    int plateY;
};

Vexor::Vexor(ShellServices& services) : services_(services), model_(services.random()) {}

void Vexor::NewPuzzle()
{
    model_.Generate();
    services_.setPlayState(PlayState::Fresh);
    // The side stays, so the highlight comes back only when the pointer moves.
    hoverRow_ = 0;
}

void Vexor::OptionClick(bool up)
{
    const int before = model_.barLevel();
    model_.setBarLevel(before + (up ? 1 : -1));
    if (model_.barLevel() != before)
        startLevel();
}

void Vexor::OptionZClick(bool up)
{
    const int before = model_.bookingLevel();
    model_.setBookingLevel(before + (up ? 1 : -1));
    if (model_.bookingLevel() != before)
        startLevel();
}

void Vexor::startLevel()
{
    NewPuzzle();
    DrawBars();
    DrawArrows();
}

void Vexor::Move(int k, VexorModel::Shift direction)
{
    const VexorModel::Sums before = model_.accountSum();
    if (!model_.startMove(k, direction))
        return;
    services_.PlaySound(Sound::VexorShift);
    for (int t = 1; t <= VexorModel::AnimationFrames; ++t) {
        model_.showFrame(t);
        DrawBars();
        services_.Delay(FrameMs);
    }
    model_.finishMove();
    DrawBars();
    announceMove(before);
    if (services_.playState() == PlayState::Fresh)
        services_.setPlayState(PlayState::InProgress);
    // Reported again on every move that leaves the accounts equal; the shell ignores repeats.
    if (model_.AllEqual()) {
        services_.Delay(SolvedPauseMs);
        services_.PuzzleSolved();
    }
}

// ---- Settings ----

void Vexor::LoadSettings(const SettingsStore& settings)
{
    // The level number is rebuilt from the clamped digits, so a stored 0 or 99 files results
    // under the level actually played.
    const int mode = settings.ReadInteger(Section, QStringLiteral("mode"), DefaultMode);
    model_.setBarLevel(mode / 10);
    model_.setBookingLevel(mode % 10);
    for (int k = 1; k <= VexorModel::MaxPositions; ++k) {
        const ColorRef colour = settings.ReadColor(Section, colourKey(k), DefaultColours[k]);
        // A system colour name is kept as written and drawn as the desktop's colour.
        colours_[k] = isKnownColor(colour) ? colour : DefaultColours[k];
    }
    fit_ = settings.ReadBool(Section, QStringLiteral("fit"), DefaultFit);
    lin_ = settings.ReadBool(Section, QStringLiteral("lin"), DefaultLin);
}

void Vexor::SaveSettings(SettingsStore& settings) const
{
    settings.WriteInteger(Section, QStringLiteral("mode"), model_.mode());
    for (int k = 1; k <= VexorModel::MaxPositions; ++k)
        settings.WriteColor(Section, colourKey(k), colours_[k]);
    settings.WriteBool(Section, QStringLiteral("fit"), fit_);
    settings.WriteBool(Section, QStringLiteral("lin"), lin_);
}

// ---- Drawing ----

void Vexor::PaintPuzzle()
{
    Canvas(services_.screen()).copyFrom(services_.background(), DrawingAreaRect);
    services_.screenChanged(DrawingAreaRect);
    DrawBars();
    DrawArrows();
    // The full copy painted over a switch frame: the cursor still stands there.
    switchMark_.redraw(services_);
}

void Vexor::DrawBars()
{
    Canvas canvas(services_.work());
    canvas.copyFrom(services_.background(), BarArea);
    // With fit off the scale stays the same for the whole puzzle.
    const BarGeometry geometry(model_.accountCount(), fit_ ? model_.highestSum() : model_.reachLimit());
    canvas.setPen(Black);
    for (int a = 1; a <= model_.accountCount(); ++a)
        drawAccount(canvas, geometry, a);
    services_.copyWorkToScreen(BarArea);
}

// The plate lies over a bar below the target; a bar at or above it stands through the plate,
// which is then drawn in two parts on either side of the bar front.
void Vexor::drawAccount(Canvas& canvas, const BarGeometry& geometry, int a) const
{
    const int xb = geometry.slotLeft(a);
    const int xe = xb + geometry.slot;
    const int x0 = xb + geometry.inset;
    const int x1 = x0 + geometry.front;
    const int dx = geometry.depth;
    const int dy = geometry.rise;
    const int ty = geometry.plateY;
    const bool reachesTarget = model_.accountSum()[a] >= VexorModel::Target;

    if (lin_ && reachesTarget) {
        canvas.setBrush(Black);
        canvas.polygon({{xb, ty}, {x0, ty}, {x0 + dx, ty - dy}, {xb + dx, ty - dy}});
    }

    // Heights add up as real numbers, so rounding errors do not pile up towards the top.
    double height = 0;
    int bottom = BaseLine;
    for (int k = 1; k <= model_.bookingCount(); ++k) {
        height += model_.booking(a, k) * geometry.scale;
        const int top = BaseLine - nearest(height);
        canvas.setBrush(colours_[k]);
        canvas.polygon({{x0, top}, {x0, bottom}, {x1, bottom}, {x1, top}});
        canvas.setBrush(darkened(resolvedColor(colours_[k])));
        canvas.polygon({{x1, bottom}, {x1, top}, {x1 + dx, top - dy}, {x1 + dx, bottom - dy}});
        bottom = top;
    }
    canvas.setBrush(lightened(resolvedColor(colours_[model_.bookingCount()])));
    canvas.polygon({{x0, bottom}, {x0 + dx, bottom - dy}, {x1 + dx, bottom - dy}, {x1, bottom}});

    if (lin_) {
        const int plateLeft = reachesTarget ? x1 : xb;
        canvas.setBrush(Black);
        canvas.polygon({{plateLeft, ty}, {xe, ty}, {xe + dx, ty - dy}, {plateLeft + dx, ty - dy}});
    }
}

void Vexor::DrawArrows()
{
    Canvas canvas(services_.work());
    canvas.copyFrom(services_.background(), ArrowColumn);
    for (int k = 1; k <= model_.bookingCount(); ++k)
        drawArrowRow(canvas, k);
    services_.copyWorkToScreen(ArrowColumn);
}

void Vexor::drawArrowRow(Canvas& canvas, int k) const
{
    const int yt = BaseLine - RowPitch * k;
    const int middle = yt + ArrowHeight / 2;
    const bool hovered = hoverRow_ == k;
    canvas.setBrush(colours_[k]);
    canvas.setPen(Black, hovered && hoverSide_ == LeftSide ? 2 : 1);
    canvas.polygon({{417, yt}, {417, yt + ArrowHeight}, {403, middle}});
    canvas.setPen(Black, hovered && hoverSide_ == RightSide ? 2 : 1);
    canvas.polygon({{423, yt}, {423, yt + ArrowHeight}, {437, middle}});
}

// ---- Input ----

// The row under height y, 0 above the top row or below the base line.
int Vexor::arrowRow(int y) const
{
    if (y > BaseLine || y <= BaseLine - RowPitch * model_.bookingCount())
        return 0;
    return (BaseLine - y) / RowPitch + 1;
}

bool Vexor::onSwitchRow(int y) const
{
    return SwitchTop < y && y < SwitchBottom;
}

void Vexor::MouseMove(int x, int y)
{
    const int oldSide = hoverSide_;
    const int oldRow = hoverRow_;
    const int row = arrowRow(y);
    if (x < ArrowColumnLeft || x > ArrowColumnRight || row == 0) {
        hoverSide_ = NoSide;
        hoverRow_ = 0;
    } else {
        hoverSide_ = x < RightArrowsLeft ? LeftSide : RightSide;
        hoverRow_ = row;
    }
    if (hoverSide_ == oldSide && hoverRow_ == oldRow)
        return;
    services_.PlaySound(Sound::VexorArrow);
    DrawArrows();
}

void Vexor::MouseDownLeft(int x, int y)
{
    if (onSwitchRow(y)) {
        if (PlateSwitchLeft < x && x < FitSwitchLeft) {
            lin_ = !lin_;
            DrawBars();
            return;
        }
        if (FitSwitchLeft < x && x < FitSwitchRight) {
            fit_ = !fit_;
            DrawBars();
            return;
        }
    }
    if (x < ArrowColumnLeft || x > ArrowColumnRight)
        return;
    if (const int k = arrowRow(y); k != 0)
        Move(k, x < RightArrowsLeft ? VexorModel::Shift::Left : VexorModel::Shift::Right);
}

// The right button leaves out the borders x = 402, x = 438 and y = 302 that the left one takes.
void Vexor::MouseDownRight(int x, int y)
{
    if (x <= ArrowColumnLeft || x >= ArrowColumnRight || y >= BaseLine)
        return;
    if (const int k = arrowRow(y); k != 0)
        chooseColour(k);
}

// A colour change is no move: it neither starts the clock nor tests for a win.
void Vexor::chooseColour(int k)
{
    const std::optional<ColorRef> chosen = services_.chooseColor(colours_[k]);
    if (!chosen)
        return;
    colours_[k] = *chosen;
    DrawArrows();
    DrawBars();
}

// ---- Keyboard ----

// The points depend on bookingCount only, so a move keeps the cursor where it is; the switches
// lie above the arrows on screen and so form the top row.
KeyTargetSet Vexor::KeyTargets() const
{
    KeyTargetSet set;
    const int switchMiddle = (SwitchTop + SwitchBottom) / 2;
    set.targets.push_back({QPoint((PlateSwitchLeft + FitSwitchLeft) / 2, switchMiddle), 0, PlateSwitch});
    set.targets.push_back({QPoint((FitSwitchLeft + FitSwitchRight) / 2, switchMiddle), 0, FitSwitch});
    const int n = model_.bookingCount();
    for (int k = n; k >= 1; --k) {
        const int middle = BaseLine - RowPitch * k + ArrowHeight / 2;
        const int row = n - k + 1;
        set.targets.push_back({QPoint(LeftArrowX, middle), row, 0});
        set.targets.push_back({QPoint(RightArrowX, middle), row, 1});
    }
    set.first = SwitchCount + 2 * (n - 1);
    return set;
}

// The pointer's highlight stays the arrow's cursor, and it goes with the cursor: after a hide
// nothing of it is left for a player to take for the place a key acts on.
void Vexor::ShowKeyCursor(std::optional<int> index)
{
    const std::optional<int> which = index && *index >= 0 && *index < SwitchCount ? index : std::nullopt;
    if (which)
        switchMark_.show(services_, switchRect(*which));
    else
        switchMark_.hide(services_);
    if (!index) {
        setHover(0, NoSide);
        return;
    }
    const int arrow = *index - SwitchCount;
    const int n = model_.bookingCount();
    if (arrow >= 0 && arrow < 2 * n)
        setHover(n - arrow / 2, arrow % 2 == 0 ? LeftSide : RightSide);
}

void Vexor::setHover(int row, int side)
{
    if (row == hoverRow_ && side == hoverSide_)
        return;
    hoverRow_ = row;
    hoverSide_ = side;
    DrawArrows();
}

QString Vexor::DescribeKeyTarget(int index, int tongue) const
{
    if (index >= 0 && index < SwitchCount)
        return describeSwitch(index, tongue);
    const int arrow = index - SwitchCount;
    const int n = model_.bookingCount();
    if (arrow < 0 || arrow >= 2 * n)
        return {};
    return describeArrow(n - arrow / 2, arrow % 2 == 0 ? LeftSide : RightSide, tongue);
}

QString Vexor::DescribeBoard(int tongue) const
{
    std::vector<int> sums;
    for (int a = 1; a <= model_.accountCount(); ++a)
        sums.push_back(model_.accountSum()[a]);
    return pick(tongue, "Konten %1; Ziel %2.", "Accounts %1; goal %2.")
        .arg(numberList(sums))
        .arg(model_.target());
}

// The row's bookings, account by account, change with the row's shifts and so come first; the
// account totals are the board's line.
QString Vexor::describeArrow(int k, HoverSide side, int tongue) const
{
    std::vector<int> bookings;
    for (int a = 1; a <= model_.accountCount(); ++a)
        bookings.push_back(model_.booking(a, k));
    return pick(tongue, "%1. Reihe %2 von %3, %4, %5.", "%1. Row %2 of %3, %4, %5.")
        .arg(numberList(bookings))
        .arg(k)
        .arg(model_.bookingCount())
        .arg(colourName(colours_[k], tongue),
             side == LeftSide ? pick(tongue, "links", "left") : pick(tongue, "rechts", "right"));
}

QString Vexor::describeSwitch(int index, int tongue) const
{
    if (index == PlateSwitch) {
        return lin_ ? pick(tongue, "Eingeblendet, Platte bei 100.", "Shown, plate at 100.")
                    : pick(tongue, "Ausgeblendet, Platte bei 100.", "Hidden, plate at 100.");
    }
    return fit_ ? pick(tongue, "An, Balken in voller Größe.", "On, bars at full size.")
                : pick(tongue, "Aus, Balken in voller Größe.", "Off, bars at full size.");
}

// The accounts the move changed with their new totals; when it changed them all, the totals in
// order, which then say the same in fewer words.
void Vexor::announceMove(const VexorModel::Sums& before) const
{
    std::vector<std::pair<int, int>> changed;
    std::vector<int> sums;
    for (int a = 1; a <= model_.accountCount(); ++a) {
        const int sum = model_.accountSum()[a];
        sums.push_back(sum);
        if (sum != before[a])
            changed.emplace_back(a, sum);
    }
    if (changed.size() == sums.size()) {
        services_.Announce([list = numberList(sums)](int tongue) {
            return pick(tongue, "Konten %1.", "Accounts %1.").arg(list);
        });
        return;
    }
    services_.Announce([changed](int tongue) {
        if (changed.empty())
            return pick(tongue, "Kein Konto ändert sich.", "No account changes.");
        QStringList parts;
        for (const auto& [a, sum] : changed)
            parts << pick(tongue, "%1 auf %2", "%1 to %2").arg(a).arg(sum);
        // The grand total stays, so a move changes two accounts or none.
        return pick(tongue, "Konten %1.", "Accounts %1.").arg(parts.join(QStringLiteral(", ")));
    });
}
