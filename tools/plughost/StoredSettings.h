// Settings stored for the plug-in before it is loaded, as a user's earlier choices in its
// dialog would have stored them; put back as they were afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class StoredSettings {
public:
    StoredSettings() = default;
    ~StoredSettings();   // restores every value it changed
    StoredSettings(const StoredSettings&) = delete;
    StoredSettings& operator=(const StoredSettings&) = delete;

    // "Name=Value", Name a value of the settings table, stored with its type: a caption or
    // the separator as text, any other as a number. False for a text without '=', or for a
    // name the plug-in does not read.
    bool Set(const std::string& assignment);

private:
    struct Saved {
        std::string name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<Saved> saved_;
};
