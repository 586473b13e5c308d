#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <random>

#include "app/dialogs/Chiffre.h"
#include "app/dialogs/HighscoreList.h"
#include "app/settings/SettingsStore.h"
#include "support/ShellFakes.h"
#include "support/StoredValues.h"

// The settings file survives the program being killed while it writes: it always parses and holds
// either the values from before a write or those after it, never a mixture within one write (a
// high-score list, or everything a close stores).
namespace {
using Values = StoredValues;

constexpr int Kills = 100;

// A lock file the writer created but had no time to fill: QSettings' lock, or the one it holds
// while it removes a stale lock. The game comes back later than the writer here: such a file is
// dated back as if a second had passed, so the next writer may take it.
int abandonedLocks = 0;
QString settingsPath;

void ageAbandonedLocks()
{
    const QString lockPath = settingsPath + ".lock";
    for (const QString& name : {lockPath, lockPath + ".rmlock"}) {
        QFile lock(name);
        if (!lock.exists() || lock.size() != 0 || !lock.open(QIODevice::ReadWrite))
            continue;
        ++abandonedLocks;
        lock.setFileTime(QDateTime::currentDateTime().addSecs(-2), QFileDevice::FileModificationTime);
    }
}

// Starts the writer and, once it has finished its first write, kills it after the given time (so
// that a slow start on a busy machine does not eat the time). Returns the generations it finished.
QStringList killWriterAfter(const QStringList& arguments, int milliseconds)
{
    QProcess writer;
    writer.start(QStringLiteral(FROBNY_SETTINGS_WRITER), arguments);
    EXPECT_TRUE(writer.waitForStarted(10000));
    EXPECT_TRUE(writer.waitForReadyRead(30000)) << "the writer finished no write";
    QThread::msleep(static_cast<unsigned long>(milliseconds));
    writer.kill();
    EXPECT_TRUE(writer.waitForFinished(10000));
    ageAbandonedLocks();
    return QString::fromLatin1(writer.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class CrashSafeWrites : public testing::Test {
  protected:
    void TearDown() override { std::printf("%d kills left an empty lock file\n", abandonedLocks); }
    void SetUp() override
    {
        settingsPath = path;
        abandonedLocks = 0;
        ASSERT_TRUE(writePlainBackgrounds(dir.path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[common]\ntongue=1\nmode=2\nsound=1\nmusic=0\n"
                   "[pliva]\nmode=34\n[vexor]\nfit=0\nlin=1\n"
                   "[elsewhere]\nkeep=what another program stored here\n");
    }

    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/V1.ini");
    std::mt19937 random{20261210};
};

// The generation every row of the list names; -1 when the rows disagree.
int listGeneration(const QString& path)
{
    SettingsStore settings(path);
    HighscoreList list;
    list.load(settings, TChiffre(), QStringLiteral("pliv11"));
    for (int row = 1; row < HighscoreList::Rows; ++row) {
        if (list.scores[row] != list.scores[0] || list.names[row] != list.names[0])
            return -1;
    }
    return list.scores[0];
}

TEST_F(CrashSafeWrites, AKilledHighScoreWriteLeavesTheOldOrTheNewList)
{
    std::uniform_int_distribution<int> moment(0, 30);
    int survived = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        const int before = listGeneration(path);
        const QStringList done = killWriterAfter({QStringLiteral("scores"), path}, moment(random));
        const int lastDone = done.isEmpty() ? before : done.last().toInt();
        QSettings::Status status;
        const Values values = storedValues(path, &status);
        ASSERT_EQ(status, QSettings::NoError) << "after kill " << kill;
        ASSERT_EQ(values.at("elsewhere/keep"), "what another program stored here");
        const int after = listGeneration(path);
        ASSERT_TRUE(after == lastDone || after == lastDone + 1)
            << "kill " << kill << ": list at " << after << ", last finished write " << lastDone;
        ++survived;
    }
    EXPECT_EQ(survived, Kills);
    EXPECT_GT(listGeneration(path), Kills) << "the writer should have finished writes between kills";
}

TEST_F(CrashSafeWrites, AKilledCloseLeavesEveryValueOldOrNew)
{
    // One close that finishes settles every value the window writes back.
    const QStringList arguments = {QStringLiteral("close"), path, dir.path()};
    killWriterAfter(arguments, 0);
    Values settled = storedValues(path);
    ASSERT_EQ(settled.at("elsewhere/keep"), "what another program stored here");

    std::uniform_int_distribution<int> moment(0, 200);
    int survived = 0;
    for (int kill = 0; kill < Kills / 2; ++kill) {
        killWriterAfter(arguments, moment(random));
        QSettings::Status status;
        Values values = storedValues(path, &status);
        ASSERT_EQ(status, QSettings::NoError) << "after kill " << kill;
        // What each close changes: the current puzzle and the language.
        EXPECT_TRUE(QStringList({"0", "1", "2", "3"}).contains(values["common/mode"]));
        EXPECT_TRUE(QStringList({"0", "1"}).contains(values["common/tongue"]));
        // Close number g stores puzzle g % 4 and language g % 2: both from the same close.
        EXPECT_EQ(values["common/mode"].toInt() % 2, values["common/tongue"].toInt())
            << "after kill " << kill;
        values["common/mode"] = settled["common/mode"];
        values["common/tongue"] = settled["common/tongue"];
        ASSERT_EQ(values, settled) << "after kill " << kill;
        ++survived;
    }
    EXPECT_EQ(survived, Kills / 2);
}
} // namespace
