// ChooseColorA: the 48 basic colours and the caller's 16 custom colours,
// and, opened with "色の作成(&D) >>", a mixer of the current colour by hue,
// saturation and luminance (0 to 240, as the desktop counts them) or by
// red, green and blue, with "色の追加(&A)" to keep it among the custom
// colours. The mixer has the number fields and the sample; the spectrum
// field of the desktop's mixer is left out.
#include <algorithm>
#include <array>
#include <string>

#include "platform/comdlg/swatch_grid.h"

namespace win32 {
namespace comdlg {

namespace {

constexpr const char* kStateProp = "comdlg.ChooseColor";
constexpr short kBasicWidth = 152;
constexpr short kFullWidth = 300;
constexpr int kHlsMax = 240;

constexpr std::array<COLORREF, 48> kBasicColors = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
    RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255),
};

// The controls only the opened mixer shows.
constexpr int kMixerIds[] = {COLOR_CURRENT, COLOR_SOLID, COLOR_HUE, COLOR_SAT, COLOR_LUM, COLOR_RED,
                             COLOR_GREEN,   COLOR_BLUE,  COLOR_ADD, stc1,      stc2,      stc3,
                             stc4,          stc5,        stc6};

struct ColorState {
    CHOOSECOLORA* cc = nullptr;
    std::array<COLORREF, 16> custom{};
    COLORREF current = 0;
    int nextCustom = 0;
    bool updating = false;  // the number fields are being filled by the dialog
};

ColorState* StateOf(HWND dialog) { return static_cast<ColorState*>(GetPropA(dialog, kStateProp)); }

struct Hls {
    int h, l, s;
};

Hls ToHls(COLORREF c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    const int maxc = std::max({r, g, b}), minc = std::min({r, g, b});
    Hls out{160, ((maxc + minc) * kHlsMax + 255) / (2 * 255), 0};
    if (maxc == minc) return out;  // grey: no hue, the desktop shows 160
    const int delta = maxc - minc;
    if (out.l <= kHlsMax / 2) out.s = (delta * kHlsMax + (maxc + minc) / 2) / (maxc + minc);
    else out.s = (delta * kHlsMax + (2 * 255 - maxc - minc) / 2) / (2 * 255 - maxc - minc);
    const int rd = ((maxc - r) * (kHlsMax / 6) + delta / 2) / delta;
    const int gd = ((maxc - g) * (kHlsMax / 6) + delta / 2) / delta;
    const int bd = ((maxc - b) * (kHlsMax / 6) + delta / 2) / delta;
    int h;
    if (r == maxc) h = bd - gd;
    else if (g == maxc) h = kHlsMax / 3 + rd - bd;
    else h = 2 * kHlsMax / 3 + gd - rd;
    if (h < 0) h += kHlsMax;
    if (h >= kHlsMax) h -= kHlsMax;
    out.h = h;
    return out;
}

int HueToRgb(int n1, int n2, int hue) {
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    if (hue < kHlsMax / 6) return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2) return n2;
    if (hue < 2 * kHlsMax / 3) return n1 + ((n2 - n1) * (2 * kHlsMax / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return n1;
}

COLORREF FromHls(Hls c) {
    if (c.s == 0) {
        int v = c.l * 255 / kHlsMax;
        return RGB(v, v, v);
    }
    int m2 = c.l <= kHlsMax / 2 ? (c.l * (kHlsMax + c.s) + kHlsMax / 2) / kHlsMax
                                : c.l + c.s - (c.l * c.s + kHlsMax / 2) / kHlsMax;
    int m1 = 2 * c.l - m2;
    auto channel = [&](int hue) { return std::clamp((HueToRgb(m1, m2, hue) * 255 + kHlsMax / 2) / kHlsMax, 0, 255); };
    return RGB(channel(c.h + kHlsMax / 3), channel(c.h), channel(c.h - kHlsMax / 3));
}

DLGTEMPLATE ColorTemplate(DWORD flags) {
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT;
    t.title = "色の設定";
    t.typeface = kDialogFace;
    t.pointSize = kDialogPoints;
    t.charset = SHIFTJIS_CHARSET;
    t.cx = kFullWidth;
    t.cy = 188;
    const DWORD num = WS_BORDER | WS_TABSTOP | WS_GROUP | ES_NUMBER | ES_AUTOHSCROLL;
    t.items = {
        Item("STATIC", "基本色(&B):", -1, SS_LEFT, 4, 4, 140, 9),
        Item(kSwatchClass, "", COLOR_BOX1, WS_TABSTOP | WS_GROUP, 4, 14, 144, 90),
        Item("STATIC", "作成した色(&C):", -1, SS_LEFT, 4, 108, 140, 9),
        Item(kSwatchClass, "", COLOR_CUSTOM1, WS_TABSTOP | WS_GROUP, 4, 118, 144, 30),
        Item("BUTTON", "色の作成(&D) >>", COLOR_MIX,
             BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP | ((flags & CC_PREVENTFULLOPEN) ? WS_DISABLED : 0), 4, 152, 144, 14),
        Item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 4, 170, 44, 14),
        Item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 52, 170, 44, 14),
        Item(kSwatchClass, "", COLOR_CURRENT, 0, 156, 14, 140, 56),
        Item("STATIC", "色|純色(&O)", COLOR_SOLID, SS_CENTER, 156, 72, 140, 9),
        Item("STATIC", "色合い(&E):", stc1, SS_RIGHT, 152, 90, 40, 9),
        Item("EDIT", "", COLOR_HUE, num, 194, 88, 24, 12),
        Item("STATIC", "鮮やかさ(&S):", stc2, SS_RIGHT, 152, 106, 40, 9),
        Item("EDIT", "", COLOR_SAT, num, 194, 104, 24, 12),
        Item("STATIC", "明るさ(&L):", stc3, SS_RIGHT, 152, 122, 40, 9),
        Item("EDIT", "", COLOR_LUM, num, 194, 120, 24, 12),
        Item("STATIC", "赤(&R):", stc4, SS_RIGHT, 226, 90, 40, 9),
        Item("EDIT", "", COLOR_RED, num, 268, 88, 24, 12),
        Item("STATIC", "緑(&G):", stc5, SS_RIGHT, 226, 106, 40, 9),
        Item("EDIT", "", COLOR_GREEN, num, 268, 104, 24, 12),
        Item("STATIC", "青(&U):", stc6, SS_RIGHT, 226, 122, 40, 9),
        Item("EDIT", "", COLOR_BLUE, num, 268, 120, 24, 12),
        Item("BUTTON", "色の追加(&A)", COLOR_ADD, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 156, 152, 140, 14),
    };
    if (flags & CC_SHOWHELP)
        t.items.push_back(Item("BUTTON", "ヘルプ(&H)", pshHelp, BS_PUSHBUTTON | WS_TABSTOP, 100, 170, 44, 14));
    return t;
}

