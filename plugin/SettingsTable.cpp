// The settings, each described once.
#include "plugin/SettingsTable.h"

#include "plugin/resource.h"

#include <iterator>

namespace {

using Record = SettingsRecord;
using Options = CsvOptions;

// One maker per kind, naming only the columns the kind uses: registry value, built-in
// default, dialog control, record field, then the reading option and the check boxes that
// grey the control, where there are any.
constexpr Setting Switch(const char* name, int defaultValue, int control, int Record::*field,
                         int Options::*option = nullptr, GreyedWhile greyedWhile = {})
{
    return {name, SettingKind::Switch, control, field, nullptr, nullptr, defaultValue, nullptr, option, nullptr,
            greyedWhile};
}

constexpr Setting Number(const char* name, int defaultValue, int control, int Record::*field)
{
    return {name, SettingKind::Number, control, field, nullptr, nullptr, defaultValue, nullptr, nullptr, nullptr, {}};
}

constexpr Setting Caption(const char* name, const char* defaultText, int control, std::string Record::*field)
{
    return {name, SettingKind::Caption, control, nullptr, field, nullptr, 0, defaultText, nullptr, nullptr, {}};
}

constexpr Setting Character(const char* name, const char* defaultText, int control, char Record::*field,
                            char Options::*option, GreyedWhile greyedWhile)
{
    return {name, SettingKind::Character, control, nullptr, nullptr, field, 0, defaultText, nullptr, option,
            greyedWhile};
}

// What a detected layout replaces is greyed while it is chosen; each X switch also while
// the other orientation is, since the reader then ignores it.
constexpr GreyedWhile kWhileDetecting = {IDC_DETECT_LAYOUT};

// In the order the values are read, written and filled in.
const Setting kSettings[] = {
    Switch("SeriesInCols", 1, IDC_DATA_COLS, &Record::seriesInCols, &Options::seriesInCols, kWhileDetecting),
    Switch("SeriesInRows", 0, IDC_DATA_ROWS, &Record::seriesInRows, nullptr, kWhileDetecting),
    Switch("IgnoreFirstCol", 0, IDC_IGNORE_FIRST_COL, &Record::ignoreFirstCol, &Options::ignoreFirstCol,
           kWhileDetecting),
    Switch("IgnoreFirstRow", 0, IDC_IGNORE_FIRST_ROW, &Record::ignoreFirstRow, &Options::ignoreFirstRow,
           kWhileDetecting),
    Switch("FirstColX", 0, IDC_FIRST_COL_X, &Record::firstColX, &Options::firstColX,
           {IDC_DATA_ROWS, IDC_DETECT_LAYOUT}),
    Switch("FirstRowX", 0, IDC_FIRST_ROW_X, &Record::firstRowX, &Options::firstRowX,
           {IDC_DATA_COLS, IDC_DETECT_LAYOUT}),
    Caption("UnitX", "X", IDC_UNIT_X, &Record::unitX),
    Caption("UnitY", "Y", IDC_UNIT_Y, &Record::unitY),
    Switch("ShowUnits", 0, IDC_SHOW_UNITS, &Record::showUnits),
    Character("Separator", ",", IDC_SEPARATOR, &Record::separator, &Options::separator, kWhileDetecting),
    Number("Width", 640, IDC_WIDTH, &Record::width),
    Number("Height", 480, IDC_HEIGHT, &Record::height),
    Switch("DetectLayout", 0, IDC_DETECT_LAYOUT, &Record::detectLayout, &Options::detectLayout),
};

}  // namespace

SettingList AllSettings()
{
    return {std::begin(kSettings), std::end(kSettings)};
}

const Setting* FindSetting(const char* name)
{
    for (const Setting& setting : kSettings) {
        if (lstrcmpiA(setting.name, name) == 0)
            return &setting;
    }
    return nullptr;
}

DWORD RegistryType(SettingKind kind)
{
    return kind == SettingKind::Switch || kind == SettingKind::Number ? REG_DWORD : REG_SZ;
}

void SetDefault(const Setting& setting, SettingsRecord& record)
{
    if (setting.number)
        record.*setting.number = setting.defaultNumber;
    else
        SetSettingText(setting, record, setting.defaultText);
}

std::string SettingText(const Setting& setting, const SettingsRecord& record)
{
    return setting.text ? record.*setting.text : std::string(1, record.*setting.character);
}

void SetSettingText(const Setting& setting, SettingsRecord& record, const char* text)
{
    if (setting.text) {
        int length = 0;
        while (length < kLongestCaption && text[length] != '\0')
            ++length;
        (record.*setting.text).assign(text, static_cast<std::size_t>(length));
    } else if (*text != '\0')
        record.*setting.character = *text;   // further characters are ignored
}
