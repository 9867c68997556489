// Solid one-pixel pens, one a colour, selected into a canvas's device context.
#include "canvas/SolidPens.h"

#include "canvas/GdiObjects.h"
#include "canvas/XCanvas.h"

#include <new>

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
    if (selected_)
        selected_->Replace(found->handle.get());
    else
        selected_.emplace(canvas_.dc, found->handle.get());
}
