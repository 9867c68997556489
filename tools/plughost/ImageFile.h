// Writing a bitmap to a PNG file (through the Windows Imaging Component) or a BMP file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The pixels of a bitmap, top row first, 4 bytes a pixel in the order B, G, R, unused.
struct BitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<BYTE> bgrx;
};

bool ReadBitmapPixels(HBITMAP bitmap, BitmapPixels& pixels);

// Writes a BMP when the path ends in ".bmp" (any case), a PNG otherwise. On failure,
// `error` says why.
bool WriteImageFile(const BitmapPixels& pixels, const std::string& path, std::string& error);
