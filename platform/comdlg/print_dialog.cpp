// PrintDlgA: the print dialog and, with PD_PRINTSETUP, the printer setup
// dialog over the printer list; PD_RETURNDEFAULT answers without a window.
// The choice comes back as new DEVMODEA and DEVNAMES blocks, the flags,
// pages and copies, and a device context when one is asked for.
#include <string>

#include "platform/comdlg/print_dialog.h"
#include "platform/print/paper.h"

namespace win32 {
namespace comdlg {

namespace {

constexpr const char* kStateProp = "comdlg.PrintDlg";

PrintState* StateOf(HWND dialog) { return static_cast<PrintState*>(GetPropA(dialog, kStateProp)); }

int PrinterCombo(const PrintState& s) { return s.setup ? cmb1 : cmb4; }

void ShowPrinterDetails(HWND dialog, const PrintState& s) {
    const print::PrinterEntry& p = *s.printer;
    std::string kind = p.kind == print::PrinterKind::Pdf ? "PDF ファイル" : p.driver;
    SetDlgItemTextA(dialog, stc1, kind.c_str());
    SetDlgItemTextA(dialog, stc2, p.location.empty() ? p.port.c_str() : p.location.c_str());
    SetDlgItemTextA(dialog, stc3, p.comment.c_str());
}

void FillPrinters(HWND dialog, const PrintState& s) {
    HWND combo = GetDlgItem(dialog, PrinterCombo(s));
    const auto& all = print::Printers();
    for (std::size_t i = 0; i < all.size(); ++i) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(all[i].name.c_str()));
        if (&all[i] == s.printer) SendMessageA(combo, CB_SETCURSEL, i, 0);
    }
}

void FillPapers(HWND dialog, const PrintState& s) {
    HWND combo = GetDlgItem(dialog, cmb2);
    if (!combo) return;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const print::PaperInfo& paper : print::Papers()) {
        LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paper.name));
        SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), paper.code);
        if (paper.code == s.settings.paperCode) SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
    HWND source = GetDlgItem(dialog, cmb3);
    SendMessageA(source, CB_RESETCONTENT, 0, 0);
    SendMessageA(source, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("自動選択"));
    SendMessageA(source, CB_SETCURSEL, 0, 0);
}

void ShowSettings(HWND dialog, const PrintState& s) {
    const PRINTDLGA& pd = *s.pd;
    ShowPrinterDetails(dialog, s);
    if (s.setup) {
        FillPapers(dialog, s);
        CheckRadioButton(dialog, rad1, rad2, s.settings.Landscape() ? rad2 : rad1);
        return;
    }
    int range = (pd.Flags & PD_PAGENUMS) ? rad3 : (pd.Flags & PD_SELECTION) ? rad2 : rad1;
    CheckRadioButton(dialog, rad1, rad3, range);
    SetDlgItemInt(dialog, edt1, pd.nFromPage, FALSE);
    SetDlgItemInt(dialog, edt2, pd.nToPage, FALSE);
    const int copies = (pd.Flags & PD_USEDEVMODECOPIES) ? s.settings.copies : (pd.nCopies ? pd.nCopies : 1);
    SetDlgItemInt(dialog, edt3, static_cast<UINT>(copies), FALSE);
    CheckDlgButton(dialog, chx1, (pd.Flags & PD_PRINTTOFILE) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, chx2, (pd.Flags & PD_COLLATE) ? BST_CHECKED : BST_UNCHECKED);
}

BOOL OnInit(HWND dialog, PrintState& s) {
    SetPropA(dialog, kStateProp, &s);
    FillPrinters(dialog, s);
    ShowSettings(dialog, s);
    return TRUE;
}

void OnPrinterChosen(HWND dialog, PrintState& s) {
    LRESULT at = SendDlgItemMessageA(dialog, PrinterCombo(s), CB_GETCURSEL, 0, 0);
    const auto& all = print::Printers();
    if (at < 0 || static_cast<std::size_t>(at) >= all.size() || &all[static_cast<std::size_t>(at)] == s.printer) return;
    // The new printer starts from its own defaults, keeping the page's shape.
    print::PrintSettings kept = s.settings;
    s.printer = &all[static_cast<std::size_t>(at)];
    s.settings = print::DefaultSettings(*s.printer);
    s.settings.orientation = kept.orientation;
    if (print::FindPaper(kept.paperCode)) {
        s.settings.paperCode = kept.paperCode;
        s.settings.paperWidth = kept.paperWidth;
        s.settings.paperLength = kept.paperLength;
    }
    ShowPrinterDetails(dialog, s);
    if (s.setup) FillPapers(dialog, s);
}

