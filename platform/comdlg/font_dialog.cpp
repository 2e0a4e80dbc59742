// ChooseFontA: the face, style and size lists, the effects (strike-out,
// underline, colour), the character set and the sample; the caller's
// LOGFONTA in (CF_INITTOLOGFONTSTRUCT) and out, with iPointSize, the
// colour, the style name and the font type.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/comdlg/font_dialog.h"
#include "platform/comdlg/font_sample.h"

namespace win32 {
namespace comdlg {

namespace {

constexpr const char* kStateProp = "comdlg.ChooseFont";

FontState* StateOf(HWND dialog) { return static_cast<FontState*>(GetPropA(dialog, kStateProp)); }

DLGTEMPLATE FontTemplate(DWORD flags) {
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | DS_CENTER;
    t.title = "フォント";
    t.typeface = kDialogFace;
    t.pointSize = kDialogPoints;
    t.charset = SHIFTJIS_CHARSET;
    t.cx = 274;
    t.cy = 176;
    const DWORD simple = CBS_SIMPLE | CBS_AUTOHSCROLL | CBS_HASSTRINGS | CBS_DISABLENOSCROLL | WS_VSCROLL | WS_TABSTOP |
                         WS_GROUP;
    const DWORD list = CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
    t.items = {
        Item("STATIC", "フォント名(&F):", stc1, SS_LEFT, 6, 3, 94, 9),
        Item("COMBOBOX", "", cmb1, simple | ((flags & CF_NOFACESEL) ? WS_DISABLED : 0), 6, 13, 94, 56),
        Item("STATIC", "スタイル(&Y):", stc2, SS_LEFT, 108, 3, 64, 9),
        Item("COMBOBOX", "", cmb2, simple | ((flags & CF_NOSTYLESEL) ? WS_DISABLED : 0), 108, 13, 64, 56),
        Item("STATIC", "サイズ(&S):", stc3, SS_LEFT, 179, 3, 32, 9),
        Item("COMBOBOX", "", cmb3, simple | ((flags & CF_NOSIZESEL) ? WS_DISABLED : 0), 179, 13, 32, 56),
        Item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 218, 6, 50, 14),
        Item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 218, 23, 50, 14),
    };
    if (flags & CF_APPLY)
        t.items.push_back(Item("BUTTON", "適用(&A)", psh3, BS_PUSHBUTTON | WS_TABSTOP, 218, 40, 50, 14));
    if (flags & CF_SHOWHELP)
        t.items.push_back(Item("BUTTON", "ヘルプ(&H)", pshHelp, BS_PUSHBUTTON | WS_TABSTOP, 218, 57, 50, 14));
    if (flags & CF_EFFECTS) {
        t.items.push_back(Item("BUTTON", "文字飾り", grp1, BS_GROUPBOX | WS_GROUP, 6, 74, 84, 68));
        t.items.push_back(Item("BUTTON", "取り消し線(&K)", chx1, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 12, 86, 74, 10));
        t.items.push_back(Item("BUTTON", "下線(&U)", chx2, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 12, 100, 74, 10));
        t.items.push_back(Item("STATIC", "色(&C):", stc4, SS_LEFT, 12, 114, 30, 9));
        t.items.push_back(Item("COMBOBOX", "", cmb4, list | CBS_OWNERDRAWFIXED, 12, 124, 72, 120));
    }
    t.items.push_back(Item("BUTTON", "サンプル", grp2, BS_GROUPBOX | WS_GROUP, 98, 74, 170, 46));
    t.items.push_back(Item(kFontSampleClass, "Aaあぁアァ亜宇", stc5, SS_NOPREFIX, 104, 84, 158, 32));
    t.items.push_back(Item("STATIC", "文字セット(&R):", stc7, SS_LEFT, 98, 124, 64, 9));
    t.items.push_back(Item("COMBOBOX", "", cmb5, list | ((flags & CF_NOSCRIPTSEL) ? WS_DISABLED : 0), 98, 134, 170, 80));
    t.items.push_back(Item("STATIC", "TrueType フォントです。画面とプリンタの両方で使用されます。", stc6,
                           SS_LEFT | SS_NOPREFIX, 6, 154, 262, 18));
    return t;
}

// The caller's font (CF_INITTOLOGFONTSTRUCT) or the desktop's default.
void TakeInitialFont(FontState& s) {
    const CHOOSEFONTA& cf = *s.cf;
    std::string face = "ＭＳ Ｐゴシック";
    if ((cf.Flags & CF_INITTOLOGFONTSTRUCT) && cf.lpLogFont) {
        const LOGFONTA& lf = *cf.lpLogFont;
        face.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
        s.style = StyleOf(lf);
        if (lf.lfHeight != 0) {
            // A positive height is the cell, which the desktop takes as the size too.
            s.tenths = MulDiv(std::abs(lf.lfHeight), 720, 96);
            s.tenths = (s.tenths + 5) / 10 * 10;
        }
        s.underline = lf.lfUnderline != 0;
        s.strikeOut = lf.lfStrikeOut != 0;
        s.charSet = lf.lfCharSet;
    }
    if ((cf.Flags & CF_USESTYLE) && cf.lpszStyle) {
        for (int style = 0; style < 4; ++style) {
            if (std::strcmp(cf.lpszStyle, StyleName(style)) == 0) s.style = style;
        }
    }
    if (cf.Flags & CF_EFFECTS) s.color = cf.rgbColors & 0x00FFFFFF;
    s.face = FindFace(s, face);
    if (s.face < 0 && face.empty()) s.face = FindFace(s, "ＭＳ Ｐゴシック");
}

BOOL OnInit(HWND dialog, FontState& s) {
    SetPropA(dialog, kStateProp, &s);
    TakeInitialFont(s);
    FillFaces(dialog, s);
    FillStyles(dialog, s);
    FillSizes(dialog, s);
    FillCharSets(dialog, s);
    FillColors(dialog, s);
    CheckDlgButton(dialog, chx1, s.strikeOut ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, chx2, s.underline ? BST_CHECKED : BST_UNCHECKED);
    UpdateSample(dialog, s);
    return TRUE;
}

std::string ComboText(HWND combo) {
    char text[LF_FACESIZE * 2] = {};
    GetWindowTextA(combo, text, sizeof text);
    return text;
}

LPARAM SelectedData(HWND dialog, int id, LPARAM fallback) {
    HWND combo = GetDlgItem(dialog, id);
    LRESULT at = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return at < 0 ? fallback : SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
}

void OnFaceChanged(HWND dialog, FontState& s, bool typed) {
    int face = typed ? FindFace(s, ComboText(GetDlgItem(dialog, cmb1)))
                     : static_cast<int>(SelectedData(dialog, cmb1, s.face));
    if (face < 0 || face == s.face) return;
    s.face = face;
    FillCharSets(dialog, s);
    UpdateSample(dialog, s);
}

// A size typed or chosen, in tenths; 0 when the text is no size.
int TypedTenths(HWND dialog) {
    std::string text = ComboText(GetDlgItem(dialog, cmb3));
    char* end = nullptr;
    double points = std::strtod(text.c_str(), &end);
    if (text.empty() || !end || *end != '\0' || points <= 0 || points > 1638) return 0;
    return static_cast<int>(std::lround(points * 10));
}

void OnSizeChanged(HWND dialog, FontState& s, bool typed) {
    int tenths = typed ? TypedTenths(dialog) : static_cast<int>(SelectedData(dialog, cmb3, 0));
    if (tenths <= 0) return;
    s.tenths = tenths;
    UpdateSample(dialog, s);
}

void ReadEffects(HWND dialog, FontState& s) {
    s.strikeOut = IsDlgButtonChecked(dialog, chx1) == BST_CHECKED;
    s.underline = IsDlgButtonChecked(dialog, chx2) == BST_CHECKED;
    if (GetDlgItem(dialog, cmb4)) s.color = static_cast<COLORREF>(SelectedData(dialog, cmb4, static_cast<LPARAM>(s.color)));
    if (GetDlgItem(dialog, cmb5)) s.charSet = static_cast<BYTE>(SelectedData(dialog, cmb5, s.charSet));
    UpdateSample(dialog, s);
}

// The size field must hold a size within the limits; a face must be
// chosen when CF_FORCEFONTEXIST asks.
bool Validate(HWND dialog, FontState& s) {
    const CHOOSEFONTA& cf = *s.cf;
    int tenths = TypedTenths(dialog);
    if (tenths <= 0) {
        MessageBoxA(dialog, "サイズには数値を指定してください。", "フォント", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, cmb3));
        return false;
    }
    if ((cf.Flags & CF_LIMITSIZE) &&
        ((cf.nSizeMin && tenths < cf.nSizeMin * 10) || (cf.nSizeMax && tenths > cf.nSizeMax * 10))) {
        std::string text = "サイズは " + std::to_string(cf.nSizeMin) + " から " + std::to_string(cf.nSizeMax) +
                           " ポイントの間で指定してください。";
        MessageBoxA(dialog, text.c_str(), "フォント", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, cmb3));
        return false;
    }
    s.tenths = tenths;
    int face = FindFace(s, ComboText(GetDlgItem(dialog, cmb1)));
    if (face >= 0) s.face = face;
    else if (cf.Flags & CF_FORCEFONTEXIST) {
        MessageBoxA(dialog, "この名前のフォントはありません。\nフォントの一覧から選んでください。", "フォント",
                    MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, cmb1));
        return false;
    }
    return s.face >= 0;
}

