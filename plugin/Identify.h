// The two identify calls: what the plug-in handles, and whether a file is one of its files.
#pragma once

#include "plugin/HostRecords.h"

// True when the path's extension, taken from the first dot of the whole path, is ".csv"
// in any letter case.
bool IsCsvPath(const char* path);

// Fills the plug-in's info record; FALSE only for a null record.
BOOL IdentifyPlugin(PluginInfo* info);

// Fills the file record from the settings when the path is a CSV path; FALSE otherwise,
// with nothing written.
BOOL IdentifyFile(const char* path, FileInfo* info);
