// Resource identifiers of the plug-in module.
#pragma once

#define IDR_MANIFEST 2   // a DLL's own manifest resource

#define IDD_CONFIG 101

#define IDC_IGNORE_FIRST_COL 1000
#define IDC_IGNORE_FIRST_ROW 1001
#define IDC_SHOW_UNITS 1002
#define IDC_FIRST_COL_X 1003
#define IDC_UNIT_X 1004
#define IDC_SEPARATOR 1005
#define IDC_UNIT_Y 1006
#define IDC_DATA_COLS 1007
#define IDC_DATA_ROWS 1008
#define IDC_FIRST_ROW_X 1009
#define IDC_WIDTH 1010
#define IDC_HEIGHT 1011
#define IDC_DETECT_LAYOUT 1012
