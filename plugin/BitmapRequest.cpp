// The plug-in's real work: one CSV file drawn as a chart into a new bitmap.
#include "plugin/BitmapRequest.h"

#include "canvas/GdiOwners.h"
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "chart/XPanelChart.h"
#include "csv/CsvOptions.h"
#include "csv/XCsvReader.h"
#include "plugin/Identify.h"
#include "plugin/PluginSettings.h"
#include "plugin/SettingsTable.h"

bool IsDrawableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<long long>(width) * height <= kMaxPixels;
}

namespace {

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
    ScreenDc screen;
    return CreateCompatibleBitmap(screen.dc, width, height);
}

}  // namespace

CsvOptions ReadingOptions(const SettingsRecord& settings)
{
    CsvOptions options;
    for (const Setting& setting : AllSettings()) {
        if (setting.numberOption)
            options.*setting.numberOption = settings.*setting.number;
        if (setting.characterOption)
            options.*setting.characterOption = settings.*setting.character;
    }
    options.palette.colors = settings.seriesColors;
    options.palette.count = kSeriesColorCount;
    return options;
}

namespace {

void DrawChart(const char* path, HDC dc, const SettingsRecord& settings)
{
    XCanvas canvas;
    CanvasAttachment attachment(canvas, dc);
    XChart chart(canvas, settings.width, settings.height);
    chart.showTitle = 1;
    // Any non-zero value shows the captions; the axes draw them only for exactly 1.
    const int showCaptions = settings.showUnits != 0 ? 1 : 0;
    chart.yAxis.showCaption = showCaptions;
    chart.yAxis.caption.Assign(settings.unitY.c_str());
    chart.xAxis.showCaption = showCaptions;
    chart.xAxis.caption.Assign(settings.unitX.c_str());
    // Two passes over the file: its bounds first, then, over the drawn chart, its lines.
    XCsvReader file(ReadingOptions(settings));
    file.Scan(path, chart);
    if (const CsvLayout* layout = file.Layout()) {
        // A detected table: its series' names, a calendar X axis, panels for their scales.
        XPanelChart panels(chart, ChartXKind(layout->xKind), file.SeriesBounds());
        panels.LayoutAndDraw();
        file.DrawSeries(panels);
        return;
    }
    chart.LayoutAndDraw();
    file.DrawSeries(chart);
}

}  // namespace

HBITMAP RenderCsvBitmap(const char* path)
{
    if (!IsCsvPath(path))
        return nullptr;
    // One copy for the whole call: a reload or an OK meanwhile does not reach this render.
    const SettingsRecord settings = PluginSettings();
    const int width = settings.width;
    const int height = settings.height;
    if (!IsDrawableSize(width, height))
        return nullptr;

    // Declared first, released last: after the memory context it is selected into is gone.
    OwnedGdiObject<HBITMAP> bitmap(CreateScreenBitmap(width, height));
    if (!bitmap.get())
        return nullptr;
    MemoryDc memory;
    SelectObject(memory.dc, bitmap.get());
    DrawChart(path, memory.dc, settings);
    // The memory context goes when this returns; the bitmap survives it and is the host's.
    return bitmap.release();
}
