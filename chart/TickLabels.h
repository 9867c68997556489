// The text of a tick label, as the layout measures it and the axes print it.
#pragma once

class XDblList;
class XString;

// Tick values from this magnitude up are printed in exponent form: their fixed-point
// digits beyond the sixteenth are noise, and a hundred of them would fill the picture.
constexpr double kExponentLabelsFrom = 1e15;

// The label of tick `index`: below kExponentLabelsFrom the six-decimal fixed-point text of
// XString::SetDouble (cut after `decimals` decimals when above 0, trailing zeros trimmed),
// except that a label reading "-0" reads "0". From it up, the short exponent form
// ("1e+100", "2.5e+15") with as many significant digits (6 to 17) as tell the tick from
// its neighbours.
void SetTickLabel(XString& label, const XDblList& ticks, int index, int decimals);