bool ReadPageRange(HWND dialog, PrintState& s) {
    PRINTDLGA& pd = *s.pd;
    if (IsDlgButtonChecked(dialog, rad3) != BST_CHECKED) return true;
    BOOL okFrom = FALSE, okTo = FALSE;
    UINT from = GetDlgItemInt(dialog, edt1, &okFrom, FALSE);
    UINT to = GetDlgItemInt(dialog, edt2, &okTo, FALSE);
    if (!okTo) to = from;
    if (!okFrom || from < pd.nMinPage || to > pd.nMaxPage || from > to) {
        std::string text = "ページ範囲は " + std::to_string(pd.nMinPage) + " から " + std::to_string(pd.nMaxPage) +
                           " までの値を指定してください。";
        MessageBoxA(dialog, text.c_str(), "印刷", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, edt1));
        return false;
    }
    pd.nFromPage = static_cast<WORD>(from);
    pd.nToPage = static_cast<WORD>(to);
    return true;
}

bool ReadChoice(HWND dialog, PrintState& s) {
    PRINTDLGA& pd = *s.pd;
    if (s.setup) {
        s.settings.orientation = IsDlgButtonChecked(dialog, rad2) == BST_CHECKED ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        LRESULT at = SendDlgItemMessageA(dialog, cmb2, CB_GETCURSEL, 0, 0);
        if (at >= 0) {
            auto code = static_cast<SHORT>(SendDlgItemMessageA(dialog, cmb2, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
            if (const print::PaperInfo* paper = print::FindPaper(code)) {
                s.settings.paperCode = paper->code;
                s.settings.paperWidth = paper->width;
                s.settings.paperLength = paper->length;
            }
        }
        return true;
    }
    if (!ReadPageRange(dialog, s)) return false;
    BOOL ok = FALSE;
    UINT copies = GetDlgItemInt(dialog, edt3, &ok, FALSE);
    if (!ok || copies == 0) copies = 1;
    if (copies > static_cast<UINT>(print::kMaxCopies)) copies = print::kMaxCopies;
    DWORD flags = pd.Flags & ~(PD_PAGENUMS | PD_SELECTION | PD_PRINTTOFILE | PD_COLLATE);
    if (IsDlgButtonChecked(dialog, rad3) == BST_CHECKED) flags |= PD_PAGENUMS;
    else if (IsDlgButtonChecked(dialog, rad2) == BST_CHECKED) flags |= PD_SELECTION;
    if (IsDlgButtonChecked(dialog, chx1) == BST_CHECKED) flags |= PD_PRINTTOFILE;
    const bool collate = IsDlgButtonChecked(dialog, chx2) == BST_CHECKED;
    if (collate) flags |= PD_COLLATE;
    pd.Flags = flags;
    // The copies go into the device mode when the caller asks; otherwise
    // the caller makes them and the device mode prints one.
    if (pd.Flags & PD_USEDEVMODECOPIES) {
        s.settings.copies = static_cast<SHORT>(copies);
        pd.nCopies = 1;
    } else {
        s.settings.copies = 1;
        pd.nCopies = static_cast<WORD>(copies);
    }
    return true;
}

INT_PTR OnCommand(HWND dialog, PrintState& s, WORD id, WORD code) {
    if (id == PrinterCombo(s)) {
        if (code == CBN_SELCHANGE) OnPrinterChosen(dialog, s);
        return TRUE;
    }
    switch (id) {
        case IDOK:
            if (ReadChoice(dialog, s)) EndDialog(dialog, TRUE);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, FALSE); return TRUE;
        case edt1:
        case edt2:
            // Typing a page number chooses the page range.
            if (code == EN_CHANGE && GetFocus() == GetDlgItem(dialog, id)) CheckRadioButton(dialog, rad1, rad3, rad3);
            return TRUE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK PrintProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    PrintState* s = msg == WM_INITDIALOG ? reinterpret_cast<PrintState*>(lParam) : StateOf(dialog);
    if (!s) return FALSE;
    PRINTDLGA* pd = s->pd;
    LPPRINTHOOKPROC hook = nullptr;
    if (s->setup && (pd->Flags & PD_ENABLESETUPHOOK)) hook = pd->lpfnSetupHook;
    if (!s->setup && (pd->Flags & PD_ENABLEPRINTHOOK)) hook = pd->lpfnPrintHook;
    if (hook && msg != WM_INITDIALOG && hook(dialog, msg, wParam, lParam)) return TRUE;
    switch (msg) {
        case WM_INITDIALOG: {
            BOOL r = OnInit(dialog, *s);
            return hook ? static_cast<INT_PTR>(hook(dialog, msg, wParam, reinterpret_cast<LPARAM>(pd))) : r;
        }
        case WM_COMMAND: return OnCommand(dialog, *s, LOWORD(wParam), HIWORD(wParam));
        case WM_NCDESTROY: RemovePropA(dialog, kStateProp); return FALSE;
        default: return FALSE;
    }
}

bool CheckFlags(const PRINTDLGA& pd) {
    if (((pd.Flags & PD_ENABLEPRINTHOOK) && !pd.lpfnPrintHook) || ((pd.Flags & PD_ENABLESETUPHOOK) && !pd.lpfnSetupHook)) {
        SetError(CDERR_NOHOOK);
        return false;
    }
    if (pd.hwndOwner && !IsWindow(pd.hwndOwner)) {
        SetError(CDERR_DIALOGFAILURE);
        return false;
    }
    if ((pd.Flags & PD_RETURNDEFAULT) && (pd.hDevMode || pd.hDevNames)) {
        SetError(PDERR_RETDEFFAILURE);
        return false;
    }
    if ((pd.Flags & PD_PAGENUMS) && pd.nMinPage > pd.nMaxPage) {
        SetError(CDERR_INITIALIZATION);
        return false;
    }
    return true;
}

}  // namespace

BOOL PrintDialog(LPPRINTDLGA pd) {
    if (!CheckFlags(*pd)) return FALSE;
    if (print::Printers().empty()) {
        SetError(PDERR_NODEFAULTPRN);
        return FALSE;
    }
    PrintState state;
    state.pd = pd;
    state.setup = (pd->Flags & PD_PRINTSETUP) != 0;
    TakeCallerBlocks(state);
    pd->hDC = nullptr;
    if (!(pd->Flags & PD_RETURNDEFAULT)) {
        const bool byHandle = (pd->Flags & (state.setup ? PD_ENABLESETUPTEMPLATEHANDLE : PD_ENABLEPRINTTEMPLATEHANDLE)) != 0;
        const bool byName = (pd->Flags & (state.setup ? PD_ENABLESETUPTEMPLATE : PD_ENABLEPRINTTEMPLATE)) != 0;
        HINSTANCE handle = reinterpret_cast<HINSTANCE>(state.setup ? pd->hSetupTemplate : pd->hPrintTemplate);
        bool failed = false;
        const DLGTEMPLATE* custom = CustomTemplate(byHandle, byName, byHandle ? handle : pd->hInstance,
                                                   state.setup ? pd->lpSetupTemplateName : pd->lpPrintTemplateName,
                                                   &failed);
        if (failed) return FALSE;
        DLGTEMPLATE own = state.setup ? PrintSetupTemplate() : PrintTemplate(pd->Flags);
        INT_PTR result = DialogBoxIndirectParamA(nullptr, custom ? custom : &own, pd->hwndOwner, PrintProc,
                                                 reinterpret_cast<LPARAM>(&state));
        if (result < 0) {
            SetError(CDERR_DIALOGFAILURE);
            return FALSE;
        }
        if (result != TRUE) return FALSE;
    }
    if (!WriteCallerBlocks(state)) {
        SetError(CDERR_MEMALLOCFAILURE);
        return FALSE;
    }
    MakeDeviceContext(state);
    return TRUE;
}

}  // namespace comdlg
}  // namespace win32
