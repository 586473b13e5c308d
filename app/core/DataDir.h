#pragma once

#include <QString>

// The folder the program reads its files from, with a trailing separator: the executable's own
// folder when it holds "b1.bmp" (build tree, portable copy), otherwise the installed data folder.
QString findDataDir(const QString& executableDir);
QString installedDataDir();
