#pragma once

#include <QString>
#include <QStringList>

// The General MIDI SoundFont the music plays with: Debian's small TimGM6mb first, then the larger
// ones; empty when none is installed.
QString findSoundFont(const QStringList& folders = {QStringLiteral("/usr/share/sounds/sf2")});
