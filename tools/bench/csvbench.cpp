// Times rendering through the plug-in's export, and the stages of one render.
//   csvbench render DLL RUNS FILE...   median time of QOR_LoadBitmapA per file, peak memory
//   csvbench stages [--detect] FILE    time of each stage of one render, in this process
//   csvbench compare DLL RUNS FILE     render and floor by turns: medians, ratios, peak memory
//   csvbench detect RUNS FILE          the strict and the detected reading by turns, in this
//                                      process: their medians and ratio
//   csvbench floor RUNS FILE           median time to read the file in 1 MiB blocks and convert
//                                      every field with std::from_chars, nothing else
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "chart/XPanelChart.h"
#include "csv/XCsvReader.h"
#include "plugin/BitmapRequest.h"
#include "plugin/HostRecords.h"
#include "plugin/PluginSettings.h"

#include <psapi.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The most memory the process has held (peak working set), in megabytes.
double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

int RenderThroughExport(const char* dll, int runs, int fileCount, char** files)
{
    HMODULE module = LoadLibraryA(dll);
    auto loadBitmap = module ? FindEntryPoint<LoadBitmapProc>(module, "QOR_LoadBitmapA") : nullptr;
    if (!loadBitmap) {
        std::fprintf(stderr, "csvbench: cannot load %s\n", dll);
        return 1;
    }
    for (int f = 0; f < fileCount; ++f) {
        std::vector<double> times;
        bool drawn = true;
        for (int run = 0; run < runs; ++run) {
            double start = Now();
            HBITMAP bitmap = loadBitmap(0, files[f]);
            times.push_back(Now() - start);
            drawn = drawn && bitmap;
            DeleteObject(bitmap);
        }
        std::sort(times.begin(), times.end());
        std::printf("%s\tmedian %.3f s\tmin %.3f s\tpeak %.0f MB%s\n", files[f], times[times.size() / 2], times[0],
                    PeakMegabytes(), drawn ? "" : "\tNO BITMAP");
    }
    FreeLibrary(module);
    return 0;
}

// The floor for a render: the file read in 1 MiB blocks and every field converted with
// std::from_chars, nothing else. Returns the seconds it took; adds the values to `sum`.
double FloorOnce(const char* path, double& sum)
{
    static std::vector<char> block(1 << 20);
    double start = Now();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::size_t kept = 0;   // a field cut by the block's end, moved to its front
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, block.data() + kept, static_cast<DWORD>(block.size() - kept), &read, nullptr) || read == 0)
            break;
        const char* p = block.data();
        const char* end = p + kept + read;
        const char* field = p;
        for (; p < end; ++p) {
            if (*p == ',' || *p == '\n') {
                double value = 0;
                std::from_chars(field, p, value);
                sum += value;
                field = p + 1;
            }
        }
        kept = static_cast<std::size_t>(end - field);
        std::memmove(block.data(), field, kept);
    }
    CloseHandle(file);
    return Now() - start;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int Floor(const char* path, int runs)
{
    std::vector<double> times;
    double sum = 0;
    for (int run = 0; run < runs; ++run)
        times.push_back(FloorOnce(path, sum));
    std::printf("%s\tfloor median %.3f s (checksum %g)\n", path, Median(times), sum);
    return 0;
}

std::size_t WorkingSetBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

std::string Joined(const std::vector<double>& values)
{
    std::string text;
    char number[32];
    for (double value : values) {
        std::snprintf(number, sizeof number, "%s%.4f", text.empty() ? "" : ",", value);
        text += number;
    }
    return text;
}

// Renders through the export and runs the floor by turns, so that both see the same
// machine: their medians, the median ratio of each render to the floor beside it with the
// ratios' range, the peak working set above the process's own before the first render with
// the bitmap's size beside it, and every time and ratio (for combining several processes).
int Compare(const char* dll, int runs, const char* path)
{
    HMODULE module = LoadLibraryA(dll);
    auto loadBitmap = module ? FindEntryPoint<LoadBitmapProc>(module, "QOR_LoadBitmapA") : nullptr;
    if (!loadBitmap) {
        std::fprintf(stderr, "csvbench: cannot load %s\n", dll);
        return 1;
    }
    const double baseline = static_cast<double>(WorkingSetBytes()) / (1024.0 * 1024.0);
    std::vector<double> renders;
    std::vector<double> floors;
    std::vector<double> ratios;
    double sum = 0;
    long long bitmapBytes = 0;
    bool drawn = true;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        HBITMAP bitmap = loadBitmap(0, path);
        renders.push_back(Now() - start);
        drawn = drawn && bitmap;
        BITMAP info = {};
        if (bitmap && GetObjectA(bitmap, sizeof info, &info))
            bitmapBytes = static_cast<long long>(info.bmWidthBytes) * info.bmHeight;
        DeleteObject(bitmap);
        floors.push_back(FloorOnce(path, sum));
        ratios.push_back(renders.back() / floors.back());
    }
    std::printf("%s\trender %.3f s\tfloor %.3f s\tratio %.2f (%.2f-%.2f)\tpeak above baseline %.1f MB\tbitmap %.1f MB"
                "\trenders %s\tfloors %s\tratios %s%s\n",
                path, Median(renders), Median(floors), Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()), PeakMegabytes() - baseline,
                bitmapBytes / (1024.0 * 1024.0), Joined(renders).c_str(), Joined(floors).c_str(),
                Joined(ratios).c_str(), drawn ? "" : "\tNO BITMAP");
    FreeLibrary(module);
    return 0;
}