int FieldValue(HWND dialog, int id, int max) {
    BOOL ok = FALSE;
    UINT v = GetDlgItemInt(dialog, id, &ok, FALSE);
    return ok ? std::min<int>(static_cast<int>(v), max) : 0;
}

void ShowCurrent(HWND dialog, ColorState& s, int skipFields) {
    SendDlgItemMessageA(dialog, COLOR_CURRENT, SWM_SETCOLORS, MAKEWPARAM(1, 1), reinterpret_cast<LPARAM>(&s.current));
    s.updating = true;
    Hls h = ToHls(s.current);
    if (skipFields != 1) {
        SetDlgItemInt(dialog, COLOR_HUE, static_cast<UINT>(h.h), FALSE);
        SetDlgItemInt(dialog, COLOR_SAT, static_cast<UINT>(h.s), FALSE);
        SetDlgItemInt(dialog, COLOR_LUM, static_cast<UINT>(h.l), FALSE);
    }
    if (skipFields != 2) {
        SetDlgItemInt(dialog, COLOR_RED, GetRValue(s.current), FALSE);
        SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(s.current), FALSE);
        SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(s.current), FALSE);
    }
    s.updating = false;
}

void SetMixerShown(HWND dialog, bool shown) {
    for (int id : kMixerIds) {
        if (HWND c = GetDlgItem(dialog, id)) ShowWindow(c, shown ? SW_SHOWNA : SW_HIDE);
    }
    RECT r{0, 0, shown ? kFullWidth : kBasicWidth, 0};
    MapDialogRect(dialog, &r);
    RECT client;
    GetClientRect(dialog, &client);
    RECT frame{0, 0, r.right, client.bottom};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND mix = GetDlgItem(dialog, COLOR_MIX); mix && shown) {
        if (GetFocus() == mix) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, COLOR_RED)), TRUE);
        EnableWindow(mix, FALSE);
    }
}

