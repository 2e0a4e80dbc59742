// The "SysTabControl32" class: items and the selection, the parent's say
// over a change by mouse or key, the display rectangle, hit testing,
// scrolling a row too long for the control, and the look of the tabs.
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "tests/support/window_fixture.h"

namespace test {
namespace {

class TabControlTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent_ = CreateRecordedWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 320, 200});
        OnMessage(parent_, WM_NOTIFY, [this](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
            auto* nm = reinterpret_cast<NMHDR*>(l);
            if (nm->code == TCN_KEYDOWN) return 0;
            heard_.push_back({nm->code, static_cast<int>(SendMessageA(nm->hwndFrom, TCM_GETCURSEL, 0, 0))});
            return nm->code == TCN_SELCHANGING && refuse_ ? 1 : 0;
        });
        RunUntilIdle();
    }
    void TearDown() override {
        if (IsWindow(parent_)) DestroyWindow(parent_);
        WindowTest::TearDown();
    }
    // A tab control at (10, 10) in the parent with the given labels.
    HWND Make(const std::vector<std::string>& labels, int width = 280, DWORD style = 0) {
        HWND h = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | style, 10, 10, width, 150, parent_,
                                 reinterpret_cast<HMENU>(5), nullptr, nullptr);
        for (const std::string& s : labels) Insert(h, static_cast<int>(SendMessageA(h, TCM_GETITEMCOUNT, 0, 0)), s);
        RunUntilIdle();
        return h;
    }
    static int Insert(HWND h, int at, const std::string& text, LPARAM param = 0) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(text.c_str());
        item.lParam = param;
        return static_cast<int>(SendMessageA(h, TCM_INSERTITEMA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item)));
    }
    static int Sel(HWND h) { return static_cast<int>(SendMessageA(h, TCM_GETCURSEL, 0, 0)); }
    static RECT ItemRect(HWND h, int i) {
        RECT r{};
        SendMessageA(h, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The centre of a tab in the parent's (here the screen's) coordinates.
    static POINT TabCentre(HWND h, int i) {
        RECT r = ItemRect(h, i);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        MapWindowPoints(h, nullptr, &p, 1);
        return p;
    }
    void ClickTab(HWND h, int i) {
        POINT p = TabCentre(h, i);
        Click(p.x, p.y);
    }
    void CtrlKey(UINT vk, bool shift = false) {
        Screen().Key(VK_CONTROL, true);
        if (shift) Screen().Key(VK_SHIFT, true);
        PressKey(vk);
        if (shift) Screen().Key(VK_SHIFT, false);
        Screen().Key(VK_CONTROL, false);
        RunUntilIdle();
    }

    struct Heard {
        UINT code;
        int selection;  // the selection when the parent heard it
        bool operator==(const Heard&) const = default;
    };
    HWND parent_ = nullptr;
    std::vector<Heard> heard_;
    bool refuse_ = false;
};

TEST_F(TabControlTest, ItemsKeepTheirTextAndDataAndTheSelectionFollowsInsertsAndDeletes) {
    HWND tabs = Make({});
    EXPECT_EQ(Sel(tabs), -1);
    EXPECT_EQ(Insert(tabs, 0, "署名", 11), 0);
    EXPECT_EQ(Sel(tabs), 0) << "the first tab of an empty control is selected";
    EXPECT_EQ(Insert(tabs, 99, "タイトル編集", 22), 1) << "past the end appends";
    EXPECT_EQ(Insert(tabs, 0, "前", 33), 0);
    EXPECT_EQ(Sel(tabs), 1) << "the selected tab moves along with an insert before it";

    char buf[8] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(buf, "タイ") << "cut to the buffer between characters";
    EXPECT_EQ(item.lParam, 22);
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("後");
    ASSERT_TRUE(SendMessageA(tabs, TCM_SETITEMA, 2, reinterpret_cast<LPARAM>(&item)));
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buf;
    SendMessageA(tabs, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buf, "後");
    EXPECT_EQ(item.lParam, 22) << "setting the text keeps the data";
    EXPECT_FALSE(SendMessageA(tabs, TCM_GETITEMA, 3, reinterpret_cast<LPARAM>(&item)));

    // Code moves the selection silently and reports the old one.
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 2, 0), 1);
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 3, 0), -1);
    EXPECT_EQ(Sel(tabs), 2);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURFOCUS, 0, 0), 2);
    EXPECT_TRUE(heard_.empty());

    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(Sel(tabs), 1);
    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEITEM, 1, 0));
    EXPECT_EQ(Sel(tabs), -1) << "taking the selected tab away leaves none";
    EXPECT_FALSE(SendMessageA(tabs, TCM_DELETEITEM, 5, 0));
    SendMessageA(tabs, TCM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(TabControlTest, AClickAsksTheParentFirstAndARefusalKeepsTheTab) {
    HWND tabs = Make({"一", "二", "三"});
    ClickTab(tabs, 2);
    EXPECT_EQ(Sel(tabs), 2);
    EXPECT_EQ(GetFocus(), tabs) << "a click focuses the control";
    EXPECT_EQ(heard_, (std::vector<Heard>{{TCN_SELCHANGING, 0}, {TCN_SELCHANGE, 2}}));
    heard_.clear();
    ClickTab(tabs, 2);
    EXPECT_TRUE(heard_.empty()) << "the selected tab again is no change";
    refuse_ = true;
    ClickTab(tabs, 0);
    EXPECT_EQ(Sel(tabs), 2);
    EXPECT_EQ(heard_, (std::vector<Heard>{{TCN_SELCHANGING, 2}}));
    // Moving the focus without buttons is a selection the parent hears of.
    refuse_ = false;
    heard_.clear();
    SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0);
    EXPECT_EQ(Sel(tabs), 1);
    EXPECT_EQ(heard_.size(), 2u);
    // Below the row (in the page) a click selects nothing.
    RECT w{};
    GetWindowRect(tabs, &w);
    heard_.clear();
    Click(w.left + 50, w.top + 80);
    EXPECT_TRUE(heard_.empty());
}