// A memory context holding a bitmap of the default settings' size, for renders in this
// process.
class BenchBitmap {
public:
    BenchBitmap()
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, settings.width, settings.height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc, bitmap_);
    }
    ~BenchBitmap()
    {
        SelectObject(dc, old_);
        DeleteDC(dc);
        DeleteObject(bitmap_);
    }
    BenchBitmap(const BenchBitmap&) = delete;
    BenchBitmap& operator=(const BenchBitmap&) = delete;

    const SettingsRecord settings;
    HDC dc;

private:
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// The times of one render's stages in this process, drawn as the plug-in draws (a detected
// table in panels): the measuring pass, layout and chart, the drawing pass (the objects'
// release included).
struct RenderStages {
    double scan = 0;
    double layout = 0;
    double series = 0;
    bool halves = false;

    double Total() const { return scan + layout + series; }
};

RenderStages RenderInStages(const char* path, const CsvOptions& options, HDC dc, const SettingsRecord& settings)
{
    XCanvas canvas;
    canvas.Attach(dc);
    RenderStages stages;
    double start = Now(), scanned = 0, laidOut = 0;
    {
        XChart chart(canvas, settings.width, settings.height);
        chart.showTitle = 1;
        XCsvReader file(options);
        file.Scan(path, chart);
        scanned = Now();
        std::unique_ptr<XPanelChart> panels;
        if (const CsvLayout* layout = file.Layout()) {
            panels.reset(new XPanelChart(chart, ChartXKind(layout->xKind), file.SeriesBounds()));
            panels->LayoutAndDraw();
        } else {
            chart.LayoutAndDraw();
        }
        laidOut = Now();
        if (panels)
            file.DrawSeries(*panels);
        else
            file.DrawSeries(chart);
        stages.halves = file.ReadInTwoHalves();
    }
    stages.scan = scanned - start;
    stages.layout = laidOut - scanned;
    stages.series = Now() - laidOut;
    canvas.Attach(nullptr);
    return stages;
}

int Stages(const char* path, bool detect)
{
    BenchBitmap target;
    CsvOptions options = ReadingOptions(target.settings);
    options.detectLayout = detect;
    for (int run = 0; run < 5; ++run) {
        const RenderStages stages = RenderInStages(path, options, target.dc, target.settings);
        std::printf("scan %.3f s, layout and chart %.3f s, series %.3f s%s\n", stages.scan, stages.layout,
                    stages.series, stages.halves ? " (two halves at once)" : "");
    }
    return 0;
}

// The strict reading and the detected layout's by turns on the same file: their medians,
// and the median of each detected render over the strict one run right before it, with
// every such ratio (for combining several processes).
int CompareDetection(int runs, const char* path)
{
    BenchBitmap target;
    const SettingsRecord& settings = target.settings;
    HDC dc = target.dc;
    CsvOptions strict = ReadingOptions(settings);
    CsvOptions detected = strict;
    detected.detectLayout = 1;
    std::vector<double> strictTimes, detectedTimes, ratios;
    for (int run = 0; run < runs; ++run) {
        strictTimes.push_back(RenderInStages(path, strict, dc, settings).Total());
        detectedTimes.push_back(RenderInStages(path, detected, dc, settings).Total());
        ratios.push_back(detectedTimes.back() / strictTimes.back());
    }
    std::printf("%s\tstrict %.3f s\tdetected %.3f s\tratio %.3f\tratios %s\n", path, Median(strictTimes),
                Median(detectedTimes), Median(ratios), Joined(ratios).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 5 && std::strcmp(argv[1], "render") == 0)
        return RenderThroughExport(argv[2], std::atoi(argv[3]), argc - 4, argv + 4);
    if (argc == 3 && std::strcmp(argv[1], "stages") == 0)
        return Stages(argv[2], false);
    if (argc == 4 && std::strcmp(argv[1], "stages") == 0 && std::strcmp(argv[2], "--detect") == 0)
        return Stages(argv[3], true);
    if (argc == 4 && std::strcmp(argv[1], "floor") == 0)
        return Floor(argv[3], std::atoi(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "detect") == 0)
        return CompareDetection(std::atoi(argv[2]), argv[3]);
    if (argc == 5 && std::strcmp(argv[1], "compare") == 0)
        return Compare(argv[2], std::atoi(argv[3]), argv[4]);
    std::fprintf(stderr, "usage: csvbench render DLL RUNS FILE... | compare DLL RUNS FILE | stages [--detect] FILE | detect RUNS FILE | floor RUNS FILE\n");
    return 2;
}
