// Small numeric functions shared by axis scaling, layout, drawing and the CSV loader.
// All are defined for every argument: no overflow, no undefined conversion.
#pragma once

int MinInt(int a, int b);
int MaxInt(int a, int b);
double MinDbl(double a, double b);   // b when either is not a number
double MaxDbl(double a, double b);   // b when either is not a number
int DivInt(int a, int b);            // truncated toward zero; 0 for b = 0, saturated for INT_MIN / -1
int AbsInt(int a);                   // INT_MIN gives INT_MAX
double AbsDbl(double a);

// Truncation toward zero and floor, saturated to the 32-bit range; not-a-number gives 0.
int TruncToInt(double x);
int FloorToInt(double x);

// a - b * trunc(a / b), truncating in floating point so that quotients beyond the 32-bit
// range stay exact; a when b is exactly 0.
double ModDbl(double a, double b);

// x rounded down (toward minus infinity) to n decimals: floor(x) + floor(P * (x - floor(x))) / P
// with P = 10^n.
double FloorDecimals(double x, int n);
