// What the plug-in reads in CSV files: one JSON object a file, a line each, in UTF-8.
//   csvinfo [--detect] FILE...
// Without --detect the stored settings say how files are read, as they do for the plug-in.
#include "FileSummary.h"
#include "JsonLine.h"

#include "canvas/GdiOwners.h"
#include "canvas/XCanvas.h"
#include "chart/XChart.h"
#include "chart/XPanelChart.h"
#include "csv/TextEncoding.h"
#include "plugin/BitmapRequest.h"
#include "plugin/PluginSettings.h"
#include "plugin/SettingsStore.h"
#include "xlib/DefaultFloatState.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string CharText(char c) { return c ? std::string(1, c) : std::string(); }

std::string SeriesJson(const SeriesSummary& s)
{
    JsonLine line;
    if (s.column >= 0)
        line.Integer("column", s.column);
    else
        line.Null("column");
    line.Text("name", s.name).Integer("points", s.points).Integer("gaps", s.gaps);
    if (s.points > 0)
        line.Number("min", s.min).Number("max", s.max);
    else
        line.Null("min").Null("max");
    return line.Close();
}

// The panels of the picture the plug-in would draw of a detected file at the stored size,
// laid out on a device context, not drawn.
std::vector<std::vector<int>> PictureGroups(const FileSummary& summary)
{
    std::vector<ValueBounds> bounds;
    for (const SeriesSummary& s : summary.series)
        bounds.push_back(s.points > 0 ? ValueBounds{s.min, s.max} : ValueBounds());
    const SettingsRecord settings = PluginSettings();
    MemoryDc memory;
    XCanvas canvas;
    canvas.Attach(memory.dc);
    std::vector<std::vector<int>> groups;
    {
        XChart chart(canvas, settings.width, settings.height);
        chart.visible = 0;
        XPanelChart panels(chart, XValueKind::Number, bounds);
        panels.LayoutAndDraw();
        groups = panels.Groups();
    }
    canvas.Attach(nullptr);
    return groups;
}

// Strict reading draws every series on one plot; a detected file, in the picture's panels.
std::string PanelsJson(const FileSummary& summary, bool detected)
{
    std::vector<std::vector<int>> groups(1);
    if (detected)
        groups = PictureGroups(summary);
    else
        for (std::size_t k = 0; k < summary.series.size(); ++k)
            groups[0].push_back(static_cast<int>(k));
    std::string json = "[";
    for (std::size_t g = 0; g < groups.size(); ++g)
        json += (g ? ", " : "") + IntegerList(groups[g]);
    return json + "]";
}

std::string SummaryJson(const std::string& file, const FileSummary& summary, bool detected)
{
    JsonLine x;
    if (summary.xColumn >= 0)
        x.Integer("column", summary.xColumn);
    else
        x.Null("column");
    x.Text("kind", summary.xKind);
    if (summary.xColumn >= 0 && !summary.xName.empty())
        x.Text("name", summary.xName);
    else
        x.Null("name");
    std::string series = "[";
    for (std::size_t k = 0; k < summary.series.size(); ++k)
        series += (k ? ", " : "") + SeriesJson(summary.series[k]);
    JsonLine line;
    line.Text("file", file)
        .Text("encoding", summary.encoding)
        .Text("separator", CharText(summary.separator))
        .Text("quote", CharText(summary.quote))
        .Text("decimalMark", CharText(summary.decimalMark))
        .Integer("preambleLines", summary.preambleLines)
        .Integer("headerLines", summary.headerLines)
        .Integer("footnoteLines", summary.footnoteLines)
        .Raw("x", x.Close())
        .Raw("series", series + "]")
        .Integers("idColumns", summary.idColumns)
        .Integers("textColumns", summary.textColumns)
        .Raw("panels", PanelsJson(summary, detected));
    return line.Close();
}

std::string FileLine(const char* path, const CsvOptions& options)
{
    const std::string file = ToUtf8(path, TextEncoding::Ansi);
    FileSummary summary;
    try {
        if (SummarizeFile(path, options, summary))
            return SummaryJson(file, summary, options.detectLayout != 0);
        return JsonLine().Text("file", file).Text("error", "the file cannot be read").Close();
    } catch (const std::bad_alloc&) {
        return JsonLine().Text("file", file).Text("error", "out of memory").Close();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    DefaultFloatState floatState;
    _setmode(_fileno(stdout), _O_BINARY);   // "\n" line ends, and UTF-8 bytes as they are
    int first = 1;
    const bool detect = argc > 1 && std::strcmp(argv[1], "--detect") == 0;
    first += detect ? 1 : 0;
    if (first >= argc) {
        std::fprintf(stderr, "usage: csvinfo [--detect] FILE...\n");
        return 2;
    }
    LoadSettings();
    CsvOptions options = ReadingOptions(PluginSettings());
    if (detect)
        options.detectLayout = 1;
    for (int i = first; i < argc; ++i) {
        const std::string line = FileLine(argv[i], options) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return 0;
}
