// One series' line held until its group is drawn: segments, or a mask once they outgrow it.
#include "chart/HeldLine.h"

#include "canvas/CanvasDrawing.h"
#include "canvas/SolidPens.h"

namespace {

// A masked line gathers this many segment ends before it draws them into its mask.
constexpr std::size_t kMaskBatchEnds = 2 * 256;

long long EndBytes(const std::vector<POINT>& ends)
{
    return static_cast<long long>(ends.capacity() * sizeof(POINT));
}

}  // namespace

HeldLine::HeldLine(PlotMaskDc& masks, LineMemory& memory) : masks_(masks), memory_(memory), runs_(*this)
{
    memory_.held += Bytes();
}

HeldLine::~HeldLine()
{
    memory_.held -= Bytes();
}

void HeldLine::Add(int x1, int y1, int x2, int y2)
{
    const long long before = EndBytes(ends_);
    ends_.push_back(POINT{x1, y1});
    ends_.push_back(POINT{x2, y2});
    memory_.held += EndBytes(ends_) - before;
    if (mask_ && ends_.size() >= kMaskBatchEnds)
        DrawIntoMask();
    else if (!mask_ && static_cast<long long>(ends_.size() * sizeof(POINT)) > masks_.MaskBytes())
        ToMask();
}

void HeldLine::Flush()
{
    runs_.Flush();
    if (mask_)
        DrawIntoMask();
}

void HeldLine::Draw(HDC dc, SolidPens& pens, COLORREF color) const
{
    if (mask_) {
        masks_.Paint(*mask_, dc, color);
        return;
    }
    pens.Select(color);
    DrawSegments(dc, ends_.data(), static_cast<int>(ends_.size() / 2));
}

long long HeldLine::Bytes() const
{
    return static_cast<long long>(sizeof(HeldLine)) + EndBytes(ends_) + (mask_ ? masks_.MaskBytes() : 0);
}

// The segments so far drawn into a mask of the line's own, which takes its further ones.
void HeldLine::ToMask()
{
    mask_ = masks_.NewMask();
    memory_.held += masks_.MaskBytes();
    DrawIntoMask();
    const long long before = EndBytes(ends_);
    std::vector<POINT>().swap(ends_);
    ends_.reserve(kMaskBatchEnds);
    memory_.held += EndBytes(ends_) - before;
}

void HeldLine::DrawIntoMask()
{
    masks_.DrawSegments(*mask_, ends_.data(), static_cast<int>(ends_.size() / 2));
    ends_.clear();
}
