#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "app/dialogs/MessageDialogs.h"

namespace {

using DialogFactory = std::function<std::unique_ptr<TMessageDlg>(QWidget*, const int&)>;

template <class Dialog> DialogFactory factory()
{
    return [](QWidget* main, const int& tongue) { return std::make_unique<Dialog>(main, tongue); };
}

struct DialogCase {
    const char* name;
    DialogFactory make;
    QRect messageBox;
    int messagePixelSize;
    QRect okBox;
    QRect cancelBox; // empty: one button
    const char* german[3];
    const char* english[3];
};

// The name stands for the case in test output (the bytes of the struct include padding).
void PrintTo(const DialogCase& dialog, std::ostream* out)
{
    *out << dialog.name;
}

const DialogCase AllDialogs[] = {
    {"Done",
     factory<TDoneDlg>(),
     {32, 20, 185, 21},
     16,
     {168, 88, 70, 27},
     {},
     {"Hurra, geschafft!", "OK", ""},
     {"Hurrah, you did it!", "OK", ""}},
    {"NoMove",
     factory<TNoMoveDlg>(),
     {32, 20, 185, 21},
     16,
     {168, 88, 70, 27},
     {},
     {"Leider, das war's wohl!", "OK", ""},
     {"Sorry, that was it!", "OK", ""}},
    {"Pause",
     factory<TPauseDlg>(),
     {32, 21, 185, 24},
     16,
     {144, 88, 94, 27},
     {},
     {"Spiel angehalten!", "Fortsetzen", ""},
     {"Game paused!", "Continue", ""}},
    {"NewGame",
     factory<TNewGameDlg>(),
     {40, 13, 169, 37},
     15,
     {92, 88, 70, 27},
     {168, 88, 70, 27},
     {"Willst Du das Rätsel wirklich aufgeben?", "Ja", "Nein"},
     {"Do you really want to giveup the puzzle?", "Yes", "No"}},
    {"EndGame",
     factory<TEndGameDlg>(),
     {32, 13, 185, 37},
     13,
     {92, 88, 70, 27},
     {168, 88, 70, 27},
     {"Willst Du das Spiel wirklich beenden?", "Ja", "Nein"},
     {"Do you really want to end the game?", "Yes", "No"}},
};

class MessageDialogs : public ::testing::TestWithParam<DialogCase> {
  protected:
    void SetUp() override
    {
        main.setFixedSize(500, 366);
        main.move(200, 150);
        main.show();
        dialog = GetParam().make(&main, tongue);
    }

    // Runs the dialog modally and answers it with a key once its loop is running.
    int execAnswering(Qt::Key key)
    {
        QTimer::singleShot(0, dialog.get(), [this, key] { QTest::keyClick(dialog.get(), key); });
        return dialog->exec();
    }

    QWidget main;
    int tongue = 0;
    std::unique_ptr<TMessageDlg> dialog;
};

TEST_P(MessageDialogs, LaysOutItsPartsAtFixedPixels)
{
    const DialogCase& expected = GetParam();
    EXPECT_EQ(dialog->size(), QSize(250, 125));
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->messageLabel()->geometry(), expected.messageBox);
    EXPECT_EQ(dialog->messageLabel()->font().pixelSize(), expected.messagePixelSize);
    EXPECT_TRUE(dialog->messageLabel()->font().bold());
    EXPECT_TRUE(dialog->messageLabel()->wordWrap());
    EXPECT_EQ(dialog->okButton()->geometry(), expected.okBox);
    EXPECT_TRUE(dialog->okButton()->isDefault());
    if (expected.cancelBox.isEmpty()) {
        EXPECT_EQ(dialog->cancelButton(), nullptr);
    } else {
        ASSERT_NE(dialog->cancelButton(), nullptr);
        EXPECT_EQ(dialog->cancelButton()->geometry(), expected.cancelBox);
        EXPECT_FALSE(dialog->cancelButton()->isDefault());
    }
    const bool onTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    EXPECT_EQ(onTop, std::string(expected.name) == "EndGame");
}

// Only 1 is German; every other value, "not chosen" included, reads as English. The language is
// read anew at every showing of the reused dialog.
TEST_P(MessageDialogs, TakesTheLanguageAtEveryShowing)
{
    const DialogCase& expected = GetParam();
    for (int value : {1, 0, -1, 7, 1}) {
        tongue = value;
        dialog->show();
        const auto& texts = value == 1 ? expected.german : expected.english;
        EXPECT_EQ(dialog->messageLabel()->text(), QString::fromUtf8(texts[0])) << value;
        EXPECT_EQ(dialog->okButton()->text(), QString::fromUtf8(texts[1])) << value;
        if (dialog->cancelButton() != nullptr) {
            EXPECT_EQ(dialog->cancelButton()->text(), QString::fromUtf8(texts[2])) << value;
        }
        dialog->hide();
    }
}

