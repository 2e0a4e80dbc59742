// The list box's items and its window procedure: adding, inserting
// (sorted when asked), deleting, finding, item data and heights.
#include "platform/user/list_box.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace win32 {
namespace user::controls {

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Case-insensitive ordering of UTF-8 text: ASCII letters fold, everything
// else compares by code point (which UTF-8's byte order keeps).
int CompareText(const std::string& a, const std::string& b, std::size_t limit = std::string::npos) {
    const std::size_t n = std::min({a.size(), b.size(), limit});
    for (std::size_t i = 0; i < n; ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i]));
        int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (limit != std::string::npos && n == limit) return 0;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && CompareText(text, prefix, prefix.size()) == 0;
}

}  // namespace

ListBox::ListBox(HWND hwnd, const CREATESTRUCTA& create)
    : Control(hwnd), vscroll_((create.style & WS_VSCROLL) != 0), requestedHeight_(create.cy) {}

LRESULT ListBox::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (msg) {
        case WM_CREATE:
            MeasureFixedHeight();
            FitIntegralHeight();
            UpdateScrollBar();
            return 0;
        case WM_DESTROY: ResetContent(); return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wParam));
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: return OnSize();
        case WM_VSCROLL: return OnVScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        case WM_MOUSEWHEEL: return OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN: return OnKeyDown(wParam);
        case WM_CHAR: return OnChar(wParam);
        case WM_LBUTTONDOWN: return OnLButtonDown(wParam, PointOf(lParam), false);
        case WM_LBUTTONDBLCLK: return OnLButtonDown(wParam, PointOf(lParam), true);
        case WM_MOUSEMOVE: return OnMouseMove(wParam, PointOf(lParam));
        case WM_LBUTTONUP: return OnLButtonUp();
        case WM_CAPTURECHANGED: return OnCaptureChanged();
        case WM_TIMER: return OnDragTimer(wParam);
        case WM_SETFOCUS: return OnSetFocus();
        case WM_KILLFOCUS: return OnKillFocus();
        case WM_ENABLE: Invalidate(); return 0;
        case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam));
        case WM_GETFONT: return reinterpret_cast<LRESULT>(Font());

        case LB_ADDSTRING: return AddString(lParam);
        case LB_INSERTSTRING: return InsertString(index, lParam);
        case LB_DELETESTRING: return DeleteString(index);
        case LB_RESETCONTENT: ResetContent(); return LB_OKAY;
        case LB_GETCOUNT: return Count();
        case LB_GETTEXT: return GetText(index, reinterpret_cast<char*>(lParam));
        case LB_GETTEXTLEN: return GetTextLen(index);
        case LB_FINDSTRING: return FindString(index, lParam, false);
        case LB_FINDSTRINGEXACT: return FindString(index, lParam, true);
        case LB_SELECTSTRING: return SelectString(index, lParam);
        case LB_GETITEMDATA: return GetItemData(index);
        case LB_SETITEMDATA: return SetItemData(index, static_cast<ULONG_PTR>(lParam));
        case LB_GETITEMHEIGHT: return GetItemHeight(index);
        case LB_SETITEMHEIGHT: return SetItemHeight(index, LOWORD(lParam));
        case LB_INITSTORAGE: items_.reserve(items_.size() + wParam); return Count();

        case LB_SETCURSEL: return SetCurSel(index);
        case LB_GETCURSEL: return GetCurSel();
        case LB_SETSEL: return SetSel(wParam != 0, static_cast<int>(lParam));
        case LB_GETSEL: return GetSel(index);
        case LB_GETSELCOUNT: return GetSelCount();
        case LB_GETSELITEMS: return GetSelItems(index, reinterpret_cast<int*>(lParam));
        case LB_SELITEMRANGE:
            return SelItemRange(wParam != 0, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        case LB_SELITEMRANGEEX: {
            int first = index, last = static_cast<int>(lParam);
            return first <= last ? SelItemRange(true, first, last) : SelItemRange(false, last, first);
        }
        case LB_SETCARETINDEX: return SetCaretIndex(index, LOWORD(lParam) != 0);
        case LB_GETCARETINDEX: return caret_ < 0 ? 0 : caret_;
        case LB_SETANCHORINDEX: return SetAnchorIndex(index);
        case LB_GETANCHORINDEX: return anchor_ < 0 ? 0 : anchor_;

        case LB_SETTOPINDEX: return SetTopIndex(index);
        case LB_GETTOPINDEX: return top_;
        case LB_GETITEMRECT: return GetItemRect(index, reinterpret_cast<RECT*>(lParam));
        case LB_ITEMFROMPOINT: return ItemFromPoint(PointOf(lParam));
        case LB_SETHORIZONTALEXTENT: horizontalExtent_ = index; return 0;
        case LB_GETHORIZONTALEXTENT: return horizontalExtent_;
        case LB_SETTABSTOPS: return TRUE;
        case LB_SETCOLUMNWIDTH: return 0;
        case LB_SETLOCALE: {
            LCID old = locale_;
            locale_ = static_cast<LCID>(wParam);
            return static_cast<LRESULT>(old);
        }
        case LB_GETLOCALE: return static_cast<LRESULT>(locale_);
        case LB_DIR:
        case LB_ADDFILE:
        case LB_SETCOUNT: return LB_ERR;
        default: return Default(msg, wParam, lParam);
    }
}

