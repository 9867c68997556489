// The process-wide user settings, with their built-in defaults.
#include "plugin/PluginSettings.h"

SettingsRecord PluginSettings;
HINSTANCE moduleHandle = nullptr;
