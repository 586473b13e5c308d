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

bool holdsPictures(const QString& dir)
{
    return QFileInfo::exists(dir + QStringLiteral("b1.bmp"));
}
} // namespace

QString installedDataDir()
{
    return withSeparator(QStringLiteral(FROBNY_INSTALLED_DATA_DIR));
}

QString findDataDir(const QString& executableDir)
{
    const QString own = withSeparator(executableDir);
    if (holdsPictures(own))
        return own;
    // An installed tree moved as a whole (a staged or relocated prefix) keeps bin/ beside share/.
    const QString beside = withSeparator(QDir::cleanPath(own + QStringLiteral("../share/frobny-office")));
    if (holdsPictures(beside))
        return beside;
    return installedDataDir();
}
