#include "puzzles/huxel/Huxel.h"

#include <QFontInfo>
#include <array>

#include "app/core/Canvas.h"
#include "app/core/DrawingArea.h"
#include "app/core/Language.h"
#include "app/core/ShellServices.h"
#include "app/settings/SettingsStore.h"

namespace {

const QString Section = QStringLiteral("huxel");

constexpr ColorRef Black = colorRef(0, 0, 0);

constexpr unsigned FrameDelayMs = 20;
constexpr unsigned SolvedPauseMs = 300;

// The font button of the rules text, x 19..37, y 13..31.
bool onFontButton(int x, int y)
{
    return 18 < x && x < 38 && 12 < y && y < 32;
}

// No font has an empty name, and none is named by a page of text.
constexpr int LongestFontName = 255;

QString faceOrDefault(const QString& name)
{
    if (name.isEmpty() || name.size() > LongestFontName)
        return Huxel::DefaultFontName;
    return name;
}

QString characterText(char32_t character)
{
    return QString::fromUcs4(&character, 1);
}

// The frame of a cell from (x, y) to (x + size, y + size), both corners included.
void drawFrame(Canvas& canvas, int x, int y, int size)
{
    canvas.rectangle(x, y, x + size + 1, y + size + 1);
}

} // namespace

Huxel::Huxel(ShellServices& services) : services_(services), model_(services.random()) {}

void Huxel::NewPuzzle()
{
    hover_ = {};
    marked_.set();
    services_.setPlayState(PlayState::Fresh);
    model_.ShuffleTables();
}

void Huxel::OptionClick(bool up)
{
    const int before = model_.TableSize();
    model_.setTableSize(before + (up ? 1 : -1));
    if (model_.TableSize() == before)
        return;
    NewPuzzle();
    RedrawTables();
}

int Huxel::animationStep() const
{
    const int n = model_.TableSize();
    return n == HuxelModel::MaxSize ? 2 : 7 - n;
}

// ---- Move ----

void Huxel::RotationMove(Turn direction)
{
    if (!blockHighlighted())
        return;
    if (services_.playState() == PlayState::Fresh)
        services_.setPlayState(PlayState::InProgress);
    services_.PlaySound(Sound::HuxelRotate);
    animate(direction);
    model_.rotate(direction, hover_.col, hover_.row, hover_.table);
    DrawRotationFrame(hover_.col, hover_.row, 0, hover_.table, direction);
    // Reported on every move that leaves the tables equal; the shell ignores repeats.
    if (model_.TablesEqual()) {
        services_.Delay(SolvedPauseMs);
        services_.PuzzleSolved();
    }
}

// The last frame moves each character by a whole cell, onto its neighbour's place.
void Huxel::animate(Turn direction)
{
    const int step = animationStep();
    for (int frame = 1; frame <= AnimationFrames(); ++frame) {
        DrawRotationFrame(hover_.col, hover_.row, frame * step, hover_.table, direction);
        services_.Delay(FrameDelayMs);
    }
}

// Also false for hover values left over from another table size.
bool Huxel::blockHighlighted() const
{
    const int n = model_.TableSize();
    return hover_.col >= 1 && hover_.col < n && hover_.row >= 1 && hover_.row < n;
}

// ---- Settings ----

void Huxel::LoadSettings(const SettingsStore& settings)
{
    model_.setTableSize(settings.ReadInteger(Section, QStringLiteral("mode"), HuxelModel::DefaultSize));
    fontName_ = faceOrDefault(settings.ReadString(Section, QStringLiteral("name"), DefaultFontName));
    fontBold_ = settings.ReadBool(Section, QStringLiteral("bold"), false);
    fontItalic_ = settings.ReadBool(Section, QStringLiteral("ital"), false);
}

void Huxel::SaveSettings(SettingsStore& settings) const
{
    settings.WriteInteger(Section, QStringLiteral("mode"), model_.TableSize());
    settings.WriteString(Section, QStringLiteral("name"), fontName_);
    settings.WriteBool(Section, QStringLiteral("bold"), fontBold_);
    settings.WriteBool(Section, QStringLiteral("ital"), fontItalic_);
}