// ---- Owner ------------------------------------------------------------------

ListBox::Owner ListBox::OwnerOf() const {
    return Owner{Parent(), Window(), ODT_LISTBOX, static_cast<UINT>(Id())};
}

void ListBox::SelectionChangedByUser() {
    if (Style() & LBS_NOTIFY) Notify(LBN_SELCHANGE);
}

// ---- Items --------------------------------------------------------------------

const std::string* ListBox::TextAt(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &items_[static_cast<std::size_t>(index)].text;
}

int ListBox::Compare(const Item& a, const Item& b) const {
    if (HasStrings()) return CompareText(a.text, b.text);
    // Owner-drawn items without strings are ordered by their owner.
    Owner o = OwnerOf();
    COMPAREITEMSTRUCT cis{};
    cis.CtlType = o.type;
    cis.CtlID = o.id;
    cis.hwndItem = o.item;
    cis.itemID1 = static_cast<UINT>(-1);
    cis.itemData1 = a.data;
    cis.itemID2 = static_cast<UINT>(-1);
    cis.itemData2 = b.data;
    cis.dwLocaleId = locale_;
    if (!o.window) return 0;
    return static_cast<int>(SendMessageA(o.window, WM_COMPAREITEM, o.id, reinterpret_cast<LPARAM>(&cis)));
}

int ListBox::InsertAt(int index, Item item) {
    if (index < 0 || index > Count()) index = Count();
    items_.insert(items_.begin() + index, std::move(item));
    if (selected_ >= index) ++selected_;
    if (caret_ >= index) ++caret_;
    if (anchor_ >= index) ++anchor_;
    if (Variable()) MeasureItem(index);
    if (!Alive()) return index;
    UpdateScrollBar();
    Invalidate();
    return index;
}

LRESULT ListBox::AddString(LPARAM value) {
    Item item;
    if (HasStrings()) item.text = value ? reinterpret_cast<const char*>(value) : "";
    else item.data = static_cast<ULONG_PTR>(value);
    int at = Count();
    if (Style() & LBS_SORT) {
        // After the last item that does not sort after it, so equal items
        // keep the order they came in.
        int lo = 0, hi = Count();
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            if (Compare(items_[static_cast<std::size_t>(mid)], item) <= 0) lo = mid + 1;
            else hi = mid;
        }
        at = lo;
    }
    return InsertAt(at, std::move(item));
}

LRESULT ListBox::InsertString(int index, LPARAM value) {
    if (index > Count() || index < -1) return LB_ERR;
    Item item;
    if (HasStrings()) item.text = value ? reinterpret_cast<const char*>(value) : "";
    else item.data = static_cast<ULONG_PTR>(value);
    return InsertAt(index, std::move(item));
}

void ListBox::DeleteItemNotice(int index) {
    if (!OwnerDraw()) return;
    Owner o = OwnerOf();
    if (!o.window || !IsWindow(o.window)) return;
    DELETEITEMSTRUCT dis{};
    dis.CtlType = o.type;
    dis.CtlID = o.id;
    dis.itemID = static_cast<UINT>(index);
    dis.hwndItem = o.item;
    dis.itemData = items_[static_cast<std::size_t>(index)].data;
    SendMessageA(o.window, WM_DELETEITEM, o.id, reinterpret_cast<LPARAM>(&dis));
}

LRESULT ListBox::DeleteString(int index) {
    if (index < 0 || index >= Count()) return LB_ERR;
    DeleteItemNotice(index);
    if (!Alive() || index >= Count()) return LB_ERR;
    items_.erase(items_.begin() + index);
    auto shift = [&](int& i) {
        if (i == index) i = -1;
        else if (i > index) --i;
    };
    shift(selected_);
    if (caret_ > index || (caret_ == index && caret_ >= Count())) --caret_;
    if (anchor_ > index || (anchor_ == index && anchor_ >= Count())) --anchor_;
    top_ = std::min(top_, MaxTop());
    UpdateScrollBar();
    Invalidate();
    return Count();
}

LRESULT ListBox::ResetContent() {
    for (int i = 0; i < Count(); ++i) {
        DeleteItemNotice(i);
        if (!Alive()) break;
    }
    items_.clear();
    selected_ = caret_ = anchor_ = -1;
    top_ = 0;
    if (Alive()) {
        UpdateScrollBar();
        Invalidate();
    }
    return LB_OKAY;
}

LRESULT ListBox::GetText(int index, char* buffer) const {
    if (index < 0 || index >= Count() || !buffer) return LB_ERR;
    const Item& item = items_[static_cast<std::size_t>(index)];
    if (!HasStrings()) {
        std::memcpy(buffer, &item.data, sizeof item.data);
        return sizeof item.data;
    }
    std::memcpy(buffer, item.text.c_str(), item.text.size() + 1);
    return static_cast<LRESULT>(item.text.size());
}

