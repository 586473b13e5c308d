// The game as it starts for a player, ending once its main window has painted for the first time.
#include <QCoreApplication>
#include <QTimer>

#include "app/GameMain.h"

int main(int argc, char** argv)
{
    return runGame(argc, argv, [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
}
