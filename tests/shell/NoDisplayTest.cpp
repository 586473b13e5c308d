#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct GameRun {
    int exitCode;
    QStringList errorLines;
};

// Starts the game program with the given environment changes and no display.
GameRun runGame(const QList<std::pair<QString, QString>>& set)
{
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", config.path());
    for (const auto& [name, value] : set)
        environment.insert(name, value);
    QProcess game;
    game.setProcessEnvironment(environment);
    game.start(FROBNY_GAME_PROGRAM, {});
    EXPECT_TRUE(game.waitForFinished(30000));
    const QString errors = QString::fromLocal8Bit(game.readAllStandardError()).trimmed();
    return {game.exitStatus() == QProcess::NormalExit ? game.exitCode() : -1, errors.split('\n')};
}

TEST(NoDisplay, EndsWithOneLineAndAFailureStatus)
{
    const QList<QList<std::pair<QString, QString>>> cases = {
        {},
        {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":97"}},
    };
    for (const auto& set : cases) {
        const GameRun run = runGame(set);
        EXPECT_EQ(run.exitCode, 1);
        ASSERT_EQ(run.errorLines.size(), 1) << run.errorLines.join('\n').toStdString();
        EXPECT_TRUE(run.errorLines[0].startsWith("frobny-office: ")) << run.errorLines[0].toStdString();
    }
}
} // namespace
