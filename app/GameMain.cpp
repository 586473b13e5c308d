#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/GameDialogs.h"
#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/MainForm.h"
#include "app/core/DataDir.h"
#include "app/core/Picture.h"
#include "app/core/RandomSource.h"
#include "app/dialogs/Splash.h"
#include "app/settings/SettingsStore.h"
#include "app/sound/GameAudio.h"
#include "app/sound/SoundFont.h"

namespace {
constexpr int AfterFirstFrameMs = 30;

// Qt ends the process with a long dump when it cannot reach a display. While the application
// object comes up, messages wait here: a fatal one becomes one clear line, the rest follow later.
QStringList startupMessages;

void holdStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "frobny-office: cannot start the window system: %s\n",
                     qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
        std::_Exit(EXIT_FAILURE);
    }
    startupMessages.append(message);
}

bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}
} // namespace

GameSound::GameSound() : effects_([] { return audioModule(); }) {}

void GameSound::startMusic()
{
    if (!std::exchange(musicStarted_, true))
        music_.start(audioModule(), findSoundFont());
}

void startSoundWhenWanted(TMainForm& form, GameSound& sound)
{
    sound.startMusic();
    const QToolButton* soundButton = form.button(ToolButton::Sound);
    if (soundButton->isChecked()) {
        sound.startEffects();
        return;
    }
    QObject::connect(soundButton, &QToolButton::toggled, &form, [&sound](bool on) {
        if (on)
            sound.startEffects();
    });
}

ShellParts gameParts(const QString& dataDir, SettingsStore& settings, RandomSource& random,
                     ShellDialogs& dialogs, GameSound* sound)
{
    ShellParts parts;
    parts.dataDir = dataDir;
    parts.settings = &settings;
    parts.random = &random;
    parts.dialogs = &dialogs;
    parts.puzzles = gamePuzzleTable();
    if (sound) {
        parts.sound = sound;
        parts.music = &sound->music();
    }
    return parts;
}

int runGame(int argc, char** argv)
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "frobny-office: no display found (DISPLAY and WAYLAND_DISPLAY are not set)\n");
        return EXIT_FAILURE;
    }
    qInstallMessageHandler(holdStartupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    for (const QString& message : std::exchange(startupMessages, {}))
        std::fprintf(stderr, "%s\n", qPrintable(message));
    QApplication::setApplicationName(QStringLiteral("Frobny Office"));
    // The first thing the player sees, up while the rest loads.
    TSplash splash;
    splash.showAndPaint();

    SettingsStore settings;
    ClockRandom random;
    GameDialogs dialogs;
    GameSound sound;
    TMainForm form(
        gameParts(findDataDir(QCoreApplication::applicationDirPath()), settings, random, dialogs, &sound));
    if (!form.startedOk())
        return EXIT_FAILURE;
    // The dialogs are made when first needed; what the first frame does not need waits until that
    // frame has gone to the screen.
    dialogs.attach(&form, form.tongueRef(), settings);
    dialogs.setLanguageAction([&form] { form.TongueBtnClick(); });
    // The frame reaches the X server when the event loop next waits; a zero timer would run before
    // that and hold the frame back by what it does, so the rest waits a little.
    form.setFirstFrameHook([&form, &sound] {
        QTimer::singleShot(AfterFirstFrameMs, &form, [&form, &sound] {
            QIcon icon;
            icon.addPixmap(QPixmap::fromImage(pngPicture(QStringLiteral(":/art/icon.png"))));
            QApplication::setWindowIcon(icon);
            startSoundWhenWanted(form, sound);
        });
    });
    form.show();
    return app.exec();
}
