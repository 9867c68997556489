// Starts a test from a deleted registry key and deletes it again afterwards.
#pragma once

#include <windows.h>

#include <string>

class RegistryGuard {
public:
    explicit RegistryGuard(const char* path) : path_(path) { Delete(); }
    ~RegistryGuard() { Delete(); }
    RegistryGuard(const RegistryGuard&) = delete;
    RegistryGuard& operator=(const RegistryGuard&) = delete;

    void Delete() { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str()); }

    // Stores a raw value, creating the key.
    void Store(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    void StoreText(const char* name, const char* text, DWORD type = REG_SZ)
    {
        Store(name, type, text, static_cast<DWORD>(lstrlenA(text) + 1));
    }
    void StoreNumber(const char* name, DWORD value) { Store(name, REG_DWORD, &value, 4); }

    // The stored value's type and bytes; false when it is missing.
    bool Query(const char* name, DWORD& type, std::string& data) const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        char buffer[4096];
        DWORD size = sizeof buffer;
        bool found = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        data.assign(buffer, found ? size : 0);
        return found;
    }

    bool KeyExists() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

private:
    std::string path_;
};
