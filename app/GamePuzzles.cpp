#include "app/GamePuzzles.h"

#include "puzzles/huxel/Huxel.h"
#include "puzzles/pliva/Pliva.h"
#include "puzzles/vexor/Vexor.h"
#include "puzzles/zupel/Zupel.h"

namespace {
template <typename Module> std::unique_ptr<PuzzleModule> make(ShellServices& services)
{
    return std::make_unique<Module>(services);
}
} // namespace

PuzzleTable gamePuzzleTable()
{
    return {
        {.title = "PLIVA",
         .scorePrefix = "pliv",
         .buttonName = "PlivBtn",
         .glyph = "pliv",
         .hintGerman = "Jetzt spiel ich eine Runde PLIVA.",
         .hintEnglish = "A lap PLIVA for me.",
         .backgroundFile = "b1.bmp",
         .rulesHotspot = QRect(418, 155, 71, 161),
         .settingsRank = 0,
         .make = make<Pliva>},
        {.title = "ZUPEL",
         .scorePrefix = "zupe",
         .buttonName = "ZupeBtn",
         .glyph = "zupe",
         .hintGerman = "Jetzt knack ich schnell die ZUPEL.",
         .hintEnglish = "I quickly solve the ZUPEL.",
         .backgroundFile = "b2.bmp",
         .rulesHotspot = QRect(424, 10, 61, 314),
         .settingsRank = 2,
         .everyButtonActsAsLeft = true,
         .takesPointerMoves = false,
         .takesTimerTicks = true,
         .make = make<Zupel>},
        {.title = "VEXOR",
         .scorePrefix = "vexo",
         .buttonName = "VexoBtn",
         .glyph = "vexo",
         .hintGerman = "Nach VEXOR steht mir der Sinn.",
         .hintEnglish = "VEXOR is, what I like now.",
         .backgroundFile = "b3.bmp",
         .rulesHotspot = QRect(375, 10, 97, 65),
         .settingsRank = 1,
         .optionZLive = true,
         .make = make<Vexor>},
        {.title = "HUXEL",
         .scorePrefix = "huxe",
         .buttonName = "HuxeBtn",
         .glyph = "huxe",
         .hintGerman = "HUXEL wartet schon auf mich.",
         .hintEnglish = "HUXEL waits for me.",
         .backgroundFile = "b4.bmp",
         .rulesHotspot = QRect(180, 50, 130, 50),
         .settingsRank = 3,
         .repaintsOnLanguageChange = true,
         .make = make<Huxel>},
    };
}
