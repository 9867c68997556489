// XCanvas on real memory DCs: what it selects, what it restores, what it deletes.
#include "canvas/GdiObjects.h"
#include "canvas/XCanvas.h"
#include "tests/support/GdiTestDc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool IsLiveObject(HGDIOBJ handle)
{
    return GetObjectType(handle) != 0;
}

// The state of a DC that a canvas must give back on detaching.
struct DcState {
    HGDIOBJ pen;
    HGDIOBJ brush;
    HGDIOBJ font;
    int bkMode;
    COLORREF bkColor;
    COLORREF textColor;

    explicit DcState(HDC dc)
        : pen(GetCurrentObject(dc, OBJ_PEN)), brush(GetCurrentObject(dc, OBJ_BRUSH)),
          font(GetCurrentObject(dc, OBJ_FONT)), bkMode(GetBkMode(dc)), bkColor(GetBkColor(dc)),
          textColor(GetTextColor(dc))
    {
    }

    void ExpectEqual(const DcState& other) const
    {
        EXPECT_EQ(pen, other.pen);
        EXPECT_EQ(brush, other.brush);
        EXPECT_EQ(font, other.font);
        EXPECT_EQ(bkMode, other.bkMode);
        EXPECT_EQ(bkColor, other.bkColor);
        EXPECT_EQ(textColor, other.textColor);
    }
};

// The DC, given a state that differs from every default, so a restore to "defaults" would show.
HDC WithOwnState(HDC dc)
{
    SelectObject(dc, GetStockObject(WHITE_PEN));
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, 0x123456);
    SetTextColor(dc, 0x654321);
    return dc;
}

// A test DC with a state of its own, which every canvas must give back.
class CanvasOnDc : public ::testing::Test {
protected:
    void ExpectDcRestored() const { before.ExpectEqual(DcState(target.dc())); }

    GdiTestDc target{16, 16};
    const DcState before{WithOwnState(target.dc())};
};

TEST_F(CanvasOnDc, AttachSelectsAndDetachRestoresEverything)
{
    {
        XCanvas canvas;
        for (HGDIOBJ owned : {HGDIOBJ(canvas.pen), HGDIOBJ(canvas.brush), HGDIOBJ(canvas.font)})
            EXPECT_TRUE(IsLiveObject(owned)) << "made before any DC";
        canvas.Attach(target.dc());
        DcState attached(target.dc());
        EXPECT_EQ(attached.pen, canvas.pen);
        EXPECT_EQ(attached.brush, canvas.brush);
        EXPECT_EQ(attached.font, canvas.font);
        EXPECT_EQ(attached.bkMode, OPAQUE);
        EXPECT_EQ(attached.bkColor, 0xFFFFFFu);
        EXPECT_EQ(attached.textColor, 0u);

        canvas.SetPen(0x0000FF, PS_DOT, 1);
        canvas.SetBrush(0x00FF00, BS_HATCHED, HS_CROSS);
        canvas.SetFont(FontSpec("Arial", 12, 0xFF0000, 1, 0, 0, 0));
        canvas.Attach(nullptr);
        ExpectDcRestored();
        EXPECT_TRUE(IsLiveObject(canvas.pen));   // still owned after detaching
    }
    ExpectDcRestored();
}

TEST_F(CanvasOnDc, DestroyedWhileAttachedStillRestoresTheDc)
{
    {
        XCanvas canvas;
        canvas.Attach(target.dc());
        canvas.SetBrush(0x00FF00, BS_SOLID, 0);
    }
    ExpectDcRestored();
}

TEST_F(CanvasOnDc, AttachingTheSameDcTwiceChangesNothing)
{
    XCanvas canvas;
    canvas.Attach(target.dc());
    HGDIOBJ saved = canvas.savedPen;
    canvas.Attach(target.dc());
    EXPECT_EQ(canvas.savedPen, saved);
    EXPECT_EQ(GetCurrentObject(target.dc(), OBJ_PEN), canvas.pen);
    canvas.Attach(nullptr);
    canvas.Attach(nullptr);
    ExpectDcRestored();
}

