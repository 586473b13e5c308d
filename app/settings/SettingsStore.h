#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "app/core/Color.h"

class QSettings;

// The per-user settings: sections of named text values in one INI file
// ($XDG_CONFIG_HOME/FrobnyGames/FrobnyOffice/V1.ini; the registry key on Windows).
// Every call sees the file as it is now (changes by other programs included) and every write
// reaches the file at once; anything missing or unreadable reads as the given default.
class SettingsStore {
  public:
    // The store at its standard place for this user.
    SettingsStore();
    ~SettingsStore();
    // A store in the given INI file (tests, portable use).
    explicit SettingsStore(const QString& iniPath);

    QString path() const { return path_; }

    std::int32_t ReadInteger(const QString& section, const QString& key, std::int32_t fallback) const;
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    ColorRef ReadColor(const QString& section, const QString& key, ColorRef fallback) const;

    void WriteInteger(const QString& section, const QString& key, std::int32_t value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteColor(const QString& section, const QString& key, ColorRef value);
    // Several values of one section in one write: a reader sees either all of them or none.
    void WriteStrings(const QString& section, const QList<std::pair<QString, QString>>& values);

    // Between these, writes collect in memory and reach the file together at the end, in one
    // replacement of the file: a program killed meanwhile leaves the file as it was before.
    void beginBatch() { ++batchDepth_; }
    void endBatch();

    // False once a write could not reach the file; the program goes on and says so on stderr once.
    bool writable() const { return writable_; }

  private:
    // The file, parsed once and read again only when it has changed on disk.
    QSettings& file() const;
    // The stored text, or nullopt when the file, section or key is missing or holds no text.
    std::optional<QString> readText(const QString& section, const QString& key) const;
    bool fileTakesWrites() const;
    void syncFile();
    void removeAbandonedLocks() const;
    void reportUnwritable();

    QString path_;
    mutable std::unique_ptr<QSettings> file_;
    bool native_ = false; // path_ names the Windows registry key rather than an INI file
    bool writable_ = true;
    bool warned_ = false;
    int batchDepth_ = 0;
};

// Writes to the store within its lifetime reach the file together when it ends.
class SettingsBatch {
  public:
    explicit SettingsBatch(SettingsStore& store) : store_(store) { store_.beginBatch(); }
    ~SettingsBatch() { store_.endBatch(); }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

  private:
    SettingsStore& store_;
};