TEST_F(TabControlTest, TheFocusedControlTurnsByArrowsAndCtrlTab) {
    HWND tabs = Make({"一", "二", "三"});
    SetFocus(tabs);
    PressKey(VK_RIGHT);
    EXPECT_EQ(Sel(tabs), 1);
    PressKey(VK_LEFT);
    PressKey(VK_LEFT);
    EXPECT_EQ(Sel(tabs), 0) << "arrows stop at the ends";
    CtrlKey(VK_TAB, true);
    EXPECT_EQ(Sel(tabs), 2) << "Ctrl+Shift+Tab goes round to the last";
    CtrlKey(VK_TAB);
    EXPECT_EQ(Sel(tabs), 0);
    PressKey(VK_END);
    EXPECT_EQ(Sel(tabs), 2);
    refuse_ = true;
    PressKey(VK_HOME);
    EXPECT_EQ(Sel(tabs), 2);
    EXPECT_EQ(heard_.back().code, TCN_SELCHANGING);
    // A dialog keeps a plain Tab for moving between controls.
    EXPECT_FALSE(SendMessageA(tabs, WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
    Screen().Key(VK_CONTROL, true);
    RunUntilIdle();
    EXPECT_TRUE(SendMessageA(tabs, WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
    Screen().Key(VK_CONTROL, false);
    RunUntilIdle();
}

TEST_F(TabControlTest, TheDisplayRectangleRoundTripsAndHitsFavourTheSelectedTab) {
    HWND tabs = Make({"一", "二二", "三"});
    RECT r1 = ItemRect(tabs, 0), r2 = ItemRect(tabs, 1);
    EXPECT_EQ(r1.left, 2);
    EXPECT_EQ(r1.top, 2);
    EXPECT_EQ(r1.right, r2.left) << "side by side";
    EXPECT_GT(r2.right - r2.left, r1.right - r1.left) << "wider label, wider tab";
    RECT client{};
    GetClientRect(tabs, &client);
    RECT display = client;
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(display.left, 4);
    EXPECT_EQ(display.top, r1.bottom + 4) << "below the frame's edge and margin";
    EXPECT_EQ(display.right, client.right - 4);
    EXPECT_EQ(display.bottom, client.bottom - 4);
    RECT back = display;
    SendMessageA(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&back));
    EXPECT_TRUE(EqualRect(&back, &client));

    TCHITTESTINFO hit{{(r2.left + r2.right) / 2, (r2.top + r2.bottom) / 2}, 0};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, TCHT_ONITEMLABEL);
    hit.pt = POINT{r2.left + 1, r2.top + 5};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0)
        << "the selected first tab stands over its neighbour's edge";
    hit.pt = POINT{r2.left + 3, r2.top + 5};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, TCHT_ONITEM) << "on the tab beside its label";
    hit.pt = POINT{r1.left + 2, 0};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0) << "above the row, on the raised tab";
    hit.pt = POINT{r2.left + 5, 0};
    EXPECT_EQ(SendMessageA(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, TCHT_NOWHERE);

    // Fixed sizes and padding.
    SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(0, 25));
    EXPECT_EQ(ItemRect(tabs, 0).bottom - ItemRect(tabs, 0).top, 25);
    SendMessageA(tabs, TCM_SETPADDING, 0, MAKELPARAM(20, 3));
    EXPECT_EQ(ItemRect(tabs, 0).right - ItemRect(tabs, 0).left, r1.right - r1.left + 28);
    HWND fixed = Make({"一", "二二二二"}, 280, TCS_FIXEDWIDTH);
    SendMessageA(fixed, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 0));
    EXPECT_EQ(ItemRect(fixed, 1).right - ItemRect(fixed, 1).left, 60);
}

