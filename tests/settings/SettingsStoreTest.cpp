#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <limits>
#include <utility>
#include <vector>

#include "app/settings/SettingsStore.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString iniPath = dir.filePath(QStringLiteral("FrobnyOffice/V1.ini"));
    int edits = 0;

    void writeFile(const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(iniPath).absolutePath());
        QFile file(iniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.flush();
        // QSettings spots a changed file by size and modification time; edits in one millisecond
        // would look alike, so each one is dated a second apart as real edits would be.
        file.setFileTime(QDateTime::currentDateTime().addSecs(++edits), QFileDevice::FileModificationTime);
    }

    QByteArray fileContent() const
    {
        QFile file(iniPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(SettingsStoreTest, StringsRoundTripThroughTheFile)
{
    const QString texts[] = {
        "",
        "plain",
        "200,0,1,10,20,510,386",
        "@Variant(garbage)",
        "@Invalid()",
        "@@",
        " padded ",
        "semi;colon",
        "say \"hi\"",
        "back\\slash",
        "two\nlines",
        "a=b",
        "[common]",
        "#hash",
        ";semicolon",
        "Müller § ü",
        "tab\there",
        "%41%",
        "trailing,",
        ",",
        "\\",
        "\"",
        "@ByteArray()",
        "$00404080",
    };
    SettingsStore writer(iniPath);
    for (const QString& text : texts) {
        writer.WriteString("huxel", "font", text);
        EXPECT_EQ(SettingsStore(iniPath).ReadString("huxel", "font", "x"), text);
    }
    EXPECT_TRUE(writer.writable());
}

TEST_F(SettingsStoreTest, ValuesAreStoredAsPlainTexts)
{
    SettingsStore store(iniPath);
    store.WriteInteger("common", "mode", 23);
    store.WriteInteger("common", "tongue", -1);
    store.WriteBool("common", "sound", true);
    store.WriteBool("common", "music", false);
    store.WriteColor("pliva", "curve", 0x0000FF);
    store.WriteColor("vexor", "color5", 0x00404080);
    store.WriteString("common", "MainForm", "200,0,1,10,20,510,386");

    const QByteArray content = fileContent();
    for (const char* line : {"[common]", "mode=23", "tongue=-1", "sound=1", "music=0", "[pliva]",
                             "curve=clRed", "[vexor]", "color5=$00404080"})
        EXPECT_TRUE(content.contains(QByteArray(line) + '\n')) << line << " missing in\n"
                                                               << content.constData();
    EXPECT_EQ(store.ReadInteger("common", "mode", 0), 23);
    EXPECT_EQ(store.ReadInteger("common", "tongue", 5), -1);
    EXPECT_TRUE(store.ReadBool("common", "sound", false));
    EXPECT_FALSE(store.ReadBool("common", "music", true));
    EXPECT_EQ(store.ReadColor("pliva", "curve", 0), 0x0000FFu);
    EXPECT_EQ(store.ReadColor("vexor", "color5", 0), 0x00404080u);
    EXPECT_EQ(store.ReadString("common", "MainForm", ""), "200,0,1,10,20,510,386");
}

TEST_F(SettingsStoreTest, IntegerExtremesRoundTrip)
{
    SettingsStore store(iniPath);
    for (int value : {0, 1, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        store.WriteInteger("zupel", "level", value);
        EXPECT_EQ(store.ReadInteger("zupel", "level", 42), value);
    }
}

TEST_F(SettingsStoreTest, MissingFileSectionOrKeyReadsDefaultsAndCreatesNothing)
{
    SettingsStore store(iniPath);
    EXPECT_EQ(store.ReadInteger("common", "tongue", -1), -1);
    EXPECT_TRUE(store.ReadBool("common", "sound", true));
    EXPECT_FALSE(store.ReadBool("common", "sound", false));
    EXPECT_EQ(store.ReadString("highscore", "name", "nobody"), "nobody");
    EXPECT_EQ(store.ReadColor("pliva", "curve", 0x123456), 0x123456u);
    EXPECT_FALSE(QFileInfo::exists(iniPath));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(iniPath).absolutePath()));

    writeFile("[common]\nmode=2\n");
    EXPECT_EQ(store.ReadInteger("common", "mode", 0), 2);
    EXPECT_EQ(store.ReadInteger("common", "tongue", -1), -1);
    EXPECT_EQ(store.ReadInteger("pliva", "mode", 7), 7);
}

TEST_F(SettingsStoreTest, IntegerTextsThatAreNoNumberReadAsDefault)
{
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"2", 2},
        {"-7", -7},
        {"abc", -1},
        {"12abc", -1},
        {"", -1},
        {"1.5", -1},
        {"0x10", -1},
        {"$10", -1},
        {"--1", -1},
        {"2147483647", 2147483647},
        {"2147483648", -1},
        {"-2147483649", -1},
        {"99999999999999999999", -1},
    };
    SettingsStore store(iniPath);
    for (const Case& c : cases) {
        writeFile(QByteArray("[common]\ntongue=\"") + c.text + "\"\n");
        EXPECT_EQ(store.ReadInteger("common", "tongue", -1), c.expected) << c.text;
    }
}

