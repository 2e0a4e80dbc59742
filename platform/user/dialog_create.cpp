// Making dialogs from templates: the system dialog class, the template
// registry, the font and base units, the window and its controls, and
// WM_INITDIALOG with the first focus.
#include <algorithm>
#include <cctype>

#include "platform/kernel/winbase.h"
#include "platform/user/dialog_manager.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user::dialog {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string TemplateKey(LPCSTR name) {
    if (!name) return {};
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<UINT_PTR>(name));
    return Lower(name);
}

std::map<std::string, DLGTEMPLATE>& Templates() {
    static std::map<std::string, DLGTEMPLATE> templates;
    return templates;
}

HFONT MakeTemplateFont(const DLGTEMPLATE& t, bool* owns) {
    *owns = false;
    if (!(t.style & DS_SETFONT)) return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    LOGFONTA lf{};
    if (t.pointSize == DIALOG_MESSAGE_FONT || t.typeface.empty()) {
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof(ncm);
        if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
            return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        lf = ncm.lfMessageFont;
    } else {
        lf.lfHeight = -MulDiv(t.pointSize, 96, 72);
        lf.lfWeight = t.weight ? t.weight : FW_NORMAL;
        lf.lfItalic = t.italic;
        lf.lfCharSet = t.charset;
        std::size_t n = std::min<std::size_t>(t.typeface.size(), LF_FACESIZE - 1);
        std::copy_n(t.typeface.data(), n, lf.lfFaceName);
    }
    HFONT font = CreateFontIndirectA(&lf);
    if (!font) return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    *owns = true;
    return font;
}

// Where a top-level dialog goes: the template's position is relative to
// the owner's client area unless DS_ABSALIGN; DS_CENTER and
// DS_CENTERMOUSE centre it; it is then kept on the screen.
POINT PlaceTopLevel(const DLGTEMPLATE& t, DWORD style, HWND owner, SIZE base, SIZE windowSize) {
    POINT pt{MulDiv(t.x, base.cx, 4), MulDiv(t.y, base.cy, 8)};
    if (!(style & DS_ABSALIGN) && owner) ClientToScreen(owner, &pt);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (style & DS_CENTERMOUSE) {
        POINT cursor{0, 0};
        GetCursorPos(&cursor);
        pt = POINT{cursor.x - windowSize.cx / 2, cursor.y - windowSize.cy / 2};
    } else if (style & DS_CENTER) {
        pt = POINT{work.left + (work.right - work.left - windowSize.cx) / 2,
                   work.top + (work.bottom - work.top - windowSize.cy) / 2};
    }
    pt.x = std::max<LONG>(work.left, std::min<LONG>(pt.x, work.right - windowSize.cx));
    pt.y = std::max<LONG>(work.top, std::min<LONG>(pt.y, work.bottom - windowSize.cy));
    return pt;
}

bool CreateItems(HWND dialog, HINSTANCE instance, const DLGTEMPLATE& t, DialogState& state) {
    for (const DLGITEMTEMPLATE& item : t.items) {
        RECT r{item.x, item.y, item.x + item.cx, item.y + item.cy};
        MapDialogRect(dialog, &r);
        // Dialogs have the three-dimensional look (DS_3DLOOK is implied):
        // a control's plain border becomes a sunken client edge.
        DWORD style = item.style | WS_CHILD;
        DWORD exStyle = item.dwExtendedStyle | WS_EX_NOPARENTNOTIFY;
        if (style & WS_BORDER) {
            style &= ~WS_BORDER;
            exStyle |= WS_EX_CLIENTEDGE;
        }
        HWND control = CreateWindowExA(exStyle, item.windowClass.c_str(),
                                       item.title.c_str(), style, r.left, r.top, r.right - r.left,
                                       r.bottom - r.top, dialog,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                       item.creationData);
        if (!IsWindow(dialog)) return false;
        if (!control) {
            if (t.style & DS_NOFAILCREATE) continue;
            return false;
        }
        if (t.style & DS_SETFONT) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
        if (DialogCode(control) & DLGC_DEFPUSHBUTTON) state.defaultId = item.id;
    }
    return true;
}

}  // namespace

DialogState* DialogTable::Find(HWND hwnd) {
    auto it = states_.find(hwnd);
    if (it == states_.end()) return nullptr;
    if (!Wm().Find(hwnd)) {
        states_.erase(it);
        return nullptr;
    }
    return &it->second;
}

DialogState& DialogTable::Attach(HWND hwnd) {
    states_[hwnd] = DialogState{};
    return states_[hwnd];
}

void DialogTable::Detach(HWND hwnd) {
    auto it = states_.find(hwnd);
    if (it == states_.end()) return;
    if (it->second.ownsFont) DeleteObject(it->second.font);
    states_.erase(it);
}

