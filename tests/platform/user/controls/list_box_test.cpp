// The "LISTBOX" class: items and their order, the three selection styles
// by message, keyboard and mouse, the scroll bar and whole rows, owner
// drawing, and the parent's say over keys.
#include "tests/platform/user/controls/controls_fixture.h"

namespace test {
namespace {

class ListBoxTest : public ControlsTest {
protected:
    HWND MakeList(DWORD style, std::vector<std::string> items, RECT r = {10, 10, 160, 110}) {
        HWND lb = Make("LISTBOX", "", style, r, 50);
        for (const std::string& s : items) SendMessageA(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
        RunUntilIdle();
        return lb;
    }
    static std::string ItemText(HWND lb, int i) {
        char buf[256] = {};
        LRESULT n = SendMessageA(lb, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        return n < 0 ? "<err>" : std::string(buf, static_cast<std::size_t>(n));
    }
    static LRESULT Send(HWND h, UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(h, m, w, l); }
    static LPARAM Str(const char* s) { return reinterpret_cast<LPARAM>(s); }
    // The middle of item `i` in screen (= parent client) coordinates.
    POINT ItemPoint(HWND lb, int i) {
        RECT r{};
        Send(lb, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(lb, &p);
        return p;
    }
    void ClickItem(HWND lb, int i) {
        POINT p = ItemPoint(lb, i);
        Click(p.x, p.y);
        AdvanceClock(1000);  // the next click is not a double click
    }
    std::vector<int> Selected(HWND lb) {
        int buf[64];
        LRESULT n = Send(lb, LB_GETSELITEMS, 64, reinterpret_cast<LPARAM>(buf));
        return n < 0 ? std::vector<int>{-1} : std::vector<int>(buf, buf + n);
    }
    void Key(UINT vk) { PressKey(vk); }
    void ShiftKey(UINT vk) {
        KeyDown(VK_SHIFT);
        PressKey(vk);
        KeyUp(VK_SHIFT);
    }
};

TEST_F(ListBoxTest, ItemsSortInsertDeleteAndAnswerErrorsForBadIndexes) {
    HWND lb = MakeList(LBS_SORT, {"pear", "Apple", "banana", "apple"});
    EXPECT_EQ(4, Send(lb, LB_GETCOUNT));
    EXPECT_EQ("Apple", ItemText(lb, 0));
    EXPECT_EQ("apple", ItemText(lb, 1));  // equal ones keep their order
    EXPECT_EQ("banana", ItemText(lb, 2));
    EXPECT_EQ("pear", ItemText(lb, 3));
    EXPECT_EQ(6, Send(lb, LB_GETTEXTLEN, 2));
    // Inserting does not sort; -1 appends; past the end fails.
    EXPECT_EQ(1, Send(lb, LB_INSERTSTRING, 1, Str("ぶどう")));
    EXPECT_EQ(5, Send(lb, LB_INSERTSTRING, static_cast<WPARAM>(-1), Str("zz")));
    EXPECT_EQ(LB_ERR, Send(lb, LB_INSERTSTRING, 9, Str("no")));
    EXPECT_EQ("ぶどう", ItemText(lb, 1));
    EXPECT_EQ(9, Send(lb, LB_GETTEXTLEN, 1));  // bytes of UTF-8
    EXPECT_EQ(5, Send(lb, LB_DELETESTRING, 1));
    EXPECT_EQ(LB_ERR, Send(lb, LB_DELETESTRING, 5));
    EXPECT_EQ(LB_ERR, Send(lb, LB_GETTEXT, 7, Str("")));
    EXPECT_EQ(LB_ERR, Send(lb, LB_GETTEXTLEN, static_cast<WPARAM>(-1)));
    EXPECT_EQ(TRUE, Send(lb, LB_SETITEMDATA, 2, 1234));
    EXPECT_EQ(1234, Send(lb, LB_GETITEMDATA, 2));
    EXPECT_EQ(LB_ERR, Send(lb, LB_GETITEMDATA, 40));
    Send(lb, LB_RESETCONTENT);
    EXPECT_EQ(0, Send(lb, LB_GETCOUNT));
    EXPECT_EQ(LB_ERR, Send(lb, LB_GETCURSEL));
}

TEST_F(ListBoxTest, FindingByPrefixOrWholeTextWrapsFromTheStartItem) {
    HWND lb = MakeList(0, {"alpha", "beta", "Bravo", "charlie", "beta"});
    EXPECT_EQ(1, Send(lb, LB_FINDSTRING, static_cast<WPARAM>(-1), Str("B")));
    EXPECT_EQ(2, Send(lb, LB_FINDSTRING, 1, Str("b")));
    EXPECT_EQ(1, Send(lb, LB_FINDSTRING, 4, Str("be")));  // wraps round
    EXPECT_EQ(LB_ERR, Send(lb, LB_FINDSTRING, static_cast<WPARAM>(-1), Str("delta")));
    EXPECT_EQ(LB_ERR, Send(lb, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Str("bet")));
    EXPECT_EQ(4, Send(lb, LB_FINDSTRINGEXACT, 1, Str("BETA")));
    EXPECT_EQ(3, Send(lb, LB_SELECTSTRING, static_cast<WPARAM>(-1), Str("ch")));
    EXPECT_EQ(3, Send(lb, LB_GETCURSEL));
    EXPECT_TRUE(Codes(50).empty());  // selection by message is not told
}

TEST_F(ListBoxTest, KeyboardMovesTheSingleSelectionAndTellsTheParentOfEachChange) {
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) items.push_back("item" + std::to_string(100 + i));
    items.push_back("zebra");
    items.push_back("zeta");
    HWND lb = MakeList(LBS_NOTIFY | WS_VSCROLL, items);
    SetFocus(lb);
    RunUntilIdle();
    ClearLog();
    Key(VK_DOWN);
    EXPECT_EQ(0, Send(lb, LB_GETCURSEL));
    Key(VK_DOWN);
    EXPECT_EQ(1, Send(lb, LB_GETCURSEL));
    Key(VK_UP);
    Key(VK_UP);  // already at the top: no change, no notification
    EXPECT_EQ(0, Send(lb, LB_GETCURSEL));
    EXPECT_EQ((std::vector<int>{LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE}), Codes(50));
    Key(VK_END);
    EXPECT_EQ(21, Send(lb, LB_GETCURSEL));
    EXPECT_EQ(21 - Send(lb, LB_GETTOPINDEX) + 1, 100 / Send(lb, LB_GETITEMHEIGHT));  // last row at the bottom
    Key(VK_HOME);
    EXPECT_EQ(0, Send(lb, LB_GETTOPINDEX));
    Key(VK_NEXT);
    const int page = static_cast<int>(100 / Send(lb, LB_GETITEMHEIGHT));
    EXPECT_EQ(page - 1, Send(lb, LB_GETCURSEL));
    // Typing finds by prefix; the same letter again steps on.
    TypeText("z");
    EXPECT_EQ(20, Send(lb, LB_GETCURSEL));
    AdvanceClock(2000);
    TypeText("z");
    EXPECT_EQ(21, Send(lb, LB_GETCURSEL));
    AdvanceClock(2000);
    TypeText("item11");
    EXPECT_EQ(10, Send(lb, LB_GETCURSEL));
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS), Send(lb, WM_GETDLGCODE));
}

TEST_F(ListBoxTest, MouseSelectsWithCaptureDragsAndDoubleClicks) {
    HWND lb = MakeList(LBS_NOTIFY, {"a", "b", "c", "d"});
    POINT p1 = ItemPoint(lb, 1), p3 = ItemPoint(lb, 3);
    MouseDown(p1.x, p1.y);
    EXPECT_EQ(lb, GetCapture());
    EXPECT_EQ(lb, GetFocus());
    EXPECT_EQ(1, Send(lb, LB_GETCURSEL));
    MoveMouse(p3.x, p3.y);
    EXPECT_EQ(3, Send(lb, LB_GETCURSEL));
    MouseUp(p3.x, p3.y);
    EXPECT_EQ(nullptr, GetCapture());
    std::vector<int> codes = Codes(50);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(LBN_SETFOCUS, codes.front());
    EXPECT_EQ(LBN_SELCHANGE, codes.back());
    ClearLog();
    AdvanceClock(1000);
    DoubleClick(p1.x, p1.y);
    codes = Codes(50);
    EXPECT_NE(codes.end(), std::find(codes.begin(), codes.end(), LBN_DBLCLK));
    EXPECT_EQ(1, Send(lb, LB_GETCURSEL));
    // Without LBS_NOTIFY only the focus is told.
    HWND quiet = Make("LISTBOX", "", 0, {200, 10, 300, 100}, 51);
    Send(quiet, LB_ADDSTRING, 0, Str("x"));
    ClickItem(quiet, 0);
    EXPECT_EQ(std::vector<int>{LBN_SETFOCUS}, Codes(51));
    EXPECT_EQ(0, Send(quiet, LB_GETCURSEL));
}

TEST_F(ListBoxTest, HoldingTheButtonBelowTheListKeepsScrolling) {
    std::vector<std::string> items;
    for (int i = 0; i < 40; ++i) items.push_back("row" + std::to_string(i));
    HWND lb = MakeList(LBS_NOTIFY | WS_VSCROLL, items);
    POINT p = ItemPoint(lb, 0);
    MouseDown(p.x, p.y);
    MoveMouse(p.x, 150);
    const LRESULT first = Send(lb, LB_GETCURSEL);
    for (int i = 0; i < 8; ++i) AdvanceClock(60);
    const LRESULT later = Send(lb, LB_GETCURSEL);
    EXPECT_GT(later, first + 3);
    EXPECT_GT(Send(lb, LB_GETTOPINDEX), 0);
    MouseUp(p.x, 150);
    for (int i = 0; i < 4; ++i) AdvanceClock(60);
    EXPECT_EQ(later, Send(lb, LB_GETCURSEL));  // stops with the button
    EXPECT_EQ(LBN_SELCHANGE, Codes(50).back());
}

TEST_F(ListBoxTest, MultipleSelectionTogglesByClickAndSpace) {
    HWND lb = MakeList(LBS_MULTIPLESEL | LBS_NOTIFY, {"a", "b", "c", "d"});
    ClickItem(lb, 0);
    ClickItem(lb, 2);
    EXPECT_EQ((std::vector<int>{0, 2}), Selected(lb));
    ClickItem(lb, 0);
    EXPECT_EQ((std::vector<int>{2}), Selected(lb));
    Key(VK_DOWN);  // moves only the caret
    EXPECT_EQ(1, Send(lb, LB_GETCARETINDEX));
    EXPECT_EQ((std::vector<int>{2}), Selected(lb));
    Key(VK_SPACE);
    EXPECT_EQ((std::vector<int>{1, 2}), Selected(lb));
    EXPECT_EQ(2, Send(lb, LB_GETSELCOUNT));
    EXPECT_EQ(LB_ERR, Send(lb, LB_SETCURSEL, 1));
    Send(lb, LB_SETSEL, TRUE, -1);
    EXPECT_EQ(4, Send(lb, LB_GETSELCOUNT));
    Send(lb, LB_SELITEMRANGE, FALSE, MAKELPARAM(1, 2));
    EXPECT_EQ((std::vector<int>{0, 3}), Selected(lb));
    EXPECT_EQ(LB_ERR, Send(lb, LB_SETSEL, TRUE, 9));
    // Single-selection boxes refuse the multiple-selection messages.
    HWND single = MakeList(0, {"x"}, {200, 10, 300, 100});
    EXPECT_EQ(LB_ERR, Send(single, LB_SETSEL, TRUE, 0));
    EXPECT_EQ(LB_ERR, Send(single, LB_GETSELCOUNT));
}

TEST_F(ListBoxTest, ExtendedSelectionWithShiftCtrlAndDragging) {
    HWND lb = MakeList(LBS_EXTENDEDSEL | LBS_NOTIFY, {"a", "b", "c", "d", "e", "f"});
    ClickItem(lb, 1);
    EXPECT_EQ((std::vector<int>{1}), Selected(lb));
    KeyDown(VK_SHIFT);
    ClickItem(lb, 3);
    KeyUp(VK_SHIFT);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Selected(lb));
    KeyDown(VK_CONTROL);
    ClickItem(lb, 5);
    ClickItem(lb, 2);
    KeyUp(VK_CONTROL);
    EXPECT_EQ((std::vector<int>{1, 3, 5}), Selected(lb));
    ShiftKey(VK_DOWN);  // from the anchor (2) to the new caret (3)
    EXPECT_EQ((std::vector<int>{2, 3}), Selected(lb));
    Key(VK_HOME);
    EXPECT_EQ((std::vector<int>{0}), Selected(lb));
    POINT a = ItemPoint(lb, 1), b = ItemPoint(lb, 4);
    MouseDown(a.x, a.y);
    MoveMouse(b.x, b.y);
    MouseUp(b.x, b.y);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Selected(lb));
    EXPECT_EQ(4, Send(lb, LB_GETCARETINDEX));
    EXPECT_EQ(1, Send(lb, LB_GETANCHORINDEX));
}

