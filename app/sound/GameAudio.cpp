#include "app/sound/GameAudio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <mutex>
#include <unistd.h>

#include "app/sound/SoundModule.h"

namespace {
// The entry point of the named module, or null with the reason.
QFunctionPointer loadEntry(const QString& moduleFile, const char* entryName, QString& error)
{
    QStringList errors;
    for (const QString& folder : moduleFolders()) {
        QLibrary library(folder + QLatin1Char('/') + moduleFile);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (QFunctionPointer entry = library.resolve(entryName))
            return entry;
        errors << library.errorString();
    }
    error = errors.join(QStringLiteral("; "));
    return nullptr;
}

// How often a machine without a sound server is looked at again.
constexpr int ServerLookMs = 2000;

// Stands in for the effects' stream while no sound server can be there, so that a silent machine
// does not carry the sound libraries; opens the real one once a server may have appeared.
class WaitingEffects final : public EffectsStream {
  public:
    explicit WaitingEffects(std::function<std::unique_ptr<EffectsStream>()> open) : open_(std::move(open))
    {
        look_.setInterval(ServerLookMs);
        QObject::connect(&look_, &QTimer::timeout, [this] { lookForServer(); });
        look_.start();
    }
    void play(int index) override
    {
        if (stream_)
            stream_->play(index);
    }

  private:
    void lookForServer()
    {
        if (!soundServerMayBeThere())
            return;
        look_.stop();
        stream_ = open_();
    }

    std::function<std::unique_ptr<EffectsStream>()> open_;
    QTimer look_;
    std::unique_ptr<EffectsStream> stream_;
};

class LoadedModules final : public SoundModule {
  public:
    std::unique_ptr<EffectsStream> openEffects() override
    {
        if (!soundServerMayBeThere())
            return std::make_unique<WaitingEffects>([this] { return openEffectsModule(); });
        return openEffectsModule();
    }

    std::unique_ptr<EffectsStream> openEffectsModule()
    {
        if (!std::exchange(effectsLooked_, true)) {
            QString error;
            effects_ = reinterpret_cast<EffectsModuleEntry>(
                loadEntry(QStringLiteral("frobny-office-effects.so"), EffectsModuleEntryName, error));
            // A broken install, not a missing sound device: worth a line.
            if (!effects_)
                std::fprintf(stderr,
                             "frobny-office: no sound effects: the effects module cannot be loaded (%s)\n",
                             qPrintable(error));
        }
        return std::unique_ptr<EffectsStream>(effects_ ? effects_() : nullptr);
    }

    std::unique_ptr<MusicEngine> startMusic(const QString& soundFont, QString& error) override
    {
        MusicModuleEntry entry = nullptr;
        {
            // On a worker thread; the program may start the music more than once.
            std::lock_guard lock(musicMutex_);
            if (!std::exchange(musicLooked_, true))
                music_ = reinterpret_cast<MusicModuleEntry>(
                    loadEntry(QStringLiteral("frobny-office-music.so"), MusicModuleEntryName, musicError_));
            entry = music_;
            if (!entry) {
                error = QStringLiteral("the music module cannot be loaded (%1)").arg(musicError_);
                return nullptr;
            }
        }
        return std::unique_ptr<MusicEngine>(entry(soundFont, error));
    }

  private:
    bool effectsLooked_ = false;
    EffectsModuleEntry effects_ = nullptr;
    std::mutex musicMutex_;
    bool musicLooked_ = false;
    MusicModuleEntry music_ = nullptr;
    QString musicError_;
};
} // namespace

QStringList moduleFolders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir, programDir + QStringLiteral("/../" FROBNY_MODULE_LIBDIR "/frobny-office"),
            QStringLiteral(FROBNY_INSTALLED_MODULE_DIR)};
}

// Where libpulse finds a server: the address it is given, the sockets of the user's and of the
// system's server, or an address set in its configuration. Anything else (an X11 property) is rare
// enough to be found once the program starts again.
bool soundServerMayBeThere()
{
    const QString given = qEnvironmentVariable("PULSE_SERVER");
    if (!given.isEmpty()) {
        // A list of addresses, tried in turn; only local sockets can be seen to be missing.
        for (QString address : given.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (address.startsWith(QLatin1Char('{')))
                address = address.section(QLatin1Char('}'), 1);
            if (!address.startsWith(QLatin1String("unix:")) && !address.startsWith(QLatin1Char('/')))
                return true;
            if (QFileInfo::exists(address.startsWith(QLatin1String("unix:")) ? address.mid(5) : address))
                return true;
        }
        return false;
    }
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QStringLiteral("/run/user/%1").arg(getuid());
    for (const QString& socket :
         {runtime + QStringLiteral("/pulse/native"), QStringLiteral("/run/pulse/native"),
          QStringLiteral("/var/run/pulse/native")})
        if (QFileInfo::exists(socket))
            return true;
    QStringList configs = {QStringLiteral("/etc/pulse/client.conf"),
                           QDir::homePath() + QStringLiteral("/.config/pulse/client.conf")};
    // Filtered by hand: a wildcard would bring in a regular-expression engine.
    for (const QString& name : QDir(QStringLiteral("/etc/pulse/client.conf.d")).entryList(QDir::Files))
        if (name.endsWith(QLatin1String(".conf")))
            configs << QStringLiteral("/etc/pulse/client.conf.d/") + name;
    for (const QString& name : configs) {
        QFile config(name);
        if (!config.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : config.readAll().split('\n'))
            if (line.trimmed().startsWith("default-server"))
                return true;
    }
    return false;
}

SoundModule* audioModule()
{
    static LoadedModules modules;
    return &modules;
}