TEST_F(TabControlTest, AFontChangesTheRowAndIsGivenBack) {
    HWND tabs = Make({"一"});
    int before = ItemRect(tabs, 0).bottom;
    HFONT big = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
    SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(tabs, WM_GETFONT, 0, 0)), big);
    EXPECT_GT(ItemRect(tabs, 0).bottom, before + 8);
    DestroyWindow(tabs);
    DeleteObject(big);
}

TEST_F(TabControlTest, ARowTooLongScrollsBehindArrowsAndKeepsTheSelectionInView) {
    HWND tabs = Make({"一番目", "二番目", "三番目", "四番目", "五番目", "六番目"}, 150);
    HWND arrows = FindWindowExA(tabs, nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(arrows, nullptr);
    EXPECT_TRUE(IsWindowVisible(arrows));
    RECT a{};
    GetWindowRect(arrows, &a);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&a), 2);
    EXPECT_EQ(a.right, 150) << "at the row's right end";
    SendMessageA(tabs, TCM_SETCURSEL, 5, 0);
    RECT last = ItemRect(tabs, 5);
    EXPECT_LE(last.right, a.left) << "the selected tab scrolled into view";
    EXPECT_GT(last.left, 2);
    SaveWindowShot(parent_, "tab_control_scrolled");
    // The left arrow scrolls back to the start; the first tab is there again.
    RECT shown = ItemRect(tabs, 0);
    EXPECT_LT(shown.left, 2);
    POINT left{a.left + 3, (a.top + a.bottom) / 2};
    MapWindowPoints(tabs, nullptr, &left, 1);
    for (int i = 0; i < 6; ++i) Click(left.x, left.y);
    EXPECT_EQ(ItemRect(tabs, 0).left, 2);
    EXPECT_EQ(Sel(tabs), 5) << "scrolling selects nothing";
    // Wide enough again, the arrows go.
    SetWindowPos(tabs, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);
    RunUntilIdle();
    EXPECT_FALSE(IsWindowVisible(arrows));
    EXPECT_EQ(ItemRect(tabs, 0).left, 2);
}

TEST_F(TabControlTest, TheSelectedTabStandsRaisedOverThePageFrame) {
    HWND tabs = Make({"署名", "タイトル編集"});
    POINT o{0, 0};
    MapWindowPoints(tabs, nullptr, &o, 1);
    RECT sel = ItemRect(tabs, 0), other = ItemRect(tabs, 1);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    const int frameTop = sel.bottom;
    // The selected tab's top edge is two pixels above the others'.
    EXPECT_EQ(ScreenColor(o.x + (sel.left + sel.right) / 2, o.y + 0), light);
    EXPECT_EQ(ScreenColor(o.x + (other.left + other.right) / 2, o.y + 0), face);
    EXPECT_EQ(ScreenColor(o.x + (other.left + other.right) / 2, o.y + 2), light);
    // It opens into the page: no frame line below it, but below the other.
    EXPECT_EQ(ScreenColor(o.x + (sel.left + sel.right) / 2, o.y + frameTop), face);
    EXPECT_EQ(ScreenColor(o.x + (other.left + other.right) / 2, o.y + frameTop), light);
    // Highlight down its left (two pixels out), dark shadow down its right.
    EXPECT_EQ(ScreenColor(o.x + sel.left - 2, o.y + 8), light);
    EXPECT_EQ(ScreenColor(o.x + sel.right + 1, o.y + 8), dark);
    EXPECT_EQ(ScreenColor(o.x + other.right - 1, o.y + 8), dark);
    // The frame: highlight left, dark shadow at the right and the bottom.
    RECT c{};
    GetClientRect(tabs, &c);
    EXPECT_EQ(ScreenColor(o.x, o.y + 80), light);
    EXPECT_EQ(ScreenColor(o.x + c.right - 1, o.y + 80), dark);
    EXPECT_EQ(ScreenColor(o.x + 80, o.y + c.bottom - 1), dark);

    // A focus rectangle inside the selected tab while the control has the focus.
    auto dotted = [&] {
        int n = 0;
        for (int x = sel.left; x < sel.right; ++x) {
            if (ScreenColor(o.x + x, o.y + sel.top + 1) != face) ++n;
        }
        return n;
    };
    int unfocused = dotted();
    SetFocus(tabs);
    RunUntilIdle();
    EXPECT_GT(dotted(), unfocused + 3);
    SaveWindowShot(parent_, "tab_control");
}

}  // namespace
}  // namespace test
