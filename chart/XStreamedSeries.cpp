// The lines of a chart's series drawn from points that come one at a time.
#include "chart/XStreamedSeries.h"

#include "canvas/CanvasDrawing.h"
#include "canvas/GdiObjects.h"
#include "canvas/GdiOwners.h"
#include "canvas/XCanvas.h"
#include "chart/LineRunDrawer.h"
#include "chart/SegmentBatch.h"
#include "chart/XChart.h"

#include <cstring>
#include <new>

namespace {

// Where the mask holds a 1 the brush, elsewhere what is there: ((D ^ P) & S) ^ D.
constexpr DWORD kBrushWhereSourceIsSet = 0x00E20746;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
// A masked line gathers this many segments before it draws them into its mask.
constexpr std::size_t kMaskBatchEnds = 2 * 256;

long long MaskBytes(int width, int height)
{
    return static_cast<long long>((width + 31) / 32 * 4) * height;
}

// A top-down bitmap of one bit a pixel, all 0 (black); 1 is white.
HBITMAP CreateMask(int width, int height)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colors[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    void* bits = nullptr;
    HBITMAP mask = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!mask)
        throw std::bad_alloc();
    std::memset(bits, 0, static_cast<std::size_t>(MaskBytes(width, height)));
    return mask;
}

}  // namespace

// A monochrome context with a white pen, its viewport set so that the segments' device
// coordinates fit the masks, which cover the plot's interior: device (0, 0) of a mask is
// the interior's top left pixel.
struct XStreamedSeries::MaskContext {
    explicit MaskContext(const XRect& interior) : pen(MakePen(PS_SOLID, kWhite, 1, 1)), inPen(memory.dc, pen.get())
    {
        if (!memory.dc || !pen.get())
            throw std::bad_alloc();
        SetViewportOrgEx(memory.dc, -interior.left, -interior.top, nullptr);
    }
    ~MaskContext() { Deselect(); }
    MaskContext(const MaskContext&) = delete;
    MaskContext& operator=(const MaskContext&) = delete;

    void Select(HBITMAP mask)
    {
        HGDIOBJ previous = SelectObject(memory.dc, mask);
        if (!ownBitmap)
            ownBitmap = previous;   // the context's own, to put back
    }

    // No mask stays selected: any context may then draw it, and it may be deleted.
    void Deselect()
    {
        if (ownBitmap)
            SelectObject(memory.dc, ownBitmap);
        ownBitmap = nullptr;
    }

    MemoryDc memory;
    OwnedGdiObject<HPEN> pen;
    ScopedSelection inPen;
    HGDIOBJ ownBitmap = nullptr;
};

struct XStreamedSeries::Line {
    explicit Line(XStreamedSeries& owner) : owner(owner), runs(*this) {}
    ~Line()
    {
        if (mask)
            DeleteObject(mask);
    }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    // What the runs hand on: kept, or drawn into the mask a batch at a time.
    void Add(int x1, int y1, int x2, int y2)
    {
        const std::size_t capacity = ends.capacity();
        ends.push_back(POINT{x1, y1});
        ends.push_back(POINT{x2, y2});
        if (ends.capacity() != capacity)
            owner.Account(static_cast<long long>(ends.capacity() - capacity) * static_cast<long long>(sizeof(POINT)));
        if (mask && ends.size() >= kMaskBatchEnds)
            owner.DrawIntoMask(*this);
        else if (!mask && static_cast<long long>(ends.size() * sizeof(POINT)) > owner.maskBytes_)
            owner.ToMask(*this);
    }

    long long Bytes() const
    {
        return static_cast<long long>(sizeof(Line) + ends.capacity() * sizeof(POINT)) + (mask ? owner.maskBytes_ : 0);
    }

    XStreamedSeries& owner;
    LineRunDrawer<Line> runs;
    std::vector<POINT> ends;   // segment i runs from ends[2i] to ends[2i + 1]
    HBITMAP mask = nullptr;
    LineEnd end;   // its first point too, for the segment from the part before
};

struct XStreamedSeries::DirectLine {
    explicit DirectLine(HDC dc) : batch(dc), runs(batch) {}

    SegmentBatch batch;
    LineRunDrawer<SegmentBatch> runs;
    LineEnd end;
};

