#include "puzzles/zupel/Zupel.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/core/Canvas.h"
#include "app/core/DrawingArea.h"
#include "app/core/Language.h"
#include "app/core/ShellServices.h"
#include "app/settings/SettingsStore.h"

namespace {

const QString Section = QStringLiteral("zupel");
const QString FontFamily = QStringLiteral("Arial");

constexpr ColorRef White = colorRef(0xFF, 0xFF, 0xFF);
constexpr ColorRef Black = colorRef(0, 0, 0);
constexpr ColorRef Silver = colorRef(0xC0, 0xC0, 0xC0);
constexpr ColorRef Grey = colorRef(0x80, 0x80, 0x80);
constexpr ColorRef Red = colorRef(0xFF, 0, 0);
constexpr ColorRef Green = colorRef(0, 0x80, 0);
// The keyboard mark: blue shows on white faces, yellow on the grey current cell.
constexpr ColorRef MarkOuter = colorRef(0, 0, 0xFF);
constexpr ColorRef MarkInner = colorRef(0xFF, 0xFF, 0);

constexpr int CentreX = 220;
constexpr int TextOffsetX = 18;
constexpr int TextOffsetY = 4;

constexpr int ExpensePenalty = 17;
constexpr int SolvedBonus = 19;
constexpr int UnitCharge = 33;
constexpr unsigned UnitPauseMs = 250;
constexpr unsigned EndPauseMs = 350;

QString cellText(int value)
{
    if (value > 0)
        return QString::number(value);
    return value < 0 ? QStringLiteral("$") : QString();
}

QString cellName(int a, int b)
{
    return QChar(u'A' + a - 1) + QString::number(b);
}

QString contentText(int value, int tongue)
{
    if (value > 0)
        return QString::number(value);
    if (value < 0)
        return pick(tongue, "Ausgabe", "expense");
    return pick(tongue, "leer", "empty");
}

// "row 2", "column B"; English in lower case, for the middle of a sentence.
QString lineName(bool isRow, int index, int tongue)
{
    if (isRow)
        return pick(tongue, "Zeile %1", "row %1").arg(index);
    return pick(tongue, "Spalte %1", "column %1").arg(QChar(u'A' + index - 1));
}

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString barWayText(bool rowBar, int tongue)
{
    return rowBar ? pick(tongue, "Zeilenbalken, links und rechts", "row bar, left and right")
                  : pick(tongue, "Spaltenbalken, hoch und runter", "column bar, up and down");
}

QString unitsLeftText(int units, int tongue)
{
    if (units == 0)
        return pick(tongue, "Keine Einheit mehr übrig.", "No units left.");
    if (units == 1)
        return pick(tongue, "Noch 1 Einheit übrig.", "1 unit left.");
    return pick(tongue, "Noch %1 Einheiten übrig.", "%1 units left.").arg(units);
}

// What a pick did, captured by value for an announcement: the cell, what it holds now and the
// bar that now runs through it.
struct PickNews {
    int a = 0;
    int b = 0;
    int value = 0;
    bool expense = false;
    bool rowBar = true;

    QString cellPart(int tongue) const
    {
        QString what;
        if (expense)
            what = pick(tongue, "Ausgabe, %1 Schritte mehr", "expense, %1 steps added").arg(ExpensePenalty);
        else if (value > 0)
            what = pick(tongue, "noch %1", "%1 left").arg(value);
        else
            what = contentText(value, tongue);
        return cellName(a, b) + QStringLiteral(": ") + what;
    }
    QString barName(int tongue) const { return lineName(rowBar, rowBar ? b : a, tongue); }
};

// The new bar runs through the picked cell: its direction names it.
QString pickText(const PickNews& news, int tongue)
{
    const QString way = news.rowBar ? pick(tongue, "Zeile", "row") : pick(tongue, "Spalte", "column");
    return news.cellPart(tongue) + QStringLiteral(", ") + way + QLatin1Char('.');
}

QString solvedText(const PickNews& news, int tongue)
{
    return news.cellPart(tongue) + QStringLiteral(". ") +
           pick(tongue, "Alles eingesammelt, %1 Schritte weniger.", "All collected, %1 steps off.")
               .arg(SolvedBonus);
}

QString deadEndText(const PickNews& news, int units, int tongue)
{
    const QString charged =
        units == 1
            ? pick(tongue, "1 Einheit berechnet, %1 Schritte mehr.", "1 unit charged, %1 steps added.")
                  .arg(UnitCharge)
            : pick(tongue, "%1 Einheiten berechnet, %2 Schritte mehr.", "%1 units charged, %2 steps added.")
                  .arg(units)
                  .arg(units * UnitCharge);
    return news.cellPart(tongue) + QStringLiteral(". ") +
           pick(tongue, "Der Balken, %1, ist leer: ", "The bar, %1, is empty: ").arg(news.barName(tongue)) +
           charged;
}

} // namespace

