// Each series' points drawn into its panel, with gaps and lone points.
#include "chart/XPanelStreams.h"

#include "chart/XChart.h"
#include "chart/XPanelChart.h"
#include "chart/XSeries.h"
#include "chart/XStreamedSeries.h"

#include <cmath>

struct XPanelStreams::Stream {
    std::vector<COLORREF> colors;       // of the panel's series, in its order
    std::unique_ptr<XStreamedSeries> lines;
    bool inGroup = false;
};

struct XPanelStreams::Run {
    double x = 0;
    double y = 0;
    int points = 0;   // since the last gap: 0, 1, or 2 for two or more
};

XPanelStreams::XPanelStreams(XPanelChart& panels, long long memoryBudget) : panels_(panels)
{
    const int count = panels.PanelCount();
    const std::vector<std::vector<int>>& groups = panels.Groups();
    for (int p = 0; p < count; ++p) {
        std::unique_ptr<Stream> stream(new Stream);
        for (int series : groups[static_cast<std::size_t>(p)]) {
            if (series >= static_cast<int>(panelOf_.size())) {
                panelOf_.resize(static_cast<std::size_t>(series) + 1, -1);
                indexInPanel_.resize(static_cast<std::size_t>(series) + 1, -1);
            }
            panelOf_[static_cast<std::size_t>(series)] = p;
            indexInPanel_[static_cast<std::size_t>(series)] = static_cast<int>(stream->colors.size());
            const XSeries* named = panels.Chart().SeriesAt(series);
            stream->colors.push_back(named ? named->color : 0);
        }
        // Mixed points or not, each panel holds its series' lines until the group ends, as a
        // file's half does.
        const int seriesCount = static_cast<int>(stream->colors.size());
        SeriesPalette palette;
        palette.colors = stream->colors.data();
        palette.count = seriesCount;
        stream->lines.reset(new XStreamedSeries(panels.Panel(p), seriesCount, XStreamedSeries::Order::FileHalf, palette,
                                                memoryBudget / count));   // count > 0 inside the loop
        streams_.push_back(std::move(stream));
    }
    runs_.resize(panelOf_.size());
}

XPanelStreams::~XPanelStreams() = default;

bool XPanelStreams::NextGroup()
{
    bool any = false;
    for (const auto& stream : streams_) {
        stream->inGroup = stream->lines->NextGroup();
        any = any || stream->inGroup;
    }
    runs_.assign(runs_.size(), Run());
    return any;
}

void XPanelStreams::Point(int series, double x, double y)
{
    if (series < 0 || series >= static_cast<int>(panelOf_.size()) || panelOf_[static_cast<std::size_t>(series)] < 0)
        return;
    Stream& stream = *streams_[static_cast<std::size_t>(panelOf_[static_cast<std::size_t>(series)])];
    if (!stream.inGroup)
        return;
    Run& run = runs_[static_cast<std::size_t>(series)];
    const bool gap = std::isnan(x) || std::isnan(y);
    if (gap && run.points == 1)
        Dot(series, run);
    stream.lines->Point(indexInPanel_[static_cast<std::size_t>(series)], x, y);
    run.x = x;
    run.y = y;
    run.points = gap ? 0 : (run.points < 2 ? run.points + 1 : 2);
}

void XPanelStreams::EndGroup()
{
    for (std::size_t series = 0; series < runs_.size(); ++series) {
        if (runs_[series].points == 1 && panelOf_[series] >= 0 && streams_[static_cast<std::size_t>(panelOf_[series])]->inGroup)
            Dot(static_cast<int>(series), runs_[series]);
    }
    runs_.assign(runs_.size(), Run());
    for (const auto& stream : streams_) {
        if (stream->inGroup)
            stream->lines->EndGroup();
        stream->inGroup = false;
    }
}

// From the point one pixel down and left, then around the square one pixel out: with the
// point itself, every pixel of the 3 by 3 square (a segment does not set its end pixel).
void XPanelStreams::Dot(int series, const Run& run)
{
    const int panel = panelOf_[static_cast<std::size_t>(series)];
    const XChart& chart = panels_.Panel(panel);
    const double dx = chart.xUnitsPerPixel;
    const double dy = chart.yUnitsPerPixel;
    const double corners[][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
    XStreamedSeries& lines = *streams_[static_cast<std::size_t>(panel)]->lines;
    for (const auto& corner : corners)
        lines.Point(indexInPanel_[static_cast<std::size_t>(series)], run.x + corner[0] * dx, run.y + corner[1] * dy);
}
