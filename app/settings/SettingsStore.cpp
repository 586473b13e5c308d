#include "app/settings/SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>
#include <cstdio>

#include "app/settings/ColorText.h"

namespace {

QString standardIniPath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/FrobnyGames/FrobnyOffice/V1.ini");
}

// QSettings hands back an unquoted line with commas as a list and "@Type(...)" lines as other types.
std::optional<QString> textOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(u',');
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        break;
    }
    if (value.isValid() && value.canConvert<QString>())
        return value.toString();
    return std::nullopt;
}

} // namespace

SettingsStore::SettingsStore()
{
#ifdef Q_OS_WIN
    path_ = QStringLiteral("HKEY_CURRENT_USER\\Software\\FrobnyGames\\FrobnyOffice\\V1");
    native_ = true;
#else
    path_ = standardIniPath();
#endif
}

SettingsStore::SettingsStore(const QString& iniPath) : path_(iniPath) {}

SettingsStore::~SettingsStore() = default;

QSettings& SettingsStore::file() const
{
    if (!file_) {
        const auto format = native_ ? QSettings::NativeFormat : QSettings::IniFormat;
        file_ = std::make_unique<QSettings>(path_, format);
    } else if (batchDepth_ == 0) {
        // Cheap when the file is unchanged; a new QSettings for every call would parse it anew,
        // which takes long for a big file. Within a batch, sync would write what is collected.
        file_->sync();
    }
    return *file_;
}

std::optional<QString> SettingsStore::readText(const QString& section, const QString& key) const
{
    QSettings& settings = file();
    const QString name = section + QLatin1Char('/') + key;
    if (!settings.contains(name))
        return std::nullopt;
    return textOf(settings.value(name));
}

std::int32_t SettingsStore::ReadInteger(const QString& section, const QString& key,
                                        std::int32_t fallback) const
{
    const auto text = readText(section, key);
    if (!text)
        return fallback;
    bool ok = false;
    const int value = text->toInt(&ok, 10);
    return ok ? value : fallback;
}

bool SettingsStore::ReadBool(const QString& section, const QString& key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

QString SettingsStore::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    return readText(section, key).value_or(fallback);
}

ColorRef SettingsStore::ReadColor(const QString& section, const QString& key, ColorRef fallback) const
{
    const auto text = readText(section, key);
    if (!text)
        return fallback;
    return colorFromText(*text).value_or(fallback);
}

void SettingsStore::WriteInteger(const QString& section, const QString& key, std::int32_t value)
{
    WriteStrings(section, {{key, QString::number(value)}});
}

void SettingsStore::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteStrings(section, {{key, value ? QStringLiteral("1") : QStringLiteral("0")}});
}

void SettingsStore::WriteString(const QString& section, const QString& key, const QString& value)
{
    WriteStrings(section, {{key, value}});
}

void SettingsStore::WriteColor(const QString& section, const QString& key, ColorRef value)
{
    WriteStrings(section, {{key, colorToText(value)}});
}

// QSettings replaces the whole file at once (a new file renamed over the old one), so a write
// that is cut short leaves the previous file intact.
void SettingsStore::WriteStrings(const QString& section, const QList<std::pair<QString, QString>>& texts)
{
    // Checked beforehand: QSettings keeps a failed change in its per-file cache, where later reads
    // would see a value that never reached the file.
    if (!fileTakesWrites()) {
        reportUnwritable();
        return;
    }
    QSettings& settings = file();
    for (const auto& [key, text] : texts)
        settings.setValue(section + QLatin1Char('/') + key, text);
    if (batchDepth_ == 0)
        syncFile();
}

void SettingsStore::endBatch()
{
    if (--batchDepth_ == 0 && file_)
        syncFile();
}

// QSettings guards its writes with a lock file that holds the writer's process id, and removes a
// stale one only while it holds a second lock file beside it (".rmlock"). A writer killed between
// creating either file and filling it leaves that file empty, and QSettings then waits 30 seconds
// for it to go stale: the next game would freeze at its first write.
void SettingsStore::removeAbandonedLocks() const
{
    if (native_)
        return;
    const QString lock = path_ + QStringLiteral(".lock");
    for (const QString& name : {lock, lock + QStringLiteral(".rmlock")}) {
        const QFileInfo file(name);
        constexpr qint64 WriterFillsItWithinMs = 1000;
        if (file.exists() && file.size() == 0 &&
            file.lastModified().msecsTo(QDateTime::currentDateTime()) > WriterFillsItWithinMs)
            QFile::remove(name);
    }
}

void SettingsStore::syncFile()
{
    removeAbandonedLocks();
    file_->sync();
    if (file_->status() == QSettings::AccessError)
        reportUnwritable();
}

bool SettingsStore::fileTakesWrites() const
{
    if (native_)
        return true;
    const QFileInfo file(path_);
    const QString folder = file.absolutePath();
    // QSettings writes a lock file and a replacement file beside the settings file.
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        return false;
    if (!file.exists())
        return true;
    QFile existing(path_);
    return existing.open(QIODevice::ReadWrite);
}

void SettingsStore::reportUnwritable()
{
    writable_ = false;
    if (warned_)
        return;
    warned_ = true;
    std::fprintf(stderr, "frobny-office: cannot write settings to %s; changes will not be kept\n",
                 qUtf8Printable(QDir::toNativeSeparators(path_)));
}
