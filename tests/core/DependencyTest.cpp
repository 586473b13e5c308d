#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

// The rooms depend one way: a puzzle knows only the core, the settings and its own folder; the
// shell's parts never know a puzzle; only the composition root names the puzzles. The build links
// each room only with what it may know; this catches an include that slips past it.
namespace {

struct Room {
    QString folder;         // relative to the source tree, files directly in it
    QStringList mayInclude; // project include prefixes besides the room's own folder
    QStringList except;     // files of the folder that belong elsewhere
};

const QString sourceDir = QStringLiteral(FROBNY_SOURCE_DIR);

QStringList projectIncludes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    QStringList found;
    for (const auto& match : include.globalMatch(QString::fromUtf8(file.readAll())))
        found << match.captured(1);
    return found;
}

// "file includes header" for every project include the room may not use.
QStringList strayIncludes(const Room& room)
{
    QStringList stray;
    const QDir folder(sourceDir + QLatin1Char('/') + room.folder);
    for (const QString& name :
         folder.entryList({QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files)) {
        if (room.except.contains(name))
            continue;
        for (const QString& header : projectIncludes(folder.filePath(name))) {
            const bool own = header.startsWith(room.folder + QLatin1Char('/')) &&
                             !header.mid(room.folder.size() + 1).contains('/');
            const bool allowed =
                std::any_of(room.mayInclude.begin(), room.mayInclude.end(),
                            [&](const QString& prefix) { return header.startsWith(prefix); });
            if (!own && !allowed)
                stray << room.folder + QLatin1Char('/') + name + QStringLiteral(" includes ") + header;
        }
    }
    return stray;
}

std::vector<Room> rooms()
{
    const QStringList core = {QStringLiteral("app/core/")};
    std::vector<Room> list = {
        {QStringLiteral("app/core"), {}, {}},
        {QStringLiteral("app/settings"), core, {}},
        {QStringLiteral("app/texts"), core, {}},
        {QStringLiteral("app/widgets"), core, {}},
        {QStringLiteral("app/dialogs"),
         core + QStringList{QStringLiteral("app/settings/"), QStringLiteral("app/texts/")},
         {}},
        {QStringLiteral("app/sound"), core, {}},
        {QStringLiteral("app"),
         core + QStringList{QStringLiteral("app/settings/"), QStringLiteral("app/texts/"),
                            QStringLiteral("app/widgets/"), QStringLiteral("app/dialogs/"),
                            QStringLiteral("app/sound/")},
         {QStringLiteral("main.cpp"), QStringLiteral("GameMain.cpp"), QStringLiteral("GameMain.h"),
          QStringLiteral("GamePuzzles.cpp"), QStringLiteral("GamePuzzles.h")}},
    };
    const QDir puzzles(sourceDir + QStringLiteral("/puzzles"));
    for (const QString& puzzle : puzzles.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        list.push_back(
            {QStringLiteral("puzzles/") + puzzle, core + QStringList{QStringLiteral("app/settings/")}, {}});
    return list;
}

TEST(Dependencies, EachRoomIncludesOnlyWhatItMayKnow)
{
    ASSERT_TRUE(QFile::exists(sourceDir + QStringLiteral("/puzzles/pliva/Pliva.h")))
        << "source tree not found";
    for (const Room& room : rooms())
        EXPECT_EQ(strayIncludes(room).join(QLatin1Char('\n')).toStdString(), "");
}

TEST(Dependencies, AStrayIncludeIsSeen)
{
    const QStringList stray = strayIncludes({QStringLiteral("puzzles/pliva"), {}, {}});
    EXPECT_FALSE(stray.isEmpty()) << "without app/core a puzzle has stray includes";
}

} // namespace
