// What each exported entry point does, with the host's failure value when anything fails:
// no exception leaves these functions, and every object of a failed call is released. Each
// computes in the default floating-point state and hands the caller's back unchanged.
#pragma once

#include "plugin/HostRecords.h"

BOOL HostIdentify(PluginInfo* info) noexcept;
BOOL HostIdentifyFile(const char* path, FileInfo* info) noexcept;
HBITMAP HostLoadBitmap(const char* path) noexcept;   // null on failure
int HostConfigure(HWND parent) noexcept;             // 0 whatever happens
