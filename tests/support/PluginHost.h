// The plug-in DLL loaded the way the host loads it, and its bitmaps read back as pixels.
#pragma once

#include "ImageFile.h"
#include "plugin/HostRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class PluginHost {
public:
    PluginHost();   // loads csvchart.dll from beside the test program
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    HMODULE Module() const { return module_; }

    // The bitmap for the path through QOR_LoadBitmapA, or null.
    HBITMAP LoadBitmap(const std::string& path) const;

    // Renders the path and reads the bitmap back; false when no bitmap came. The bitmap is
    // deleted afterwards, as the host does.
    bool Render(const std::string& path, BitmapPixels& pixels) const;

private:
    HMODULE module_;
    LoadBitmapProc loadBitmap_ = nullptr;
};

// The pixel at (x, y) as a COLORREF (0x00BBGGRR).
COLORREF PixelAt(const BitmapPixels& pixels, int x, int y);

// Rows where a black frame runs across the plot (x 150 to 249): a top and a bottom side for
// each plot or panel.
std::vector<int> FrameRows(const BitmapPixels& pixels);

// A test with the plug-in loaded as the host loads it.
class LoadedPlugin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Loaded()); }

    // The pixels of the path's render; a render that gives no bitmap fails the test.
    BitmapPixels Rendered(const std::string& path);
    // The same for a scratch .csv file holding the bytes.
    BitmapPixels RenderedBytes(const std::string& bytes);

    PluginHost host;
};
