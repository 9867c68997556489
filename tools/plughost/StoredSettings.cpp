// Settings stored for the plug-in before it is loaded, and put back afterwards.
#include "StoredSettings.h"

#include "plugin/SettingsStore.h"
#include "plugin/SettingsTable.h"

#include <cstdlib>

bool StoredSettings::Set(const std::string& assignment)
{
    size_t equals = assignment.find('=');
    if (equals == std::string::npos)
        return false;
    std::string name = assignment.substr(0, equals);
    std::string value = assignment.substr(equals + 1);
    const Setting* setting = FindSetting(name.c_str());
    if (!setting)
        return false;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    Saved old{name, false, 0, std::vector<BYTE>(4096)};
    DWORD size = static_cast<DWORD>(old.data.size());
    old.existed = RegQueryValueExA(key, name.c_str(), nullptr, &old.type, old.data.data(), &size) == ERROR_SUCCESS;
    old.data.resize(old.existed ? size : 0);
    saved_.push_back(old);
    LONG status;
    if (RegistryType(setting->kind) == REG_SZ) {
        status = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1));
    } else {
        DWORD number = static_cast<DWORD>(std::strtol(value.c_str(), nullptr, 10));
        status = RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

StoredSettings::~StoredSettings()
{
    HKEY key = nullptr;
    if (saved_.empty() || RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    // Latest first, so a name set twice ends with its first saved value.
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->existed)
            RegSetValueExA(key, it->name.c_str(), 0, it->type, it->data.data(), static_cast<DWORD>(it->data.size()));
        else
            RegDeleteValueA(key, it->name.c_str());
    }
    RegCloseKey(key);
}
