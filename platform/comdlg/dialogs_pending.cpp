// The font, colour and print dialogs check what they are given; their
// windows are made of the standard list, combo box and edit controls.
#include "platform/comdlg/comdlg_internal.h"

namespace win32 {

namespace {

// Until those controls are part of the window system the dialogs cannot
// be made, which callers learn as the desktop reports a dialog that could
// not be created.
BOOL CannotShow() {
    comdlg::SetError(CDERR_DIALOGFAILURE);
    return FALSE;
}

bool SizeIs(DWORD size, DWORD expected, DWORD older = 0) {
    if (size == expected || (older && size == older)) return true;
    comdlg::SetError(CDERR_STRUCTSIZE);
    return false;
}

}  // namespace

BOOL ChooseFontA(LPCHOOSEFONTA cf) {
    comdlg::SetError(0);
    if (!cf) return CannotShow();
    if (!SizeIs(cf->lStructSize, sizeof(CHOOSEFONTA))) return FALSE;
    if ((cf->Flags & CF_LIMITSIZE) && cf->nSizeMax && cf->nSizeMax < cf->nSizeMin) {
        comdlg::SetError(CFERR_MAXLESSTHANMIN);
        return FALSE;
    }
    return comdlg::ChooseFontDialog(cf);
}

BOOL ChooseColorA(LPCHOOSECOLORA cc) {
    comdlg::SetError(0);
    if (!cc) return CannotShow();
    if (!SizeIs(cc->lStructSize, sizeof(CHOOSECOLORA))) return FALSE;
    return comdlg::ChooseColorDialog(cc);
}

BOOL PrintDlgA(LPPRINTDLGA pd) {
    comdlg::SetError(0);
    if (!pd) return CannotShow();
    if (!SizeIs(pd->lStructSize, sizeof(PRINTDLGA))) return FALSE;
    return CannotShow();
}

}  // namespace win32