TEST_F(SettingsStoreTest, BooleansAreAnyNonzeroInteger)
{
    struct Case {
        const char* text;
        bool fallback;
        bool expected;
    };
    const Case cases[] = {
        {"0", true, false},  {"1", false, true},  {"7", false, true},
        {"-1", false, true}, {"abc", true, true}, {"abc", false, false},
    };
    SettingsStore store(iniPath);
    for (const Case& c : cases) {
        writeFile(QByteArray("[common]\nmusic=") + c.text + "\n");
        EXPECT_EQ(store.ReadBool("common", "music", c.fallback), c.expected) << c.text;
    }
}

TEST_F(SettingsStoreTest, EveryReadSeesTheFileAsItIsNow)
{
    SettingsStore store(iniPath);
    store.WriteInteger("common", "mode", 1);
    writeFile("[common]\nmode=3\nsound=0\n");
    EXPECT_EQ(store.ReadInteger("common", "mode", 0), 3);
    EXPECT_FALSE(store.ReadBool("common", "sound", true));
}

TEST_F(SettingsStoreTest, HandEditedLinesReadSensibly)
{
    writeFile("[common]\n"
              "MainForm=200,0,1,10,20,510,386\n"
              "rect=@Rect(1 2 3 4)\n"
              "nothing=@Invalid()\n"
              "bytes=@ByteArray(abc)\n"
              "broken=@Variant(\\0\\x1\\xff)\n"
              "no equals sign here\n"
              "colour=clmoneygreen\n"
              "junkcolour=tomato\n"
              "[pliva\n"
              "level=5\n");
    SettingsStore store(iniPath);
    EXPECT_EQ(store.ReadString("common", "MainForm", ""), "200,0,1,10,20,510,386");
    EXPECT_EQ(store.ReadString("common", "rect", "fallback"), "fallback");
    EXPECT_EQ(store.ReadString("common", "nothing", "fallback"), "fallback");
    EXPECT_EQ(store.ReadString("common", "bytes", ""), "abc");
    store.ReadString("common", "broken", "");
    EXPECT_EQ(store.ReadColor("common", "colour", 0), 0xC0DCC0u);
    EXPECT_EQ(store.ReadColor("common", "junkcolour", 0x0000FF), 0x0000FFu);

    // A write keeps the readable neighbours.
    store.WriteInteger("common", "mode", 2);
    EXPECT_EQ(store.ReadInteger("common", "mode", 0), 2);
    EXPECT_EQ(store.ReadString("common", "MainForm", ""), "200,0,1,10,20,510,386");
    EXPECT_EQ(store.ReadColor("common", "colour", 0), 0xC0DCC0u);
}

