// Drawing on a canvas's device context beyond what XCanvas offers: clipping to a rectangle,
// segments by the hundred, and text turned by an angle.
#pragma once

#include <windows.h>

class XCanvas;

// Drops any earlier clip region, then clips to the rectangle.
void ClipToRect(HDC dc, int left, int top, int right, int bottom);
void ClearClip(HDC dc);

// Draws the segments whose ends stand in pairs in `ends` (segment i from ends[2i] to
// ends[2i + 1]) with the context's pen, a few hundred to a GDI call; each sets the pixels
// one MoveTo and LineTo would set.
void DrawSegments(HDC dc, const POINT* ends, int segmentCount);

// Draws the text in a turned copy of the canvas's current font: angle in degrees,
// counter-clockwise, cut to whole degrees; (x, y) is the top left of the unturned cell.
void DrawRotatedText(XCanvas& canvas, int x, int y, double angle, const char* text);
