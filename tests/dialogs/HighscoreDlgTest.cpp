#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/Chiffre.h"
#include "app/dialogs/HighscoreDlg.h"
#include "app/settings/SettingsStore.h"
#include "support/Readability.h"

namespace {

const QString Section = QStringLiteral("highscore");

class HighscoreDlgTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        main.setFixedSize(500, 366);
        main.move(200, 150);
        main.show();
    }

    QString iniPath() const { return dir.path() + "/V1.ini"; }
    QByteArray fileBytes() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    THighscoreDlg& dialog()
    {
        if (!dlg)
            dlg = std::make_unique<THighscoreDlg>(&main, tongue, settings);
        return *dlg;
    }

    // Shows the list; whileUp runs once the dialog's loop is up and must close it. Returns the
    // dialog's answer, 0 when it did not open.
    int show(const QString& key, int result, std::function<void(THighscoreDlg&)> whileUp)
    {
        bool ran = false;
        QTimer::singleShot(0, &dialog(), [&] {
            ran = true;
            if (dialog().isVisible())
                whileUp(dialog());
        });
        const int answer = dialog().ShowHighScores(key, result);
        if (!ran)
            QTest::qWait(1); // let the pending check run outside a dialog that did not open
        return answer;
    }

    void storeRows(const QString& key, std::initializer_list<const char*> rows)
    {
        int i = 0;
        for (const char* row : rows)
            settings.WriteString(Section, key + QString::number(i++), chiffre.Encode(QString::fromUtf8(row)));
    }

    QString storedRow(const QString& key, int row) const
    {
        return chiffre.Decode(settings.ReadString(Section, key + QString::number(row), "?"));
    }

    QString label(const char* kind, int row)
    {
        return dialog().findChild<QLabel*>(kind + QString::number(row))->text();
    }

    static void pressOk(THighscoreDlg& d)
    {
        QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Return);
    }
    static void pressCancel(THighscoreDlg& d) { d.cancelButton()->click(); }

    QTemporaryDir dir;
    SettingsStore settings{iniPath()};
    TChiffre chiffre;
    QWidget main;
    int tongue = 0;
    std::unique_ptr<THighscoreDlg> dlg;
};

TEST_F(HighscoreDlgTest, LaysOutItsPartsAtFixedPixels)
{
    THighscoreDlg& d = dialog();
    EXPECT_EQ(d.size(), QSize(320, 200));
    EXPECT_TRUE(d.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(d.isModal());
    EXPECT_EQ(d.font().family(), "Arial");
    EXPECT_EQ(d.font().pixelSize(), 15);
    EXPECT_TRUE(d.font().bold());

    // The fifteen table labels, made in the order num, pla, sco, row by row.
    QStringList labelOrder;
    for (QObject* child : d.children())
        if (auto* label = qobject_cast<QLabel*>(child); label && label->objectName() != "delcheck")
            labelOrder << label->objectName();
    EXPECT_EQ(labelOrder, QStringList({"num0", "num1", "num2", "num3", "num4", "pla0", "pla1", "pla2", "pla3",
                                       "pla4", "sco0", "sco1", "sco2", "sco3", "sco4"}));
    for (int row = 0; row < 5; ++row) {
        const int top = 20 + 21 * row;
        const auto* num = d.findChild<QLabel*>("num" + QString::number(row));
        const auto* pla = d.findChild<QLabel*>("pla" + QString::number(row));
        const auto* sco = d.findChild<QLabel*>("sco" + QString::number(row));
        EXPECT_EQ(num->geometry(), QRect(20, top, 40, 21));
        EXPECT_EQ(pla->geometry(), QRect(60, top, 140, 21));
        EXPECT_EQ(sco->geometry(), QRect(200, top, 90, 21));
        EXPECT_EQ(num->text(), QString::number(row + 1) + ".   ");
        EXPECT_TRUE(num->alignment().testFlag(Qt::AlignRight));
        EXPECT_TRUE(pla->alignment().testFlag(Qt::AlignLeft));
        EXPECT_TRUE(sco->alignment().testFlag(Qt::AlignRight));
        EXPECT_FALSE(pla->autoFillBackground());
    }

    QLineEdit* edit = d.nameEdit();
    EXPECT_EQ(edit->objectName(), "Edit1");
    EXPECT_FALSE(edit->hasFrame());
    EXPECT_EQ(edit->maxLength(), 25);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0xFF, 0x80, 0x80));
    EXPECT_TRUE(edit->focusPolicy() & Qt::TabFocus) << "a player without a mouse comes back to it";
    EXPECT_TRUE(edit->isHidden());

    EXPECT_EQ(d.clearBox()->geometry(), QRect(175, 139, 13, 13));
    const auto* delcheck = d.findChild<QLabel*>("delcheck");
    EXPECT_EQ(delcheck->pos(), QPoint(196, 140));
    EXPECT_EQ(delcheck->size(), delcheck->sizeHint());
    EXPECT_LE(delcheck->font().pixelSize(), 11);
    EXPECT_EQ(d.cancelButton()->geometry(), QRect(168, 164, 70, 27));
    EXPECT_EQ(d.okButton()->geometry(), QRect(244, 164, 70, 27));
    EXPECT_TRUE(d.okButton()->isDefault());
    EXPECT_FALSE(d.cancelButton()->isDefault());
    EXPECT_EQ(d.okButton()->font().pixelSize(), 11);
    EXPECT_FALSE(d.okButton()->icon().isNull());
    EXPECT_FALSE(d.cancelButton()->icon().isNull());
}

