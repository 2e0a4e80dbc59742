// The "SysTabControl32" class: one row of tabs along the top of a raised
// frame. Each tab is as wide as its label and the padding (or all share a
// fixed width); the selected one stands two pixels taller and wider than
// the others and opens into the frame below it. Tabs that do not fit
// scroll behind a pair of arrows (an up-down control) at the row's right.
//
// Geometry, in client pixels, for a row whose tabs are `h` high:
//   tabs       y = 2 .. 2 + h, the first at x = 2
//   frame      from y = 2 + h to the bottom, a raised edge two pixels wide
//   display    the frame's inside less two pixels of margin on each side
#include <algorithm>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/user/control_base.h"
#include "platform/user/window_text.h"

namespace win32 {
namespace {

constexpr int kRowTop = 2;       // unselected tabs start this far down
constexpr int kFirstLeft = 2;    // and the first this far in
constexpr int kSelectedGrow = 2; // the selected tab's extra on each side and at the top
constexpr int kFrame = 2;        // the frame's edge
constexpr int kMargin = 2;       // between the frame and the display area

struct Tab {
    std::string text;
    LPARAM param = 0;
    DWORD state = 0;
    int image = -1;
    // Set by Layout: the unscrolled left edge, the width and the label's width.
    int left = 0;
    int width = 0;
    int labelWidth = 0;
};

class TabControl final : public user::controls::Control {
public:
    TabControl(HWND hwnd, const CREATESTRUCTA&) : Control(hwnd) {}

    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_CREATE:
            case WM_SIZE: Layout(); return 0;
            case WM_PAINT:
            case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wParam));
            case WM_ERASEBKGND: return 1;
            case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam), lParam != 0);
            case WM_GETFONT: return reinterpret_cast<LRESULT>(Font());
            case WM_GETDLGCODE: return OnGetDlgCode(wParam, reinterpret_cast<const MSG*>(lParam));
            case WM_KEYDOWN: return OnKeyDown(static_cast<UINT>(wParam), lParam);
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: return OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
            case WM_ENABLE: InvalidateRect(Window(), nullptr, FALSE); return 0;
            case WM_HSCROLL: return OnScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
            case WM_NOTIFY: return 0;  // the arrows' UDN_DELTAPOS: every step is fine
            case TCM_GETITEMCOUNT: return static_cast<LRESULT>(tabs_.size());
            case TCM_INSERTITEMA: return InsertItem(static_cast<int>(wParam), reinterpret_cast<const TCITEMA*>(lParam));
            case TCM_DELETEITEM: return DeleteItem(static_cast<int>(wParam));
            case TCM_DELETEALLITEMS: return DeleteAllItems();
            case TCM_GETITEMA: return GetItem(static_cast<int>(wParam), reinterpret_cast<TCITEMA*>(lParam));
            case TCM_SETITEMA: return SetItem(static_cast<int>(wParam), reinterpret_cast<const TCITEMA*>(lParam));
            case TCM_GETCURSEL: return cur_;
            case TCM_SETCURSEL: return SetCurSel(static_cast<int>(wParam));
            case TCM_GETCURFOCUS: return cur_;
            case TCM_SETCURFOCUS:
                // Without buttons the focused tab is the selected one, so
                // moving the focus is a change the parent hears of.
                ChangeSelection(static_cast<int>(wParam));
                return 0;
            case TCM_GETITEMRECT: return GetItemRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
            case TCM_HITTEST: return HitTest(reinterpret_cast<TCHITTESTINFO*>(lParam));
            case TCM_ADJUSTRECT: AdjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam)); return 0;
            case TCM_SETITEMSIZE: return SetItemSize(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            case TCM_SETPADDING: return SetPadding(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            case TCM_GETROWCOUNT: return 1;
            default: return Default(msg, wParam, lParam);
        }
    }

