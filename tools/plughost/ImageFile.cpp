// Writing a bitmap to a PNG file (through the Windows Imaging Component) or a BMP file.
#include "ImageFile.h"

#include <wincodec.h>

#include <cstdio>

namespace {

bool EndsWithBmp(const std::string& path)
{
    return path.size() >= 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".bmp") == 0;
}

// 24-bit rows padded to 4 bytes, top row first.
std::vector<BYTE> PackBgrRows(const BitmapPixels& pixels, UINT& stride)
{
    stride = (static_cast<UINT>(pixels.width) * 3 + 3) & ~3u;
    std::vector<BYTE> rows(static_cast<size_t>(stride) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const BYTE* from = &pixels.bgrx[(static_cast<size_t>(y) * pixels.width + x) * 4];
            BYTE* to = &rows[static_cast<size_t>(y) * stride + x * 3];
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return rows;
}

bool WriteBmp(const BitmapPixels& pixels, const std::string& path, std::string& error)
{
    UINT stride = 0;
    std::vector<BYTE> rows = PackBgrRows(pixels, stride);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = pixels.width;
    info.biHeight = -pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rows.size());
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;   // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        error = "cannot create " + path;
        return false;
    }
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
              std::fwrite(rows.data(), 1, rows.size(), out) == rows.size();
    ok = std::fclose(out) == 0 && ok;
    if (!ok)
        error = "cannot write " + path;
    return ok;
}

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return p; }
    T** out() { return &p; }
    T* p = nullptr;
};

bool WritePng(const BitmapPixels& pixels, const std::string& path, std::string& error)
{
    UINT stride = 0;
    std::vector<BYTE> rows = PackBgrRows(pixels, stride);
    std::wstring widePath(path.begin(), path.end());
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ownsCom = SUCCEEDED(hr);
    {
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ComPtr<IWICBitmapFrameEncode> frame;
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.out()));
        if (SUCCEEDED(hr))
            hr = factory->CreateStream(stream.out());
        if (SUCCEEDED(hr))
            hr = stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE);
        if (SUCCEEDED(hr))
            hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out());
        if (SUCCEEDED(hr))
            hr = encoder->Initialize(stream.p, WICBitmapEncoderNoCache);
        if (SUCCEEDED(hr))
            hr = encoder->CreateNewFrame(frame.out(), nullptr);
        if (SUCCEEDED(hr))
            hr = frame->Initialize(nullptr);
        if (SUCCEEDED(hr))
            hr = frame->SetSize(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height));
        if (SUCCEEDED(hr))
            hr = frame->SetPixelFormat(&format);
        if (SUCCEEDED(hr))
            hr = frame->WritePixels(static_cast<UINT>(pixels.height), stride, static_cast<UINT>(rows.size()),
                                    rows.data());
        if (SUCCEEDED(hr))
            hr = frame->Commit();
        if (SUCCEEDED(hr))
            hr = encoder->Commit();
    }
    if (ownsCom)
        CoUninitialize();
    if (FAILED(hr)) {
        char text[64];
        std::snprintf(text, sizeof text, "PNG encoding failed (0x%08lX)", static_cast<unsigned long>(hr));
        error = text;
        return false;
    }
    return true;
}

}  // namespace

bool ReadBitmapPixels(HBITMAP bitmap, BitmapPixels& pixels)
{
    BITMAP description = {};
    if (!GetObjectA(bitmap, sizeof description, &description))
        return false;
    pixels.width = description.bmWidth;
    pixels.height = description.bmHeight;
    pixels.bgrx.assign(static_cast<size_t>(pixels.width) * pixels.height * 4, 0);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;   // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(pixels.height), pixels.bgrx.data(), &info,
                         DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == pixels.height;
}

bool WriteImageFile(const BitmapPixels& pixels, const std::string& path, std::string& error)
{
    return EndsWithBmp(path) ? WriteBmp(pixels, path, error) : WritePng(pixels, path, error);
}
