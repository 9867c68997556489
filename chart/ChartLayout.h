// Measuring for the layout of a chart.
#pragma once

class XCanvas;
class XDblList;

// The widest tick label of the values, in pixels, as the axes print them (SetTickLabel);
// 0 for none.
int MaxLabelWidth(const XCanvas& canvas, const XDblList& values, int decimals);

// The text whose height is the chart's text unit.
constexpr char kTextUnitSample[] = "Wg";