TEST_F(CanvasOnDc, AttachingASecondDcRestoresTheFirst)
{
    GdiTestDc second(8, 8);
    DcState secondBefore(second.dc());
    XCanvas canvas;
    canvas.Attach(target.dc());
    canvas.Attach(second.dc());
    ExpectDcRestored();
    EXPECT_EQ(GetCurrentObject(second.dc(), OBJ_PEN), canvas.pen);
    canvas.Attach(nullptr);
    secondBefore.ExpectEqual(DcState(second.dc()));
}

struct BrushCase {
    int style;
    int hatch;
    int bkMode;
};

TEST(XCanvas, BrushStyleSetsTheBackgroundMode)
{
    const BrushCase cases[] = {
        {BS_SOLID, 0, OPAQUE},
        {BS_NULL, 0, TRANSPARENT},
        {BS_HATCHED, HS_DIAGCROSS, TRANSPARENT},
    };
    CanvasOnTestDc on(8, 8);
    for (const BrushCase& c : cases) {
        SCOPED_TRACE(c.style);
        on.canvas.SetBrush(0x336699, c.style, c.hatch);
        EXPECT_EQ(GetBkMode(on.target.dc()), c.bkMode);
        EXPECT_EQ(GetBkColor(on.target.dc()), 0x336699u);
        EXPECT_EQ(on.canvas.bkMode, c.bkMode);
    }
}

