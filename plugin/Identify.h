// The two identify calls: what the plug-in handles, and whether a file is one of its files.
#pragma once

#include "plugin/HostRecords.h"

// True when the extension of the path's file name (from the last dot after the last '\'
// or '/') is ".csv" in any letter case: a dot in a folder name or an earlier dot in the
// file name does not count.
bool IsCsvPath(const char* path);

// Fills the plug-in's info record; FALSE only for a null record.
BOOL IdentifyPlugin(PluginInfo* info);

// Fills the file record from the settings when the path is a CSV path; FALSE otherwise,
// with nothing written.
BOOL IdentifyFile(const char* path, FileInfo* info);