void SelectMatching(HWND dialog, const ColorState& s) {
    auto basic = std::find(kBasicColors.begin(), kBasicColors.end(), s.current);
    int b = basic == kBasicColors.end() ? -1 : static_cast<int>(basic - kBasicColors.begin());
    int c = -1;
    if (b < 0) {
        auto custom = std::find(s.custom.begin(), s.custom.end(), s.current);
        if (custom != s.custom.end()) c = static_cast<int>(custom - s.custom.begin());
    }
    SendDlgItemMessageA(dialog, COLOR_BOX1, SWM_SETSEL, static_cast<WPARAM>(b), 0);
    SendDlgItemMessageA(dialog, COLOR_CUSTOM1, SWM_SETSEL, static_cast<WPARAM>(c), 0);
}

BOOL OnInit(HWND dialog, ColorState& s) {
    SetPropA(dialog, kStateProp, &s);
    const CHOOSECOLORA& cc = *s.cc;
    if (cc.lpCustColors) std::copy_n(cc.lpCustColors, 16, s.custom.begin());
    else s.custom.fill(RGB(255, 255, 255));
    s.current = (cc.Flags & CC_RGBINIT) ? (cc.rgbResult & 0x00FFFFFF) : RGB(0, 0, 0);
    SendDlgItemMessageA(dialog, COLOR_BOX1, SWM_SETCOLORS, MAKEWPARAM(48, 8), reinterpret_cast<LPARAM>(kBasicColors.data()));
    SendDlgItemMessageA(dialog, COLOR_CUSTOM1, SWM_SETCOLORS, MAKEWPARAM(16, 8), reinterpret_cast<LPARAM>(s.custom.data()));
    for (int id : {COLOR_HUE, COLOR_SAT, COLOR_LUM, COLOR_RED, COLOR_GREEN, COLOR_BLUE})
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 3, 0);
    SelectMatching(dialog, s);
    ShowCurrent(dialog, s, 0);
    SetMixerShown(dialog, (cc.Flags & CC_FULLOPEN) && !(cc.Flags & CC_PREVENTFULLOPEN));
    return TRUE;
}

void OnCellChosen(HWND dialog, ColorState& s, int gridId) {
    HWND grid = GetDlgItem(dialog, gridId);
    LRESULT at = SendMessageA(grid, SWM_GETSEL, 0, 0);
    if (at < 0) return;
    s.current = static_cast<COLORREF>(SendMessageA(grid, SWM_GETCOLOR, static_cast<WPARAM>(at), 0));
    SendDlgItemMessageA(dialog, gridId == COLOR_BOX1 ? COLOR_CUSTOM1 : COLOR_BOX1, SWM_SETSEL, static_cast<WPARAM>(-1), 0);
    ShowCurrent(dialog, s, 0);
}

void OnFieldEdited(HWND dialog, ColorState& s, int id) {
    if (s.updating) return;
    const bool byHls = id == COLOR_HUE || id == COLOR_SAT || id == COLOR_LUM;
    if (byHls) {
        s.current = FromHls(Hls{FieldValue(dialog, COLOR_HUE, kHlsMax - 1), FieldValue(dialog, COLOR_LUM, kHlsMax),
                                FieldValue(dialog, COLOR_SAT, kHlsMax)});
    } else {
        s.current = RGB(FieldValue(dialog, COLOR_RED, 255), FieldValue(dialog, COLOR_GREEN, 255),
                        FieldValue(dialog, COLOR_BLUE, 255));
    }
    ShowCurrent(dialog, s, byHls ? 1 : 2);
    SelectMatching(dialog, s);
}

