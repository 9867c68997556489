// Each exported entry point behind its guard: the host's failure value when anything fails,
// no exception leaves these functions, and every object of a failed call is released. Each
// computes in the default floating-point state and hands the caller's back unchanged.
#pragma once

#include "plugin/HostRecords.h"

BOOL GuardedIdentify(PluginInfo* info) noexcept;
BOOL GuardedIdentifyFile(const char* path, FileInfo* info) noexcept;
HBITMAP GuardedLoadBitmap(const char* path) noexcept;   // null on failure
int GuardedConfigure(HWND parent) noexcept;             // 0 whatever happens
