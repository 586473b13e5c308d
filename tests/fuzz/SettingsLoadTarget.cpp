#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "app/GameMain.h"
#include "app/dialogs/HighscoreDlg.h"
#include "app/settings/SettingsStore.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

// Arbitrary text as the settings file, through everything that reads it: the main window's start
// with all four puzzles, a switch to each puzzle, the high-score lists it names (shown and stored
// with OK) and the close. Nothing may crash, and every key the file held is still there afterwards.
namespace {
std::unique_ptr<QTemporaryDir> dataDir;
int inputNumber = 0;

QSet<QString> storedKeys(const QString& path)
{
    const QSettings settings(path, QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    return QSet<QString>(keys.begin(), keys.end());
}

// The list keys the file names in its high-score section, a few at most.
QStringList listKeys(const QString& path)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(HighscoreList::Section);
    QStringList keys{QStringLiteral("pliv11")};
    for (const QString& key : settings.childKeys()) {
        const QString list = key.chopped(1);
        if (!key.isEmpty() && !keys.contains(list) && keys.size() < 4)
            keys.append(list);
    }
    return keys;
}

void showHighScores(SettingsStore& settings, const QString& path, int result)
{
    int tongue = 1;
    THighscoreDlg dialog(nullptr, tongue, settings);
    for (const QString& key : listKeys(path)) {
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.okButton()->click(); });
        dialog.ShowHighScores(key, result);
    }
}

void playThrough(const QString& path, int result)
{
    SettingsStore settings(path);
    SeededRandom random(static_cast<unsigned>(result));
    SilentDialogs dialogs;
    ShellParts parts = gameParts(dataDir->path() + QStringLiteral("/"), settings, random, dialogs);
    parts.sleep = [](unsigned) {}; // animations need not be watched
    TMainForm form(std::move(parts));
    if (!form.startedOk())
        return;
    form.show();
    QCoreApplication::processEvents();
    for (int puzzle = 0; puzzle < 4; ++puzzle)
        form.SwitchPuzzle(puzzle);
    showHighScores(settings, path, result);
    form.close();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: Qt cannot take its application apart during exit.
    new QApplication(*argc, *argv);
    dataDir = std::make_unique<QTemporaryDir>();
    if (!dataDir->isValid() || !writePlainBackgrounds(dataDir->path())) {
        std::fprintf(stderr, "cannot prepare the data folder\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A new name for every input: QSettings caches files by name and modification time.
    const QString path = dataDir->path() + QStringLiteral("/V1-%1.ini").arg(++inputNumber);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != qint64(size))
            std::abort();
    }
    const QSet<QString> before = storedKeys(path);
    playThrough(path, size > 0 ? data[0] : 0);
    const QSet<QString> after = storedKeys(path);
    for (const QString& key : before) {
        if (!after.contains(key)) {
            std::fprintf(stderr, "the key %s was lost\n", qUtf8Printable(key));
            std::abort();
        }
    }
    QFile::remove(path);
    return 0;
}
