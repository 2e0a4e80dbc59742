// The open and save dialogs' standard controls, and the custom child
// dialog laid in with them: the standard controls go into the child's
// placeholder (stc32), which grows to hold them and pushes the child's own
// controls right and down; without a placeholder the child's area comes
// below the standard controls.
#include <algorithm>

#include "platform/comdlg/file_dialog.h"

namespace win32::comdlg {

namespace {

constexpr short kLabelX = 6;
constexpr short kFieldX = 74;
constexpr short kFieldWidth = 148;
constexpr short kButtonX = 228;
constexpr short kButtonWidth = 50;
constexpr short kWidth = 284;

RECT ChildRect(HWND parent, HWND control) {
    RECT r{0, 0, 0, 0};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MoveBy(HWND parent, HWND control, int dx, int dy) {
    RECT r = ChildRect(parent, control);
    SetWindowPos(control, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
    return out;
}

void SetClientSize(HWND dialog, int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DLGTEMPLATE EmptyChildTemplate() {
    DLGTEMPLATE t;
    t.style = WS_CHILD | DS_CONTROL | DS_3DLOOK | WS_CLIPSIBLINGS;
    return t;
}

}  // namespace

DLGTEMPLATE StandardTemplate(const FileDialogState& state) {
    const OPENFILENAMEA& ofn = *state.ofn;
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_CLIPCHILDREN;
    t.title = ofn.lpstrTitle ? ofn.lpstrTitle : (state.save ? "名前を付けて保存" : "ファイルを開く");
    t.typeface = kDialogFace;
    t.pointSize = kDialogPoints;
    t.charset = SHIFTJIS_CHARSET;
    t.cx = kWidth;
    const DWORD list = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP;
    const DWORD combo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
    t.items = {
        Item("STATIC", state.save ? "保存する場所(&I):" : "ファイルの場所(&I):", stc4, SS_LEFT, kLabelX, 8, 66, 9),
        Item("COMBOBOX", "", cmb2, combo | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, kFieldX, 5, kFieldWidth, 160),
        Item("LISTBOX", "", lst1, list, kLabelX, 23, kWidth - 2 * kLabelX, 88),
        Item("STATIC", "ファイル名(&N):", stc3, SS_LEFT, kLabelX, 120, 66, 9),
        Item("EDIT", "", edt1, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kFieldX, 118, kFieldWidth, 13),
        Item("STATIC", "ファイルの種類(&T):", stc2, SS_LEFT, kLabelX, 137, 66, 9),
        Item("COMBOBOX", "", cmb1, combo, kFieldX, 135, kFieldWidth, 100),
    };
    short height = 154;
    if (!(ofn.Flags & OFN_HIDEREADONLY)) {
        t.items.push_back(Item("BUTTON", "読み取り専用ファイルとして開く(&R)", chx1,
                               BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kFieldX, 151, kFieldWidth, 10));
        height = 166;
    }
    t.items.push_back(Item("BUTTON", state.save ? "保存(&S)" : "開く(&O)", IDOK,
                           BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kButtonX, 117, kButtonWidth, 15));
    t.items.push_back(Item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, kButtonX, 134, kButtonWidth, 15));
    if (ofn.Flags & OFN_SHOWHELP) {
        t.items.push_back(Item("BUTTON", "ヘルプ(&H)", pshHelp, BS_PUSHBUTTON | WS_TABSTOP, kButtonX, 151, kButtonWidth, 15));
        height = 170;
    }
    t.cy = height;
    return t;
}

bool CreateChildDialog(FileDialogState& state) {
    const OPENFILENAMEA& ofn = *state.ofn;
    const bool hook = (ofn.Flags & OFN_ENABLEHOOK) && ofn.lpfnHook;
    if (!state.childTemplate && !hook) return true;

    DLGTEMPLATE t = state.childTemplate ? *state.childTemplate : EmptyChildTemplate();
    // Shown once it is in place; a child of the dialog whatever it says.
    const bool visible = !state.childTemplate || (t.style & WS_VISIBLE);
    t.style = (t.style & ~(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU)) | WS_CHILD | DS_CONTROL | WS_CLIPSIBLINGS;
    t.x = 0;
    t.y = 0;
    HINSTANCE instance = (ofn.Flags & OFN_ENABLETEMPLATEHANDLE) ? nullptr : ofn.hInstance;
    HWND child = CreateDialogIndirectParamA(instance, &t, state.dialog, ChildDialogProc,
                                            reinterpret_cast<LPARAM>(state.ofn));
    if (!child) return false;
    state.child = child;

    RECT standard;
    GetClientRect(state.dialog, &standard);
    const int w = standard.right, h = standard.bottom;
    RECT own;
    GetClientRect(child, &own);
    int width, height;
    if (HWND placeholder = GetDlgItem(child, stc32)) {
        RECT r = ChildRect(child, placeholder);
        const int dx = std::max(0, w - static_cast<int>(r.right - r.left));
        const int dy = std::max(0, h - static_cast<int>(r.bottom - r.top));
        for (HWND c : Children(child)) {
            if (c == placeholder) continue;
            RECT rc = ChildRect(child, c);
            MoveBy(child, c, rc.left >= r.right ? dx : 0, rc.top >= r.bottom ? dy : 0);
        }
        SetWindowPos(placeholder, nullptr, 0, 0, (r.right - r.left) + dx, (r.bottom - r.top) + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        for (HWND c : Children(state.dialog)) {
            if (c != child) MoveBy(state.dialog, c, r.left, r.top);
        }
        width = std::max<int>(own.right + dx, r.left + w);
        height = std::max<int>(own.bottom + dy, r.top + h);
        SetWindowPos(child, HWND_BOTTOM, 0, 0, width, height, SWP_NOACTIVATE);
    } else {
        width = std::max<int>(w, own.right);
        height = h + own.bottom;
        SetWindowPos(child, HWND_BOTTOM, 0, h, width, own.bottom, SWP_NOACTIVATE);
    }
    SetClientSize(state.dialog, width, height);
    if (visible) ShowWindow(child, SW_SHOWNA);
    return true;
}

void PlaceDialog(HWND dialog, HWND owner) {
    RECT r;
    GetWindowRect(dialog, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT around = work;
    if (owner && IsWindow(owner) && IsWindowVisible(owner)) GetWindowRect(owner, &around);
    int x = around.left + ((around.right - around.left) - w) / 2;
    int y = around.top + ((around.bottom - around.top) - h) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - w));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32::comdlg
