// Shared by the common dialogs: the last error, template lookup for a
// caller's custom template, and the items the dialogs are built from.
#pragma once

#include <string>

#include "platform/comdlg/commdlg.h"
#include "platform/kernel/winbase.h"

namespace win32::comdlg {

void SetError(DWORD error);

// The Japanese desktop's dialog font, for the dialogs' own templates.
inline constexpr const char* kDialogFace = "ＭＳ Ｐゴシック";
inline constexpr WORD kDialogPoints = 9;

DLGITEMTEMPLATE Item(const char* cls, const std::string& text, int id, DWORD style, short x, short y, short cx,
                     short cy);

// The caller's custom template: with the template-handle flag the handle
// itself, with the template flag the named one; null when neither flag is
// set. Reports CDERR_FINDRESFAILURE when the named one does not exist.
const DLGTEMPLATE* CustomTemplate(bool byHandle, bool byName, HINSTANCE instance, LPCSTR name, bool* failed);

// The dialogs behind the entry points, once the structure has been checked.
BOOL ChooseColorDialog(LPCHOOSECOLORA cc);
BOOL ChooseFontDialog(LPCHOOSEFONTA cf);
BOOL PrintDialog(LPPRINTDLGA pd);

}  // namespace win32::comdlg
