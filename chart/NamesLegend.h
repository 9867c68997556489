// The legend of a chart whose series' names are UTF-8 text: each name in its series'
// colour beside a swatch, shortened with an ellipsis to fit a band of at most a quarter of
// the chart's width, and "+N more" in the last row when not every series has a row.
#pragma once

class XChart;

// The right margin the legend needs: the widest name, its swatch and the spacing, at most
// a quarter of the width; the plain 20 pixels when that quarter holds no readable name.
int NamesLegendMargin(const XChart& chart);

// Fills the right band (W - marginRight, marginTop, W, H - marginBottom) and, when it is
// wider than the plain margin, lists the chart's visible series in it.
void DrawNamesLegend(XChart& chart);
