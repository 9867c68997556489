// Text turned by an angle, as the vertical axis caption is drawn.
#pragma once

class XCanvas;

// Draws the text in a turned copy of the canvas's current font: angle in degrees,
// counter-clockwise, cut to whole degrees; (x, y) is the top left of the unturned cell.
void DrawRotatedText(XCanvas& canvas, int x, int y, double angle, const char* text);
