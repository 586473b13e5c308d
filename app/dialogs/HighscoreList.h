#pragma once

#include <QString>
#include <array>
#include <utility>

class SettingsStore;
class TChiffre;

// One list of the five best results of a puzzle at one level, smallest first; a result of 0
// marks an empty row. Stored in section "highscore" as list key + row digit, each row scrambled.
class HighscoreList {
  public:
    static constexpr int Rows = 5;
    static const QString Section;
    static const QString EmptyName; // "Mr. Brain"

    std::array<QString, Rows> names;
    std::array<int, Rows> scores{};

    HighscoreList();

    // Reads the rows; a row that is missing or does not decode to "result,name" is empty.
    void load(const SettingsStore& settings, const TChiffre& chiffre, const QString& listKey);
    // Writes all five rows, empty ones included, in one write.
    void store(SettingsStore& settings, const TChiffre& chiffre, const QString& listKey) const;

    // Puts a nonzero result in the first row that is empty or holds a greater one (so an equal
    // result goes below), moving the rows below down. Returns the row, or -1 when the list is
    // full of better or equal results. A result of 0 enters nothing.
    int insert(int result, const QString& name);
    void clear();

    // The plain text of a row, and back; a text that is not "result,name" reads as an empty row.
    static QString rowText(int score, const QString& name);
    static std::pair<int, QString> parseRow(const QString& text);
};
