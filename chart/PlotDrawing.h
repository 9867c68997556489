// Clipping of the device context to a rectangle, for the plot's interior.
#pragma once

#include <windows.h>

// Drops any earlier clip region, then clips to the rectangle.
void ClipToRect(HDC dc, int left, int top, int right, int bottom);
void ClearClip(HDC dc);