LRESULT ListBox::GetTextLen(int index) const {
    if (index < 0 || index >= Count()) return LB_ERR;
    if (!HasStrings()) return sizeof(ULONG_PTR);
    return static_cast<LRESULT>(items_[static_cast<std::size_t>(index)].text.size());
}

LRESULT ListBox::FindString(int start, LPARAM value, bool exact) const {
    const int n = Count();
    if (n == 0) return LB_ERR;
    if (start < -1 || start >= n) start = -1;
    std::string wanted;
    if (HasStrings()) wanted = value ? reinterpret_cast<const char*>(value) : "";
    // The search begins after `start` and wraps round to it.
    for (int step = 1; step <= n; ++step) {
        int i = (start + step) % n;
        const Item& item = items_[static_cast<std::size_t>(i)];
        bool match;
        if (!HasStrings()) match = item.data == static_cast<ULONG_PTR>(value);
        else if (exact) match = CompareText(item.text, wanted) == 0;
        else match = StartsWith(item.text, wanted);
        if (match) return i;
    }
    return LB_ERR;
}

LRESULT ListBox::SelectString(int start, LPARAM value) {
    LRESULT found = FindString(start, value, false);
    if (found == LB_ERR) return LB_ERR;
    int i = static_cast<int>(found);
    if (MultiSel()) SetCaret(i);
    else Select(i);
    EnsureVisible(i);
    return found;
}

LRESULT ListBox::SetItemData(int index, ULONG_PTR data) {
    if (index < 0 || index >= Count()) return LB_ERR;
    items_[static_cast<std::size_t>(index)].data = data;
    return TRUE;
}

LRESULT ListBox::GetItemData(int index) const {
    if (index < 0 || index >= Count()) return LB_ERR;
    return static_cast<LRESULT>(items_[static_cast<std::size_t>(index)].data);
}

int ListBox::ItemHeight(int index) const {
    if (Variable() && index >= 0 && index < Count()) return items_[static_cast<std::size_t>(index)].height;
    return itemHeight_;
}

LRESULT ListBox::GetItemHeight(int index) const {
    if (Variable() && (index < 0 || index >= Count())) return LB_ERR;
    return ItemHeight(index);
}

LRESULT ListBox::SetItemHeight(int index, int height) {
    if (height <= 0 || height > 255) return LB_ERR;
    if (Variable()) {
        if (index < 0 || index >= Count()) return LB_ERR;
        items_[static_cast<std::size_t>(index)].height = height;
    } else {
        itemHeight_ = height;
        FitIntegralHeight();
    }
    top_ = std::min(top_, MaxTop());
    UpdateScrollBar();
    Invalidate();
    return LB_OKAY;
}

void ListBox::MeasureItem(int index) {
    Item& item = items_[static_cast<std::size_t>(index)];
    item.height = itemHeight_;
    Owner o = OwnerOf();
    if (!o.window) return;
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = o.type;
    mis.CtlID = o.id;
    mis.itemID = static_cast<UINT>(index);
    RECT client;
    GetClientRect(Window(), &client);
    mis.itemWidth = static_cast<UINT>(client.right);
    mis.itemHeight = static_cast<UINT>(itemHeight_);
    mis.itemData = item.data;
    SendMessageA(o.window, WM_MEASUREITEM, o.id, reinterpret_cast<LPARAM>(&mis));
    if (index < Count()) items_[static_cast<std::size_t>(index)].height = std::max(1, static_cast<int>(mis.itemHeight));
}

void ListBox::MeasureFixedHeight() {
    // The height of a row of text in the list's font.
    HDC dc = GetDC(Window());
    if (dc) {
        FontScope font(dc, Font());
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        ReleaseDC(Window(), dc);
        if (tm.tmHeight > 0) itemHeight_ = tm.tmHeight;
    }
    if (Style() & LBS_OWNERDRAWFIXED) {
        Owner o = OwnerOf();
        if (!o.window) return;
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = o.type;
        mis.CtlID = o.id;
        mis.itemID = 0;
        RECT client;
        GetClientRect(Window(), &client);
        mis.itemWidth = static_cast<UINT>(client.right);
        mis.itemHeight = static_cast<UINT>(itemHeight_);
        SendMessageA(o.window, WM_MEASUREITEM, o.id, reinterpret_cast<LPARAM>(&mis));
        if (mis.itemHeight > 0) itemHeight_ = static_cast<int>(mis.itemHeight);
    }
}

}  // namespace user::controls

namespace {

std::unique_ptr<user::controls::Control> MakeListBox(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<user::controls::ListBox>(hwnd, create);
}

LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return user::controls::Control::Dispatch(hwnd, msg, wParam, lParam, MakeListBox);
}

}  // namespace

void RegisterListBoxClass() {
    user::controls::RegisterControlClass("LISTBOX", ListBoxProc, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace win32
