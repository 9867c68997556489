// The user settings: one published record for the whole process, of which every call takes
// its own consistent copy, and the module handle kept beside it.
#pragma once

#include "xlib/XString.h"

#include <windows.h>

constexpr int kSeriesColorCount = 12;

struct SettingsRecord {
    int seriesInCols = 1;      // non-zero: each column is a series; zero: each line
    int seriesInRows = 0;      // the dialog's "Data rows" choice; not read by the loader
    int ignoreFirstCol = 0;
    int ignoreFirstRow = 0;
    int firstColX = 0;         // series in columns: the first used column holds X
    int firstRowX = 0;         // series in lines: the first used line holds X
    XString unitX{"X"};
    XString unitY{"Y"};
    int showUnits = 0;         // any non-zero value shows the captions
    char separator = ',';
    int width = 640;
    int height = 480;
    int detectLayout = 0;      // non-zero: the layout is detected from the file
    // Series n takes entry n mod 12 (COLORREF, 0x00BBGGRR); fixed, neither stored nor edited.
    static constexpr COLORREF seriesColors[kSeriesColorCount] = {
        0x0000FF,  // red
        0xFF0000,  // blue
        0x008000,  // green
        0x00FFFF,  // yellow
        0xFF00FF,  // magenta
        0x000080,  // maroon
        0x008080,  // olive
        0x800000,  // navy
        0x800080,  // purple
        0x808000,  // teal
        0x00FF00,  // lime
        0xFFFF00,  // cyan
    };

    SettingsRecord() = default;
    SettingsRecord(const SettingsRecord& other);   // deep: the captions are copied
    SettingsRecord& operator=(const SettingsRecord& other);
};

// A copy of the settings as last published: built-in defaults until the first publication.
// The copy is the caller's own; no later publication changes it.
SettingsRecord PluginSettings();

// Replaces the published settings by a complete copy of the record, at once for every
// thread: a concurrent PluginSettings() gets either the old or the new record, never a mix.
void PublishSettings(const SettingsRecord& record);

extern HINSTANCE moduleHandle;