// ---- Drawing ----

QRect Huxel::tableRect(Side table) const
{
    const int side = model_.TableSize() * CellSize();
    return QRect(tableX(table), TableTop, side, side);
}

QFont Huxel::tableFont(int points) const
{
    QFont font = Canvas::font(fontName_, points, fontBold_);
    font.setItalic(fontItalic_);
    return font;
}

void Huxel::DrawCell(int col, int row, Side table, bool highlighted)
{
    Canvas canvas(services_.work());
    drawCellOn(canvas, tableFont(RestPoints()), col, row, table, highlighted);
}

void Huxel::drawCellOn(Canvas& canvas, const QFont& font, int col, int row, Side table, bool highlighted)
{
    const int size = CellSize();
    const int x = (col - 1) * size + tableX(table);
    const int y = (row - 1) * size + TableTop;
    canvas.setPen(Black);
    canvas.setNoBrush();
    drawFrame(canvas, x, y, size);
    markCell(table, col, row, highlighted);
    const int sourceY = highlighted ? y + 1 + HighlightRows : y + 1;
    canvas.copyFrom(services_.background(), QRect(x + 1, sourceY, size - 1, size - 1), QPoint(x + 1, y + 1));
    canvas.textTopCentre(x + size / 2, y + size / 8, characterText(model_.cell(table, col, row)), font,
                         highlighted ? HighlightTextColor : Black);
}

void Huxel::drawPlainCells(Canvas& canvas, bool onlyMarked)
{
    const QFont font = tableFont(RestPoints());
    const int n = model_.TableSize();
    for (Side table : {Side::Left, Side::Right}) {
        for (int col = 1; col <= n; ++col) {
            for (int row = 1; row <= n; ++row) {
                if (!onlyMarked || marked_[cellSlot(table, col, row)])
                    drawCellOn(canvas, font, col, row, table, false);
            }
        }
    }
}

int Huxel::cellSlot(Side table, int col, int row)
{
    constexpr int side = HuxelModel::MaxSize + 1;
    return (static_cast<int>(table) * side + col) * side + row;
}

void Huxel::markCell(Side table, int col, int row, bool marked)
{
    if (col >= 1 && col <= HuxelModel::MaxSize && row >= 1 && row <= HuxelModel::MaxSize)
        marked_[cellSlot(table, col, row)] = marked;
}

// Every character of the alphabet drawn at rest into one cell of a scratch picture, with two cells
// of room around it: any ink outside the cell's interior reaches into a neighbour.
bool Huxel::glyphsStayInCells()
{
    const QFont font = tableFont(RestPoints());
    const int size = CellSize();
    if (inkCheck_.cellSize == size && inkCheck_.font == font)
        return inkCheck_.stays;
    constexpr ColorRef Paper = colorRef(0xFF, 0xFF, 0xFF);
    QImage scratch(5 * size, 5 * size, QImage::Format_RGB32);
    scratch.fill(toQRgb(Paper));
    Canvas canvas(scratch);
    const int x = 2 * size;
    const int y = 2 * size;
    for (char32_t character : HuxelModel::SymbolAlphabet)
        canvas.textTopCentre(x + size / 2, y + size / 8, characterText(character), font, Black);
    const QRect interior(x + 1, y + 1, size - 1, size - 1);
    bool stays = true;
    for (int row = 0; row < scratch.height() && stays; ++row) {
        for (int col = 0; col < scratch.width() && stays; ++col)
            stays = interior.contains(col, row) || fromQRgb(scratch.pixel(col, row)) == Paper;
    }
    inkCheck_ = {font, size, stays};
    return stays;
}

void Huxel::RedrawTables()
{
    Canvas canvas(services_.work());
    canvas.copyFrom(services_.background(), DrawingAreaRect);
    drawPlainCells(canvas, false);
    services_.copyWorkToScreen(DrawingAreaRect);
}

