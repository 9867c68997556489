// Plain descriptions of what the canvas creates.
#include "canvas/CanvasRecords.h"

FontSpec::FontSpec(const char* face, int pointSize, COLORREF textColor, int bold, int italic, int underline,
                   int strikeOut)
    : pointSize(pointSize), textColor(textColor), bold(bold), italic(italic), underline(underline),
      strikeOut(strikeOut)
{
    // A longer face name is cut to the 31 characters the record holds.
    lstrcpynA(faceName, face ? face : "", kFaceNameSize);
}
