#include "app/settings/SettingsStore.h"
// Placeholder until the store lands.
SettingsStore::SettingsStore() {}
SettingsStore::SettingsStore(const QString& iniPath) : path_(iniPath) {}
