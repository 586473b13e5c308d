#include "puzzles/huxel/Huxel.h"

#include <QFontInfo>
#include <QStringList>
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

// Three pixels clear of the font button on every side (x 16..40, y 10..34).
const QRect FontMarkRect(Huxel::FontButtonCentre - QPoint(12, 12), QSize(25, 25));

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

QString sideName(HuxelModel::Side table, int tongue)
{
    return table == HuxelModel::Side::Left ? pick(tongue, "links", "left") : pick(tongue, "rechts", "right");
}

} // namespace

Huxel::Huxel(ShellServices& services) : services_(services), model_(services.random()) {}

void Huxel::NewPuzzle()
{
    hover_ = {};
    // The shell paints a new puzzle whole, and the cursor starts afresh with the next key.
    keyCursor_.reset();
    fontMark_.forget();
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
    if (!blockHighlighted()) {
        services_.Announce([](int tongue) {
            return pick(tongue, "Hier ist kein Block zum Drehen.", "No block here to turn.");
        });
        return;
    }
    if (services_.playState() == PlayState::Fresh)
        services_.setPlayState(PlayState::InProgress);
    services_.PlaySound(Sound::HuxelRotate);
    animate(direction);
    model_.rotate(direction, hover_.col, hover_.row, hover_.table);
    DrawRotationFrame(hover_.col, hover_.row, 0, hover_.table, direction);
    const QString turned = blockCharacters(hover_);
    const int agreeing = cellsAgreeing();
    const int cells = model_.TableSize() * model_.TableSize();
    services_.Announce([turned, agreeing, cells](int tongue) {
        return pick(tongue, "%1; %2 von %3 Zellen gleich", "%1; %2 of %3 cells agree")
            .arg(turned, QString::number(agreeing), QString::number(cells));
    });
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
    // The mouse's highlight waits for the next pointer move; the keyboard's must show where a key
    // acts at once.
    if (const std::optional<Hover> block = keyCursor_ ? blockOfTarget(*keyCursor_) : std::nullopt) {
        hover_ = *block;
        drawHighlightedBlock(canvas);
    }
    services_.copyWorkToScreen(DrawingAreaRect);
    fontMark_.redraw(services_);
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
    moveHover(hoverAt(x, y), true);
}

void Huxel::moveHover(const Hover& next, bool withSound)
{
    const Hover old = hover_;
    hover_ = next;
    if (hover_ == old)
        return;
    // Only a change of block sounds; the same block in the other table is silent.
    if (withSound && (hover_.col != old.col || hover_.row != old.row))
        services_.PlaySound(Sound::HuxelBlock);
    drawHover();
}

void Huxel::drawHover()
{
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

int Huxel::targetOfBlock(const Hover& block) const
{
    const int blocks = model_.TableSize() - 1;
    return 1 + (block.row - 1) * 2 * blocks + (block.table == Side::Right ? blocks : 0) + block.col - 1;
}

// A block's highlight is drawn and taken away without the hover sound: the shell's pointer move
// to the target has sounded already, and a hidden cursor leaves no block where a press would act.
void Huxel::ShowKeyCursor(std::optional<int> index)
{
    const std::optional<Hover> block = index ? blockOfTarget(*index) : std::nullopt;
    const bool onButton = index == FontTarget;
    if (index == keyCursor_ && (onButton ? fontMark_.shown() : block && hover_ == *block))
        return;
    fontMark_.hide(services_);
    if (!block && !onButton) {
        const bool leavesBlock = keyCursor_ && blockOfTarget(*keyCursor_);
        keyCursor_.reset();
        if (leavesBlock)
            moveHover({}, false);
        return;
    }
    keyCursor_ = index;
    if (onButton) {
        moveHover({}, false);
        fontMark_.show(services_, FontMarkRect);
        return;
    }
    // Also when the block is hovered already: a full redraw since may have taken its highlight.
    hover_ = *block;
    drawHover();
}

QString Huxel::DescribeKeyTarget(int index, int tongue) const
{
    if (index == FontTarget) {
        QString face = fontName_;
        if (fontBold_)
            face += pick(tongue, " fett", " bold");
        if (fontItalic_)
            face += pick(tongue, " kursiv", " italic");
        return pick(tongue, "Schrift %1; F-Knopf", "Font %1; F button").arg(face);
    }
    const std::optional<Hover> block = blockOfTarget(index);
    return block ? describeBlock(*block, tongue) : QString();
}

// What a turn changes first (the characters and how many of them match the other table), then
// the place.
QString Huxel::describeBlock(const Hover& block, int tongue) const
{
    const Side other = block.table == Side::Left ? Side::Right : Side::Left;
    int agreeing = 0;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j)
            agreeing += model_.cell(block.table, block.col + i, block.row + j) ==
                        model_.cell(other, block.col + i, block.row + j);
    }
    return pick(tongue, "%1; %2 von 4 gleich; %3, Zeile %4, Spalte %5",
                "%1; %2 of 4 agree; %3, row %4, column %5")
        .arg(blockCharacters(block), QString::number(agreeing), sideName(block.table, tongue),
             QString::number(block.row), QString::number(block.col));
}

