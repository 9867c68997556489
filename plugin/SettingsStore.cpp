// The settings record kept in the current user's registry.
#include "plugin/SettingsStore.h"

#include "plugin/PluginSettings.h"
#include "xlib/XRegistry.h"
#include "xlib/XString.h"

namespace {

// The six switches, in the order they are read and written.
struct Switch {
    const char* name;
    int SettingsRecord::*field;
    int defaultValue;
};

const Switch kSwitches[] = {
    {"SeriesInCols", &SettingsRecord::seriesInCols, 1},
    {"SeriesInRows", &SettingsRecord::seriesInRows, 0},
    {"IgnoreFirstCol", &SettingsRecord::ignoreFirstCol, 0},
    {"IgnoreFirstRow", &SettingsRecord::ignoreFirstRow, 0},
    {"FirstColX", &SettingsRecord::firstColX, 0},
    {"FirstRowX", &SettingsRecord::firstRowX, 0},
};

// The key stays open while the object lives, so every path closes it.
class OpenSettingsKey {
public:
    OpenSettingsKey(REGSAM access, BOOL create) : registry(access)
    {
        registry.SetRoot(HKEY_CURRENT_USER);
        open = registry.Open(SETTINGS_KEY, create);
    }
    ~OpenSettingsKey()
    {
        if (open)
            registry.Close();
    }
    OpenSettingsKey(const OpenSettingsKey&) = delete;
    OpenSettingsKey& operator=(const OpenSettingsKey&) = delete;

    XRegistry registry;
    BOOL open;
};

}  // namespace

void LoadSettings()
{
    OpenSettingsKey settings(KEY_READ, FALSE);
    if (!settings.open)
        return;
    XRegistry& registry = settings.registry;
    for (const Switch& s : kSwitches)
        registry.ReadBool(s.name, PluginSettings.*s.field, s.defaultValue);
    XString scratch;
    registry.ReadString("UnitX", scratch, "X");
    PluginSettings.unitX.Assign(scratch);
    registry.ReadString("UnitY", scratch, "Y");
    PluginSettings.unitY.Assign(scratch);
    registry.ReadBool("ShowUnits", PluginSettings.showUnits, 0);
    registry.ReadString("Separator", scratch, ",");
    if (scratch.Length() > 0)
        PluginSettings.separator = scratch.buffer[0];   // further characters are ignored
    registry.ReadInt("Width", PluginSettings.width, 640);
    registry.ReadInt("Height", PluginSettings.height, 480);
}

void SaveSettings()
{
    OpenSettingsKey settings(KEY_READ | KEY_WRITE, TRUE);
    if (!settings.open)
        return;
    XRegistry& registry = settings.registry;
    for (const Switch& s : kSwitches)
        registry.WriteBool(s.name, PluginSettings.*s.field);
    registry.WriteString("UnitX", PluginSettings.unitX);
    registry.WriteString("UnitY", PluginSettings.unitY);
    registry.WriteBool("ShowUnits", PluginSettings.showUnits);
    const char separator[2] = {PluginSettings.separator, '\0'};
    registry.WriteString("Separator", XString(separator));
    registry.WriteInt("Width", PluginSettings.width);
    registry.WriteInt("Height", PluginSettings.height);
}
