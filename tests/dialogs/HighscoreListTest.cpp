#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/dialogs/Chiffre.h"
#include "app/dialogs/HighscoreList.h"
#include "app/settings/SettingsStore.h"

namespace {

struct Row {
    int score;
    const char* name;
};

HighscoreList listOf(std::initializer_list<Row> rows)
{
    HighscoreList list;
    int i = 0;
    for (const Row& row : rows) {
        list.scores[i] = row.score;
        list.names[i] = QString::fromUtf8(row.name);
        ++i;
    }
    return list;
}

std::vector<std::pair<int, std::string>> rowsOf(const HighscoreList& list)
{
    std::vector<std::pair<int, std::string>> rows;
    for (int i = 0; i < HighscoreList::Rows; ++i)
        rows.emplace_back(list.scores[i], list.names[i].toStdString());
    return rows;
}

struct InsertCase {
    const char* what;
    std::initializer_list<Row> before;
    int result;
    int expectedRow;
    std::initializer_list<Row> after;
};

const InsertCase InsertCases[] = {
    {"empty list: first row",
     {},
     50,
     0,
     {{50, "New"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}}},
    {"between two",
     {{10, "a"}, {30, "b"}},
     20,
     1,
     {{10, "a"}, {20, "New"}, {30, "b"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}}},
    {"equal goes below",
     {{10, "a"}, {20, "b"}, {30, "c"}},
     20,
     2,
     {{10, "a"}, {20, "b"}, {20, "New"}, {30, "c"}, {0, "Mr. Brain"}}},
    {"best pushes the last out",
     {{10, "a"}, {20, "b"}, {30, "c"}, {40, "d"}, {50, "e"}},
     5,
     0,
     {{5, "New"}, {10, "a"}, {20, "b"}, {30, "c"}, {40, "d"}}},
    {"worse than five",
     {{10, "a"}, {20, "b"}, {30, "c"}, {40, "d"}, {50, "e"}},
     51,
     -1,
     {{10, "a"}, {20, "b"}, {30, "c"}, {40, "d"}, {50, "e"}}},
    {"equal to the fifth",
     {{10, "a"}, {20, "b"}, {30, "c"}, {40, "d"}, {50, "e"}},
     50,
     -1,
     {{10, "a"}, {20, "b"}, {30, "c"}, {40, "d"}, {50, "e"}}},
    {"zero enters nothing",
     {{10, "a"}},
     0,
     -1,
     {{10, "a"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}}},
    // ZUPEL's bonus can take the clock below zero: kept signed, better than any positive result.
    {"negative into an empty list",
     {},
     -3,
     0,
     {{-3, "New"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}}},
    {"negative before positives",
     {{10, "a"}, {20, "b"}, {30, "c"}, {40, "d"}, {50, "e"}},
     -1,
     0,
     {{-1, "New"}, {10, "a"}, {20, "b"}, {30, "c"}, {40, "d"}}},
    {"negative after a better negative",
     {{-8, "a"}, {10, "b"}},
     -3,
     1,
     {{-8, "a"}, {-3, "New"}, {10, "b"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}}},
    {"equal negative goes below",
     {{-8, "a"}, {10, "b"}},
     -8,
     1,
     {{-8, "a"}, {-8, "New"}, {10, "b"}, {0, "Mr. Brain"}, {0, "Mr. Brain"}}},
};

TEST(HighscoreList, InsertsByTheFirstEmptyOrGreaterRow)
{
    for (const InsertCase& c : InsertCases) {
        HighscoreList list = listOf(c.before);
        EXPECT_EQ(list.insert(c.result, "New"), c.expectedRow) << c.what;
        EXPECT_EQ(rowsOf(list), rowsOf(listOf(c.after))) << c.what;
    }
}

struct ParseCase {
    const char* text;
    int score;
    const char* name;
};

// Whatever does not read as "result,name" is an empty row; a name keeps its own commas.
const ParseCase ParseCases[] = {
    {"12,Bob", 12, "Bob"},
    {"12,Smith, J.", 12, "Smith, J."},
    {"-5,Bob", -5, "Bob"},
    {"12,", 12, ""},
    {"0,Bob", 0, "Bob"},
    {"", 0, "Mr. Brain"},
    {"Bob", 0, "Mr. Brain"},
    {",Bob", 0, "Mr. Brain"},
    {"abc,Bob", 0, "Mr. Brain"},
    {"12x,Bob", 0, "Mr. Brain"},
    {"99999999999,Bob", 0, "Mr. Brain"},
};

TEST(HighscoreList, ReadsARowOrCountsItEmpty)
{
    for (const ParseCase& c : ParseCases) {
        const auto [score, name] = HighscoreList::parseRow(QString::fromUtf8(c.text));
        EXPECT_EQ(score, c.score) << c.text;
        EXPECT_EQ(name.toStdString(), c.name) << c.text;
    }
}

TEST(HighscoreList, StoresFiveScrambledRowsUnderTheListKey)
{
    QTemporaryDir dir;
    SettingsStore settings(dir.path() + "/V1.ini");
    const TChiffre chiffre;
    HighscoreList list = listOf({{-3, "Ann, the 1st."}, {17, "Bob"}});
    list.store(settings, chiffre, "vexo11");
    for (int row = 0; row < 5; ++row) {
        const QString stored = settings.ReadString("highscore", "vexo11" + QString::number(row), "");
        EXPECT_EQ(chiffre.Decode(stored), HighscoreList::rowText(list.scores[row], list.names[row])) << row;
    }
    EXPECT_NE(settings.ReadString("highscore", "vexo110", ""), "-3,Ann, the 1st.") << "stored scrambled";

    HighscoreList loaded = listOf({{99, "x"}, {98, "y"}, {97, "z"}, {96, "w"}, {95, "v"}});
    loaded.load(settings, chiffre, "vexo11");
    EXPECT_EQ(rowsOf(loaded), rowsOf(list));
    loaded.load(settings, chiffre, "vexo12");
    EXPECT_EQ(rowsOf(loaded), rowsOf(HighscoreList())) << "a list never written is empty";
}

} // namespace
