#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/dialogs/InfoDialog.h"

namespace {

// Takes the links the about box hands to the desktop, so no browser or mail program starts.
class OpenedLinks : public QObject {
    Q_OBJECT
  public:
    OpenedLinks()
    {
        for (const char* scheme : {"mailto", "https", "http"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~OpenedLinks() override
    {
        for (const char* scheme : {"mailto", "https", "http"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    QList<QUrl> urls;

  public slots:
    void open(const QUrl& url) { urls << url; }
};

class AboutBox : public ::testing::Test {
  protected:
    void SetUp() override
    {
        main.setFixedSize(500, 366);
        main.move(200, 150);
        main.show();
    }

    QLabel* labelAt(QPoint at) const { return qobject_cast<QLabel*>(box.childAt(at)); }

    QWidget main;
    int tongue = 0;
    TInfoDialog box{&main, tongue};
    OpenedLinks links;
};

TEST_F(AboutBox, LaysOutItsPartsAtFixedPixels)
{
    EXPECT_EQ(box.size(), QSize(309, 322));
    EXPECT_TRUE(box.isModal());
    EXPECT_EQ(box.font().pixelSize(), 11);
    EXPECT_EQ(box.progName()->geometry(), QRect(112, 8, 189, 25));
    EXPECT_EQ(box.progName()->text(), QStringLiteral("Frobny Office"));
    EXPECT_EQ(box.progName()->font().pixelSize(), 19);
    EXPECT_TRUE(box.progName()->font().bold());
    EXPECT_EQ(box.version()->geometry(), QRect(112, 32, 189, 13));
    EXPECT_EQ(box.version()->text(), QStringLiteral("Version  V1.3"));
    EXPECT_EQ(box.logo()->geometry(), QRect(8, 8, 100, 75));
    ASSERT_FALSE(box.logo()->pixmap().isNull());
    EXPECT_EQ(box.logo()->pixmap().size(), QSize(100, 75));
    EXPECT_EQ(box.icon()->geometry(), QRect(36, 96, 37, 37));
    EXPECT_FALSE(box.icon()->pixmap().isNull());
    EXPECT_EQ(box.mailLabel()->geometry().topLeft(), QPoint(112, 155));
    EXPECT_EQ(box.homepageLabel()->geometry().topLeft(), QPoint(112, 174));
    EXPECT_EQ(box.homepageLabel()->objectName(), QStringLiteral("Quellorn_URL"));
    EXPECT_EQ(box.tongButton()->geometry(), QRect(120, 290, 89, 27));
    EXPECT_EQ(box.okButton()->geometry(), QRect(216, 290, 89, 27));
    EXPECT_EQ(box.okButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(box.okButton()->isDefault());
    auto* bevel = box.findChild<QFrame*>(QStringLiteral("Bevel1"));
    ASSERT_NE(bevel, nullptr);
    EXPECT_EQ(bevel->geometry(), QRect(4, 4, 301, 197));
}

// The captions are right-aligned against the links and their whole text fits; the links fit the box.
TEST_F(AboutBox, ContactCaptionsEndBeforeTheirLinks)
{
    box.show();
    for (auto [caption, top] : {std::pair{"E-Mail:", 155}, std::pair{"Homepage:", 174}}) {
        QLabel* label = labelAt(QPoint(100, top + 6));
        ASSERT_NE(label, nullptr) << caption;
        EXPECT_EQ(label->text(), QString::fromLatin1(caption));
        EXPECT_EQ(label->geometry().right() + 1, 106);
        EXPECT_TRUE(label->alignment().testFlag(Qt::AlignRight));
        EXPECT_LE(label->sizeHint().width(), label->width()) << caption;
    }
    for (QLabel* link : {static_cast<QLabel*>(box.mailLabel()), static_cast<QLabel*>(box.homepageLabel())})
        EXPECT_LE(link->geometry().left() + link->sizeHint().width(), 305) << link->text().toStdString();
    EXPECT_LE(box.progName()->sizeHint().width(), box.progName()->width());
}

TEST_F(AboutBox, TakesTheLanguageAtEveryShowing)
{
    for (int value : {1, 0, -1, 7, 1}) {
        tongue = value;
        box.show();
        EXPECT_EQ(box.windowTitle(),
                  value == 1 ? QStringLiteral("Info über ...") : QStringLiteral("Info about ..."));
        EXPECT_EQ(box.tongButton()->text(),
                  value == 1 ? QStringLiteral("Sprache") : QStringLiteral("Tongue"));
        box.hide();
    }
}

// The language chosen from the box shows in the box itself while it stays open.
TEST_F(AboutBox, LanguageButtonRunsTheLanguageActionThenRenamesTheBox)
{
    int actions = 0;
    box.onLanguage = [&] {
        ++actions;
        tongue = 1;
    };
    QTimer::singleShot(0, &box, [&] {
        box.tongButton()->click();
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Info über ..."));
        EXPECT_EQ(box.tongButton()->text(), QStringLiteral("Sprache"));
        box.okButton()->click();
    });
    box.exec();
    EXPECT_EQ(actions, 1);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(AboutBox, LinksAreBlueUnderlinedAndYellowWhileHeld)
{
    const QColor blue(0, 0, 255), yellow(255, 255, 0);
    box.show();
    for (TLinkLabel* link : {box.mailLabel(), box.homepageLabel()}) {
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->palette().color(QPalette::WindowText), blue);
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(link->palette().color(QPalette::WindowText), yellow);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(link->palette().color(QPalette::WindowText), blue);
    }
    EXPECT_EQ(links.urls, (QList<QUrl>{QUrl("mailto:info@frobnygames.example"),
                                       QUrl("https://www.frobnygames.example/")}));
}

TEST_F(AboutBox, ALinkOpensOnlyWhenTheLeftButtonIsReleasedOverIt)
{
    box.show();
    TLinkLabel* link = box.mailLabel();
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, link->height() + 20));
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(links.urls.isEmpty());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST(LinkTarget, MailForAnAtSignElseTheWebSite)
{
    EXPECT_EQ(linkTarget(QStringLiteral("info@frobnygames.example")),
              QUrl("mailto:info@frobnygames.example"));
    EXPECT_EQ(linkTarget(QStringLiteral("www.frobnygames.example")),
              QUrl("https://www.frobnygames.example/"));
    EXPECT_TRUE(linkTarget(FrobnyHomepage).host().endsWith(QStringLiteral(".example")));
    EXPECT_TRUE(FrobnyMailAddress.endsWith(QStringLiteral("@frobnygames.example")));
}

// Placed like the language dialog: centred across the main window, and upward on its client area.
TEST_F(AboutBox, PlacesItselfOverTheMainWindowAtEveryShowing)
{
    const QRect placements[] = {{200, 150, 500, 366}, {-301, -120, 500, 366}, {5000, 3000, 500, 366}};
    for (const QRect& placement : placements) {
        main.move(placement.topLeft());
        box.show();
        const QRect outer = main.frameGeometry();
        const QSize own = box.frameGeometry().size();
        EXPECT_EQ(box.frameGeometry().topLeft(),
                  QPoint(outer.left() + (outer.width() - own.width()) / 2,
                         outer.top() + outer.height() - (main.height() + own.height()) / 2))
            << placement.x() << "," << placement.y();
        box.hide();
    }
}

} // namespace

#include "InfoDialogTest.moc"
