#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The rules of the four puzzles in German and English, carried inside the program: one paragraph
// a line, ended by a line holding only "@". Items 0..3 are German, 4..7 English, each in puzzle
// order (PLIVA, ZUPEL, VEXOR, HUXEL).
struct RulesItem {
    const char* description; // "PLIVA deutsch"
    const char* resource;    // ":/rules/pliva_de.txt"
};

inline constexpr int RulesPuzzleCount = 4;

const std::array<RulesItem, 2 * RulesPuzzleCount>& rulesItems();

// The item of a puzzle in the current language; -1 for a puzzle without rules.
int rulesItem(int puzzle, int tongue);

// The item as stored, end mark and anything after it included; empty for an unknown item.
QString storedRulesText(int item);

// What the keys do in the item's puzzle and language, in the form of a stored text; empty where
// there is none.
QString storedKeysText(int item);

// The paragraphs before the end mark.
QStringList rulesParagraphs(const QString& stored);

// What the rules window shows: every paragraph indented by three blanks and followed by an
// empty line.
QString rulesMemoText(const QString& stored);
