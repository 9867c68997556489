// The plug-in's real work: one CSV file drawn as a chart into a new bitmap.
#pragma once

#include "csv/CsvOptions.h"

#include <windows.h>

struct SettingsRecord;

// Largest picture drawn: each side at most this many pixels, and at most kMaxPixels in all.
constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

// A size the plug-in draws: each side 1..kMaxSide, at most kMaxPixels in all.
bool IsDrawableSize(int width, int height);

// A screen-compatible bitmap of the configured size showing the file as a titled line chart;
// the caller owns it. Null for a path that is not a CSV path, for a configured size that
// is not positive or larger than the limits above, and when the bitmap cannot be created.
HBITMAP RenderCsvBitmap(const char* path);

// What the loader takes of the settings: the fields the settings table gives a reading
// option (separator, orientation, skips, X switches, layout detection), and the palette.
CsvOptions ReadingOptions(const SettingsRecord& settings);
