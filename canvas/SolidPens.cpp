// Solid one-pixel pens, one a colour, selected into a canvas's device context.
#include "canvas/SolidPens.h"

#include "canvas/GdiObjects.h"
#include "canvas/XCanvas.h"

#include <new>

SolidPens::~SolidPens()
{
    if (canvasPen_)
        SelectObject(canvas_.dc, canvasPen_);   // before the pens are deleted
}

void SolidPens::Select(COLORREF color)
{
    const Pen* found = nullptr;
    for (const auto& pen : pens_) {
        if (pen->color == color) {
            found = pen.get();
            break;
        }
    }
    if (!found) {
        std::unique_ptr<Pen> made(new Pen{color, OwnedGdiObject<HPEN>(MakeSolidPen(color))});
        if (!made->handle.get())
            throw std::bad_alloc();
        pens_.push_back(std::move(made));
        found = pens_.back().get();
    }
    HGDIOBJ displaced = SelectObject(canvas_.dc, found->handle.get());
    if (!canvasPen_)
        canvasPen_ = displaced;
}