TEST_F(HighscoreDlgTest, TakesTheLanguageAndItsPlaceAtEveryShowing)
{
    const QRect placements[] = {{200, 150, 500, 366}, {-300, -120, 500, 366}, {-7, -9, 197, 100}};
    int i = 0;
    for (int value : {1, 0, 1}) {
        tongue = value;
        const QRect& placement = placements[i++];
        main.setFixedSize(placement.size());
        main.move(placement.topLeft());
        show("pliv7", 0, [&](THighscoreDlg& up) {
            const bool german = value == 1;
            EXPECT_EQ(up.windowTitle(), german ? "Frobny Office - Bestenliste" : "Frobny Office - Highscore");
            const auto* delcheck = up.findChild<QLabel*>("delcheck");
            EXPECT_LE(delcheck->geometry().right(), 311) << "the text ends inside its frame";
            EXPECT_EQ(delcheck->text(),
                      german ? QString::fromUtf8("alle Eintr\u00E4ge l\u00F6schen") : "remove all entries");
            EXPECT_EQ(up.cancelButton()->text(), german ? "Abbruch" : "Cancel");
            EXPECT_EQ(up.okButton()->text(), "OK");
            const QRect outer = main.frameGeometry();
            ASSERT_EQ(outer.topLeft(), placement.topLeft());
            EXPECT_EQ(up.pos(), QPoint(outer.left() + (outer.width() - 320) / 2,
                                       outer.top() + (outer.height() - 200) / 2));
            pressCancel(up);
        });
    }
}

TEST_F(HighscoreDlgTest, AListNeverWrittenShowsFiveEmptyRowsAndOkStoresThem)
{
    EXPECT_EQ(show("pliv7", 0,
                   [&](THighscoreDlg& d) {
                       for (int row = 0; row < 5; ++row) {
                           EXPECT_EQ(label("pla", row), "Mr. Brain");
                           EXPECT_EQ(label("sco", row), "-----");
                       }
                       EXPECT_TRUE(d.nameEdit()->isHidden());
                       EXPECT_EQ(d.focusWidget(), d.okButton());
                       pressOk(d);
                   }),
              THighscoreDlg::OkResult);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(storedRow("pliv7", row), "0,Mr. Brain");
    EXPECT_EQ(settings.ReadString(Section, "player", "?"), "Mr. Brain");
}

TEST_F(HighscoreDlgTest, FirstResultGoesToRowZeroUnderTheLastName)
{
    settings.WriteString(Section, "player", "Ann");
    EXPECT_EQ(show("zupe10", 123,
                   [&](THighscoreDlg& d) {
                       EXPECT_EQ(d.newRow(), 0);
                       EXPECT_TRUE(d.nameEdit()->isVisible());
                       EXPECT_EQ(d.nameEdit()->geometry(), QRect(60, 20, 140, 15));
                       EXPECT_EQ(d.nameEdit()->text(), "Ann");
                       EXPECT_EQ(d.focusWidget(), d.nameEdit());
                       EXPECT_EQ(label("sco", 0), "123");
                       d.nameEdit()->clear();
                       QTest::keyClicks(d.nameEdit(), "Bob");
                       QTest::keyClick(d.nameEdit(), Qt::Key_Return);
                   }),
              THighscoreDlg::OkResult);
    EXPECT_EQ(storedRow("zupe10", 0), "123,Bob");
    EXPECT_EQ(storedRow("zupe10", 1), "0,Mr. Brain");
    EXPECT_EQ(settings.ReadString(Section, "player", "?"), "Bob");
    EXPECT_EQ(dialog().playerName(), "Bob");
}

