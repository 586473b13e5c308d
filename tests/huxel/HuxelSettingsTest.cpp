#include <QTemporaryDir>

#include "HuxelTestSupport.h"
#include "app/settings/SettingsStore.h"

using namespace huxeltest;

namespace {

const QString Section = QStringLiteral("huxel");

} // namespace

class HuxelSettings : public HuxelFixture {
  protected:
    SettingsStore MakeStore() { return SettingsStore(directory.filePath(QStringLiteral("V1.ini"))); }
    QTemporaryDir directory;
};

TEST_F(HuxelSettings, MissingKeysReadAsDefaults)
{
    huxel.model().setTableSize(5);
    SettingsStore store = MakeStore();
    huxel.LoadSettings(store);
    EXPECT_EQ(huxel.model().TableSize(), 3);
    EXPECT_EQ(huxel.FontName(), QStringLiteral("Arial"));
    EXPECT_FALSE(huxel.FontBold());
    EXPECT_FALSE(huxel.FontItalic());
}

// Out of range is clamped; text that is no number (or too large for one) reads as the default.
TEST_F(HuxelSettings, ModeIsClampedAndGarbageReadsAsDefault)
{
    const std::pair<const char*, int> modes[] = {
        {"0", 3},   {"2", 3},  {"9", 6},           {"4", 4}, {"6", 6},          {"-7", 3},
        {"abc", 3}, {"5x", 3}, {"99999999999", 3}, {"", 3},  {"2147483647", 6},
    };
    SettingsStore store = MakeStore();
    for (const auto& [stored, expected] : modes) {
        store.WriteString(Section, QStringLiteral("mode"), QString::fromLatin1(stored));
        huxel.LoadSettings(store);
        EXPECT_EQ(huxel.model().TableSize(), expected) << stored;
        EXPECT_EQ(huxel.ScoreLevel(), expected) << stored;
    }
}

TEST_F(HuxelSettings, FontNameAndStyleReadAsStoredWithSoundFallbacks)
{
    struct Case {
        QString name;
        QString bold;
        QString italic;
        QString expectedName;
        bool expectedBold;
        bool expectedItalic;
    };
    const QString arial = QStringLiteral("Arial");
    const Case cases[] = {
        {QStringLiteral("DejaVu Sans"), QStringLiteral("1"), QStringLiteral("0"),
         QStringLiteral("DejaVu Sans"), true, false},
        {QStringLiteral("Liberation Serif"), QStringLiteral("0"), QStringLiteral("1"),
         QStringLiteral("Liberation Serif"), false, true},
        {QString(), QStringLiteral("yes"), QStringLiteral("7"), arial, false, true},
        {QString(100000, u'x'), QStringLiteral("-1"), QStringLiteral("zz"), arial, true, false},
    };
    SettingsStore store = MakeStore();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.left(20).toStdString());
        store.WriteString(Section, QStringLiteral("name"), c.name);
        store.WriteString(Section, QStringLiteral("bold"), c.bold);
        store.WriteString(Section, QStringLiteral("ital"), c.italic);
        huxel.LoadSettings(store);
        EXPECT_EQ(huxel.FontName(), c.expectedName);
        EXPECT_EQ(huxel.FontBold(), c.expectedBold);
        EXPECT_EQ(huxel.FontItalic(), c.expectedItalic);
    }
    // Whatever was stored, the tables still draw.
    StartPuzzle(6);
    EXPECT_EQ(shell.pixel(65, 120), Black);
}

TEST_F(HuxelSettings, SaveWritesAllFourKeysAndLoadReadsThemBack)
{
    SettingsStore store = MakeStore();
    huxel.SaveSettings(store);
    EXPECT_EQ(store.ReadString(Section, QStringLiteral("mode"), {}), QStringLiteral("3"));
    EXPECT_EQ(store.ReadString(Section, QStringLiteral("name"), {}), QStringLiteral("Arial"));
    EXPECT_EQ(store.ReadString(Section, QStringLiteral("bold"), {}), QStringLiteral("0"));
    EXPECT_EQ(store.ReadString(Section, QStringLiteral("ital"), {}), QStringLiteral("0"));

    StartPuzzle(3);
    huxel.OptionClick(true);
    huxel.OptionClick(true);
    QFont chosen(QStringLiteral("Liberation Serif"), 40);
    chosen.setItalic(true);
    shell.fontAnswer = chosen;
    huxel.MouseDownLeft(20, 20);
    huxel.SaveSettings(store);
    EXPECT_EQ(store.ReadString(Section, QStringLiteral("mode"), {}), QStringLiteral("5"));
    EXPECT_EQ(store.ReadString(Section, QStringLiteral("ital"), {}), QStringLiteral("1"));

    FakeShell otherShell;
    Huxel reloaded(otherShell);
    reloaded.LoadSettings(store);
    EXPECT_EQ(reloaded.model().TableSize(), 5);
    EXPECT_EQ(reloaded.FontName(), QStringLiteral("Liberation Serif"));
    EXPECT_FALSE(reloaded.FontBold());
    EXPECT_TRUE(reloaded.FontItalic());
}
