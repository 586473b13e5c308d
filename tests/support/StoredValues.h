#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <map>

using StoredValues = std::map<QString, QString>;

// Every key of an INI file with its text ("section/key" -> text; an unquoted list joined by
// commas, as the game reads it), and whether the file could be read.
inline StoredValues storedValues(const QString& path, QSettings::Status* status = nullptr)
{
    const QSettings settings(path, QSettings::IniFormat);
    StoredValues values;
    for (const QString& key : settings.allKeys()) {
        const QVariant value = settings.value(key);
        values[key] = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                               : value.toString();
    }
    if (status)
        *status = settings.status();
    return values;
}
