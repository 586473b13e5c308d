// The game as it starts for a player, ending once its main window has painted for the first time.
#include <QCoreApplication>
#include <QTimer>

#include "app/GameMain.h"
#include "first_frame_report.h"

int main(int argc, char** argv)
{
    // exit(), not quit(): quit() would ask the window to close, and the game asks before it closes.
    return runGame(argc, argv, [] {
        reportFirstFrame();
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    });
}
