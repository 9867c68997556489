// The plug-in's real work: one CSV file drawn as a chart into a new bitmap.
#include "plugin/BitmapRequest.h"

#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "csv/CsvLoader.h"
#include "plugin/Identify.h"
#include "plugin/PluginSettings.h"

namespace {

bool IsDrawableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<long long>(width) * height <= kMaxPixels;
}

// Each owner releases its object if the drawing is cut short; declared so that the bitmap
// is released last, after the memory context it is selected into is gone.
class OwnedBitmap {
public:
    explicit OwnedBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
    ~OwnedBitmap()
    {
        if (bitmap_)
            DeleteObject(bitmap_);
    }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;

    HBITMAP get() const { return bitmap_; }
    HBITMAP release()
    {
        HBITMAP bitmap = bitmap_;
        bitmap_ = nullptr;
        return bitmap;
    }

private:
    HBITMAP bitmap_;
};

class MemoryDc {
public:
    MemoryDc() : dc(CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() { DeleteDC(dc); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    const HDC dc;
};

// Keeps a canvas attached for a scope, and puts the context back as it was after it.
class CanvasAttachment {
public:
    CanvasAttachment(XCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.Attach(dc); }
    ~CanvasAttachment() { canvas_.Attach(nullptr); }
    CanvasAttachment(const CanvasAttachment&) = delete;
    CanvasAttachment& operator=(const CanvasAttachment&) = delete;

private:
    XCanvas& canvas_;
};

HBITMAP CreateScreenBitmap(int width, int height)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

void DrawChart(const char* path, HDC dc, int width, int height)
{
    XCanvas canvas;
    CanvasAttachment attachment(canvas, dc);
    XChart chart(canvas, width, height);
    chart.showTitle = 1;
    chart.yAxis.showCaption = PluginSettings.showUnits;
    chart.yAxis.caption.Assign(PluginSettings.unitY);
    chart.xAxis.showCaption = PluginSettings.showUnits;
    chart.xAxis.caption.Assign(PluginSettings.unitX);
    LoadCsvIntoChart(path, chart);
    chart.LayoutAndDraw();
}

}  // namespace

HBITMAP RenderCsvBitmap(const char* path)
{
    if (!IsCsvPath(path))
        return nullptr;
    const int width = PluginSettings.width;
    const int height = PluginSettings.height;
    if (!IsDrawableSize(width, height))
        return nullptr;

    OwnedBitmap bitmap(CreateScreenBitmap(width, height));
    if (!bitmap.get())
        return nullptr;
    MemoryDc memory;
    SelectObject(memory.dc, bitmap.get());
    DrawChart(path, memory.dc, width, height);
    // The memory context goes when this returns; the bitmap survives it and is the host's.
    return bitmap.release();
}
