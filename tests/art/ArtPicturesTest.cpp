#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QString>
#include <gtest/gtest.h>

#include "support/Readability.h"

namespace {

struct ExpectedPicture {
    const char* path;
    int width;
    int height;
};

// Sizes the shell and the dialogs rely on; glyph strips are one cell per button state.
const ExpectedPicture expectedResources[] = {
    {":/art/toolbar.png", 500, 33},
    {":/art/dialog.png", 320, 200},
    {":/art/icon.png", 64, 64},
    {":/art/icon32.png", 32, 32},
    {":/art/splash.png", 200, 150},
    {":/art/about.png", 100, 75},
    {":/art/rules.png", 340, 268},
    {":/art/glyph_mix.png", 18 * 2, 18},
    {":/art/glyph_option.png", 19 * 2, 19},
    {":/art/glyph_optionz.png", 19 * 2, 19},
    {":/art/glyph_pause.png", 18, 18},
    {":/art/glyph_sound.png", 16 * 4, 16},
    {":/art/glyph_midi.png", 16 * 2, 16},
    {":/art/glyph_highscore.png", 18, 18},
    {":/art/glyph_exit.png", 18, 18},
    {":/art/glyph_pliv.png", 18, 18},
    {":/art/glyph_zupe.png", 18, 18},
    {":/art/glyph_vexo.png", 18, 18},
    {":/art/glyph_huxe.png", 18, 18},
    {":/art/glyph_tongue.png", 15, 15},
    {":/art/glyph_help.png", 18, 18},
    {":/art/glyph_info.png", 18, 18},
    {":/art/glyph_frobny.png", 26, 20},
    {":/art/btn_ok.png", 16, 16},
    {":/art/btn_cancel.png", 16, 16},
    {":/art/btn_continue.png", 16, 16},
    {":/art/btn_english.png", 16, 16},
    {":/art/btn_german.png", 16, 16},
};

// The test program lives in the runtime folder, which is the game's data folder in the build tree.
QString dataFile(const char* name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(name));
}

QImage loadBackground(const char* name)
{
    QImage image(dataFile(name));
    return image.convertToFormat(QImage::Format_RGB32);
}

int lightness(QRgb pixel)
{
    return qGray(pixel);
}

// Every pixel at least `minimum` light, and no two pixels further apart than `spread` in grey.
::testing::AssertionResult isPlainLight(const QImage& image, const QRect& area, int minimum, int spread)
{
    int darkest = 255;
    int lightest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int value = lightness(image.pixel(x, y));
            darkest = std::min(darkest, value);
            lightest = std::max(lightest, value);
            if (value < minimum)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") grey " << value;
        }
    }
    if (lightest - darkest > spread)
        return ::testing::AssertionFailure() << "grey ranges " << darkest << ".." << lightest;
    return ::testing::AssertionSuccess();
}

// Art somebody can recognise: several colours and real contrast inside the area.
::testing::AssertionResult hasArtwork(const QImage& image, const QRect& area)
{
    QSet<QRgb> colours;
    int darkest = 255;
    int lightest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            colours.insert(image.pixel(x, y));
            darkest = std::min(darkest, lightness(image.pixel(x, y)));
            lightest = std::max(lightest, lightness(image.pixel(x, y)));
        }
    }
    if (colours.size() < 8 || lightest - darkest < 100)
        return ::testing::AssertionFailure()
               << colours.size() << " colours, grey " << darkest << ".." << lightest;
    return ::testing::AssertionSuccess();
}

TEST(ArtResources, EveryPictureExistsWithItsSize)
{
    for (const ExpectedPicture& expected : expectedResources) {
        SCOPED_TRACE(expected.path);
        const QImage picture(QString::fromLatin1(expected.path));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.width(), expected.width);
        EXPECT_EQ(picture.height(), expected.height);
    }
}

TEST(ArtResources, GlyphsAreDrawnOnTransparentGround)
{
    for (const ExpectedPicture& expected : expectedResources) {
        const QString path = QString::fromLatin1(expected.path);
        if (!path.contains(QLatin1String("glyph_")) && !path.contains(QLatin1String("btn_")))
            continue;
        SCOPED_TRACE(expected.path);
        const QImage picture(path);
        ASSERT_TRUE(picture.hasAlphaChannel());
        EXPECT_EQ(qAlpha(picture.pixel(0, picture.height() - 1)) < 255 ||
                      qAlpha(picture.pixel(picture.width() - 1, 0)) < 255,
                  true);
    }
}

TEST(ArtResources, DisabledGlyphsLookDifferentFromNormalOnes)
{
    const struct {
        const char* path;
        int cellWidth;
    } strips[] = {{":/art/glyph_mix.png", 18},
                  {":/art/glyph_option.png", 19},
                  {":/art/glyph_optionz.png", 19},
                  {":/art/glyph_sound.png", 16},
                  {":/art/glyph_midi.png", 16}};
    for (const auto& strip : strips) {
        SCOPED_TRACE(strip.path);
        const QImage picture(QString::fromLatin1(strip.path));
        ASSERT_GE(picture.width(), 2 * strip.cellWidth);
        const QImage normal = picture.copy(0, 0, strip.cellWidth, picture.height());
        const QImage disabled = picture.copy(strip.cellWidth, 0, strip.cellWidth, picture.height());
        // A greyed-out copy of a coloured symbol: told apart at a glance.
        EXPECT_FALSE(normal.allGray());
        EXPECT_TRUE(disabled.allGray());
    }
}

