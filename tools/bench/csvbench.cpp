// Times rendering through the plug-in's export, and the stages of one render.
//   csvbench render DLL RUNS FILE...   median time of QOR_LoadBitmapA per file, peak memory
//   csvbench stages FILE               time of each stage of one render, in this process
//   csvbench parse RUNS FILE           median time to read the file and parse its numbers, alone
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "csv/CsvLoader.h"
#include "csv/FieldSpans.h"
#include "plugin/BitmapRequest.h"
#include "plugin/HostRecords.h"
#include "plugin/PluginSettings.h"
#include "xlib/XLineReader.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
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

// Reading the lines and converting every field, nothing else: the floor for a render.
int ParseOnly(const char* path, int runs)
{
    std::vector<double> times;
    double sum = 0;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        XLineReader reader;
        reader.Open(path);
        std::vector<FieldSpan> fields;
        const char* text = nullptr;
        int length = 0;
        while (reader.Next(text, length)) {
            SplitIntoSpans(text, length, ',', fields);
            for (const FieldSpan& field : fields)
                sum += SpanValue(field);
        }
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s\tread and parse median %.3f s (checksum %g)\n", path, times[times.size() / 2], sum);
    return 0;
}

int Stages(const char* path)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const SettingsRecord settings;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, settings.width, settings.height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    double start = Now();
    {
        XCanvas canvas;
        canvas.Attach(dc);
        XChart chart(canvas, settings.width, settings.height);
        chart.showTitle = 1;
        LoadCsvIntoChart(path, chart, ReadingOptions(settings));
        double loaded = Now();
        chart.LayoutAndDraw();
        double drawn = Now();
        std::printf("load %.3f s, layout and draw %.3f s\n", loaded - start, drawn - loaded);
        canvas.Attach(nullptr);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 5 && std::strcmp(argv[1], "render") == 0)
        return RenderThroughExport(argv[2], std::atoi(argv[3]), argc - 4, argv + 4);
    if (argc == 3 && std::strcmp(argv[1], "stages") == 0)
        return Stages(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "parse") == 0)
        return ParseOnly(argv[3], std::atoi(argv[2]));
    std::fprintf(stderr, "usage: csvbench render DLL RUNS FILE... | stages FILE | parse RUNS FILE\n");
    return 2;
}
