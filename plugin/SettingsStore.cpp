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
};

const Switch kSwitches[] = {
    {"SeriesInCols", &SettingsRecord::seriesInCols},
    {"SeriesInRows", &SettingsRecord::seriesInRows},
    {"IgnoreFirstCol", &SettingsRecord::ignoreFirstCol},
    {"IgnoreFirstRow", &SettingsRecord::ignoreFirstRow},
    {"FirstColX", &SettingsRecord::firstColX},
    {"FirstRowX", &SettingsRecord::firstRowX},
};

// Loads and saves take turns: a load never reads what a save has half written, and never
// publishes what it read before a save once that save has published.
SRWLOCK storeLock = SRWLOCK_INIT;

class StoreTurn {
public:
    StoreTurn() { AcquireSRWLockExclusive(&storeLock); }
    ~StoreTurn() { ReleaseSRWLockExclusive(&storeLock); }
    StoreTurn(const StoreTurn&) = delete;
    StoreTurn& operator=(const StoreTurn&) = delete;
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

void ReadSettings(XRegistry& registry, SettingsRecord& record)
{
    const SettingsRecord defaults;
    for (const Switch& s : kSwitches)
        registry.ReadBool(s.name, record.*s.field, defaults.*s.field);
    registry.ReadString("UnitX", record.unitX, defaults.unitX.Text());
    registry.ReadString("UnitY", record.unitY, defaults.unitY.Text());
    registry.ReadBool("ShowUnits", record.showUnits, defaults.showUnits);
    const char defaultSeparator[2] = {defaults.separator, '\0'};
    XString separator;
    registry.ReadString("Separator", separator, defaultSeparator);
    if (separator.Length() > 0)
        record.separator = separator.buffer[0];   // further characters are ignored
    registry.ReadInt("Width", record.width, defaults.width);
    registry.ReadInt("Height", record.height, defaults.height);
    registry.ReadBool("DetectLayout", record.detectLayout, defaults.detectLayout);
}

void WriteSettings(XRegistry& registry, const SettingsRecord& record)
{
    for (const Switch& s : kSwitches)
        registry.WriteBool(s.name, record.*s.field);
    registry.WriteString("UnitX", record.unitX);
    registry.WriteString("UnitY", record.unitY);
    registry.WriteBool("ShowUnits", record.showUnits);
    const char separator[2] = {record.separator, '\0'};
    registry.WriteString("Separator", XString(separator));
    registry.WriteInt("Width", record.width);
    registry.WriteInt("Height", record.height);
}

}  // namespace

void LoadSettings()
{
    StoreTurn turn;
    OpenSettingsKey settings(KEY_READ, FALSE);
    if (!settings.open)
        return;
    SettingsRecord record = PluginSettings();
    ReadSettings(settings.registry, record);
    PublishSettings(record);
}

void SaveSettings(const SettingsRecord& confirmed)
{
    StoreTurn turn;
    PublishSettings(confirmed);
    OpenSettingsKey settings(KEY_READ | KEY_WRITE, TRUE);
    if (settings.open)
        WriteSettings(settings.registry, confirmed);
}