TEST_F(HighscoreDlgTest, EntryStandsInItsRowAndTheRowsBelowMoveDown)
{
    storeRows("huxe4", {"10,a", "20,b", "30,c", "40,d", "50,e"});
    show("huxe4", 20, [&](THighscoreDlg& d) {
        EXPECT_EQ(d.nameEdit()->geometry(), QRect(60, 20 + 2 * 21, 140, 15));
        EXPECT_EQ((QStringList{label("sco", 0), label("sco", 1), label("sco", 2), label("sco", 3),
                               label("sco", 4)}),
                  (QStringList{"10", "20", "20", "30", "40"}));
        EXPECT_EQ(label("pla", 3), "c");
        pressOk(d);
    });
    EXPECT_EQ(storedRow("huxe4", 2), "20,Mr. Brain");
    EXPECT_EQ(storedRow("huxe4", 4), "40,d");
}

// ZUPEL's bonus can take its clock below zero: the time the player made is kept, with its sign.
TEST_F(HighscoreDlgTest, NegativeResultIsShownAndStoredAsMade)
{
    storeRows("zupe4", {"-8,a", "10,b"});
    show("zupe4", -3, [&](THighscoreDlg& d) {
        EXPECT_EQ(d.newRow(), 1);
        EXPECT_EQ(label("sco", 1), "-3");
        pressOk(d);
    });
    EXPECT_EQ(storedRow("zupe4", 0), "-8,a");
    EXPECT_EQ(storedRow("zupe4", 1), "-3,Mr. Brain");
    EXPECT_EQ(storedRow("zupe4", 2), "10,b");
}

TEST_F(HighscoreDlgTest, ResultWorseThanFiveOpensNothingAndWritesNothing)
{
    storeRows("pliv4", {"10,a", "20,b", "30,c", "40,d", "50,e"});
    const QByteArray before = fileBytes();
    EXPECT_EQ(show("pliv4", 50, [](THighscoreDlg& d) { d.reject(); }), 0);
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(HighscoreDlgTest, CancelLeavesTheFileAsItWas)
{
    storeRows("pliv4", {"10,a", "20,b"});
    settings.WriteString(Section, "player", "Ann");
    const QByteArray before = fileBytes();
    EXPECT_EQ(show("pliv4", 15, [](THighscoreDlg& d) { pressCancel(d); }), THighscoreDlg::CancelResult);
    EXPECT_EQ(show("pliv4", 15,
                   [](THighscoreDlg& d) {
                       d.clearBox()->setChecked(true);
                       QTest::keyClick(&d, Qt::Key_Escape);
                   }),
              THighscoreDlg::CancelResult);
    EXPECT_EQ(fileBytes(), before);
    // The entry cancelled leaves no name field behind on the next look at the list.
    show("pliv4", 0, [](THighscoreDlg& d) {
        EXPECT_TRUE(d.nameEdit()->isHidden());
        EXPECT_FALSE(d.clearBox()->isChecked());
        pressCancel(d);
    });
}

TEST_F(HighscoreDlgTest, RemoveAllEntriesEmptiesTheListAndResetsTheName)
{
    storeRows("vexo23", {"10,a", "20,b", "30,c"});
    settings.WriteString(Section, "player", "Ann");
    show("vexo23", 15, [](THighscoreDlg& d) {
        QTest::keyClicks(d.nameEdit(), "Zed");
        d.clearBox()->click();
        d.okButton()->click();
    });
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(storedRow("vexo23", row), "0,Mr. Brain") << row;
    EXPECT_EQ(settings.ReadString(Section, "player", "?"), "Mr. Brain");
    show("vexo23", 7, [](THighscoreDlg& d) {
        EXPECT_EQ(d.nameEdit()->text(), "Mr. Brain") << "the name just typed was dropped";
        d.reject();
    });
}

TEST_F(HighscoreDlgTest, LongNameWithBlanksDotsAndCommasSurvivesStoringAndLoading)
{
    const QString name = "Dr. A. Smith, Jr., M.Sc.x"; // 25 characters
    ASSERT_EQ(name.size(), 25);
    show("pliv12", 99, [&](THighscoreDlg& d) {
        d.nameEdit()->clear();
        QTest::keyClicks(d.nameEdit(), name + "overflow");
        EXPECT_EQ(d.nameEdit()->text(), name) << "the field takes 25 characters";
        pressOk(d);
    });
    EXPECT_EQ(storedRow("pliv12", 0), "99," + name);
    dlg.reset(); // a new run reads the name and the list anew
    show("pliv12", 0, [&](THighscoreDlg& d) {
        EXPECT_EQ(label("pla", 0), name);
        EXPECT_EQ(label("sco", 0), "99");
        EXPECT_EQ(d.playerName(), name);
        pressCancel(d);
    });
}

TEST_F(HighscoreDlgTest, UnreadableStoredRowsCountAsEmpty)
{
    settings.WriteString(Section, "pliv50", chiffre.Encode("no comma here"));
    settings.WriteString(Section, "pliv51", chiffre.Encode("ten,Bob"));
    settings.WriteString(Section, "pliv52", "");
    show("pliv5", 0, [&](THighscoreDlg& d) {
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(label("pla", row), "Mr. Brain") << row;
            EXPECT_EQ(label("sco", row), "-----") << row;
        }
        pressCancel(d);
    });
    show("pliv5", 40, [](THighscoreDlg& d) {
        EXPECT_EQ(d.newRow(), 0);
        pressCancel(d);
    });
}