// The font at the screen's resolution; only bold 1 is bold, only italic's low byte counts.
TEST(XCanvas, SetFontMakesTheDescribedFont)
{
    XCanvas canvas;
    const std::pair<int, LONG> cases[] = {{0, FW_NORMAL}, {1, FW_BOLD}, {2, FW_NORMAL}, {-1, FW_NORMAL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        canvas.SetFont(FontSpec("Arial", 8, 0, c.first, 0x100, 0, 0));
        LOGFONTA font = {};
        ASSERT_EQ(GetObjectA(canvas.font, sizeof font, &font), static_cast<int>(sizeof font));
        EXPECT_EQ(font.lfWeight, c.second);
        EXPECT_EQ(font.lfItalic, 0);
        EXPECT_EQ(font.lfHeight, FontHeight(8, ScreenDpiY()));
        EXPECT_STREQ(font.lfFaceName, "Arial");
    }
}

TEST(GdiObjects, FontHeightRoundsTowardMinusInfinity)
{
    const struct {
        int points;
        int dpi;
        int height;
    } cases[] = {{8, 96, -11}, {10, 96, -14}, {8, 120, -14}, {12, 96, -16}, {14, 96, -19},
                 {0, 96, 0},   {-8, 96, 10},  {12, 72, -12}};
    for (const auto& c : cases)
        EXPECT_EQ(FontHeight(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi;
}

TEST(XCanvas, DetachedCanvasMeasuresAndDrawsNothing)
{
    GdiTestDc former(8, 8);
    XCanvas canvas;
    canvas.Attach(former.dc());   // and detached again: the DC it held must see no drawing
    canvas.Attach(nullptr);
    former.Fill(0xFFFFFF);
    canvas.SetPen(0x0000FF, PS_SOLID, 3);
    canvas.SetBrush(0x00FF00, BS_SOLID, 0);
    EXPECT_EQ(canvas.TextWidth("Wg"), 0);
    EXPECT_EQ(canvas.TextHeight("Wg"), 0);
    EXPECT_EQ(canvas.DrawRect(0, 0, 5, 5), 0);
    canvas.MoveTo(1, 1);
    EXPECT_EQ(canvas.LineTo(5, 5), 0);
    canvas.DrawString(0, 0, "x");
    canvas.FillRect(RECT{0, 0, 4, 4});
    for (COLORREF pixel : former.Pixels())
        ASSERT_EQ(pixel, 0xFFFFFFu);
}

TEST(XCanvas, AttachedCanvasMeasuresText)
{
    CanvasOnTestDc on(8, 8);
    EXPECT_GT(on.canvas.TextHeight("Wg"), 8);
    EXPECT_GT(on.canvas.TextWidth("WWW"), on.canvas.TextWidth("W"));
    EXPECT_EQ(on.canvas.TextWidth(""), 0);
}

TEST(XCanvas, DrawStringInRectPaintsTheWholeRectangle)
{
    CanvasOnTestDc on(60, 30, 0x000000);
    on.canvas.SetBrush(0x00FF00, BS_SOLID, 0);
    on.canvas.DrawStringInRect(RECT{10, 5, 50, 25}, 12, 6, "");
    EXPECT_EQ(on.target.Pixel(10, 5), 0x00FF00u);
    EXPECT_EQ(on.target.Pixel(49, 24), 0x00FF00u);
    EXPECT_EQ(on.target.Pixel(50, 24), 0x000000u);
    EXPECT_EQ(on.target.Pixel(9, 5), 0x000000u);
}

TEST(XCanvas, PrimitivesDrawWithPenAndBrush)
{
    CanvasOnTestDc on(20, 20);
    XCanvas& canvas = on.canvas;
    const GdiTestDc& target = on.target;
    canvas.SetPen(0x0000FF, PS_SOLID, 1);
    canvas.SetBrush(0xFF0000, BS_SOLID, 0);
    EXPECT_NE(canvas.DrawRect(2, 2, 10, 10), 0);
    EXPECT_EQ(target.Pixel(2, 2), 0x0000FFu);     // outline
    EXPECT_EQ(target.Pixel(9, 9), 0x0000FFu);     // right and bottom edges are inside
    EXPECT_EQ(target.Pixel(5, 5), 0xFF0000u);     // fill
    EXPECT_EQ(target.Pixel(10, 10), 0xFFFFFFu);
    canvas.MoveTo(0, 15);
    EXPECT_NE(canvas.LineTo(5, 15), 0);
    EXPECT_EQ(target.Pixel(4, 15), 0x0000FFu);
    EXPECT_EQ(target.Pixel(5, 15), 0xFFFFFFu);    // the end point is not drawn
    const POINT points[] = {{12, 0}, {12, 5}, {18, 5}};
    canvas.DrawPolyline(points, 3);
    EXPECT_EQ(target.Pixel(12, 3), 0x0000FFu);
    EXPECT_EQ(target.Pixel(15, 5), 0x0000FFu);
    canvas.SetBrush(0x00FF00, BS_SOLID, 0);
    canvas.FillRect(RECT{14, 14, 16, 16});
    EXPECT_EQ(target.Pixel(15, 15), 0x00FF00u);
    EXPECT_EQ(target.Pixel(16, 16), 0xFFFFFFu);
}

TEST(XCanvas, NoGdiObjectSurvivesManyReplaceCycles)
{
    // Wine reports no per-process GDI object count, so every handle is checked instead.
    GdiTestDc target(8, 8);
    for (int i = 0; i < 500; ++i) {
        auto* canvas = new XCanvas;
        canvas->Attach(target.dc());
        // Each replaced handle is checked before the next creation could reuse its value: a
        // GDI object still selected cannot be deleted. The new one takes effect at once.
        for (int k = 0; k < 4; ++k) {
            HGDIOBJ old = canvas->pen;
            canvas->SetPen(RGB(i, k, 0), k % 3, 1 + k);
            ASSERT_FALSE(IsLiveObject(old));
            ASSERT_EQ(GetCurrentObject(target.dc(), OBJ_PEN), canvas->pen);
            old = canvas->brush;
            canvas->SetBrush(RGB(0, i, k), (k % 2) * BS_HATCHED, HS_CROSS);   // a null brush is a stock object
            ASSERT_FALSE(IsLiveObject(old));
            ASSERT_EQ(GetCurrentObject(target.dc(), OBJ_BRUSH), canvas->brush);
            old = canvas->font;
            canvas->SetFont(FontSpec("Arial", 6 + k, RGB(k, 0, i), k, 0, 0, 0));
            ASSERT_FALSE(IsLiveObject(old));
            ASSERT_EQ(GetCurrentObject(target.dc(), OBJ_FONT), canvas->font);
            ASSERT_EQ(GetTextColor(target.dc()), RGB(k, 0, i));
        }
        canvas->Attach(nullptr);
        HGDIOBJ owned[] = {canvas->pen, canvas->brush, canvas->font};
        delete canvas;
        for (HGDIOBJ handle : owned)
            ASSERT_FALSE(IsLiveObject(handle));
    }
}

}  // namespace
