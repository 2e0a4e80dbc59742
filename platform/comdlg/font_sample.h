// The font dialog's sample: a private control that shows its text in the
// font and colour it is given, centred, as the dialog's "サンプル" box.
#pragma once

#include "platform/comdlg/comdlg_internal.h"

namespace win32::comdlg {

inline constexpr const char* kFontSampleClass = "ComdlgFontSample";

constexpr UINT FSM_SETFONT = WM_USER + 1;   // lParam const LOGFONTA*
constexpr UINT FSM_SETCOLOR = WM_USER + 2;  // wParam COLORREF

void RegisterFontSampleClass();

}  // namespace win32::comdlg