void Huxel::drawHighlightedBlock(Canvas& canvas)
{
    const QFont font = tableFont(RestPoints());
    const auto [u, v, table] = hover_;
    drawCellOn(canvas, font, u, v, table, true);
    drawCellOn(canvas, font, u + 1, v, table, true);
    drawCellOn(canvas, font, u, v + 1, table, true);
    drawCellOn(canvas, font, u + 1, v + 1, table, true);
}

void Huxel::DrawRotationFrame(int col, int row, int offset, Side table, Turn direction)
{
    const int w = CellSize();
    const int h = w / 2;
    const int e = w / 8;
    const int t = offset;
    const int x0 = (col - 1) * w + tableX(table);
    const int y0 = (row - 1) * w + TableTop;
    const QRect block(x0, y0, 2 * w, 2 * w);
    // Composed apart, in block coordinates, and then put into the work picture: a glyph that
    // reaches beyond the block leaves nothing there that the screen does not show, so the cells
    // around stay as a hover change expects them.
    QImage frame = services_.work().copy(block);
    Canvas canvas(frame);
    canvas.copyFrom(services_.background(), QRect(x0 + 1, y0 + 1 + HighlightRows, 2 * w - 1, 2 * w - 1),
                    QPoint(1, 1));
    canvas.setPen(Black);
    canvas.setNoBrush();
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            drawFrame(canvas, i * w, j * w, w);
            markCell(table, col + i, row + j, true);
        }
    }

    // Top-centre points of TL, TR, BR, BL: clockwise each character heads for the next corner
    // clockwise, counter-clockwise for the next one the other way.
    const bool clockwise = direction == Turn::Clockwise;
    const std::array<QPoint, 4> places =
        clockwise ? std::array<QPoint, 4>{QPoint(h + t, e), QPoint(w + h, e + t), QPoint(w + h - t, w + e),
                                          QPoint(h, w + e - t)}
                  : std::array<QPoint, 4>{QPoint(h, e + t), QPoint(w + h - t, e), QPoint(w + h, w + e - t),
                                          QPoint(h + t, w + e)};
    const std::array<char32_t, 4> characters{model_.cell(table, col, row), model_.cell(table, col + 1, row),
                                             model_.cell(table, col + 1, row + 1),
                                             model_.cell(table, col, row + 1)};
    const QFont font = tableFont(MovingPoints());
    for (int k = 0; k < 4; ++k)
        canvas.textTopCentre(places[k].x(), places[k].y(), characterText(characters[k]), font,
                             HighlightTextColor);
    Canvas(services_.work()).copyFrom(frame, frame.rect(), block.topLeft());
    services_.copyWorkToScreen(block);
}

// ---- Input ----

// The block whose common inner corner is nearest to the pointer; none within half a cell of a
// table's outer border.
Huxel::Hover Huxel::hoverAt(int x, int y) const
{
    Hover hover;
    hover.table = x > RightX ? Side::Right : Side::Left;
    const int x0 = tableX(hover.table);
    const int n = model_.TableSize();
    const int size = CellSize();
    const int h = size / 2;
    if (x > x0 + h && y > TableTop + h) {
        const int u = (x - x0 - h) / size + 1;
        const int v = (y - TableTop - h) / size + 1;
        if (u < n && v < n) {
            hover.col = u;
            hover.row = v;
        }
    }
    return hover;
}

void Huxel::UpdateHover(int x, int y)
{
    const Hover old = hover_;
    hover_ = hoverAt(x, y);
    if (hover_ == old)
        return;
    // Only a change of block sounds; the same block in the other table is silent.
    if (hover_.col != old.col || hover_.row != old.row)
        services_.PlaySound(Sound::HuxelBlock);
    const bool onlyMarked = glyphsStayInCells();
    Canvas canvas(services_.work());
    drawPlainCells(canvas, onlyMarked);
    if (hover_.col > 0 && hover_.row > 0)
        drawHighlightedBlock(canvas);
    services_.copyWorkToScreen(tableRect(Side::Left));
    services_.copyWorkToScreen(tableRect(Side::Right));
}

