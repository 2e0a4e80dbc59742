// The colour dialog's grids of colour cells (basic and custom colours, and
// the one-cell sample of the colour being made): a private control that
// draws each cell sunken, marks the chosen one, and is worked by mouse and
// arrow keys. It tells its parent with WM_COMMAND.
#pragma once

#include "platform/comdlg/comdlg_internal.h"

namespace win32::comdlg {

inline constexpr const char* kSwatchClass = "ComdlgSwatches";

// Messages to the grid.
constexpr UINT SWM_SETCOLORS = WM_USER + 1;  // wParam MAKEWPARAM(count, columns), lParam const COLORREF*
constexpr UINT SWM_SETSEL = WM_USER + 2;     // wParam index, or -1 for none
constexpr UINT SWM_GETSEL = WM_USER + 3;     // the index chosen, or -1
constexpr UINT SWM_GETCOLOR = WM_USER + 4;   // wParam index: its colour
// Notification codes in WM_COMMAND.
constexpr WORD SWN_SELCHANGE = 1;
constexpr WORD SWN_DBLCLK = 2;

void RegisterSwatchClass();

}  // namespace win32::comdlg