// Paths no process can write to, root included.
TEST_F(SettingsStoreTest, UnreachableFileFailsWritesQuietlyAndSaysSoOnce)
{
    const QString blocker = dir.filePath("blocker");
    QFile(blocker).open(QIODevice::WriteOnly);
    QDir().mkpath(dir.filePath("folder/V1.ini"));
    const QString unreachable[] = {blocker + "/FrobnyOffice/V1.ini", dir.filePath("folder/V1.ini")};
    for (const QString& path : unreachable) {
        SettingsStore store(path);
        testing::internal::CaptureStderr();
        store.WriteInteger("common", "mode", 2);
        store.WriteString("highscore", "name", "Anna");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(store.writable()) << path.toStdString();
        EXPECT_EQ(said, "frobny-office: cannot write settings to " + path.toStdString() +
                            "; changes will not be kept\n");
        EXPECT_EQ(store.ReadInteger("common", "mode", 0), 0);
        EXPECT_EQ(store.ReadString("highscore", "name", "none"), "none");
    }
}

TEST_F(SettingsStoreTest, ReadOnlyFileKeepsItsContent)
{
    const QByteArray stored = "[common]\nmode=1\n";
    writeFile(stored);
    QFile::setPermissions(iniPath, QFile::ReadOwner | QFile::ReadUser);
    if (QFile file(iniPath); file.open(QIODevice::ReadWrite))
        GTEST_SKIP() << "this user may write read-only files";

    SettingsStore store(iniPath);
    testing::internal::CaptureStderr();
    store.WriteInteger("common", "mode", 3);
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(store.writable());
    EXPECT_EQ(fileContent(), stored);
    EXPECT_EQ(store.ReadInteger("common", "mode", 0), 1);
}

TEST(SettingsStoreLocation, DefaultStoreLivesUnderXdgConfigHome)
{
    QTemporaryDir configHome;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    const bool hadPrevious = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());

    SettingsStore store;
    const QString expected = configHome.filePath("FrobnyGames/FrobnyOffice/V1.ini");
    EXPECT_EQ(store.path(), expected);
    store.WriteInteger("common", "tongue", 1);
    EXPECT_TRUE(QFileInfo::exists(expected));
    EXPECT_EQ(SettingsStore(expected).ReadInteger("common", "tongue", -1), 1);

    if (hadPrevious)
        qputenv("XDG_CONFIG_HOME", previous);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

// What a writer killed in the middle of QSettings' locking leaves beside the settings file: files
// older than a second, by name and content.
struct LeftLocks {
    const char* what;
    std::vector<std::pair<const char*, QByteArray>> files;
};

void PrintTo(const LeftLocks& locks, std::ostream* out)
{
    *out << locks.what;
}

// A process id above every id Linux hands out: the lock's writer is surely gone.
const QByteArray deadWriter = "4194304\nsettings_writer\n\n";

class AbandonedLocks : public SettingsStoreTest, public ::testing::WithParamInterface<LeftLocks> {};

// Waiting for such a file to go stale would freeze the next game for half a minute at its first
// write.
TEST_P(AbandonedLocks, DoNotHoldUpTheNextWrite)
{
    writeFile("[common]\nmode=1\n");
    for (const auto& [suffix, content] : GetParam().files) {
        QFile lock(iniPath + suffix);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime);
    }

    SettingsStore store(iniPath);
    auto write = std::async(std::launch::async, [&store] { store.WriteInteger("common", "mode", 2); });
    // QSettings would wait until the file is 30 s old; the write itself takes milliseconds.
    EXPECT_EQ(write.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    write.wait();
    EXPECT_EQ(store.ReadInteger("common", "mode", 0), 2);
}

INSTANTIATE_TEST_SUITE_P(
    KilledWriters, AbandonedLocks,
    ::testing::Values(
        // Killed right after it created the lock file, before writing its process id into it.
        LeftLocks{"EmptyLock", {{".lock", ""}}},
        // One writer killed while it held the lock; the next killed while it removed that stale
        // lock, right after it created the removal's own lock file.
        LeftLocks{"StaleLockAndEmptyRemovalLock", {{".lock", deadWriter}, {".lock.rmlock", ""}}}),
    [](const auto& info) { return std::string(info.param.what); });
} // namespace