void Huxel::MouseDownLeft(int x, int y)
{
    if (onFontButton(x, y)) {
        chooseFont();
        return;
    }
    RotationMove(Turn::CounterClockwise);
}

void Huxel::MouseDownRight(int /*x*/, int /*y*/)
{
    RotationMove(Turn::Clockwise);
}

// Only face, bold and italic are taken; the characters keep the sizes and colours of the tables.
// The chooser lists installed faces only, so it is preset with the face the tables are drawn in
// (Arial may be drawn by a substitute); confirming that face keeps the name as it was.
void Huxel::chooseFont()
{
    const QString shownFace = QFontInfo(tableFont(FontDialogPoints)).family();
    QFont preset(shownFace, FontDialogPoints);
    preset.setBold(fontBold_);
    preset.setItalic(fontItalic_);
    const std::optional<QFont> chosen = services_.chooseFont(preset);
    if (!chosen)
        return;
    if (chosen->family() != shownFace)
        fontName_ = faceOrDefault(chosen->family());
    fontBold_ = chosen->bold();
    fontItalic_ = chosen->italic();
    RedrawTables();
}

// ---- Keyboard ----

// A block's point is its common inner corner, the middle of the area that highlights it; the
// points depend on the table size only, so a move keeps the cursor on its block.
KeyTargetSet Huxel::KeyTargets() const
{
    KeyTargetSet set;
    set.targets.push_back({FontButtonCentre, 0, 0});
    const int blocks = model_.TableSize() - 1;
    const int size = CellSize();
    for (int row = 1; row <= blocks; ++row) {
        for (Side table : {Side::Left, Side::Right}) {
            const int firstColumn = table == Side::Right ? blocks : 0;
            for (int col = 1; col <= blocks; ++col)
                set.targets.push_back(
                    {QPoint(tableX(table) + col * size, TableTop + row * size), row, firstColumn + col - 1});
        }
    }
    set.first = 1;
    return set;
}

std::optional<Huxel::Hover> Huxel::blockOfTarget(int index) const
{
    const int blocks = model_.TableSize() - 1;
    const int k = index - 1;
    if (k < 0 || k >= 2 * blocks * blocks)
        return std::nullopt;
    const int across = k % (2 * blocks);
    return Hover{across % blocks + 1, k / (2 * blocks) + 1, across < blocks ? Side::Left : Side::Right};
}

QString Huxel::DescribeKeyTarget(int index, int tongue) const
{
    if (index == 0)
        return pick(tongue,
                    "Der Knopf mit dem F: Er öffnet die Schriftauswahl für die Zeichen, Schriftart, fett "
                    "oder kursiv.",
                    "The F button: it opens the font choice for the characters, typeface, bold or italic.");
    const std::optional<Hover> block = blockOfTarget(index);
    return block ? describeBlock(*block, tongue) : QString();
}

QString Huxel::describeBlock(const Hover& block, int tongue) const
{
    const Hover other{block.col, block.row, block.table == Side::Left ? Side::Right : Side::Left};
    const QString here = blockCharacters(block);
    const QString there = blockCharacters(other);
    const QString agreement =
        here == there
            ? pick(tongue, "Hier stimmen beide Tabellen schon überein.", "Both tables agree here already.")
            : pick(tongue, "Hier unterscheiden sich die Tabellen noch.", "The tables still differ here.");
    return pick(tongue, "Tabelle %1, Blockzeile %2, Spalte %3: %4; die andere Tabelle: %5. %6",
                "Table %1, block row %2, column %3: %4; the other table: %5. %6")
        .arg(block.table == Side::Left ? 1 : 2)
        .arg(block.row)
        .arg(block.col)
        .arg(here, there, agreement);
}

// The four characters in reading order: "A B / C D".
QString Huxel::blockCharacters(const Hover& block) const
{
    const auto [col, row, table] = block;
    return QStringLiteral("%1 %2 / %3 %4")
        .arg(characterText(model_.cell(table, col, row)), characterText(model_.cell(table, col + 1, row)),
             characterText(model_.cell(table, col, row + 1)),
             characterText(model_.cell(table, col + 1, row + 1)));
}
