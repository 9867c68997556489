// The settings record kept in the current user's registry.
#pragma once

struct SettingsRecord;

// The key under HKEY_CURRENT_USER that holds the values of the settings table.
constexpr char SETTINGS_KEY[] = "Software\\Brinkwater\\CSV";

// Reads the stored values into a copy of the published settings and publishes it: a missing
// or mistyped value gives the field's built-in default, a missing key changes nothing.
void LoadSettings();

// Publishes the confirmed record and writes every value of the settings table, creating the
// key when absent; silent when that fails (the published values still hold for this
// process). No load runs between the two, so a reload cannot bring back what was there before.
void SaveSettings(const SettingsRecord& confirmed);