void DialogTable::DropStale() {
    // Fonts of dialogs that vanished with a reset went with the GDI objects
    // they belonged to only if GDI was reset too; deleting a stale handle
    // is harmless either way.
    for (auto it = states_.begin(); it != states_.end();) {
        if (Wm().Find(it->first)) {
            ++it;
            continue;
        }
        if (it->second.ownsFont) DeleteObject(it->second.font);
        it = states_.erase(it);
    }
}

DialogTable& Dialogs() {
    static DialogTable table;
    return table;
}

void EnsureDialogClass() {
    WNDCLASSA existing{};
    if (GetClassInfoA(nullptr, DIALOG_CLASS_NAME, &existing)) return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = DIALOG_CLASS_NAME;
    RegisterClassA(&wc);
}

SIZE BaseUnitsOf(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, kAlphabet, 52, &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    SIZE base{(extent.cx / 26 + 1) / 2, tm.tmHeight};
    if (base.cx <= 0) base.cx = 1;
    if (base.cy <= 0) base.cy = 1;
    return base;
}

namespace {

HWND CreateFromTemplate(HINSTANCE instance, const DLGTEMPLATE* t, HWND parent, DLGPROC proc, LPARAM initParam,
                        bool modal) {
    if (!t) return nullptr;
    if (parent && !IsWindow(parent)) return nullptr;
    EnsureDialogClass();
    Dialogs().DropStale();

    DWORD style = t->style;
    DWORD exStyle = t->dwExtendedStyle;
    if (style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
    const bool child = (style & WS_CHILD) != 0;
    HWND owner = parent;
    if (!child && parent) owner = GetAncestor(parent, GA_ROOT);
    if (child && !parent) return nullptr;

    bool ownsFont = false;
    HFONT font = MakeTemplateFont(*t, &ownsFont);
    SIZE base = BaseUnitsOf(font);

    RECT frame{0, 0, MulDiv(t->cx, base.cx, 4), MulDiv(t->cy, base.cy, 8)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SIZE windowSize{frame.right - frame.left, frame.bottom - frame.top};
    POINT pos{MulDiv(t->x, base.cx, 4), MulDiv(t->y, base.cy, 8)};
    if (!child) pos = PlaceTopLevel(*t, style, owner, base, windowSize);

    const char* className = t->windowClass.empty() ? DIALOG_CLASS_NAME : t->windowClass.c_str();
    HWND dialog = CreateWindowExA(exStyle, className, t->title.c_str(), style & ~WS_VISIBLE, pos.x, pos.y,
                                  windowSize.cx, windowSize.cy, owner, nullptr, instance, nullptr);
    if (!dialog) {
        if (ownsFont) DeleteObject(font);
        return nullptr;
    }
    DialogState& state = Dialogs().Attach(dialog);
    state.font = font;
    state.ownsFont = ownsFont;
    state.baseUnits = base;
    state.modal = modal;
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));

    if (t->style & DS_SETFONT) SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(dialog)) return nullptr;
    if (!CreateItems(dialog, instance, *t, state)) {
        DestroyWindow(dialog);
        return nullptr;
    }

    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT setFocus = SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    DialogState* after = Dialogs().Find(dialog);
    if (!after) return nullptr;
    // The procedure may have placed the focus itself (returning FALSE);
    // otherwise the first tab stop takes it when the dialog is shown.
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus)) after->savedFocus = focus;
    else if (setFocus && first) after->savedFocus = first;
    if (after->savedFocus) UpdateDefaultButton(dialog, after->savedFocus);

    if ((t->style & WS_VISIBLE) && !after->ended) {
        if (child) ShowWindow(dialog, SW_SHOWNA);
        else ShowWindow(dialog, SW_SHOWNORMAL);
        if (IsWindow(dialog) && child && after->savedFocus && GetActiveWindow() == GetAncestor(dialog, GA_ROOT))
            FocusControl(dialog, after->savedFocus);
    }
    return IsWindow(dialog) ? dialog : nullptr;
}

}  // namespace

HWND CreateDialogForModalLoop(HINSTANCE instance, const DLGTEMPLATE* t, HWND parent, DLGPROC proc,
                              LPARAM initParam) {
    return CreateFromTemplate(instance, t, parent, proc, initParam, true);
}

}  // namespace user::dialog

using namespace user;

void RegisterDialogTemplate(LPCSTR name, const DLGTEMPLATE& dialogTemplate) {
    std::string key = dialog::TemplateKey(name);
    if (key.empty()) return;
    dialog::Templates()[key] = dialogTemplate;
}

const DLGTEMPLATE* FindDialogTemplate(HINSTANCE, LPCSTR name) {
    std::string key = dialog::TemplateKey(name);
    auto& all = dialog::Templates();
    auto it = all.find(key);
    return it == all.end() ? nullptr : &it->second;
}

HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam) {
    return dialog::CreateFromTemplate(instance, dialogTemplate, parent, proc, initParam, false);
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
    return CreateDialogIndirectParamA(instance, FindDialogTemplate(instance, templateName), parent, proc, initParam);
}

}  // namespace win32
