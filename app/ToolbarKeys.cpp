#include "app/ToolbarKeys.h"

#include <QShortcut>
#include <QToolButton>

#include "app/MainForm.h"

namespace {
// Where a press lands on a level button decides the direction: above the diagonal is up.
constexpr QPoint UpperHalf(15, 3);
constexpr QPoint LowerHalf(3, 15);

void pressLevelButton(TMainForm& form, ToolButton which, bool up)
{
    if (!form.button(which)->isEnabled()) {
        form.explainDisabled(which);
        return;
    }
    const QPoint at = up ? UpperHalf : LowerHalf;
    if (which == ToolButton::Option)
        form.OptionBtnMouseDown(at.x(), at.y());
    else
        form.OptionZBtnMouseDown(at.x(), at.y());
}

// click() does nothing on a disabled button and toggles a latching one, as a press does.
void clickButton(TMainForm& form, ToolButton which)
{
    QToolButton* button = form.button(which);
    if (!button)
        return;
    if (!button->isEnabled())
        form.explainDisabled(which);
    button->click();
}

ToolButton buttonOf(KeyAction action)
{
    switch (action) {
    case KeyAction::NewPuzzle:
        return ToolButton::Mix;
    case KeyAction::Pause:
        return ToolButton::Pause;
    case KeyAction::Sound:
        return ToolButton::Sound;
    case KeyAction::Music:
        return ToolButton::Midi;
    case KeyAction::HighScores:
        return ToolButton::HighScore;
    case KeyAction::Exit:
        return ToolButton::Exit;
    case KeyAction::Puzzle1:
        return puzzleButton(0);
    case KeyAction::Puzzle2:
        return puzzleButton(1);
    case KeyAction::Puzzle3:
        return puzzleButton(2);
    case KeyAction::Puzzle4:
        return puzzleButton(3);
    case KeyAction::Language:
        return ToolButton::Tongue;
    case KeyAction::Help:
        return ToolButton::Help;
    case KeyAction::About:
        return ToolButton::Info;
    case KeyAction::WebSite:
    default: // the level keys and the rules field have no button of their own to click
        return ToolButton::Frobny;
    }
}
} // namespace

const std::vector<ToolbarKey>& toolbarKeys()
{
    using K = KeyAction;
    static const std::vector<ToolbarKey> keys = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), K::NewPuzzle},
        {QKeySequence(Qt::Key_Plus), K::LevelUp},
        {QKeySequence(Qt::KeypadModifier | Qt::Key_Plus), K::LevelUp},
        {QKeySequence(Qt::Key_Minus), K::LevelDown},
        {QKeySequence(Qt::KeypadModifier | Qt::Key_Minus), K::LevelDown},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), K::SecondLevelUp},
        {QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus)),
         K::SecondLevelUp},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), K::SecondLevelDown},
        {QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus)),
         K::SecondLevelDown},
        {QKeySequence(Qt::Key_P), K::Pause},
        {QKeySequence(Qt::Key_Pause), K::Pause},
        {QKeySequence(Qt::Key_S), K::Sound},
        {QKeySequence(Qt::Key_M), K::Music},
        {QKeySequence(Qt::CTRL | Qt::Key_H), K::HighScores},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), K::Exit},
        {QKeySequence(Qt::CTRL | Qt::Key_1), K::Puzzle1},
        {QKeySequence(Qt::CTRL | Qt::Key_2), K::Puzzle2},
        {QKeySequence(Qt::CTRL | Qt::Key_3), K::Puzzle3},
        {QKeySequence(Qt::CTRL | Qt::Key_4), K::Puzzle4},
        {QKeySequence(Qt::Key_L), K::Language},
        {QKeySequence(Qt::Key_F1), K::Help},
        {QKeySequence(Qt::Key_I), K::About},
        {QKeySequence(Qt::Key_W), K::WebSite},
        {QKeySequence(Qt::Key_R), K::Rules},
    };
    return keys;
}

void runKeyAction(TMainForm& form, KeyAction action)
{
    switch (action) {
    case KeyAction::LevelUp:
    case KeyAction::LevelDown:
        pressLevelButton(form, ToolButton::Option, action == KeyAction::LevelUp);
        return;
    case KeyAction::SecondLevelUp:
    case KeyAction::SecondLevelDown:
        pressLevelButton(form, ToolButton::OptionZ, action == KeyAction::SecondLevelUp);
        return;
    case KeyAction::Rules:
        form.RulesShapeMouseDown();
        return;
    default:
        clickButton(form, buttonOf(action));
    }
}

void addToolbarKeys(TMainForm& form)
{
    for (const ToolbarKey& key : toolbarKeys()) {
        auto* shortcut = new QShortcut(key.keys, &form);
        shortcut->setAutoRepeat(false);
        const KeyAction action = key.action;
        QObject::connect(shortcut, &QShortcut::activated, &form,
                         [&form, action] { runKeyAction(form, action); });
    }
}
