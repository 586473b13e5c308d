#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "app/dialogs/TongueDlg.h"

namespace {

class TongueDlgTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        main.setFixedSize(500, 366);
        main.move(200, 150);
        main.show();
    }

    // Runs the language dialog and answers it once its loop is up.
    int choose(int tongue, std::function<void(TTongueDlg&)> answer)
    {
        QTimer::singleShot(0, &dialog, [&] { answer(dialog); });
        dialog.ChooseLanguage(tongue);
        return tongue;
    }

    QWidget main;
    TTongueDlg dialog{&main};
};

TEST_F(TongueDlgTest, LaysOutItsPartsAtFixedPixels)
{
    EXPECT_EQ(dialog.size(), QSize(320, 91));
    EXPECT_EQ(dialog.windowTitle(), "Frobny Office V1.3");
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(dialog.font().pixelSize(), 11);
    const auto* bevel = dialog.findChild<QFrame*>("Bevel1");
    ASSERT_NE(bevel, nullptr);
    EXPECT_EQ(bevel->geometry(), QRect(8, 8, 305, 77));
    EXPECT_EQ(bevel->frameShadow(), QFrame::Sunken);
    const auto* icon = dialog.findChild<QLabel*>("Image1");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->geometry(), QRect(28, 28, 37, 37));
    EXPECT_FALSE(icon->pixmap().isNull());
    EXPECT_EQ(dialog.englishButton()->geometry(), QRect(84, 16, 221, 27));
    EXPECT_EQ(dialog.germanButton()->geometry(), QRect(84, 48, 221, 27));
    EXPECT_EQ(dialog.englishButton()->text(), "I speak english.");
    EXPECT_EQ(dialog.germanButton()->text(), "Ich spreche deutsch.");
    EXPECT_FALSE(dialog.englishButton()->icon().isNull());
    EXPECT_FALSE(dialog.germanButton()->icon().isNull());
    EXPECT_EQ(dialog.englishButton()->nextInFocusChain(), dialog.germanButton());
}

TEST_F(TongueDlgTest, EachButtonSetsItsLanguageAndTheCloseBoxNone)
{
    EXPECT_EQ(choose(-1, [](TTongueDlg& d) { QTest::mouseClick(d.germanButton(), Qt::LeftButton); }), 1);
    EXPECT_EQ(choose(1, [](TTongueDlg& d) { QTest::mouseClick(d.englishButton(), Qt::LeftButton); }), 0);
    EXPECT_EQ(choose(-1, [](TTongueDlg& d) { d.close(); }), -1);
    EXPECT_EQ(choose(1, [](TTongueDlg& d) { d.close(); }), 1);
    EXPECT_EQ(choose(7, [](TTongueDlg& d) { d.close(); }), 7);
}

TEST_F(TongueDlgTest, EnglishHoldsTheFocusSoEnterChoosesIt)
{
    EXPECT_EQ(choose(1,
                     [](TTongueDlg& d) {
                         EXPECT_EQ(d.focusWidget(), d.englishButton());
                         QTest::keyClick(&d, Qt::Key_Return);
                     }),
              0);
}

// Centred across the main window, and upward on its client area, by the outer sizes of both
// windows (headless windows too have a thin frame); halves truncate toward zero.
TEST_F(TongueDlgTest, PlacesItselfOverTheMainWindowAtEveryShowing)
{
    const QRect placements[] = {{200, 150, 500, 366}, {-300, -120, 500, 366}, {-7, -9, 197, 100}};
    for (const QRect& placement : placements) {
        main.setFixedSize(placement.size());
        main.move(placement.topLeft());
        const QRect outer = main.frameGeometry();
        ASSERT_EQ(outer.topLeft(), placement.topLeft());
        const QSize frame = outer.size() - main.size();
        choose(0, [&](TTongueDlg& d) {
            const QSize dialogOuter = d.frameGeometry().size();
            EXPECT_EQ(dialogOuter, QSize(320, 91) + frame);
            EXPECT_EQ(d.pos(),
                      QPoint(outer.left() + (outer.width() - dialogOuter.width()) / 2,
                             outer.top() + outer.height() - (main.height() + dialogOuter.height()) / 2))
                << placement.x() << "," << placement.y();
            d.close();
        });
    }
}

} // namespace
