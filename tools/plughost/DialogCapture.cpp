// Captures the plug-in's settings dialog while it runs modally, then closes it.
#include "DialogCapture.h"

#include "ImageFile.h"
#include "ThreadDialog.h"

#include <cstdio>

namespace {

// Where 32-bit Wine runs under emulation, a dialog can take many seconds to show.
constexpr ULONGLONG kLongestWaitMs = 60000;

std::string capturePath;
bool captured = false;
ULONGLONG deadline = 0;

bool WritePicture(HWND dialog)
{
    RECT rect;
    GetWindowRect(dialog, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HDC windowDc = GetWindowDC(dialog);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(dialog, windowDc);
    BitmapPixels pixels;
    std::string error;
    bool ok = ReadBitmapPixels(bitmap, pixels) && WriteImageFile(pixels, capturePath, error);
    DeleteObject(bitmap);
    if (!error.empty())
        std::fprintf(stderr, "plughost: %s\n", error.c_str());
    return ok;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindShownDialogOfThisThread();
    if (!dialog && GetTickCount64() < deadline)
        return;   // not up yet
    KillTimer(nullptr, timer);
    if (!dialog)
        return;
    UpdateWindow(dialog);
    captured = WritePicture(dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

void CaptureDialogOnceShown(const std::string& path)
{
    capturePath = path;
    captured = false;
    deadline = GetTickCount64() + kLongestWaitMs;
    SetTimer(nullptr, 0, 300, OnTimer);
}

bool DialogCaptured()
{
    return captured;
}
