#include "app/core/DataDir.h"

#include <QDir>
#include <QFileInfo>

#ifndef FROBNY_INSTALLED_DATA_DIR
#define FROBNY_INSTALLED_DATA_DIR "/usr/local/share/frobny-office"
#endif

namespace {
QString withSeparator(const QString& dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}
} // namespace

QString installedDataDir()
{
    return withSeparator(QStringLiteral(FROBNY_INSTALLED_DATA_DIR));
}

QString findDataDir(const QString& executableDir)
{
    const QString own = withSeparator(executableDir);
    if (QFileInfo::exists(own + QStringLiteral("b1.bmp")))
        return own;
    return installedDataDir();
}