XStreamedSeries::XStreamedSeries(XChart& chart, int seriesCount, bool interleaved, const COLORREF* colors,
                                 int colorCount, long long memoryBudget, bool continued)
    : chart_(chart), mapping_(chart), interior_(InflatedRect(chart.PlotRect(), -1, -1)),
      seriesCount_(seriesCount > 0 && chart.visible && chart.canvas.dc ? seriesCount : 0),
      interleaved_((interleaved && seriesCount > 1) || continued), colors_(colors), colorCount_(colorCount),
      memoryBudget_(memoryBudget)
{
    const int width = interior_.right - interior_.left;
    const int height = interior_.bottom - interior_.top;
    if (width <= 0 || height <= 0) {
        groupEnd_ = seriesCount_;   // nothing of a line can show
        return;
    }
    maskBytes_ = MaskBytes(width, height);
    if (interleaved_)
        masks_.reset(new MaskContext(interior_));
}

XStreamedSeries::~XStreamedSeries()
{
    if (!pens_.empty())
        SelectObject(chart_.canvas.dc, chart_.canvas.pen);
    for (const auto& pen : pens_)
        DeleteObject(pen.second);
}

bool XStreamedSeries::NextGroup()
{
    if (groupEnd_ >= seriesCount_)
        return false;
    groupBegin_ = groupEnd_;
    if (!interleaved_) {
        groupEnd_ = seriesCount_;
        ClipToRect(chart_.canvas.dc, interior_.left, interior_.top, interior_.right, interior_.bottom);
        direct_.reset(new DirectLine(chart_.canvas.dc));
        directSeries_ = -1;
        return true;
    }
    const long long fitting = memoryBudget_ / static_cast<long long>(sizeof(Line) + 64);
    const long long left = seriesCount_ - groupBegin_;
    groupEnd_ = groupBegin_ + static_cast<int>(left < fitting ? left : (fitting > 0 ? fitting : 1));
    lines_.clear();
    lines_.reserve(static_cast<std::size_t>(groupEnd_ - groupBegin_));
    bytesHeld_ = 0;
    for (int series = groupBegin_; series < groupEnd_; ++series) {
        lines_.emplace_back(new Line(*this));
        bytesHeld_ += lines_.back()->Bytes();
    }
    return true;
}

void XStreamedSeries::Point(int series, double x, double y)
{
    if (!InGroup(series))
        return;
    const MappedPoint p =
        mappedAny_ && x == lastMapped_.value.x ? mapping_.MapWithX(lastMapped_, y) : mapping_.Map(x, y);
    lastMapped_ = p;
    mappedAny_ = true;
    int x1, y1, x2, y2;
    if (!interleaved_) {
        if (series != directSeries_)
            StartDirectSeries(series);
        if (mapping_.Extend(direct_->end, p, x1, y1, x2, y2))
            direct_->runs.Segment(x1, y1, x2, y2);
        return;
    }
    Line& line = *lines_[static_cast<std::size_t>(series - groupBegin_)];
    if (mapping_.Extend(line.end, p, x1, y1, x2, y2))
        line.runs.Segment(x1, y1, x2, y2);
    if (overBudget_)
        ShedOverBudget();   // now that no line is in the middle of an addition
}

void XStreamedSeries::StartDirectSeries(int series)
{
    FinishDirectSeries();
    directSeries_ = series;
    SelectObject(chart_.canvas.dc, PenFor(DrawColor(series)));
    direct_->end = LineEnd();
}

void XStreamedSeries::FinishDirectSeries()
{
    if (directSeries_ < 0)
        return;
    direct_->runs.Flush();
    direct_->batch.Flush();
}

COLORREF XStreamedSeries::DrawColor(int series) const
{
    return chart_.SeriesDrawColor(colorCount_ > 0 ? colors_[series % colorCount_] : 0);
}

// The pen XCanvas::SetPen would make for the colour: solid, one pixel; made once a colour.
HPEN XStreamedSeries::PenFor(COLORREF color)
{
    for (const auto& pen : pens_) {
        if (pen.first == color)
            return pen.second;
    }
    HPEN pen = MakePen(PS_SOLID, color, 1, 1);
    if (!pen)
        throw std::bad_alloc();
    try {
        pens_.emplace_back(color, pen);
    } catch (...) {
        DeleteObject(pen);
        throw;
    }
    return pen;
}

