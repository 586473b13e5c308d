#include "app/sound/GameAudio.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

#include "app/sound/SoundEffects.h"
#include "app/sound/SoundFont.h"
#include "app/sound/SoundModule.h"
#include "app/sound/SynthMusicPlayer.h"

namespace {
const QString moduleFile = QStringLiteral("frobny-office-audio.so");

struct LoadedModule {
    SoundModule* module = nullptr;
    QString error;
};

LoadedModule loadModule()
{
    // Beside the program (build tree), in a moved install beside bin/, then where it was installed.
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList places = {programDir,
                                programDir + QStringLiteral("/../" FROBNY_MODULE_LIBDIR "/frobny-office"),
                                QStringLiteral(FROBNY_INSTALLED_MODULE_DIR)};
    QStringList errors;
    for (const QString& place : places) {
        QLibrary library(place + QLatin1Char('/') + moduleFile);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (auto entry = reinterpret_cast<SoundModuleEntry>(library.resolve(SoundModuleEntryName)))
            return {entry(), {}};
        errors << library.errorString();
    }
    return {nullptr, errors.join(QStringLiteral("; "))};
}
} // namespace

SoundModule* audioModule(QString* error)
{
    static const LoadedModule loaded = loadModule();
    if (error)
        *error = loaded.error;
    return loaded.module;
}

void startAudio(SoundEffects& effects, SynthMusicPlayer& music)
{
    QString error;
    SoundModule* module = audioModule(&error);
    effects.prepare();
    music.start(module, findSoundFont(), error);
}
