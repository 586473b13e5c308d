#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <unistd.h>

#include "app/GameMain.h"
#include "app/dialogs/Chiffre.h"
#include "app/dialogs/HighscoreList.h"
#include "app/settings/SettingsStore.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

// Writes the settings file over and over until it is killed, for the crash-safety test.
//   settings_writer scores INI        stores list "pliv11", every row naming generation g+1, g+2, ...
//   settings_writer close INI DATA    starts and closes the main window, each time on the next puzzle
// After each finished write it prints the generation on a line of its own, unbuffered.
namespace {
constexpr const char* ListKey = "pliv11";

void reportDone(int generation)
{
    char line[32];
    const int length = std::snprintf(line, sizeof line, "%d\n", generation);
    if (write(STDOUT_FILENO, line, static_cast<size_t>(length)) != length)
        _exit(3);
}

[[noreturn]] void writeScores(const QString& path)
{
    SettingsStore settings(path);
    const TChiffre chiffre;
    HighscoreList list;
    list.load(settings, chiffre, QString::fromLatin1(ListKey));
    for (int generation = list.scores[0] + 1;; ++generation) {
        for (int row = 0; row < HighscoreList::Rows; ++row) {
            list.scores[row] = generation;
            list.names[row] = QStringLiteral("generation %1").arg(generation);
        }
        list.store(settings, chiffre, QString::fromLatin1(ListKey));
        reportDone(generation);
    }
}

[[noreturn]] void closeRepeatedly(const QString& path, const QString& dataDir)
{
    SettingsStore settings(path);
    SeededRandom random;
    SilentDialogs dialogs;
    for (int generation = 1;; ++generation) {
        TMainForm form(gameParts(dataDir + QStringLiteral("/"), settings, random, dialogs));
        if (!form.startedOk())
            _exit(4);
        form.SwitchPuzzle(generation % 4);
        form.setTongue(generation % 2);
        form.close();
        reportDone(generation);
    }
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("scores"))
        writeScores(arguments[2]);
    if (arguments.size() == 4 && arguments[1] == QLatin1String("close"))
        closeRepeatedly(arguments[2], arguments[3]);
    std::fprintf(stderr, "usage: settings_writer scores INI | close INI DATA\n");
    return 2;
}
