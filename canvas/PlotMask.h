// One-bit masks of a rectangle of a picture: lines are drawn into them, and each is then
// painted onto the picture in a colour where it is set. A mask takes a bit a pixel, where
// the picture's segments may take far more.
#pragma once

#include "canvas/GdiOwners.h"

#include <windows.h>

#include <memory>

// A top-down bitmap of one bit a pixel, all 0 when made; deleted with its owner.
class PlotMask {
public:
    PlotMask(int width, int height);   // std::bad_alloc when GDI cannot make it
    ~PlotMask() = default;
    PlotMask(const PlotMask&) = delete;
    PlotMask& operator=(const PlotMask&) = delete;

    static long long Bytes(int width, int height);
    HBITMAP Bitmap() const { return bitmap_.get(); }

private:
    OwnedGdiObject<HBITMAP> bitmap_;
};

// The memory context the masks of one rectangle of a picture are made, drawn and painted
// from, a mask at a time: the picture's coordinates hold in it, so that device (0, 0) of a
// mask is the rectangle's top left pixel. No mask stays selected after a call.
class PlotMaskDc {
public:
    explicit PlotMaskDc(const RECT& area);   // std::bad_alloc when GDI cannot make it
    ~PlotMaskDc() = default;
    PlotMaskDc(const PlotMaskDc&) = delete;
    PlotMaskDc& operator=(const PlotMaskDc&) = delete;

    long long MaskBytes() const { return PlotMask::Bytes(Width(), Height()); }
    std::unique_ptr<PlotMask> NewMask() const;

    // Sets the mask's bits the segments cover (see DrawSegments).
    void DrawSegments(const PlotMask& mask, const POINT* ends, int segmentCount);
    // Sets the target's pixels in the rectangle to the colour where the mask is set.
    void Paint(const PlotMask& mask, HDC target, COLORREF color);

private:
    int Width() const { return area_.right - area_.left; }
    int Height() const { return area_.bottom - area_.top; }

    const RECT area_;
    MemoryDc memory_;
    OwnedGdiObject<HPEN> pen_;   // white: it sets bits
    ScopedSelection inPen_;
};