private:
    // ---- geometry

    int Count() const { return static_cast<int>(tabs_.size()); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    int ItemHeight() const { return fixedHeight_ > 0 ? fixedHeight_ : textHeight_ + 2 * padY_ - 1; }
    int RowBottom() const { return kRowTop + ItemHeight(); }
    int ClientWidth() const {
        RECT c{};
        GetClientRect(Window(), &c);
        return c.right;
    }
    bool Scrolling() const { return arrows_ != nullptr && IsWindowVisible(arrows_); }
    // The right end of the room the tabs are shown in.
    int TabsEnd() const { return Scrolling() ? ClientWidth() - ArrowsWidth() : ClientWidth(); }
    int ArrowsHeight() const { return ItemHeight(); }
    int ArrowsWidth() const { return 2 * ArrowsHeight(); }
    int Offset() const { return Scrolling() && Valid(first_) ? tabs_[first_].left - kFirstLeft : 0; }

    RECT ItemRect(int i) const {
        const Tab& t = tabs_[static_cast<std::size_t>(i)];
        int x = t.left - Offset();
        return RECT{x, kRowTop, x + t.width, RowBottom()};
    }
    static RECT Raised(RECT r) {
        return RECT{r.left - kSelectedGrow, r.top - kSelectedGrow, r.right + kSelectedGrow, r.bottom + 1};
    }
    bool Shown(int i) const { return Valid(i) && (!Scrolling() || i >= first_); }

    HFONT TextFont() const { return Font() ? Font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

    // Measures the labels and places the tabs side by side, then decides
    // whether the row needs its arrows.
    void Layout() {
        HDC dc = GetDC(Window());
        {
            user::controls::FontScope scope(dc, TextFont());
            TEXTMETRICA tm{};
            GetTextMetricsA(dc, &tm);
            textHeight_ = tm.tmHeight;
            int x = kFirstLeft;
            for (Tab& t : tabs_) {
                RECT r = user::controls::MeasureControlText(dc, t.text, RECT{0, 0, 0x7FFF, textHeight_}, DT_SINGLELINE);
                t.labelWidth = r.right - r.left;
                t.left = x;
                t.width = (Style() & TCS_FIXEDWIDTH) && fixedWidth_ > 0 ? fixedWidth_ : t.labelWidth + 2 * padX_;
                x += t.width;
            }
        }
        ReleaseDC(Window(), dc);
        UpdateArrows();
    }

    // The first tab the row can start with and still show the last in full.
    int LastFirst() const {
        const int room = ClientWidth() - ArrowsWidth() - kFirstLeft;
        const int end = tabs_.back().left + tabs_.back().width;
        for (int i = 0; i < Count(); ++i) {
            if (end - tabs_[static_cast<std::size_t>(i)].left <= room) return i;
        }
        return Count() - 1;
    }

    void UpdateArrows() {
        const int end = tabs_.empty() ? 0 : tabs_.back().left + tabs_.back().width;
        if (tabs_.empty() || end + kSelectedGrow <= ClientWidth()) {
            first_ = 0;
            if (arrows_ && IsWindow(arrows_)) ShowWindow(arrows_, SW_HIDE);
            return;
        }
        lastFirst_ = LastFirst();
        first_ = std::clamp(first_, 0, lastFirst_);
        if (!arrows_ || !IsWindow(arrows_)) {
            arrows_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | UDS_HORZ, 0, 0, 0, 0, Window(), nullptr,
                                      nullptr, nullptr);
            if (!arrows_) return;
        }
        SetWindowPos(arrows_, HWND_TOP, ClientWidth() - ArrowsWidth(), RowBottom() - ArrowsHeight(), ArrowsWidth(),
                     ArrowsHeight(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SendMessageA(arrows_, UDM_SETRANGE32, 0, lastFirst_);
        SendMessageA(arrows_, UDM_SETPOS32, 0, first_);
    }

    // Scrolls the row so that tab i shows whole, if the room allows.
    void EnsureVisible(int i) {
        if (!Scrolling() || !Valid(i)) return;
        if (i < first_) first_ = i;
        while (first_ < std::min(i, lastFirst_) && ItemRect(i).right > TabsEnd()) ++first_;
        SendMessageA(arrows_, UDM_SETPOS32, 0, first_);
    }

    void AdjustRect(bool larger, RECT* r) const {
        if (!r) return;
        const int side = kFrame + kMargin;
        const int top = RowBottom() + kFrame + kMargin;
        const int sign = larger ? -1 : 1;
        r->left += sign * side;
        r->top += sign * top;
        r->right -= sign * side;
        r->bottom -= sign * side;
    }

    // The tab under a client point: the selected tab first, as it stands
    // over its neighbours, and none under the arrows.
    int TabAt(POINT p) const {
        if (p.x >= TabsEnd()) return -1;
        if (Shown(cur_)) {
            RECT r = Raised(ItemRect(cur_));
            if (PtInRect(&r, p)) return cur_;
        }
        for (int i = Scrolling() ? first_ : 0; i < Count(); ++i) {
            RECT r = ItemRect(i);
            if (PtInRect(&r, p)) return i;
        }
        return -1;
    }

    LRESULT HitTest(TCHITTESTINFO* info) const {
        if (!info) return -1;
        int i = TabAt(info->pt);
        if (i < 0) {
            info->flags = TCHT_NOWHERE;
            return -1;
        }
        RECT r = ItemRect(i);
        const Tab& t = tabs_[static_cast<std::size_t>(i)];
        int labelLeft = (Style() & TCS_FORCELABELLEFT) ? r.left + padX_ : (r.left + r.right - t.labelWidth) / 2;
        bool onLabel = info->pt.x >= labelLeft && info->pt.x < labelLeft + t.labelWidth;
        info->flags = onLabel ? TCHT_ONITEMLABEL : TCHT_ONITEM;
        return i;
    }

    LRESULT GetItemRect(int i, RECT* out) const {
        if (!out || !Valid(i)) return FALSE;
        *out = ItemRect(i);
        return TRUE;
    }

    // ---- items

    LRESULT InsertItem(int index, const TCITEMA* item) {
        if (!item || index < 0) return -1;
        index = std::min(index, Count());
        Tab t;
        ApplyItem(t, *item);
        tabs_.insert(tabs_.begin() + index, t);
        // The first tab of an empty control becomes the selected one.
        if (cur_ < 0 && Count() == 1) cur_ = 0;
        else if (cur_ >= index) ++cur_;
        Changed();
        return index;
    }

    static void ApplyItem(Tab& t, const TCITEMA& item) {
        if (item.mask & TCIF_TEXT) t.text = item.pszText ? item.pszText : "";
        if (item.mask & TCIF_PARAM) t.param = item.lParam;
        if (item.mask & TCIF_IMAGE) t.image = item.iImage;
        if (item.mask & TCIF_STATE) t.state = (t.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask);
    }

    LRESULT SetItem(int index, const TCITEMA* item) {
        if (!item || !Valid(index)) return FALSE;
        ApplyItem(tabs_[static_cast<std::size_t>(index)], *item);
        Changed();
        return TRUE;
    }

    LRESULT GetItem(int index, TCITEMA* item) const {
        if (!item || !Valid(index)) return FALSE;
        const Tab& t = tabs_[static_cast<std::size_t>(index)];
        if ((item->mask & TCIF_TEXT) && item->cchTextMax > 0) {
            user::CopyTextOut(t.text, item->pszText, static_cast<std::size_t>(item->cchTextMax));
        }
        if (item->mask & TCIF_PARAM) item->lParam = t.param;
        if (item->mask & TCIF_IMAGE) item->iImage = t.image;
        if (item->mask & TCIF_STATE) item->dwState = t.state & item->dwStateMask;
        return TRUE;
    }

    LRESULT DeleteItem(int index) {
        if (!Valid(index)) return FALSE;
        tabs_.erase(tabs_.begin() + index);
        // Taking the selected tab away leaves none selected.
        if (cur_ == index) cur_ = -1;
        else if (cur_ > index) --cur_;
        Changed();
        return TRUE;
    }

    LRESULT DeleteAllItems() {
        tabs_.clear();
        cur_ = -1;
        Changed();
        return TRUE;
    }

    void Changed() {
        Layout();
        EnsureVisible(cur_);
        InvalidateRect(Window(), nullptr, TRUE);
    }

    LRESULT SetItemSize(int cx, int cy) {
        LRESULT old = MAKELONG(static_cast<WORD>(fixedWidth_), static_cast<WORD>(ItemHeight()));
        fixedWidth_ = std::max(0, cx);
        fixedHeight_ = std::max(0, cy);
        Changed();
        return old;
    }

    LRESULT SetPadding(int cx, int cy) {
        padX_ = std::max(0, cx);
        padY_ = std::max(0, cy);
        Changed();
        return 0;
    }

    LRESULT OnSetFont(HFONT font, bool redraw) {
        SetFont(font);
        Layout();
        if (redraw) InvalidateRect(Window(), nullptr, TRUE);
        return 0;
    }

    // ---- selection

    // Selects a tab without asking or telling the parent; the old one, or
    // -1 when the index is out of range (-1 itself selects none).
    LRESULT SetCurSel(int index) {
        if (index < -1 || index >= Count()) return -1;
        int old = cur_;
        cur_ = index;
        EnsureVisible(cur_);
        InvalidateRect(Window(), nullptr, TRUE);
        return old;
    }

    LRESULT NotifyParent(UINT code) {
        NMHDR nm{Window(), static_cast<UINT_PTR>(Id()), code};
        HWND parent = Parent();
        return parent ? SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&nm)) : 0;
    }

    // A change the user asked for: the parent may refuse it first.
    void ChangeSelection(int index) {
        if (!Valid(index) || index == cur_) return;
        if (NotifyParent(TCN_SELCHANGING) != 0 || !Alive()) return;
        if (!Valid(index)) return;  // the parent took tabs away meanwhile
        SetCurSel(index);
        NotifyParent(TCN_SELCHANGE);
    }

    LRESULT OnButtonDown(POINT p) {
        int i = TabAt(p);
        if (i < 0) return 0;
        if (!(Style() & TCS_FOCUSNEVER) && GetFocus() != Window()) {
            SetFocus(Window());
            if (!Alive()) return 0;
        }
        ChangeSelection(i);
        return 0;
    }

    LRESULT OnGetDlgCode(WPARAM key, const MSG* msg) const {
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        // Ctrl+Tab turns the pages; a plain Tab still leaves the control.
        bool tab = key == VK_TAB || (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB);
        if (tab && GetKeyState(VK_CONTROL) < 0) code |= DLGC_WANTTAB;
        return code;
    }

    LRESULT OnKeyDown(UINT vk, LPARAM lParam) {
        NMTCKEYDOWN nm{};
        nm.hdr = NMHDR{Window(), static_cast<UINT_PTR>(Id()), TCN_KEYDOWN};
        nm.wVKey = static_cast<WORD>(vk);
        nm.flags = static_cast<UINT>(HIWORD(lParam));
        if (HWND parent = Parent()) SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&nm));
        if (!Alive() || tabs_.empty()) return 0;
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        const int n = Count();
        const int at = cur_ < 0 ? 0 : cur_;
        switch (vk) {
            case VK_LEFT:
            case VK_UP: ChangeSelection(cur_ < 0 ? 0 : std::max(0, cur_ - 1)); break;
            case VK_RIGHT:
            case VK_DOWN: ChangeSelection(cur_ < 0 ? 0 : std::min(n - 1, cur_ + 1)); break;
            case VK_HOME: ChangeSelection(0); break;
            case VK_END: ChangeSelection(n - 1); break;
            case VK_TAB:
                if (ctrl) ChangeSelection(((GetKeyState(VK_SHIFT) < 0 ? at - 1 : at + 1) % n + n) % n);
                break;
            case VK_PRIOR:
            case VK_NEXT:
                if (ctrl) ChangeSelection(((vk == VK_PRIOR ? at - 1 : at + 1) % n + n) % n);
                break;
            default: break;
        }
        return 0;
    }

    LRESULT OnScroll(WORD code, int pos, HWND from) {
        if (!from || from != arrows_ || code != SB_THUMBPOSITION) return 0;
        first_ = std::clamp(pos, 0, lastFirst_);
        InvalidateRect(Window(), nullptr, TRUE);
        return 0;
    }

    // ---- painting

    LRESULT OnPaint(HDC given) {
        PAINTSTRUCT ps{};
        HDC dc = given ? given : BeginPaint(Window(), &ps);
        int saved = SaveDC(dc);
        RECT c{};
        GetClientRect(Window(), &c);
        FillRect(dc, &c, GetSysColorBrush(COLOR_BTNFACE));
        RECT frame{c.left, RowBottom(), c.right, c.bottom};
        DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT | BF_SOFT);
        if (Scrolling()) ExcludeClipRect(dc, TabsEnd(), 0, c.right, RowBottom());
        user::controls::FontScope scope(dc, TextFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        const bool enabled = IsWindowEnabled(Window()) != FALSE;
        for (int i = Scrolling() ? first_ : 0; i < Count(); ++i) {
            if (i == cur_) continue;
            RECT r = ItemRect(i);
            if (r.left >= TabsEnd()) break;
            DrawTab(dc, r, tabs_[static_cast<std::size_t>(i)], false, enabled);
        }
        if (Shown(cur_)) DrawTab(dc, ItemRect(cur_), tabs_[static_cast<std::size_t>(cur_)], true, enabled);
        RestoreDC(dc, saved);
        if (!given) EndPaint(Window(), &ps);
        return 0;
    }

    // A tab of the classic look: highlight up the left and along the top
    // with the corner cut, dark shadow down the right with the grey shadow
    // inside it. The selected tab stands out of the row and its face runs
    // over the frame's top edge into the page.
    void DrawTab(HDC dc, RECT item, const Tab& t, bool selected, bool enabled) const {
        RECT r = selected ? Raised(item) : item;
        auto fill = [dc](int l, int tp, int rt, int b, int color) {
            RECT f{l, tp, rt, b};
            FillRect(dc, &f, GetSysColorBrush(color));
        };
        fill(r.left + 1, r.top + 1, r.right - 1, r.bottom, COLOR_BTNFACE);
        fill(r.left, r.top + 2, r.left + 1, r.bottom, COLOR_BTNHIGHLIGHT);
        fill(r.left + 1, r.top + 1, r.left + 2, r.top + 2, COLOR_BTNHIGHLIGHT);
        fill(r.left + 2, r.top, r.right - 2, r.top + 1, COLOR_BTNHIGHLIGHT);
        fill(r.right - 2, r.top + 1, r.right - 1, r.top + 2, COLOR_3DDKSHADOW);
        fill(r.right - 1, r.top + 2, r.right, r.bottom, COLOR_3DDKSHADOW);
        fill(r.right - 2, r.top + 2, r.right - 1, r.bottom, COLOR_BTNSHADOW);

        // The selected label sits a pixel higher, as the tab does.
        RECT label = item;
        if (selected) OffsetRect(&label, 0, -1);
        UINT format = DT_SINGLELINE | DT_VCENTER;
        if (Style() & TCS_FORCELABELLEFT) {
            label.left += padX_;
            format |= DT_LEFT;
        } else {
            format |= DT_CENTER;
        }
        user::controls::DrawControlText(dc, t.text, label, format, enabled);
        if (selected && GetFocus() == Window()) {
            RECT focus{r.left + 3, r.top + 3, r.right - 3, r.bottom - 2};
            DrawFocusRect(dc, &focus);
        }
    }

    std::vector<Tab> tabs_;
    int cur_ = -1;
    int first_ = 0;      // the first tab shown while the row scrolls
    int lastFirst_ = 0;  // and the last it may be
    int textHeight_ = 12;
    int padX_ = 6;
    int padY_ = 3;
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    HWND arrows_ = nullptr;
};

std::unique_ptr<user::controls::Control> MakeTabControl(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<TabControl>(hwnd, create);
}

LRESULT CALLBACK TabControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return user::controls::Control::Dispatch(hwnd, msg, wParam, lParam, MakeTabControl);
}

}  // namespace

void RegisterTabControlClass() {
    user::controls::RegisterControlClass(WC_TABCONTROLA, TabControlProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                         IDC_ARROW);
}

}  // namespace win32
