// The settings record kept in the current user's registry.
#pragma once

// The key under HKEY_CURRENT_USER that holds the twelve values.
constexpr char SETTINGS_KEY[] = "Software\\Brinkwater\\CSV";

// Replaces each field with its stored value; a missing or mistyped value gives the field's
// built-in default, a missing key leaves every field as it is.
void LoadSettings();

// Writes all twelve values, creating the key when absent; silent when that fails.
void SaveSettings();