// Centred over the outer frame (caption included); the halves truncate toward zero, also when
// the main window is narrower than the dialog or lies partly off the screen.
TEST_P(MessageDialogs, CentresOverTheMainWindowAtEveryShowing)
{
    const QRect placements[] = {
        {200, 150, 500, 366}, {-300, -120, 500, 366}, {5000, 3000, 500, 366}, {-7, -9, 197, 100}};
    for (const QRect& placement : placements) {
        main.setFixedSize(placement.size());
        main.move(placement.topLeft());
        const QRect outer = main.frameGeometry();
        ASSERT_EQ(outer.topLeft(), placement.topLeft());
        dialog->show();
        EXPECT_EQ(dialog->pos(),
                  QPoint(outer.left() + (outer.width() - 250) / 2, outer.top() + (outer.height() - 125) / 2))
            << placement.x() << "," << placement.y();
        dialog->hide();
    }
}

TEST_P(MessageDialogs, EnterAnswersOk)
{
    EXPECT_EQ(execAnswering(Qt::Key_Return), 1);
    EXPECT_EQ(execAnswering(Qt::Key_Enter), 1);
}

TEST_P(MessageDialogs, OkButtonHasTheFocusAtStart)
{
    dialog->show();
    EXPECT_EQ(dialog->focusWidget(), dialog->okButton());
}

TEST_P(MessageDialogs, EscAnswersCancelOnlyWhereThereIsACancelButton)
{
    if (dialog->cancelButton() != nullptr) {
        EXPECT_EQ(execAnswering(Qt::Key_Escape), 2);
        return;
    }
    // A message stays up on Esc and is then closed with Enter.
    QTimer::singleShot(0, dialog.get(), [this] {
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible());
        QTest::keyClick(dialog.get(), Qt::Key_Return);
    });
    EXPECT_EQ(dialog->exec(), 1);
}

TEST_P(MessageDialogs, ButtonsAndClosingGiveTheirResults)
{
    QTimer::singleShot(0, dialog.get(), [this] { dialog->okButton()->click(); });
    EXPECT_EQ(dialog->exec(), 1);
    if (dialog->cancelButton() != nullptr) {
        QTimer::singleShot(0, dialog.get(), [this] { dialog->cancelButton()->click(); });
        EXPECT_EQ(dialog->exec(), 2);
    }
    QTimer::singleShot(0, dialog.get(), [this] { dialog->close(); });
    EXPECT_EQ(dialog->exec(), 2);
}

INSTANTIATE_TEST_SUITE_P(AllFive, MessageDialogs, ::testing::ValuesIn(AllDialogs),
                         [](const auto& info) { return std::string(info.param.name); });

// A picture whose every pixel tells where it came from.
QImage coordinatePicture()
{
    QImage picture(320, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 0xFF, y, 0x80 | (x >> 8)));
    return picture;
}

bool isBlack(const QImage& image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) == 0;
}

bool onOutline(int x, int y, int left, int top, int right, int bottom)
{
    const bool withinX = x >= left && x <= right;
    const bool withinY = y >= top && y <= bottom;
    return (withinY && (x == left || x == right)) || (withinX && (y == top || y == bottom));
}

// Pixels that neither the message nor the buttons cover: the full top and bottom bands, the
// gap between message frame and buttons, and the left margin.
bool showsBackground(int x, int y)
{
    return y < 13 || y > 115 || (y > 52 && y < 88) || x < 32;
}

TEST(MessageDialogPicture, ShowsTheBottomLeftOfThePictureWithTwoBlackFrames)
{
    int tongue = 0;
    TNewGameDlg dialog(nullptr, tongue);
    const QImage picture = coordinatePicture();
    dialog.setPicture(picture);
    const QImage shot = dialog.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(250, 125));
    for (int y = 0; y < 125; ++y) {
        for (int x = 0; x < 250; ++x) {
            const bool frame = onOutline(x, y, 0, 0, 249, 124) || onOutline(x, y, 8, 8, 240, 52);
            if (frame) {
                ASSERT_TRUE(isBlack(shot, x, y)) << x << "," << y;
            } else if (showsBackground(x, y)) {
                ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, picture.pixel(x, y + 75) & 0xFFFFFF) << x << "," << y;
            }
        }
    }
}

TEST(MessageDialogPicture, WithoutAPictureFillsPlainlyAndKeepsTheFrames)
{
    int tongue = 1;
    TDoneDlg dialog(nullptr, tongue);
    dialog.setPicture(QImage());
    const QImage shot = dialog.grab().toImage();
    for (QPoint frame : {QPoint(0, 0), QPoint(249, 124), QPoint(8, 30), QPoint(240, 52)})
        EXPECT_TRUE(isBlack(shot, frame.x(), frame.y())) << frame.x() << "," << frame.y();
    const QColor inside = shot.pixelColor(4, 70);
    EXPECT_GT(inside.lightness(), 160);
    EXPECT_EQ(shot.pixel(4, 70), shot.pixel(245, 120));
}

TEST(MessageDialogPicture, TakesTheProgramsDialogPictureByDefault)
{
    const QImage picture(":/art/dialog.png");
    if (picture.isNull())
        GTEST_SKIP() << "the dialog picture is not built into this program";
    int tongue = 0;
    TPauseDlg dialog(nullptr, tongue);
    const QImage shot = dialog.grab().toImage();
    for (QPoint spot : {QPoint(1, 1), QPoint(20, 70), QPoint(248, 123)})
        EXPECT_EQ(shot.pixel(spot) & 0xFFFFFF, picture.pixel(spot + QPoint(0, 75)) & 0xFFFFFF)
            << spot.x() << "," << spot.y();
}

} // namespace
