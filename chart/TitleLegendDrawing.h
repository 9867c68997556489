// Counting for the legend.
#pragma once

class XChart;

// The series whose visible flag is exactly 1.
int CountVisibleSeries(const XChart& chart);