void XStreamedSeries::Account(long long bytes)
{
    bytesHeld_ += bytes;
    overBudget_ = bytesHeld_ > memoryBudget_;
}

// Gives the group's last series back to the next group until the rest fits; the first
// series stays, whatever it holds (at most a mask and a batch).
void XStreamedSeries::ShedOverBudget()
{
    while (bytesHeld_ > memoryBudget_ && lines_.size() > 1) {
        bytesHeld_ -= lines_.back()->Bytes();
        lines_.pop_back();
        --groupEnd_;
    }
    overBudget_ = false;
}

// The line's segments so far drawn into a mask of its own, which takes its further ones.
void XStreamedSeries::ToMask(Line& line)
{
    line.mask = CreateMask(interior_.right - interior_.left, interior_.bottom - interior_.top);
    Account(maskBytes_);
    DrawIntoMask(line);
    const long long before = static_cast<long long>(line.ends.capacity() * sizeof(POINT));
    std::vector<POINT>().swap(line.ends);
    line.ends.reserve(kMaskBatchEnds);
    Account(static_cast<long long>(line.ends.capacity() * sizeof(POINT)) - before);
}

void XStreamedSeries::DrawIntoMask(Line& line)
{
    masks_->Select(line.mask);
    DrawSegments(masks_->memory.dc, line.ends.data(), static_cast<int>(line.ends.size() / 2));
    line.ends.clear();
}

void XStreamedSeries::EndGroup()
{
    if (!interleaved_) {
        if (!direct_)
            return;
        FinishDirectSeries();
        ClearClip(chart_.canvas.dc);
        SelectObject(chart_.canvas.dc, chart_.canvas.pen);
        direct_.reset();
        directSeries_ = -1;
        return;
    }
    FinishGroup();
    DrawGroup(nullptr);
}

void XStreamedSeries::FinishGroup()
{
    for (const auto& line : lines_) {
        line->runs.Flush();
        if (line->mask)
            DrawIntoMask(*line);
    }
    masks_->Deselect();
}

// Each line of the group over the plot, in series order: its kept segments with its pen,
// or its mask in its colour; with a continuation, that part's line of the series after it.
void XStreamedSeries::DrawGroup(XStreamedSeries* continuation)
{
    HDC dc = chart_.canvas.dc;
    // A monochrome source becomes black and white in the picture: its 1 selects the brush.
    const COLORREF textColor = SetTextColor(dc, kBlack);
    const COLORREF backColor = SetBkColor(dc, kWhite);
    ClipToRect(dc, interior_.left, interior_.top, interior_.right, interior_.bottom);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const COLORREF color = DrawColor(groupBegin_ + static_cast<int>(i));
        if (continuation && i < continuation->lines_.size())
            JoinParts(*lines_[i], *continuation->lines_[i]);
        DrawLine(*lines_[i], color);
        if (continuation && i < continuation->lines_.size())
            DrawLine(*continuation->lines_[i], color);
    }
    masks_->Deselect();
    ClearClip(dc);
    SelectObject(dc, chart_.canvas.pen);
    SetTextColor(dc, textColor);
    SetBkColor(dc, backColor);
    lines_.clear();
    if (continuation)
        continuation->lines_.clear();
}

// The segment from the line's last point to the next part's first.
void XStreamedSeries::JoinParts(Line& line, const Line& next)
{
    int x1, y1, x2, y2;
    if (line.end.started && next.end.started &&
        mapping_.SegmentPixels(line.end.last, next.end.first, x1, y1, x2, y2)) {
        line.runs.Segment(x1, y1, x2, y2);
        line.runs.Flush();
        if (line.mask)
            DrawIntoMask(line);
    }
}

void XStreamedSeries::DrawLine(const Line& line, COLORREF color)
{
    HDC dc = chart_.canvas.dc;
    if (!line.mask) {
        SelectObject(dc, PenFor(color));
        DrawSegments(dc, line.ends.data(), static_cast<int>(line.ends.size() / 2));
        return;
    }
    OwnedGdiObject<HBRUSH> brush(MakeBrush(BS_SOLID, color, 0));
    ScopedSelection inColor(dc, brush.get());
    masks_->Select(line.mask);
    BitBlt(dc, interior_.left, interior_.top, interior_.right - interior_.left, interior_.bottom - interior_.top,
           masks_->memory.dc, interior_.left, interior_.top, kBrushWhereSourceIsSet);
}
