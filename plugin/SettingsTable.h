// The settings, each described once: its registry value and type, its built-in default, its
// dialog control, its field in the record, the reading option it feeds and the check boxes
// that grey its control. The record's defaults, the registry store, the dialog, the reading
// options and the host tool all walk this one table.
#pragma once

#include "csv/CsvOptions.h"
#include "plugin/PluginSettings.h"

#include <windows.h>

#include <string>

// How a setting is stored and edited.
enum class SettingKind {
    Switch,      // REG_DWORD; a check box or radio button; any non-zero value is on
    Number,      // REG_DWORD; an edit field holding a decimal number
    Caption,     // REG_SZ; an edit field; at most kLongestCaption characters
    Character,   // REG_SZ; an edit field of which the first character counts
};

// A caption read back from the registry holds at most this many characters.
constexpr int kLongestCaption = 2047;

// The check boxes (control ids, 0 for none) that grey a control while one is ticked.
struct GreyedWhile {
    int box1 = 0;
    int box2 = 0;
};

struct Setting {
    const char* name;   // the registry value
    SettingKind kind;
    int control;        // the dialog control
    // The record's field: `number` for switches and numbers, `text` for captions,
    // `character` for characters; the others are null.
    int SettingsRecord::*number;
    std::string SettingsRecord::*text;
    char SettingsRecord::*character;
    int defaultNumber;         // switches and numbers
    const char* defaultText;   // captions and characters
    // The reading option the field is copied to, if any, by the same rule.
    int CsvOptions::*numberOption;
    char CsvOptions::*characterOption;
    GreyedWhile greyedWhile;
};

// The settings in the order they are read, written and filled in.
struct SettingList {
    const Setting* first;
    const Setting* last;
    const Setting* begin() const { return first; }
    const Setting* end() const { return last; }
};
SettingList AllSettings();

// The setting stored under the registry value name (in any case); null for none.
const Setting* FindSetting(const char* name);

// REG_DWORD for switches and numbers, REG_SZ for captions and characters.
DWORD RegistryType(SettingKind kind);

// The built-in default into the record's field.
void SetDefault(const Setting& setting, SettingsRecord& record);

// A caption or character as text: the caption, or the one character.
std::string SettingText(const Setting& setting, const SettingsRecord& record);

// A caption takes the text's first kLongestCaption characters; a character takes the
// text's first character, and an empty text leaves it as it is.
void SetSettingText(const Setting& setting, SettingsRecord& record, const char* text);
