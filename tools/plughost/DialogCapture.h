// Captures the plug-in's settings dialog while it runs modally, then closes it.
#pragma once

#include <string>

// Arms a timer on this thread: once the dialog is up, its picture is written to `path`
// (PNG, or BMP for .bmp) and the dialog is cancelled. Call before QOR_Configure.
void CaptureDialogOnceShown(const std::string& path);

// True when the last armed capture found the dialog and wrote its picture.
bool DialogCaptured();
