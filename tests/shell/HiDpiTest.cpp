#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/MainForm.h"
#include "app/settings/SettingsStore.h"
#include "puzzles/pliva/Pliva.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

namespace {
// The window on a screen of device pixel ratio 2; CTest runs these with QT_SCALE_FACTOR=2, a plain run
// skips them.
class HiDpi : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (qGuiApp->devicePixelRatio() != 2)
            GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
        ASSERT_TRUE(writePlainBackgrounds(dir_.path()));
        settings_.WriteInteger("common", "tongue", 0);
        ShellParts parts = gameParts(dir_.path() + "/", settings_, random_, dialogs_);
        parts.sound = &sounds_;
        parts.sleep = [](unsigned) {};
        form_ = std::make_unique<TMainForm>(std::move(parts));
        ASSERT_TRUE(form_->startedOk());
        form_->show();
        QTest::qWait(10);
    }

    // The drawing area as the window's backing store holds it, in device pixels.
    QImage backingStoreOfDrawingArea() const
    {
        const QImage window = form_->windowHandle()->screen()->grabWindow(form_->winId()).toImage();
        const QRect area(form_->drawingArea()->mapTo(form_.get(), QPoint(0, 0)),
                         form_->drawingArea()->size());
        const qreal ratio = window.devicePixelRatio();
        return window.copy(QRectF(area.topLeft() * ratio, area.size() * ratio).toRect());
    }

    QTemporaryDir dir_;
    SettingsStore settings_{dir_.path() + "/V1.ini"};
    SeededRandom random_{7};
    SilentDialogs dialogs_;
    RecordingSound sounds_;
    std::unique_ptr<TMainForm> form_;
};

TEST_F(HiDpi, WindowIsTwiceTheSizeInDevicePixels)
{
    QWindow* window = form_->windowHandle();
    EXPECT_EQ(window->size() * window->devicePixelRatio(), QSize(1000, 732));
    EXPECT_EQ(form_->drawingArea()->size(), QSize(500, 333));
}

// Single-pixel checkers: any smoothing would mix the two colours at the block edges.
TEST_F(HiDpi, DrawingAreaPixelsBecomeCrispTwoByTwoBlocks)
{
    const QRect patch(100, 100, 40, 30);
    auto colourAt = [](int x, int y) { return (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255); };
    for (int y = patch.top(); y <= patch.bottom(); ++y)
        for (int x = patch.left(); x <= patch.right(); ++x)
            form_->screen().setPixel(x, y, colourAt(x, y));
    form_->screenChanged(patch);
    QTest::qWait(10);

    const QImage grabbed = backingStoreOfDrawingArea();
    ASSERT_EQ(grabbed.size(), QSize(1000, 666));
    int wrong = 0;
    for (int y = 2 * patch.top(); y <= 2 * patch.bottom() + 1; ++y)
        for (int x = 2 * patch.left(); x <= 2 * patch.right() + 1; ++x)
            wrong += grabbed.pixel(x, y) != colourAt(x / 2, y / 2);
    EXPECT_EQ(wrong, 0) << "device pixels that are not their source pixel's colour";
}

TEST_F(HiDpi, ToolbarGlyphsStayCrisp)
{
    QToolButton* mix = form_->button(ToolButton::Mix);
    const QImage glyph = mix->grab().toImage();
    ASSERT_EQ(glyph.devicePixelRatio(), 2);
    // Nearest-neighbour doubling: every 2 x 2 block of the grab has one colour.
    int mixed = 0;
    for (int y = 0; y + 1 < glyph.height(); y += 2)
        for (int x = 0; x + 1 < glyph.width(); x += 2) {
            const QRgb c = glyph.pixel(x, y);
            mixed +=
                glyph.pixel(x + 1, y) != c || glyph.pixel(x, y + 1) != c || glyph.pixel(x + 1, y + 1) != c;
        }
    EXPECT_EQ(mixed, 0);
}

// A pointer at a device position reaches the puzzle at the drawing-area pixel beneath it.
TEST_F(HiDpi, PointerReachesThePuzzleInDrawingAreaPixels)
{
    auto& pliva = dynamic_cast<Pliva&>(form_->module(PuzzlePliva));
    ASSERT_EQ(form_->currentPuzzle(), PuzzlePliva);
    const QPoint inWindow = form_->drawingArea()->mapTo(form_.get(), QPoint(77, 296));
    QTest::mouseMove(form_->windowHandle(), inWindow);
    EXPECT_EQ(pliva.pointerColumn(), 1);
    const auto before = pliva.model().values();
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, inWindow);
    EXPECT_EQ(form_->playState(), PlayState::InProgress);
    EXPECT_EQ(pliva.model().values() != before, sounds_.played.back() == 1);
}
} // namespace
