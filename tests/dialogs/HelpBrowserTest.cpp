#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "app/dialogs/HelpBrowser.h"

namespace {

// The build puts the help pages beside its programs, which is the data folder of the build tree.
QString buildDataDir()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QString pageText(int topic)
{
    QFile page(buildDataDir() + HelpBrowser::topicFile(topic));
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

TEST(HelpBrowser, TopicFollowsTheLanguageTest)
{
    EXPECT_EQ(HelpBrowser::topicFor(1), 1);
    for (int tongue : {0, -1, 7})
        EXPECT_EQ(HelpBrowser::topicFor(tongue), 2) << tongue;
    EXPECT_EQ(HelpBrowser::topicFile(1), QStringLiteral("help1.html"));
    EXPECT_EQ(HelpBrowser::topicFile(2), QStringLiteral("help2.html"));
}

// Both pages lie in the data folder and cover the four puzzles, the toolbar and each other.
TEST(HelpBrowser, PagesInTheDataFolderCoverEveryPuzzleAndTheToolbar)
{
    const struct {
        int topic;
        const char* toolbar;
        const char* otherPage;
    } pages[] = {{1, "Werkzeugleiste", "help2.html"}, {2, "toolbar", "help1.html"}};
    for (const auto& page : pages) {
        const QString text = pageText(page.topic);
        ASSERT_FALSE(text.isEmpty()) << "topic " << page.topic << " is not in "
                                     << buildDataDir().toStdString();
        for (const char* name : {"PLIVA", "ZUPEL", "VEXOR", "HUXEL", page.toolbar, page.otherPage})
            EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << page.topic << ": " << name;
    }
}

TEST(HelpBrowser, ShowsTheTopicInAWindowOfItsOwnThatDoesNotBlock)
{
    QWidget main;
    main.show();
    auto* help = new HelpBrowser(&main);
    help->showTopic(buildDataDir(), 2);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(help->browser()->source(), QUrl::fromLocalFile(buildDataDir() + "help2.html"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("The toolbar")));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Frobny Office - Help"));
    help->showTopic(buildDataDir(), 1);
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Die Werkzeugleiste")));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Frobny Office - Hilfe"));
}

// The game stays in sight beside the help where the desktop has room; afterwards the help keeps
// the place the player gave it.
TEST(HelpBrowser, OpensBesideTheMainWindowWhereThereIsRoom)
{
    QWidget main;
    main.setFixedSize(300, 200);
    const QRect desktop = main.screen()->availableGeometry();
    main.move(desktop.topLeft());
    main.show();
    auto* help = new HelpBrowser(&main);
    help->resize(desktop.width() - 400, 300);
    help->showTopic(buildDataDir(), 2);
    EXPECT_FALSE(help->frameGeometry().intersects(main.frameGeometry()));
    EXPECT_TRUE(desktop.contains(help->frameGeometry())) << "beside, yet on the desktop";

    help->move(desktop.topLeft() + QPoint(40, 50));
    help->showTopic(buildDataDir(), 1);
    EXPECT_EQ(help->pos(), desktop.topLeft() + QPoint(40, 50));
}

// Where neither side has room, it keeps to the desktop's edge on the roomier side and covers as
// little of the game as it can.
TEST(HelpBrowser, WithoutRoomBesideItKeepsToTheRoomierSide)
{
    QWidget main;
    main.setFixedSize(300, 200);
    const QRect desktop = main.screen()->availableGeometry();
    main.move(desktop.center() - QPoint(200, 100));
    main.show();
    HelpBrowser help(&main);
    help.resize(desktop.width() / 2 + 100, 240);
    help.showTopic(buildDataDir(), 2);
    EXPECT_EQ(help.x() + help.width(), desktop.right() + 1);
    EXPECT_EQ(help.y(), main.frameGeometry().top());
}

TEST(HelpBrowser, AMissingPageIsSaidInTheWindow)
{
    QTemporaryDir empty;
    HelpBrowser help(nullptr);
    help.showTopic(empty.path() + "/", 1);
    EXPECT_TRUE(help.isVisible());
    const QString text = help.browser()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("nicht gefunden"))) << text.toStdString();
    EXPECT_TRUE(text.contains(empty.path() + "/help1.html"));
    help.showTopic(empty.path() + "/", 2);
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("not found")));
}

} // namespace
