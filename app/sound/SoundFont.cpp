#include "app/sound/SoundFont.h"

#include <QDir>
#include <QFileInfo>

QString findSoundFont(const QStringList& folders)
{
    // default-GM.sf2 is the system's chosen General MIDI font (a link managed by Debian).
    static const char* const names[] = {"TimGM6mb.sf2", "FluidR3_GM.sf2", "default-GM.sf2"};
    for (const char* name : names) {
        for (const QString& folder : folders) {
            const QFileInfo file(QDir(folder).filePath(QLatin1String(name)));
            if (file.isFile() && file.isReadable())
                return file.absoluteFilePath();
        }
    }
    return {};
}