void WriteResult(FontState& s) {
    CHOOSEFONTA& cf = *s.cf;
    LOGFONTA lf = ChosenLogFont(s);
    if (cf.lpLogFont) *cf.lpLogFont = lf;
    cf.iPointSize = s.tenths;
    if (cf.Flags & CF_EFFECTS) cf.rgbColors = s.color;
    cf.nFontType = static_cast<WORD>(SCREEN_FONTTYPE | ((s.style & 2) ? BOLD_FONTTYPE : REGULAR_FONTTYPE) |
                                     ((s.style & 1) ? ITALIC_FONTTYPE : 0));
    if ((cf.Flags & CF_USESTYLE) && cf.lpszStyle) std::strcpy(cf.lpszStyle, StyleName(s.style));
}

void OnOk(HWND dialog, FontState& s) {
    ReadEffects(dialog, s);
    if (!Validate(dialog, s)) return;
    WriteResult(s);
    EndDialog(dialog, TRUE);
}

INT_PTR OnCommand(HWND dialog, FontState& s, WORD id, WORD code) {
    if (s.filling) return TRUE;
    switch (id) {
        case IDOK: OnOk(dialog, s); return TRUE;
        case IDCANCEL: EndDialog(dialog, FALSE); return TRUE;
        case cmb1:
            if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) OnFaceChanged(dialog, s, code == CBN_EDITCHANGE);
            return TRUE;
        case cmb2:
            if (code == CBN_SELCHANGE) {
                s.style = static_cast<int>(SelectedData(dialog, cmb2, s.style)) & 3;
                UpdateSample(dialog, s);
            }
            return TRUE;
        case cmb3:
            if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) OnSizeChanged(dialog, s, code == CBN_EDITCHANGE);
            return TRUE;
        case chx1:
        case chx2:
        case cmb4:
        case cmb5: ReadEffects(dialog, s); return TRUE;
        case psh3:
            // Apply is the hook's to answer (it sees WM_COMMAND first); the
            // structure holds the choice so far when it asks.
            ReadEffects(dialog, s);
            return TRUE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK FontProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MEASUREITEM && lParam && reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID == static_cast<UINT>(cmb4)) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 15;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    if (msg == WM_DRAWITEM && lParam && reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlID == static_cast<UINT>(cmb4)) {
        DrawColorItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    FontState* s = msg == WM_INITDIALOG ? reinterpret_cast<FontState*>(lParam) : StateOf(dialog);
    if (!s) return FALSE;
    CHOOSEFONTA* cf = s->cf;
    const bool hook = (cf->Flags & CF_ENABLEHOOK) && cf->lpfnHook;
    if (hook && msg != WM_INITDIALOG && cf->lpfnHook(dialog, msg, wParam, lParam)) return TRUE;
    switch (msg) {
        case WM_INITDIALOG: {
            BOOL r = OnInit(dialog, *s);
            return hook ? static_cast<INT_PTR>(cf->lpfnHook(dialog, msg, wParam, reinterpret_cast<LPARAM>(cf))) : r;
        }
        case WM_COMMAND: return OnCommand(dialog, *s, LOWORD(wParam), HIWORD(wParam));
        case WM_CHOOSEFONT_GETLOGFONT:
            if (lParam) *reinterpret_cast<LOGFONTA*>(lParam) = ChosenLogFont(*s);
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_NCDESTROY: RemovePropA(dialog, kStateProp); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

BOOL ChooseFontDialog(LPCHOOSEFONTA cf) {
    if ((cf->Flags & CF_ENABLEHOOK) && !cf->lpfnHook) {
        SetError(CDERR_NOHOOK);
        return FALSE;
    }
    if ((cf->Flags & CF_INITTOLOGFONTSTRUCT) && !cf->lpLogFont) {
        SetError(CDERR_INITIALIZATION);
        return FALSE;
    }
    if (cf->hwndOwner && !IsWindow(cf->hwndOwner)) {
        SetError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    bool failed = false;
    const DLGTEMPLATE* custom = CustomTemplate((cf->Flags & CF_ENABLETEMPLATEHANDLE) != 0,
                                               (cf->Flags & CF_ENABLETEMPLATE) != 0, cf->hInstance,
                                               cf->lpTemplateName, &failed);
    if (failed) return FALSE;
    FontState state;
    state.cf = cf;
    state.faces = EnumerateFaces(cf->Flags);
    if (state.faces.empty()) {
        SetError(CFERR_NOFONTS);
        return FALSE;
    }
    RegisterFontSampleClass();
    DLGTEMPLATE own = FontTemplate(cf->Flags);
    INT_PTR result = DialogBoxIndirectParamA(nullptr, custom ? custom : &own, cf->hwndOwner, FontProc,
                                             reinterpret_cast<LPARAM>(&state));
    if (result < 0) {
        SetError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    return result == TRUE;
}

}  // namespace comdlg
}  // namespace win32
