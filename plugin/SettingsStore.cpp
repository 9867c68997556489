// The settings record kept in the current user's registry.
#include "plugin/SettingsStore.h"

#include "plugin/PluginSettings.h"
#include "plugin/SettingsTable.h"
#include "xlib/XRegistry.h"
#include "xlib/XString.h"

namespace {

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
    XString text;
    for (const Setting& setting : AllSettings()) {
        if (setting.kind == SettingKind::Switch) {
            registry.ReadBool(setting.name, record.*setting.number, setting.defaultNumber);
        } else if (setting.kind == SettingKind::Number) {
            registry.ReadInt(setting.name, record.*setting.number, setting.defaultNumber);
        } else {
            registry.ReadString(setting.name, text, setting.defaultText);
            SetSettingText(setting, record, text.Text());
        }
    }
}

void WriteSettings(XRegistry& registry, const SettingsRecord& record)
{
    for (const Setting& setting : AllSettings()) {
        if (setting.kind == SettingKind::Switch)
            registry.WriteBool(setting.name, record.*setting.number);
        else if (setting.kind == SettingKind::Number)
            registry.WriteInt(setting.name, record.*setting.number);
        else
            registry.WriteString(setting.name, XString(SettingText(setting, record).c_str()));
    }
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
