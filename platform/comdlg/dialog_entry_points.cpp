// The entry points of the font, colour and print dialogs: the structure's
// size and limits are checked before the dialog runs.
#include "platform/comdlg/comdlg_internal.h"

namespace win32 {

namespace {

// Without a structure there is nothing to initialise.
BOOL NoStructure() {
    comdlg::SetError(CDERR_INITIALIZATION);
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
    if (!cf) return NoStructure();
    if (!SizeIs(cf->lStructSize, sizeof(CHOOSEFONTA))) return FALSE;
    if ((cf->Flags & CF_LIMITSIZE) && cf->nSizeMax && cf->nSizeMax < cf->nSizeMin) {
        comdlg::SetError(CFERR_MAXLESSTHANMIN);
        return FALSE;
    }
    return comdlg::ChooseFontDialog(cf);
}

BOOL ChooseColorA(LPCHOOSECOLORA cc) {
    comdlg::SetError(0);
    if (!cc) return NoStructure();
    if (!SizeIs(cc->lStructSize, sizeof(CHOOSECOLORA))) return FALSE;
    return comdlg::ChooseColorDialog(cc);
}

BOOL PrintDlgA(LPPRINTDLGA pd) {
    comdlg::SetError(0);
    if (!pd) return NoStructure();
    if (!SizeIs(pd->lStructSize, sizeof(PRINTDLGA))) return FALSE;
    return comdlg::PrintDialog(pd);
}

}  // namespace win32