TEST_F(ListBoxTest, ScrollBarAppearsWhenNeededAndTopIndexIsKeptInRange) {
    HWND lb = MakeList(WS_VSCROLL, {"a", "b"});
    EXPECT_FALSE(GetWindowLongA(lb, GWL_STYLE) & WS_VSCROLL);
    for (int i = 0; i < 30; ++i) Send(lb, LB_ADDSTRING, 0, Str("more"));
    EXPECT_TRUE(GetWindowLongA(lb, GWL_STYLE) & WS_VSCROLL);
    const int page = static_cast<int>(100 / Send(lb, LB_GETITEMHEIGHT));
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(lb, SB_VERT, &si);
    EXPECT_EQ(31, si.nMax);
    EXPECT_EQ(static_cast<UINT>(page), si.nPage);
    EXPECT_EQ(LB_OKAY, Send(lb, LB_SETTOPINDEX, 31));
    EXPECT_EQ(32 - page, Send(lb, LB_GETTOPINDEX));
    EXPECT_EQ(LB_ERR, Send(lb, LB_SETTOPINDEX, 32));
    Send(lb, WM_VSCROLL, SB_TOP);
    Send(lb, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(1, Send(lb, LB_GETTOPINDEX));
    Send(lb, LB_SETCURSEL, 20);
    EXPECT_EQ(20, Send(lb, LB_GETTOPINDEX) + page - 1);
    RECT r{};
    Send(lb, LB_GETITEMRECT, 20, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(static_cast<LRESULT>(20), LOWORD(Send(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, r.top + 1))));
    EXPECT_EQ(0, HIWORD(Send(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, r.top + 1))));
    while (Send(lb, LB_GETCOUNT) > 2) Send(lb, LB_DELETESTRING, 0);
    EXPECT_FALSE(GetWindowLongA(lb, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(0, Send(lb, LB_GETTOPINDEX));
    EXPECT_EQ(1, HIWORD(Send(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 90))));

    // LBS_DISABLENOSCROLL keeps the bar, disabled.
    HWND kept = MakeList(WS_VSCROLL | LBS_DISABLENOSCROLL, {"a"}, {200, 10, 300, 100});
    EXPECT_TRUE(GetWindowLongA(kept, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ListBoxTest, HeightShrinksToWholeRowsUnlessAskedNotTo) {
    HWND fitted = MakeList(0, {"a"}, {10, 10, 100, 105});
    HWND free = MakeList(LBS_NOINTEGRALHEIGHT, {"a"}, {110, 10, 200, 105});
    const int h = static_cast<int>(Send(fitted, LB_GETITEMHEIGHT));
    ASSERT_GT(h, 0);
    RECT c;
    GetClientRect(fitted, &c);
    EXPECT_EQ(0, c.bottom % h);
    EXPECT_GT(c.bottom, 95 - h);
    GetClientRect(free, &c);
    EXPECT_EQ(95, c.bottom);
    // A resize asks again from the new height.
    SetWindowPos(fitted, nullptr, 0, 0, 90, 200, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(fitted, &c);
    EXPECT_EQ(0, c.bottom % h);
    EXPECT_GT(c.bottom, 200 - h);
}

TEST_F(ListBoxTest, OwnerDrawnRowsAreMeasuredDrawnComparedAndDeletedByTheParent) {
    std::vector<DRAWITEMSTRUCT> draws;
    std::vector<ULONG_PTR> deleted;
    int compares = 0;
    OnMessage(parent_, WM_MEASUREITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        m->itemHeight = m->CtlType == ODT_LISTBOX && m->itemData == 30 ? 30 : 20;
        return TRUE;
    });
    OnMessage(parent_, WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    });
    OnMessage(parent_, WM_COMPAREITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lp);
        ++compares;
        return c->itemData1 < c->itemData2 ? -1 : c->itemData1 > c->itemData2 ? 1 : 0;
    });
    OnMessage(parent_, WM_DELETEITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lp)->itemData);
        return TRUE;
    });
    HWND fixed = Make("LISTBOX", "", LBS_OWNERDRAWFIXED | LBS_SORT | LBS_NOINTEGRALHEIGHT, {10, 10, 110, 110}, 60);
    EXPECT_EQ(20, Send(fixed, LB_GETITEMHEIGHT));
    Send(fixed, LB_ADDSTRING, 0, 7);
    Send(fixed, LB_ADDSTRING, 0, 3);
    Send(fixed, LB_ADDSTRING, 0, 5);
    EXPECT_GT(compares, 0);
    EXPECT_EQ(3, Send(fixed, LB_GETITEMDATA, 0));
    EXPECT_EQ(7, Send(fixed, LB_GETITEMDATA, 2));
    EXPECT_EQ(1, Send(fixed, LB_FINDSTRING, static_cast<WPARAM>(-1), 5));  // no strings: by data
    Send(fixed, LB_SETCURSEL, 1);
    draws.clear();
    RunUntilIdle();
    ASSERT_EQ(3u, draws.size());
    EXPECT_EQ(ODT_LISTBOX, draws[1].CtlType);
    EXPECT_EQ(60u, draws[1].CtlID);
    EXPECT_EQ(1u, draws[1].itemID);
    EXPECT_EQ(5u, draws[1].itemData);
    EXPECT_TRUE(draws[1].itemState & ODS_SELECTED);
    EXPECT_FALSE(draws[0].itemState & ODS_SELECTED);
    EXPECT_EQ(20, draws[1].rcItem.top);
    Send(fixed, LB_DELETESTRING, 0);
    EXPECT_EQ(std::vector<ULONG_PTR>{3}, deleted);
    DestroyWindow(fixed);
    EXPECT_EQ((std::vector<ULONG_PTR>{3, 5, 7}), deleted);

    HWND variable = Make("LISTBOX", "", LBS_OWNERDRAWVARIABLE, {150, 10, 250, 110}, 61);
    Send(variable, LB_ADDSTRING, 0, 10);
    Send(variable, LB_ADDSTRING, 0, 30);
    Send(variable, LB_ADDSTRING, 0, 10);
    EXPECT_EQ(30, Send(variable, LB_GETITEMHEIGHT, 1));
    RECT r{};
    Send(variable, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(50, r.top);
    EXPECT_EQ(70, r.bottom);
    EXPECT_EQ(static_cast<LRESULT>(1), LOWORD(Send(variable, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 45))));
    DestroyWindow(variable);  // while the handlers' captures still live
}

