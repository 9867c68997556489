// Captures the plug-in's settings dialog while it runs modally, then closes it.
#pragma once

#include <functional>
#include <string>

// Calls `open` (which shows the dialog modally and returns when it closes); once the
// dialog is up, its picture is written to `path` (PNG, or BMP for .bmp) and the dialog
// is cancelled. True when the dialog showed and its picture was written.
bool CaptureDialog(const std::string& path, const std::function<void()>& open);