// Antialiased edges of the bold black text are grey too: five full rows of names, ranks and scores
// make about 5 % of the table's pixels grey. 8 % leaves room for fonts with bolder or softer strokes
// and is still far below the half that a busy picture behind the table gives.
constexpr double MaxMiddleShareWithText = 0.08;

const QRect TableInside(9, 9, 303, 119);

std::vector<QLabel*> textLabels(THighscoreDlg& d)
{
    std::vector<QLabel*> labels;
    for (QLabel* label : d.findChildren<QLabel*>())
        labels.push_back(label);
    return labels;
}

// The dialog as it shows with its labels and the name field left out: the paper they lie on.
QImage paperUnderLabels(THighscoreDlg& d)
{
    std::vector<QWidget*> hidden;
    for (QLabel* label : textLabels(d))
        hidden.push_back(label);
    if (d.nameEdit()->isVisible())
        hidden.push_back(d.nameEdit());
    for (QWidget* widget : hidden)
        widget->hide();
    const QImage paper = d.grab().toImage();
    for (QWidget* widget : hidden)
        widget->show();
    return paper;
}

// The list a player is proud of: long names, results of one to six digits, one below zero (ZUPEL),
// in both languages, with and without a name being entered.
TEST_F(HighscoreDlgTest, TheBestListReadsAtAGlance)
{
    const struct {
        int tongue;
        int result;
    } cases[] = {{0, 0}, {1, 0}, {0, 50}, {1, 5}};
    for (const auto& shown : cases) {
        SCOPED_TRACE("language " + std::to_string(shown.tongue) + ", result " + std::to_string(shown.result));
        tongue = shown.tongue;
        // Names of 25 characters, the most the name field takes.
        storeRows("zupe6", {"-12,Bartholomew Q. Winterbott", "7,Dr. A. Smith, Jr., M.Sc.x",
                            "365,Maximiliane Oberhuber-Kle", "4096,WWWWWWWWWWWWWWWWWWWWWWWWW",
                            "123456,Jonathan Featherstonehaug"});
        show("zupe6", shown.result, [&](THighscoreDlg& d) {
            const QImage shot = d.grab().toImage();
            const QRect nameField = d.nameEdit()->isVisible() ? d.nameEdit()->geometry() : QRect();
            EXPECT_LE(readability::middleShare(shot, TableInside, nameField), MaxMiddleShareWithText);
            const QImage paper = paperUnderLabels(d);
            for (QLabel* label : textLabels(d)) {
                const QRgb text = label->palette().color(label->foregroundRole()).rgb();
                EXPECT_GE(readability::lowestContrast(paper, label->geometry(), text),
                          readability::MinTextContrast)
                    << label->objectName().toStdString();
            }
            const QPalette field = d.nameEdit()->palette();
            EXPECT_GE(readability::contrastRatio(field.color(QPalette::Text).rgb(),
                                                 field.color(QPalette::Base).rgb()),
                      readability::MinTextContrast);
            pressCancel(d);
        });
    }
}

// A picture whose every pixel tells where it came from.
QImage coordinatePicture()
{
    QImage picture(320, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 0xFF, y, 0x80 | (x >> 8)));
    return picture;
}

bool onOutline(int x, int y, const QRect& r)
{
    const int right = r.left() + r.width() - 1;
    const int bottom = r.top() + r.height() - 1;
    const bool withinX = x >= r.left() && x <= right;
    const bool withinY = y >= r.top() && y <= bottom;
    return (withinY && (x == r.left() || x == right)) || (withinX && (y == r.top() || y == bottom));
}

TEST_F(HighscoreDlgTest, ShowsTheWholePictureWithThreeBlackFrames)
{
    THighscoreDlg& d = dialog();
    const QImage picture = coordinatePicture();
    d.setPicture(picture);
    const QImage shot = d.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(320, 200));
    const QRect frames[] = {{0, 0, 320, 200}, {8, 8, 305, 121}, {168, 136, 145, 21}};
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) {
            const bool frame = std::any_of(std::begin(frames), std::end(frames),
                                           [&](const QRect& r) { return onOutline(x, y, r); });
            const bool open = y < 8 || (y > 128 && y < 136 && x < 168) || (x < 8) || (y > 191);
            if (frame) {
                ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
            } else if (open) {
                ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, picture.pixel(x, y) & 0xFFFFFF) << x << "," << y;
            }
        }
    }
}

} // namespace
