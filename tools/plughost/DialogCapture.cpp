// Captures the plug-in's settings dialog while it runs modally, then closes it.
#include "DialogCapture.h"

#include "ImageFile.h"
#include "ThreadDialog.h"

#include <cstdio>

namespace {

bool WritePicture(HWND dialog, const std::string& path)
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
    bool ok = ReadBitmapPixels(bitmap, pixels) && WriteImageFile(pixels, path, error);
    DeleteObject(bitmap);
    if (!error.empty())
        std::fprintf(stderr, "plughost: %s\n", error.c_str());
    return ok;
}

}  // namespace

bool CaptureDialog(const std::string& path, const std::function<void()>& open)
{
    bool captured = false;
    {
        DialogWait wait([&](HWND dialog) {
            if (!dialog)
                return;
            UpdateWindow(dialog);
            captured = WritePicture(dialog, path);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        open();
    }
    return captured;
}
