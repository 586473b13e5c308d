#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <bitset>
#include <optional>

#include "app/core/Color.h"
#include "app/core/KeyMark.h"
#include "app/core/PuzzleModule.h"
#include "puzzles/huxel/HuxelModel.h"

class Canvas;
class ShellServices;

// The table-rotation puzzle: draws both tables, highlights the 2 x 2 block under the pointer,
// animates a rotation and lets the player pick the font of the characters.
class Huxel final : public PuzzleModule {
  public:
    using Side = HuxelModel::Side;
    using Turn = HuxelModel::Turn;

    static constexpr int RightX = 270;
    static constexpr int TableTop = 120;
    // Every table is this many pixels square, whatever its size.
    static constexpr int TableSpan = 180;
    // The highlighted look of a cell lies this many rows below it in the background picture.
    static constexpr int HighlightRows = 233;
    static constexpr ColorRef HighlightTextColor = colorRef(0xFF, 0xDF, 0xCF);
    static constexpr int FontDialogPoints = 24;
    static constexpr QPoint FontButtonCentre{28, 22};
    static inline const QString DefaultFontName = QStringLiteral("Arial");

    explicit Huxel(ShellServices& services);

    void NewPuzzle() override;
    // No highlight for the mouse (it waits for the next pointer move); the keyboard cursor is drawn
    // again where it acts.
    void PaintPuzzle() override { RedrawTables(); }
    void MouseDownLeft(int x, int y) override;
    // A right press needs no position: it turns the block the pointer last highlighted.
    void MouseDownRight(int x, int y) override;
    void MouseMove(int x, int y) override { UpdateHover(x, y); }
    void OptionClick(bool up) override;
    void LoadSettings(const SettingsStore& settings) override;
    void SaveSettings(SettingsStore& settings) const override;
    int ScoreLevel() const override { return model_.TableSize(); }
    // The font button, then every block row by row, across the left table and on into the right
    // one; the highlight is the cursor.
    KeyTargetSet KeyTargets() const override;
    // On a block the highlight is the cursor; the font button gets a frame of its own.
    void ShowKeyCursor(std::optional<int> index) override;
    QString DescribeKeyTarget(int index, int tongue) const override;
    QString DescribeBoard(int tongue) const override;
    std::optional<int> PartnerTarget(int index) const override;
    // Cell rows and columns, each read across both tables.
    ReviewGrid ReviewLines() const override;
    QString DescribeReviewLine(ReviewLine line, int tongue) const override;

    // One move on the highlighted block; nothing without one.
    void RotationMove(Turn direction);
    // One cell into the work picture only.
    void DrawCell(int col, int row, Side table, bool highlighted);
    void RedrawTables();
    void UpdateHover(int x, int y);
    // The target the keyboard cursor stands on, if it shows.
    std::optional<int> KeyCursor() const { return keyCursor_; }
    // The block with top-left cell [col][row], its characters moved by offset pixels; drawn into
    // the work picture and copied to the screen.
    void DrawRotationFrame(int col, int row, int offset, Side table, Turn direction);

    HuxelModel& model() { return model_; }
    const HuxelModel& model() const { return model_; }

    int CellSize() const { return TableSpan / model_.TableSize(); }
    int LeftX() const { return 245 - model_.TableSize() * CellSize(); }
    // Pixels a moving character advances per frame, and the frames of one move.
    int animationStep() const;
    int AnimationFrames() const { return CellSize() / animationStep(); }
    int RestPoints() const { return CellSize() * 40 / 72; }
    int MovingPoints() const { return CellSize() * 4 / 7; }

    int HoverCol() const { return hover_.col; }
    int HoverRow() const { return hover_.row; }
    Side HoverTable() const { return hover_.table; }

    const QString& FontName() const { return fontName_; }
    bool FontBold() const { return fontBold_; }
    bool FontItalic() const { return fontItalic_; }

  private:
    struct Hover {
        int col = 0;
        int row = 0;
        Side table = Side::Left;
        bool operator==(const Hover&) const = default;
    };

    int tableX(Side table) const { return table == Side::Right ? RightX : LeftX(); }
    QRect tableRect(Side table) const;
    Hover hoverAt(int x, int y) const;
    void moveHover(const Hover& next, bool withSound);
    // The tables' marked cells plain again and the hovered block highlighted, on the screen.
    void drawHover();
    bool blockHighlighted() const;
    QFont tableFont(int points) const;
    void drawCellOn(Canvas& canvas, const QFont& font, int col, int row, Side table, bool highlighted);
    // Left table, then right, each column by column; with onlyMarked the cells that already look
    // plain are skipped.
    void drawPlainCells(Canvas& canvas, bool onlyMarked);
    // Whether every character at rest stays inside its cell's interior in the current face and
    // size (measured once per face and size); a move's larger characters are kept to their block.
    bool glyphsStayInCells();
    static int cellSlot(Side table, int col, int row);
    void markCell(Side table, int col, int row, bool marked);
    void drawHighlightedBlock(Canvas& canvas);
    void animate(Turn direction);
    void chooseFont();
    // The block a key target stands for; nullopt for the font button and unknown indices.
    std::optional<Hover> blockOfTarget(int index) const;
    int targetOfBlock(const Hover& block) const;
    QString describeBlock(const Hover& block, int tongue) const;
    QString blockCharacters(const Hover& block) const;
    int cellsAgreeing() const;

    static constexpr int FontTarget = 0;

    ShellServices& services_;
    HuxelModel model_;
    Hover hover_;
    // Cells whose look in the work picture is not the plain one of the current tables: highlighted,
    // turned and not redrawn since, or not drawn since the last NewPuzzle. A hover change redraws
    // only these while no character reaches beyond its cell (the same picture as redrawing every
    // cell), and every cell once one does.
    std::bitset<2 * (HuxelModel::MaxSize + 1) * (HuxelModel::MaxSize + 1)> marked_;
    // The last answer of glyphsStayInCells and what it was measured for.
    struct InkCheck {
        QFont font;
        int cellSize = 0;
        bool stays = true;
    } inkCheck_;
    std::optional<int> keyCursor_;
    // The cursor's frame round the font button.
    KeyMark fontMark_;
    QString fontName_ = DefaultFontName;
    bool fontBold_ = false;
    bool fontItalic_ = false;
};