TEST_F(ListBoxTest, ParentMayTakeKeysFirst) {
    HWND lb = MakeList(LBS_WANTKEYBOARDINPUT, {"a", "b", "c", "d"});
    LRESULT answer = -2;
    std::vector<WPARAM> asked;
    OnMessage(parent_, WM_VKEYTOITEM, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        asked.push_back(wp);
        return answer;
    });
    SetFocus(lb);
    Send(lb, LB_SETCURSEL, 1);
    Key(VK_DOWN);
    EXPECT_EQ(1, Send(lb, LB_GETCURSEL));  // the parent kept the key
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(static_cast<WORD>(VK_DOWN), LOWORD(asked[0]));
    EXPECT_EQ(1, HIWORD(asked[0]));
    answer = 3;
    Key(VK_DOWN);
    EXPECT_EQ(3, Send(lb, LB_GETCURSEL));
    answer = -1;
    Key(VK_UP);
    EXPECT_EQ(2, Send(lb, LB_GETCURSEL));
}

TEST_F(ListBoxTest, SelectedRowIsHighlightedAndTheDialogLeavesArrowsToTheList) {
    HWND lb = MakeList(0, {"one", "two", "three"}, {10, 10, 110, 110});
    Send(lb, LB_SETCURSEL, 1);
    RunUntilIdle();
    const int h = static_cast<int>(Send(lb, LB_GETITEMHEIGHT));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), ScreenColor(100, 11 + h + h / 2 - 3));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), ScreenColor(100, 11 + h / 2));

    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | DS_SETFONT | WS_VISIBLE;
    t.cx = 160;
    t.cy = 100;
    t.pointSize = 9;
    t.typeface = "ＭＳ Ｐゴシック";
    DLGITEMTEMPLATE list;
    list.windowClass = "LISTBOX";
    list.id = 5;
    list.style = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY;
    list.x = 5;
    list.y = 5;
    list.cx = 100;
    list.cy = 60;
    DLGITEMTEMPLATE ok;
    ok.windowClass = "BUTTON";
    ok.title = "OK";
    ok.id = IDOK;
    ok.style = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    ok.x = 110;
    ok.y = 5;
    ok.cx = 40;
    ok.cy = 14;
    t.items = {list, ok};
    HWND d = CreateDialogIndirectParamA(nullptr, &t, parent_, [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR {
        return m == WM_INITDIALOG;
    }, 0);
    ASSERT_TRUE(d);
    HWND dl = GetDlgItem(d, 5);
    for (const char* s : {"甲", "乙", "丙"}) Send(dl, LB_ADDSTRING, 0, Str(s));
    PumpDialog(d);
    EXPECT_EQ(dl, GetFocus());
    DialogKey(d, VK_DOWN);
    DialogKey(d, VK_DOWN);
    EXPECT_EQ(1, Send(dl, LB_GETCURSEL));
    EXPECT_EQ(dl, GetFocus());
    RECT c;
    GetClientRect(dl, &c);
    EXPECT_EQ(0, c.bottom % Send(dl, LB_GETITEMHEIGHT));
}

}  // namespace
}  // namespace test