// The four characters in reading order: "A B, C D".
QString Huxel::blockCharacters(const Hover& block) const
{
    const auto [col, row, table] = block;
    return QStringLiteral("%1 %2, %3 %4")
        .arg(characterText(model_.cell(table, col, row)), characterText(model_.cell(table, col + 1, row)),
             characterText(model_.cell(table, col, row + 1)),
             characterText(model_.cell(table, col + 1, row + 1)));
}

int Huxel::cellsAgreeing() const
{
    const int n = model_.TableSize();
    int agreeing = 0;
    for (int col = 1; col <= n; ++col) {
        for (int row = 1; row <= n; ++row)
            agreeing += model_.cell(Side::Left, col, row) == model_.cell(Side::Right, col, row);
    }
    return agreeing;
}

QString Huxel::DescribeBoard(int tongue) const
{
    const int cells = model_.TableSize() * model_.TableSize();
    const int differing = cells - cellsAgreeing();
    if (differing == 0)
        return pick(tongue, "Alle %1 Zellen stimmen überein.", "All %1 cells agree.").arg(cells);
    return pick(tongue, "%1 von %2 Zellen unterscheiden sich noch.", "%1 of %2 cells still differ.")
        .arg(QString::number(differing), QString::number(cells));
}

std::optional<int> Huxel::PartnerTarget(int index) const
{
    const std::optional<Hover> block = blockOfTarget(index);
    if (!block)
        return std::nullopt;
    return targetOfBlock({block->col, block->row, block->table == Side::Left ? Side::Right : Side::Left});
}

// Reading starts at the block a press would turn.
ReviewGrid Huxel::ReviewLines() const
{
    const int n = model_.TableSize();
    const bool onBlock = blockHighlighted();
    return {n, n, onBlock ? hover_.row - 1 : 0, onBlock ? hover_.col - 1 : 0};
}

QString Huxel::DescribeReviewLine(ReviewLine line, int tongue) const
{
    const int n = model_.TableSize();
    if (line.index < 0 || line.index >= n)
        return {};
    const int k = line.index + 1;
    auto cells = [&](Side table) {
        QStringList characters;
        for (int i = 1; i <= n; ++i)
            characters << characterText(line.isRow ? model_.cell(table, i, k) : model_.cell(table, k, i));
        return characters.join(QLatin1Char(' '));
    };
    const QString left = cells(Side::Left);
    const QString right = cells(Side::Right);
    if (line.isRow)
        return pick(tongue, "Zeile %1: links %2; rechts %3", "row %1: left %2; right %3")
            .arg(QString::number(k), left, right);
    return pick(tongue, "Spalte %1: links %2; rechts %3", "column %1: left %2; right %3")
        .arg(QString::number(k), left, right);
}