Zupel::Zupel(ShellServices& services)
    : services_(services), model_(services.random()), cellFont_(Canvas::font(FontFamily, 12, true)),
      headerFont_(Canvas::font(FontFamily, 10)), raisedHeaderFont_(Canvas::font(FontFamily, 10, true))
{
}

void Zupel::NewPuzzle()
{
    keyMark_.reset();
    model_.NewPuzzle();
    services_.setPlayState(PlayState::Fresh);
}

void Zupel::OptionClick(bool up)
{
    const int before = model_.mode();
    model_.setMode(before + (up ? 1 : -1));
    if (model_.mode() == before)
        return;
    NewPuzzle();
    PaintPuzzle();
}

// ---- The move ----

// Only a solved puzzle refuses picks outright; a failed table has nothing left in its bar.
// What the pick did is announced before the pauses, so the end report can follow it.
void Zupel::PickCell(int a, int b)
{
    if (services_.playState() == PlayState::Solved)
        return;
    if (!model_.canPick(a, b)) {
        announceRefusal(a, b);
        return;
    }
    startClock();
    const bool expense = model_.pick(a, b) == ZupelModel::PickKind::Expense;
    if (expense) {
        addToClock(ExpensePenalty);
        services_.PlaySound(Sound::ZupelPenalty);
    } else {
        services_.PlaySound(Sound::ZupelDigit);
    }
    DrawBoard();
    const PickNews news{a, b, model_.cell(a, b), expense, model_.rowBar()};
    if (model_.AllCollected()) {
        addToClock(-SolvedBonus);
        services_.Announce([news](int tongue) { return solvedText(news, tongue); });
        services_.Delay(EndPauseMs);
        services_.PuzzleSolved();
    } else if (model_.BarEmpty()) {
        chargeRemainingUnits(
            [news, units = model_.unitsLeft()](int tongue) { return deadEndText(news, units, tongue); });
    } else {
        services_.Announce([news](int tongue) { return pickText(news, tongue); });
    }
}

// Keys reach every cell of the bar, the current and the empty ones too: say why nothing happened.
void Zupel::announceRefusal(int a, int b)
{
    if (!model_.inTable(a, b) || !model_.inBar(a, b))
        return;
    if (a == model_.currentColumn() && b == model_.currentRow()) {
        services_.Announce([](int tongue) {
            return pick(tongue, "Aktuelle Zelle: wähle eine andere Zelle im Balken.",
                        "Current cell: pick another cell of the bar.");
        });
    } else if (model_.cell(a, b) == ZupelModel::Empty) {
        services_.Announce([](int tongue) {
            return pick(tongue, "Leer: hier gibt es nichts zu holen.", "Empty: nothing to pick.");
        });
    }
}

void Zupel::startClock()
{
    if (services_.playState() == PlayState::Fresh)
        services_.setPlayState(PlayState::InProgress);
}

