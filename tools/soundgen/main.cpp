// Makes the program's sound effects and background music:
//   soundgen effects <folder>   0.wav ... 12.wav, carried inside the program
//   soundgen music <folder>     the pieces of background music (Standard MIDI Files)
// The output is kept in assets/; the build uses those files and does not run this program.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>

#include "Effects.h"
#include "Music.h"

namespace {

bool writeFile(const QString& folder, const QString& name, const QByteArray& contents)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(contents) != contents.size()) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeEffects(const QString& folder)
{
    const std::vector<snd::Samples> effects = snd::soundEffects();
    for (size_t i = 0; i < effects.size(); ++i) {
        if (!writeFile(folder, QStringLiteral("%1.wav").arg(i), snd::wavFile(effects[i])))
            return false;
    }
    return true;
}

bool writeMusic(const QString& folder)
{
    for (const music::Piece& piece : music::pieces()) {
        if (!writeFile(folder, piece.fileName, midi::smfFile(piece.song)))
            return false;
        std::printf("%s: %.0f s\n", qPrintable(piece.fileName),
                    midi::secondsAt(piece.song, midi::lastBeat(piece.song)));
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("effects"))
        return writeEffects(arguments[2]) ? 0 : 1;
    if (arguments.size() == 3 && arguments[1] == QLatin1String("music"))
        return writeMusic(arguments[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: soundgen effects|music <folder>\n");
    return 2;
}
