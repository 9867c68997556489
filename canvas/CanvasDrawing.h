// Drawing on a canvas's device context beyond what XCanvas offers: clipping to a rectangle
// and text turned by an angle.
#pragma once

#include <windows.h>

class XCanvas;

// Drops any earlier clip region, then clips to the rectangle.
void ClipToRect(HDC dc, int left, int top, int right, int bottom);
void ClearClip(HDC dc);

// Draws the text in a turned copy of the canvas's current font: angle in degrees,
// counter-clockwise, cut to whole degrees; (x, y) is the top left of the unturned cell.
void DrawRotatedText(XCanvas& canvas, int x, int y, double angle, const char* text);
