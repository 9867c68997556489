// Puts PluginSettings back to the built-in defaults when a test is done with it.
#pragma once

#include "plugin/PluginSettings.h"

class SettingsGuard {
public:
    SettingsGuard() { RestoreDefaults(); }
    ~SettingsGuard() { RestoreDefaults(); }
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;

    static void RestoreDefaults()
    {
        PluginSettings.seriesInCols = 1;
        PluginSettings.seriesInRows = 0;
        PluginSettings.ignoreFirstCol = 0;
        PluginSettings.ignoreFirstRow = 0;
        PluginSettings.firstColX = 0;
        PluginSettings.firstRowX = 0;
        PluginSettings.unitX.SetText("X");
        PluginSettings.unitY.SetText("Y");
        PluginSettings.showUnits = 0;
        PluginSettings.separator = ',';
        PluginSettings.width = 640;
        PluginSettings.height = 480;
    }
};
