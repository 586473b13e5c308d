#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/dialogs/HelpWin.h"
#include "app/dialogs/RulesTexts.h"

namespace {

struct RulesCase {
    int item;
    const char* description;
    int paragraphs;
    const char* opening;
    const char* closing;
};

// The eight stored texts: German items 0..3, English 4..7, in puzzle order.
const RulesCase AllRules[] = {
    {0, "PLIVA deutsch", 6, "Als Top-Manager bist du verantwortlich für die Entwicklung deines Unternehmens.",
     "Viel Glück beim Biegen!"},
    {1, "ZUPEL deutsch", 4,
     "Als Chef der Abteilung Effizienz und Organisation, kurz EO, ist es deine Aufgabe",
     "Viel Glück beim Kratzen!"},
    {2, "VEXOR deutsch", 6, "Als führender Buchhalter deiner Firma", "Viel Glück beim Hobeln!"},
    {3, "HUXEL deutsch", 7,
     "Die letzte Computer-Virus-Attacke hat sämtliche Tabellen im EDV-System deiner Firma "
     "durcheinandergebracht.",
     "Viel Glück beim Drehen!"},
    {4, "PLIVA englisch", 6, "As top manager you are responsible for the expansion of your firm.",
     "Good luck at bending!"},
    {5, "ZUPEL englisch", 4, "You are the boss of the section efficiency and organisation in short EO.",
     "Good luck at scraping!"},
    {6, "VEXOR englisch", 6, "As leading accountant of your firm", "Good luck at planing!"},
    {7, "HUXEL englisch", 6,
     "The last computer virus attack has disordered all tables of the computer-system in your firm.",
     "Good luck at rotating!"},
};

TEST(RulesTexts, EachStoredTextHasItsParagraphsOpeningAndGoodWishes)
{
    ASSERT_EQ(rulesItems().size(), std::size(AllRules));
    for (const RulesCase& expected : AllRules) {
        SCOPED_TRACE(expected.description);
        EXPECT_STREQ(rulesItems()[expected.item].description, expected.description);
        const QString stored = storedRulesText(expected.item);
        ASSERT_FALSE(stored.isEmpty()) << "the text is not inside the program";
        const QStringList paragraphs = rulesParagraphs(stored);
        ASSERT_EQ(paragraphs.size(), expected.paragraphs);
        EXPECT_TRUE(paragraphs.first().startsWith(QString::fromUtf8(expected.opening)))
            << paragraphs.first().toStdString();
        EXPECT_EQ(paragraphs.last(), QString::fromUtf8(expected.closing));
        for (const QString& paragraph : paragraphs) {
            EXPECT_FALSE(paragraph.trimmed().isEmpty()) << "an empty paragraph";
            EXPECT_FALSE(paragraph.contains(QLatin1Char('\r')));
        }
        // Reading always stops at the mark: every text ends with it.
        EXPECT_TRUE(stored.trimmed().endsWith(QStringLiteral("\n@"))) << "no end mark";
    }
}

// German texts say "du" to the player, as their opening words do; never the formal "Ihr"/"Ihnen".
TEST(RulesTexts, GermanTextsAddressThePlayerWithDu)
{
    for (int item = 0; item < RulesPuzzleCount; ++item) {
        const QString text = rulesParagraphs(storedRulesText(item)).join(QLatin1Char(' '));
        SCOPED_TRACE(rulesItems()[item].description);
        EXPECT_TRUE(text.contains(QStringLiteral(" du ")) || text.contains(QStringLiteral(" dein")));
        for (const char* formal : {" Ihnen", " Ihr ", " Ihre", " Ihren"})
            EXPECT_FALSE(text.contains(QString::fromLatin1(formal))) << formal;
    }
}

TEST(RulesTexts, ItemFollowsTheLanguageTest)
{
    const struct {
        int puzzle, tongue, item;
    } cases[] = {{0, 1, 0}, {3, 1, 3}, {0, 0, 4}, {3, 0, 7}, {1, -1, 5}, {2, 7, 6}, {4, 1, -1}, {-1, 0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(rulesItem(c.puzzle, c.tongue), c.item) << c.puzzle << "," << c.tongue;
    EXPECT_TRUE(storedRulesText(-1).isEmpty());
    EXPECT_TRUE(storedRulesText(8).isEmpty());
}

TEST(RulesTexts, MemoIndentsEveryParagraphAndStopsAtTheEndMark)
{
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"One.\nTwo.\n@\nNever shown.\n", "   One.\n\n   Two.\n\n"},
        {"One.\r\nTwo.\r\n@\r\n@\r\nNot this.\r\n", "   One.\n\n   Two.\n\n"},
        {"@\nOnly after the mark.\n", ""},
        {"Without a mark.\n", "   Without a mark.\n\n"},
        {"An @ inside a line is no mark.\n@ \n@\n", "   An @ inside a line is no mark.\n\n   @ \n\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rulesMemoText(QString::fromUtf8(c.stored)).toStdString(), c.shown) << c.stored;
}

class RulesWindow : public ::testing::Test {
  protected:
    void SetUp() override
    {
        main.setFixedSize(500, 366);
        main.move(200, 150);
        main.show();
    }

    QWidget main;
    int tongue = 0;
    THelpWin window{&main, tongue};
};

TEST_F(RulesWindow, LaysOutMemoAndButtonOnItsPicture)
{
    EXPECT_EQ(window.size(), QSize(340, 268));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window.isModal());
    QPlainTextEdit* memo = window.helpMemo();
    EXPECT_EQ(memo->geometry(), QRect(12, 12, 317, 213));
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->font().pixelSize(), 13);
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->palette().color(QPalette::Active, QPalette::Highlight), QColor(0xF8, 0xF3, 0x9E));
    EXPECT_EQ(memo->palette().color(QPalette::Inactive, QPalette::Highlight), QColor(0xF8, 0xF3, 0x9E));
    EXPECT_EQ(memo->palette().color(QPalette::Active, QPalette::HighlightedText), QColor(Qt::black));
    EXPECT_EQ(memo->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(window.okButton()->geometry(), QRect(240, 233, 89, 27));
    EXPECT_EQ(window.okButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(window.okButton()->isDefault());
}

// The clipboard picture shows through the memo wherever there is no text.
TEST_F(RulesWindow, MemoIsTransparentOverThePicture)
{
    const QImage picture(QStringLiteral(":/art/rules.png"));
    ASSERT_EQ(picture.size(), QSize(340, 268));
    window.helpMemo()->setPlainText(QString());
    const QImage shot = window.grab().toImage();
    for (QPoint at : {QPoint(60, 100), QPoint(200, 150), QPoint(40, 200)})
        EXPECT_EQ(shot.pixel(at) & 0xFFFFFF, picture.pixel(at) & 0xFFFFFF) << at.x() << "," << at.y();
    EXPECT_EQ(shot.pixel(4, 250) & 0xFFFFFF, picture.pixel(4, 250) & 0xFFFFFF) << "picture beside the memo";
}

TEST_F(RulesWindow, ShowsHuxelInEnglishIndentedWithoutTheEndMark)
{
    window.loadRules(3);
    // What the keys do follows the rules.
    const QString text = window.helpMemo()->toPlainText().chopped(rulesMemoText(storedKeysText(7)).size());
    EXPECT_TRUE(text.startsWith(QStringLiteral("   The last computer virus attack"))) << text.toStdString();
    const QStringList blocks = text.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(blocks.size(), 6);
    for (const QString& block : blocks)
        EXPECT_TRUE(block.startsWith(QStringLiteral("   ")) && !block.startsWith(QStringLiteral("    ")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("Good luck at rotating!\n\n")));
    EXPECT_FALSE(text.contains(QLatin1Char('@')));
}

TEST_F(RulesWindow, TakesTheLanguageAtEveryLoading)
{
    for (int value : {1, 0, -1, 7, 1}) {
        tongue = value;
        window.loadRules(3);
        const char* start =
            value == 1 ? "   Die letzte Computer-Virus-Attacke" : "   The last computer virus attack";
        EXPECT_TRUE(window.helpMemo()->toPlainText().startsWith(QString::fromUtf8(start))) << value;
    }
    tongue = 1;
    window.loadRules(1);
    EXPECT_TRUE(window.helpMemo()->toPlainText().startsWith(QStringLiteral("   Als Chef der Abteilung")));
}

// Centred across the main window's outer frame, 90 pixels below its top; halves truncate toward zero.
TEST_F(RulesWindow, PlacesItselfOverTheMainWindowAtEveryShowing)
{
    const QRect placements[] = {
        {200, 150, 500, 366}, {-301, -120, 500, 366}, {5000, 3000, 500, 366}, {-7, -9, 197, 100}};
    for (const QRect& placement : placements) {
        main.setFixedSize(placement.size());
        main.move(placement.topLeft());
        const QRect outer = main.frameGeometry();
        window.show();
        EXPECT_EQ(window.pos(), QPoint(outer.left() + (outer.width() - 340) / 2, outer.top() + 90))
            << placement.x() << "," << placement.y();
        window.hide();
    }
}

TEST_F(RulesWindow, OkClosesTheModalWindowAndStartsAtTheTopNextTime)
{
    tongue = 1;
    QTimer::singleShot(0, &window, [this] {
        window.helpMemo()->verticalScrollBar()->setValue(window.helpMemo()->verticalScrollBar()->maximum());
        QTest::keyClick(&window, Qt::Key_Return);
    });
    window.ShowRules(0);
    EXPECT_FALSE(window.isVisible());
    ASSERT_GT(window.helpMemo()->verticalScrollBar()->maximum(), 0)
        << "PLIVA's rules fill more than the memo";
    QTimer::singleShot(0, &window, [this] {
        EXPECT_EQ(window.helpMemo()->verticalScrollBar()->value(), 0);
        window.okButton()->click();
    });
    window.ShowRules(0);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
