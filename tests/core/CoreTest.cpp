#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/core/Color.h"
#include "app/core/DataDir.h"
#include "app/core/RandomSource.h"

namespace {
TEST(DataDir, ExecutableFolderWithPicturesElseTheInstalledFolder)
{
    QTemporaryDir dir;
    EXPECT_EQ(findDataDir(dir.path()), installedDataDir());
    EXPECT_TRUE(installedDataDir().endsWith("/share/frobny-office/"));
    QFile(dir.path() + "/b1.bmp").open(QIODevice::WriteOnly);
    EXPECT_EQ(findDataDir(dir.path()), dir.path() + "/");
    EXPECT_EQ(findDataDir(dir.path() + "/"), dir.path() + "/");
}

TEST(ClockRandom, StaysInRangeAndReachesBothEnds)
{
    ClockRandom random;
    for (int n : {1, 2, 3, 12}) {
        std::vector<int> seen(n, 0);
        for (int i = 0; i < 2000; ++i) {
            const int draw = random.Random(n);
            ASSERT_GE(draw, 0);
            ASSERT_LT(draw, n);
            ++seen[draw];
        }
        for (int value = 0; value < n; ++value)
            EXPECT_GT(seen[value], 0) << "n " << n << " value " << value;
    }
    EXPECT_EQ(random.Random(0), 0) << "an empty range gives 0 rather than failing";
}

TEST(Color, ByteOrderIsBlueGreenRed)
{
    EXPECT_EQ(colorRef(0xFF, 0, 0), 0x0000FFu);
    EXPECT_EQ(colorRef(0x80, 0x40, 0x40), 0x404080u);
    EXPECT_EQ(toQRgb(0x404080), qRgb(0x80, 0x40, 0x40));
    EXPECT_EQ(fromQRgb(qRgb(0x12, 0x34, 0x56)), 0x563412u);
}

TEST(Color, SystemColoursDrawAsTheDesktopSchemeColours)
{
    const std::pair<ColorRef, QRgb> cases[] = {
        {0x8000000F, qRgb(0xD4, 0xD0, 0xC8)}, // button face
        {0x80000005, qRgb(0xFF, 0xFF, 0xFF)}, // window
        {0x80000008, qRgb(0, 0, 0)},          // window text
        {0x8000001E, qRgb(0xD4, 0xD0, 0xC8)}, // menu bar, the last index
        {0x8000001F, qRgb(0, 0, 0)},          // no such index
        {0x1FFFFFFF, qRgb(0xFF, 0xFF, 0xFF)}, // "clNone": not a system colour, low 24 bits
    };
    for (const auto& [stored, drawn] : cases)
        EXPECT_EQ(toQRgb(stored), drawn) << std::hex << stored;
}
} // namespace

namespace {
TEST(DataDir, InstalledTreeMovedAsAWholeIsFound)
{
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("bin");
    QDir(prefix.path()).mkpath("share/frobny-office");
    QFile(prefix.path() + "/share/frobny-office/b1.bmp").open(QIODevice::WriteOnly);
    EXPECT_EQ(findDataDir(prefix.path() + "/bin"), prefix.path() + "/share/frobny-office/");
}
} // namespace