void OnAdd(HWND dialog, ColorState& s) {
    LRESULT at = SendDlgItemMessageA(dialog, COLOR_CUSTOM1, SWM_GETSEL, 0, 0);
    int slot = at >= 0 ? static_cast<int>(at) : s.nextCustom;
    s.custom[static_cast<std::size_t>(slot)] = s.current;
    s.nextCustom = (slot + 1) % 16;
    SendDlgItemMessageA(dialog, COLOR_CUSTOM1, SWM_SETCOLORS, MAKEWPARAM(16, 8), reinterpret_cast<LPARAM>(s.custom.data()));
    SendDlgItemMessageA(dialog, COLOR_CUSTOM1, SWM_SETSEL, static_cast<WPARAM>(slot), 0);
}

void OnOk(HWND dialog, ColorState& s) {
    CHOOSECOLORA& cc = *s.cc;
    cc.rgbResult = s.current;
    if (cc.lpCustColors) std::copy(s.custom.begin(), s.custom.end(), cc.lpCustColors);
    EndDialog(dialog, TRUE);
}

INT_PTR OnCommand(HWND dialog, ColorState& s, WORD id, WORD code) {
    switch (id) {
        case IDOK: OnOk(dialog, s); return TRUE;
        case IDCANCEL: EndDialog(dialog, FALSE); return TRUE;
        case COLOR_MIX: SetMixerShown(dialog, true); return TRUE;
        case COLOR_ADD: OnAdd(dialog, s); return TRUE;
        case COLOR_BOX1:
        case COLOR_CUSTOM1:
            if (code == SWN_SELCHANGE) OnCellChosen(dialog, s, id);
            return TRUE;
        case COLOR_HUE:
        case COLOR_SAT:
        case COLOR_LUM:
        case COLOR_RED:
        case COLOR_GREEN:
        case COLOR_BLUE:
            if (code == EN_CHANGE) OnFieldEdited(dialog, s, id);
            return TRUE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK ColorProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    ColorState* s = msg == WM_INITDIALOG ? reinterpret_cast<ColorState*>(lParam) : StateOf(dialog);
    if (!s) return FALSE;
    CHOOSECOLORA* cc = s->cc;
    const bool hook = (cc->Flags & CC_ENABLEHOOK) && cc->lpfnHook;
    if (hook && msg != WM_INITDIALOG && cc->lpfnHook(dialog, msg, wParam, lParam)) return TRUE;
    switch (msg) {
        case WM_INITDIALOG: {
            BOOL r = OnInit(dialog, *s);
            return hook ? static_cast<INT_PTR>(cc->lpfnHook(dialog, msg, wParam, reinterpret_cast<LPARAM>(cc))) : r;
        }
        case WM_COMMAND: return OnCommand(dialog, *s, LOWORD(wParam), HIWORD(wParam));
        case WM_NCDESTROY: RemovePropA(dialog, kStateProp); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

BOOL ChooseColorDialog(LPCHOOSECOLORA cc) {
    if ((cc->Flags & CC_ENABLEHOOK) && !cc->lpfnHook) {
        SetError(CDERR_NOHOOK);
        return FALSE;
    }
    if (cc->hwndOwner && !IsWindow(cc->hwndOwner)) {
        SetError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    bool failed = false;
    const DLGTEMPLATE* custom =
        CustomTemplate((cc->Flags & CC_ENABLETEMPLATEHANDLE) != 0, (cc->Flags & CC_ENABLETEMPLATE) != 0,
                       reinterpret_cast<HINSTANCE>(cc->hInstance), cc->lpTemplateName, &failed);
    if (failed) return FALSE;
    RegisterSwatchClass();
    DLGTEMPLATE own = ColorTemplate(cc->Flags);
    own.style |= DS_CENTER;
    ColorState state;
    state.cc = cc;
    INT_PTR result = DialogBoxIndirectParamA(nullptr, custom ? custom : &own, cc->hwndOwner, ColorProc,
                                             reinterpret_cast<LPARAM>(&state));
    if (result < 0) {
        SetError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    return result == TRUE;
}

}  // namespace comdlg
}  // namespace win32