// The shell shows the clock as it is set. Saturates rather than wrap at the ends of the counter.
void Zupel::addToClock(int ticks)
{
    const std::int64_t sum = static_cast<std::int64_t>(services_.elapsed()) + ticks;
    services_.setElapsed(static_cast<int>(
        std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
}

// The bar ran empty with digits left: each remaining unit costs time, one at a time, in the
// model's column order, and the table is redrawn before the next pause shows it.
// The announcement comes first: no event is handled until the count-down is over.
void Zupel::chargeRemainingUnits(const SpokenText& pickNews)
{
    services_.Announce(pickNews);
    while (!model_.AllCollected()) {
        services_.Delay(UnitPauseMs);
        addToClock(UnitCharge);
        model_.chargeUnit();
        services_.PlaySound(Sound::ZupelCountUp);
        DrawBoard();
    }
    services_.Delay(EndPauseMs);
    services_.PuzzleFailed();
}

// ---- Input ----

// A press left of or above the board is ignored before dividing, so truncation toward zero
// cannot fold it into the first column or row. Grid lines belong to the cell they close.
void Zupel::MouseDownLeft(int x, int y)
{
    const int dx = x - boardX();
    const int dy = y - boardY();
    if (dx < 0 || dy < 0)
        return;
    PickCell(dx / CellWidth, dy / CellHeight);
}

// ---- Keyboard ----

KeyTargetSet Zupel::KeyTargets() const
{
    KeyTargetSet set;
    const bool rowBar = model_.rowBar();
    for (int index = 0; index < model_.mode(); ++index) {
        const Cell cell = *barCell(index);
        const QPoint middle(boardX() + CellWidth * cell.a + CellWidth / 2,
                            boardY() + CellHeight * cell.b + CellHeight / 2);
        set.targets.push_back({middle, cell.b, rowBar ? cell.a : 0});
    }
    set.first = (rowBar ? model_.currentColumn() : model_.currentRow()) - 1;
    return set;
}

void Zupel::ShowKeyCursor(std::optional<int> index)
{
    const std::optional<Cell> cell = index ? barCell(*index) : std::nullopt;
    if (keyMark_ && cell && keyMark_->cell == *cell)
        return;
    hideKeyMark();
    if (cell)
        showKeyMark(*cell);
}

QString Zupel::DescribeKeyTarget(int index, int tongue) const
{
    const std::optional<Cell> cell = barCell(index);
    if (!cell)
        return {};
    const QString text = contentText(model_.cell(cell->a, cell->b), tongue) + QStringLiteral(", ") +
                         cellName(cell->a, cell->b);
    if (cell->a != model_.currentColumn() || cell->b != model_.currentRow())
        return text;
    return text + pick(tongue, ", aktuelle Zelle; ", ", current cell; ") +
           barWayText(model_.rowBar(), tongue);
}

QString Zupel::DescribeBoard(int tongue) const
{
    const bool rowBar = model_.rowBar();
    const QString bar = lineName(rowBar, rowBar ? model_.currentRow() : model_.currentColumn(), tongue);
    const QString way = rowBar ? pick(tongue, "links und rechts", "left and right")
                               : pick(tongue, "hoch und runter", "up and down");
    return pick(tongue, "Balken: %1, %2; aktuelle Zelle %3. ", "Bar: %1, %2; current cell %3. ")
               .arg(bar, way, cellName(model_.currentColumn(), model_.currentRow())) +
           unitsLeftText(model_.unitsLeft(), tongue);
}

ReviewGrid Zupel::ReviewLines() const
{
    const int k = model_.mode();
    return {k, k, model_.currentRow() - 1, model_.currentColumn() - 1};
}

// "Row 2, bar: empty, current 3, expense, 2."; the cells in order, so the place needs no name.
QString Zupel::DescribeReviewLine(ReviewLine line, int tongue) const
{
    const int k = model_.mode();
    if (line.index < 0 || line.index >= k)
        return {};
    const int n = line.index + 1;
    QString text = capitalised(lineName(line.isRow, n, tongue));
    const bool isBar =
        line.isRow == model_.rowBar() && n == (line.isRow ? model_.currentRow() : model_.currentColumn());
    if (isBar)
        text += pick(tongue, ", Balken", ", bar");
    text += QStringLiteral(": ");
    for (int i = 1; i <= k; ++i) {
        const int a = line.isRow ? i : n;
        const int b = line.isRow ? n : i;
        if (i > 1)
            text += QStringLiteral(", ");
        if (a == model_.currentColumn() && b == model_.currentRow())
            text += pick(tongue, "aktuell ", "current ");
        text += contentText(model_.cell(a, b), tongue);
    }
    return text + QLatin1Char('.');
}

// The index-th cell of the bar, counted from its left or top end.
std::optional<Zupel::Cell> Zupel::barCell(int index) const
{
    if (index < 0 || index >= model_.mode())
        return std::nullopt;
    if (model_.rowBar())
        return Cell{index + 1, model_.currentRow()};
    return Cell{model_.currentColumn(), index + 1};
}

// The bar's inner lines run on the outermost pixels of a face and its outer lines on the grid,
// so a frame one pixel inside the face never meets the blink.
QRect Zupel::keyMarkRect(Cell cell) const
{
    return QRect(boardX() + CellWidth * cell.a + 1, boardY() + CellHeight * cell.b + 1, CellWidth - 3,
                 CellHeight - 3);
}

void Zupel::showKeyMark(Cell cell)
{
    Canvas canvas(services_.screen());
    drawKeyMark(canvas, cell);
    services_.screenChanged(keyMarkRect(cell));
}

void Zupel::hideKeyMark()
{
    if (!keyMark_)
        return;
    const QRect rect = keyMark_->rect;
    Canvas canvas(services_.screen());
    canvas.copyFrom(keyMark_->under, keyMark_->under.rect(), rect.topLeft());
    keyMark_.reset();
    services_.screenChanged(rect);
}

// The board was drawn over the mark: keep what now lies under it and draw it again, unless the
// pick took its cell out of the bar.
void Zupel::redrawKeyMark(Canvas& canvas)
{
    if (!keyMark_)
        return;
    const Cell cell = keyMark_->cell;
    if (!model_.inTable(cell.a, cell.b) || !model_.inBar(cell.a, cell.b)) {
        keyMark_.reset();
        return;
    }
    drawKeyMark(canvas, cell);
}

void Zupel::drawKeyMark(Canvas& canvas, Cell cell)
{
    const QRect rect = keyMarkRect(cell);
    keyMark_ = KeyMark{cell, rect, services_.screen().copy(rect)};
    canvas.setNoBrush();
    canvas.setPen(MarkOuter);
    canvas.rectangle(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
    canvas.setPen(MarkInner);
    canvas.rectangle(rect.left() + 1, rect.top() + 1, rect.right(), rect.bottom());
}

// ---- Settings ----

void Zupel::LoadSettings(const SettingsStore& settings)
{
    model_.setMode(settings.ReadInteger(Section, QStringLiteral("mode"), ZupelModel::DefaultMode));
}

void Zupel::SaveSettings(SettingsStore& settings) const
{
    settings.WriteInteger(Section, QStringLiteral("mode"), model_.mode());
}

// ---- Layout ----

int Zupel::boardX() const
{
    return CentreX - (CellWidth * model_.mode() + CellWidth) / 2;
}

int Zupel::boardY() const
{
    return (DrawingAreaSize.height() - CellHeight * model_.mode() - CellHeight) / 2;
}

QRect Zupel::boardRect() const
{
    const int k = model_.mode();
    return QRect(QPoint(boardX() - 1, boardY() - 1),
                 QPoint(boardX() + CellWidth * (k + 1), boardY() + CellHeight * (k + 1)));
}

// The bar's outer outline lies on the grid lines around its cells.
Zupel::BarBox Zupel::barBox() const
{
    const int k = model_.mode();
    BarBox box{};
    if (model_.rowBar()) {
        box.left = boardX() + CellWidth - 1;
        box.top = boardY() + CellHeight * model_.currentRow() - 1;
        box.right = box.left + CellWidth * k;
        box.bottom = box.top + CellHeight;
    } else {
        box.left = boardX() + CellWidth * model_.currentColumn() - 1;
        box.top = boardY() + CellHeight - 1;
        box.right = box.left + CellWidth;
        box.bottom = box.top + CellHeight * k;
    }
    return box;
}

QRect Zupel::barRect() const
{
    const BarBox box = barBox();
    return QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom));
}

// ---- Drawing ----

// Paints over a keyboard mark; it shows again only when the cursor is shown again.
void Zupel::PaintPuzzle()
{
    keyMark_.reset();
    Canvas canvas(services_.screen());
    canvas.copyFrom(services_.background(), DrawingAreaRect);
    DrawBoard(canvas);
    services_.screenChanged(DrawingAreaRect);
}

void Zupel::DrawBoard()
{
    Canvas canvas(services_.screen());
    DrawBoard(canvas);
    redrawKeyMark(canvas);
    services_.screenChanged(boardRect());
}

void Zupel::TimerTick()
{
    DrawBar(true);
}

void Zupel::DrawBar(bool invert)
{
    Canvas canvas(services_.screen());
    DrawBar(canvas, invert);
    services_.screenChanged(barRect());
}

// The headers come last and cover the bar's outline where it touches them.
void Zupel::DrawBoard(Canvas& canvas) const
{
    const int k = model_.mode();
    drawFrame(canvas);
    for (int a = 1; a <= k; ++a) {
        for (int b = 1; b <= k; ++b)
            DrawCell(canvas, a, b);
    }
    DrawBar(canvas, false);
    DrawHeader(canvas, 0, 0, QString());
    for (int a = 1; a <= k; ++a)
        DrawHeader(canvas, a, 0, QString(QChar(u'A' + a - 1)));
    for (int b = 1; b <= k; ++b)
        DrawHeader(canvas, 0, b, QString::number(b));
}

void Zupel::drawFrame(Canvas& canvas) const
{
    const int k = model_.mode();
    const int left = boardX() - 1;
    const int top = boardY() - 1;
    const int right = boardX() + CellWidth * (k + 1);
    const int bottom = boardY() + CellHeight * (k + 1);
    canvas.setPen(Black);
    canvas.polyline({{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}});
}

// A 34 x 24 face with its silver bottom and right grid line.
void Zupel::DrawCell(Canvas& canvas, int a, int b) const
{
    const int x = boardX() + CellWidth * a;
    const int y = boardY() + CellHeight * b;
    const bool current = a == model_.currentColumn() && b == model_.currentRow();
    canvas.fillRect(x, y, x + 34, y + 24, current ? Grey : White);
    canvas.setPen(Silver);
    canvas.polyline({{x, y + 24}, {x + 34, y + 24}, {x + 34, y - 1}});
    const int value = model_.cell(a, b);
    if (value == ZupelModel::Empty)
        return;
    const ColorRef textColor = current ? Silver : (value < 0 ? Red : Green);
    canvas.textTopCentre(x + TextOffsetX, y + TextOffsetY, cellText(value), cellFont_, textColor);
}

// The current cell's column and row headers stand out raised with bold text.
void Zupel::DrawHeader(Canvas& canvas, int a, int b, const QString& text) const
{
    const int x = boardX() + CellWidth * a;
    const int y = boardY() + CellHeight * b;
    canvas.fillRect(x, y, x + 35, y + 25, Silver);
    const bool raised = a == model_.currentColumn() || b == model_.currentRow();
    if (raised)
        drawRaisedEdges(canvas, x, y);
    else
        drawFlatEdges(canvas, a, b, x, y);
    canvas.textTopCentre(x + TextOffsetX, y + TextOffsetY, text, raised ? raisedHeaderFont_ : headerFont_,
                         Black);
}

void Zupel::drawRaisedEdges(Canvas& canvas, int x, int y) const
{
    canvas.setPen(White);
    canvas.polyline({{x, y + 24}, {x, y}, {x + 34, y}});
    canvas.setPen(Black);
    canvas.polyline({{x, y + 24}, {x + 34, y + 24}, {x + 34, y - 1}});
    canvas.setPen(Grey);
    canvas.polyline({{x + 33, y + 1}, {x + 33, y + 23}, {x + 1, y + 23}});
}

// Light edges only toward the outside of the board: left on column headers, top on row headers.
void Zupel::drawFlatEdges(Canvas& canvas, int a, int b, int x, int y) const
{
    canvas.setPen(White);
    if (b == 0)
        canvas.line(x, y, x, y + 24);
    if (a == 0)
        canvas.line(x, y, x + 34, y);
    canvas.setPen(Grey);
    canvas.polyline({{x + 34, y}, {x + 34, y + 24}, {x - 1, y + 24}});
}

// Each edge is its own line, so the dots restart at every edge and, when inverting, a pixel two
// edges share flips twice. The outer edge next to the headers is left out.
void Zupel::DrawBar(Canvas& canvas, bool invert) const
{
    const auto [left, top, right, bottom] = barBox();
    if (invert)
        canvas.setPen(Black, 1, Canvas::PenStyle::Solid, Canvas::PenMode::Invert);
    else
        canvas.setPen(Black, 1, Canvas::PenStyle::Dot);
    const bool rowBar = model_.rowBar();
    if (rowBar && model_.currentRow() > 1)
        canvas.line(left, top, right, top);
    canvas.line(right, top, right, bottom);
    canvas.line(left, bottom, right, bottom);
    if (!rowBar && model_.currentColumn() > 1)
        canvas.line(left, top, left, bottom);

    canvas.line(left + 1, top + 1, right - 1, top + 1);
    canvas.line(right - 1, top + 1, right - 1, bottom - 1);
    canvas.line(left + 1, bottom - 1, right - 1, bottom - 1);
    canvas.line(left + 1, top + 1, left + 1, bottom - 1);
}
