// Each series' points drawn into its panel, with gaps and lone points.
#include "chart/XPanelStreams.h"

#include "chart/XChart.h"
#include "chart/XPanelChart.h"
#include "chart/XSeries.h"
#include "chart/XStreamedSeries.h"

#include <limits>

struct XPanelStreams::Stream {
    std::vector<COLORREF> colors;       // of the panel's series, in its order
    std::unique_ptr<XStreamedSeries> lines;
    bool inGroup = false;
};

XPanelStreams::XPanelStreams(XPanelChart& panels, long long memoryBudget, LonePoints::Span span)
    : panels_(panels), lonePoints_(span)
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
}

XPanelStreams::~XPanelStreams() = default;

bool XPanelStreams::NextGroup()
{
    bool any = false;
    for (const auto& stream : streams_) {
        stream->inGroup = stream->lines->NextGroup();
        any = any || stream->inGroup;
    }
    linesOf_.assign(panelOf_.size(), SeriesLines());
    for (std::size_t series = 0; series < panelOf_.size(); ++series) {
        const int panel = panelOf_[series];
        if (panel >= 0 && streams_[static_cast<std::size_t>(panel)]->inGroup)
            linesOf_[series] = SeriesLines{streams_[static_cast<std::size_t>(panel)]->lines.get(), indexInPanel_[series]};
    }
    lonePoints_.Reset(panelOf_.size());
    return any;
}

bool XPanelStreams::OneColumn(int series, double x1, double x2, double low, double high) const
{
    const int panel = series >= 0 && series < static_cast<int>(panelOf_.size())
                          ? panelOf_[static_cast<std::size_t>(series)]
                          : -1;
    return panel < 0 || streams_[static_cast<std::size_t>(panel)]->lines->OneColumn(x1, x2, low, high);
}

XStreamedSeries* XPanelStreams::LinesOf(int series) const
{
    return series >= 0 && series < static_cast<int>(linesOf_.size()) ? linesOf_[static_cast<std::size_t>(series)].lines
                                                                      : nullptr;
}

void XPanelStreams::PointAfterGapOrStart(int series, const SeriesLines& target, double x, double y)
{
    XDblPoint lone;
    if (lonePoints_.Next(series, x, y, lone))
        Dot(series, lone);
    target.lines->Point(target.index, x, y);
}

void XPanelStreams::EndGroup()
{
    FinishGroup();
    DrawGroup(nullptr);
}

bool XPanelStreams::HoldsAllSeries() const
{
    for (const auto& stream : streams_) {
        const int last = static_cast<int>(stream->colors.size()) - 1;
        if (stream->inGroup && !stream->lines->InGroup(last))
            return false;
    }
    return true;
}

void XPanelStreams::FinishGroup()
{
    XDblPoint lone;
    for (int series = 0; series < static_cast<int>(panelOf_.size()); ++series) {
        if (LinesOf(series) && lonePoints_.LoneAtEnd(series, lone))
            Dot(series, lone);
    }
    for (const auto& stream : streams_) {
        if (stream->inGroup)
            stream->lines->FinishGroup();
    }
}

// The point, with its dot, as a run of its own in this half's line: between two gaps, so
// that no segment joins it to the points around it, as none does in the whole file.
void XPanelStreams::DotAcross(const XPanelStreams& laterHalf)
{
    const double gap = std::numeric_limits<double>::quiet_NaN();
    XDblPoint lone;
    for (int series = 0; series < static_cast<int>(panelOf_.size()); ++series) {
        XStreamedSeries* lines = LinesOf(series);
        if (!lines || !lonePoints_.LoneAcross(series, laterHalf.lonePoints_, lone))
            continue;
        const int index = indexInPanel_[static_cast<std::size_t>(series)];
        lines->Point(index, gap, gap);
        lines->Point(index, lone.x, lone.y);
        Dot(series, lone);
        lines->Point(index, gap, gap);
    }
    for (const auto& stream : streams_) {
        if (stream->inGroup)
            stream->lines->FinishGroup();   // what the dots added, handed on
    }
}

void XPanelStreams::DrawGroup(XPanelStreams* laterHalf)
{
    for (std::size_t p = 0; p < streams_.size(); ++p) {
        Stream& stream = *streams_[p];
        if (stream.inGroup)
            stream.lines->DrawGroup(laterHalf ? laterHalf->streams_[p]->lines.get() : nullptr);
        stream.inGroup = false;
    }
    linesOf_.assign(linesOf_.size(), SeriesLines());
}

// From the point one pixel down and left, then around the square one pixel out: with the
// point itself, every pixel of the 3 by 3 square (a segment does not set its end pixel).
void XPanelStreams::Dot(int series, const XDblPoint& point)
{
    const int panel = panelOf_[static_cast<std::size_t>(series)];
    const XChart& chart = panels_.Panel(panel);
    const double dx = chart.xUnitsPerPixel;
    const double dy = chart.yUnitsPerPixel;
    const double corners[][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
    XStreamedSeries& lines = *streams_[static_cast<std::size_t>(panel)]->lines;
    for (const auto& corner : corners)
        lines.Point(indexInPanel_[static_cast<std::size_t>(series)], point.x + corner[0] * dx, point.y + corner[1] * dy);
}