// Where the dialogs write on the picture: the high-score dialog shows all of it, the messages its
// bottom-left 250 x 125 (picture y 75..199).
const struct {
    const char* name;
    QRect area;
} dialogTextAreas[] = {
    {"inside the table frame", QRect(9, 9, 303, 119)},
    {"inside the check-box frame", QRect(169, 137, 143, 19)},
    {"inside the message frame", QRect(9, 84, 231, 43)},
};

// Nothing but paper lies there: the picture alone brings no grey for the text to fight with.
constexpr double MaxMiddleShareOfBarePaper = 0.01;

TEST(ArtResources, DialogPictureIsCalmPaperWhereTheDialogsWrite)
{
    const QImage dialog = QImage(QStringLiteral(":/art/dialog.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(dialog.isNull());
    for (const auto& text : dialogTextAreas) {
        SCOPED_TRACE(text.name);
        EXPECT_LE(readability::middleShare(dialog, text.area), MaxMiddleShareOfBarePaper);
        EXPECT_GE(readability::lowestContrast(dialog, text.area, qRgb(0, 0, 0)),
                  readability::MinTextContrast);
    }
}

TEST(ArtResources, DialogButtonsStandOnAPlainBand)
{
    const QImage dialog = QImage(QStringLiteral(":/art/dialog.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(dialog.isNull());
    // From the messages' left button (92, 163) to the high-score OK button's right edge and bottom.
    EXPECT_TRUE(isPlainLight(dialog, QRect(QPoint(92, 163), QPoint(313, 190)), 200, 40));
}

TEST(ArtBackgrounds, DataFilesAre24BitPicturesOfTheDrawingArea)
{
    const struct {
        const char* name;
        int height;
    } files[] = {{"b1.bmp", 333}, {"b2.bmp", 333}, {"b3.bmp", 333}, {"b4.bmp", 533}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        QFile bitmap(dataFile(file.name));
        ASSERT_TRUE(bitmap.open(QIODevice::ReadOnly));
        const QByteArray header = bitmap.read(30);
        ASSERT_EQ(header.size(), 30);
        EXPECT_EQ(header.left(2), QByteArray("BM"));
        EXPECT_EQ(static_cast<unsigned char>(header.at(28)), 24); // bits per pixel
        const QImage image(dataFile(file.name));
        EXPECT_EQ(image.width(), 500);
        EXPECT_EQ(image.height(), file.height);
    }
}

TEST(ArtBackgrounds, AreasThePuzzlesDrawOnArePlainAndLight)
{
    const QImage pliva = loadBackground("b1.bmp");
    const QImage vexor = loadBackground("b3.bmp");
    ASSERT_FALSE(pliva.isNull());
    ASSERT_FALSE(vexor.isNull());
    // The silver grid (grey 192) and the coloured arrows must stand out.
    EXPECT_TRUE(isPlainLight(pliva, QRect(QPoint(30, 30), QPoint(405, 270)), 235, 12));
    EXPECT_TRUE(isPlainLight(pliva, QRect(QPoint(30, 285), QPoint(406, 307)), 225, 12));
    EXPECT_TRUE(isPlainLight(vexor, QRect(401, 76, 38, 229), 225, 20));
    // The bar area may hold the floor line the bars stand on, but nothing dark.
    EXPECT_TRUE(isPlainLight(vexor, QRect(27, 27, 363, 278), 190, 60));
}

TEST(ArtBackgrounds, SwitchesAndRulesSignsAreDrawn)
{
    const struct {
        const char* file;
        QRect area;
    } pieces[] = {
        {"b1.bmp", QRect(420, 30, 20, 21)}, // line colour
        {"b1.bmp", QRect(440, 30, 20, 21)}, // marker colour
        {"b1.bmp", QRect(460, 30, 20, 21)}, // marker style
        {"b3.bmp", QRect(447, 77, 19, 19)}, // target plate
        {"b3.bmp", QRect(467, 77, 19, 19)}, // maximum size
        {"b4.bmp", QRect(19, 13, 19, 19)},  // font button
        {"b1.bmp", QRect(418, 155, 71, 161)}, {"b2.bmp", QRect(424, 10, 61, 314)},
        {"b3.bmp", QRect(375, 10, 97, 65)},   {"b4.bmp", QRect(180, 50, 130, 50)},
    };
    for (const auto& piece : pieces) {
        SCOPED_TRACE(std::string(piece.file) + " at " + std::to_string(piece.area.x()) + "," +
                     std::to_string(piece.area.y()));
        EXPECT_TRUE(hasArtwork(loadBackground(piece.file), piece.area));
    }
}

TEST(ArtBackgrounds, HuxelHoldsTheHighlightedTables233RowsBelow)
{
    const QImage huxel = loadBackground("b4.bmp");
    ASSERT_EQ(huxel.height(), 533);
    const QRgb peach = qRgb(0xFF, 0xDF, 0xCF);
    for (const QRect& table : {QRect(66, 121, 179, 179), QRect(271, 121, 179, 179)}) {
        // Black characters on the normal look, light peach ones on the highlighted look.
        EXPECT_TRUE(isPlainLight(huxel, table, 200, 40));
        for (int y = table.top(); y <= table.bottom(); y += 7) {
            for (int x = table.left(); x <= table.right(); x += 7) {
                const int highlighted = lightness(huxel.pixel(x, y + 233));
                ASSERT_LT(highlighted + 80, lightness(huxel.pixel(x, y))) << x << ", " << y;
                ASSERT_LT(highlighted + 80, lightness(peach)) << x << ", " << y;
            }
        }
    }
}

} // namespace
