#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

#include "app/widgets/HeldKeys.h"

namespace {

// A window that counts the keys reaching it and, on a first Enter, opens a dialog modally from
// inside that press, as the winning press of a puzzle opens the result window.
class Board final : public QWidget {
  public:
    std::function<void()> onEnter;
    int enters = 0;
    int repeatedRights = 0;

  protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Right && event->isAutoRepeat())
            ++repeatedRights;
        if (event->key() == Qt::Key_Return) {
            ++enters;
            if (onEnter)
                onEnter();
        }
    }
};

// The X server's clock in milliseconds; a real press and release never share a moment.
quint64 now = 1000;

void send(QWidget* to, QEvent::Type type, Qt::Key key, bool repeat, const QString& text = {},
          quint64 at = ++now)
{
    QKeyEvent event(type, key, Qt::NoModifier, text, repeat);
    event.setTimestamp(at);
    QApplication::sendEvent(to, &event);
}

// What X sends while a key is held: released and pressed again at the same moment, both marked
// as repeats, or unmarked when the program was busy when they came.
void repeat(QWidget* to, Qt::Key key, int times, const QString& text = {}, bool marked = true)
{
    for (int i = 0; i < times; ++i) {
        const quint64 at = now += 30;
        send(to, QEvent::KeyRelease, key, marked, text, at);
        send(to, QEvent::KeyPress, key, marked, text, at);
    }
}

class HeldKeysTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        board.show();
        dialog = new QDialog(&board);
        auto* layout = new QVBoxLayout(dialog);
        name = new QLineEdit(dialog);
        ok = new QPushButton("OK", dialog);
        ok->setDefault(true);
        layout->addWidget(name);
        layout->addWidget(ok);
        QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    }

    Board board;
    HeldKeys guard{&board};
    QDialog* dialog = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* ok = nullptr;
};

TEST_F(HeldKeysTest, AKeyHeldWhenAWindowOpensDoesNotAnswerIt)
{
    bool closedByRepeat = true;
    board.onEnter = [&] {
        QTimer::singleShot(0, dialog, [&] {
            ok->setFocus();
            repeat(ok, Qt::Key_Return, 2, {}, false); // the repeats that waited while it was busy
            repeat(ok, Qt::Key_Return, 5);
            closedByRepeat = !dialog->isVisible();
            if (closedByRepeat)
                return;
            name->setFocus();
            send(name, QEvent::KeyPress, Qt::Key_Space, false, " "); // a separate press types
            send(name, QEvent::KeyRelease, Qt::Key_Space, false, " ");
            repeat(name, Qt::Key_Return, 2);
            send(name, QEvent::KeyRelease, Qt::Key_Return, false); // let go, in the dialog
            ok->setFocus();
            QTest::keyClick(ok, Qt::Key_Return); // a new press answers
        });
        dialog->exec();
    };
    send(&board, QEvent::KeyPress, Qt::Key_Return, false);
    EXPECT_FALSE(closedByRepeat) << "held Enter ran through the window";
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(name->text(), " ") << "only the separate press typed";
    EXPECT_EQ(board.enters, 1);
}

TEST_F(HeldKeysTest, AKeyHeldIntoAnotherWindowStaysDroppedUntilLetGo)
{
    dialog->show();
    send(&board, QEvent::KeyPress, Qt::Key_Space, false, " ");
    repeat(name, Qt::Key_Space, 2, " ");
    EXPECT_EQ(name->text(), "");
    repeat(&board, Qt::Key_Space, 1, " "); // back where it began: still dropped
    send(name, QEvent::KeyRelease, Qt::Key_Space, false, " ");
    send(name, QEvent::KeyPress, Qt::Key_Space, false, " ");
    repeat(name, Qt::Key_Space, 2, " ");
    EXPECT_EQ(name->text(), "   ") << "a key pressed in the window repeats there";
}

// A key that runs a shortcut reaches its window only as the shortcut override, never as a press:
// that is its first press all the same, and its repeats in the window it opened are dropped, marked
// or not, with the window's own shortcuts kept from them.
TEST_F(HeldKeysTest, AKeyThatRanAShortcutIsHeldLikeAnyOther)
{
    send(&board, QEvent::ShortcutOverride, Qt::Key_P, false, "p");
    dialog->show();
    repeat(name, Qt::Key_P, 2, "p", false);
    repeat(name, Qt::Key_P, 2, "p");
    EXPECT_EQ(name->text(), "") << "held P typed into the window it opened";

    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_P, Qt::NoModifier, "p", true);
    override.setTimestamp(now += 30);
    override.ignore();
    QApplication::sendEvent(name, &override);
    EXPECT_TRUE(override.isAccepted()) << "a repeat in another window must not run its shortcuts";
}

TEST_F(HeldKeysTest, ArrowsHeldOnTheBoardStillRepeat)
{
    send(&board, QEvent::KeyPress, Qt::Key_Right, false);
    repeat(&board, Qt::Key_Right, 4);
    send(&board, QEvent::KeyRelease, Qt::Key_Right, false);
    EXPECT_EQ(board.repeatedRights, 4);
}

} // namespace
