// Solid one-pixel pens for drawing many lines in a few colours: each colour's pen made once.
#pragma once

#include "canvas/GdiOwners.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

class XCanvas;

// Selects its pens into the canvas's device context in place of the canvas's own pen, which
// is selected back before the pens are deleted with their owner. The canvas's pen must not
// change while the owner lives.
class SolidPens {
public:
    explicit SolidPens(XCanvas& canvas) : canvas_(canvas) {}
    ~SolidPens() = default;
    SolidPens(const SolidPens&) = delete;
    SolidPens& operator=(const SolidPens&) = delete;

    // The pen of the colour, as XCanvas::SetPen(color, PS_SOLID, 1) would make it.
    void Select(COLORREF color);

private:
    struct Pen {
        COLORREF color;
        OwnedGdiObject<HPEN> handle;
    };

    XCanvas& canvas_;
    std::vector<std::unique_ptr<Pen>> pens_;
    std::optional<ScopedSelection> selected_;   // after the pens: it lets go of one first
};
