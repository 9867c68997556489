// Publishes the built-in default settings for a test, and again when it is done.
#pragma once

#include "plugin/PluginSettings.h"

class SettingsGuard {
public:
    SettingsGuard() { RestoreDefaults(); }
    ~SettingsGuard() { RestoreDefaults(); }
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;

    static void RestoreDefaults() { PublishSettings(SettingsRecord()); }

    // Publishes the current settings as changed by the function.
    template <typename Edit>
    static void Change(Edit change)
    {
        SettingsRecord record = PluginSettings();
        change(record);
        PublishSettings(record);
    }
};
