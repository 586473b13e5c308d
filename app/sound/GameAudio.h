#pragma once

#include <QString>
#include <QStringList>

class SoundModule;

// The program's sound modules: each is loaded when first needed, from beside the program or from
// where it was installed, and kept to the end. Never null; a module that cannot be loaded leaves
// its part silent (the music says why, once).
SoundModule* audioModule();

// Where the modules are looked for, in order: beside the program (build tree), in a moved install
// beside bin/, then where the program was installed.
QStringList moduleFolders();

// Whether libpulse could find a sound server now. False means surely not: nothing to connect to.
bool soundServerMayBeThere();
