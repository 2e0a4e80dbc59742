// The "COMBOBOX" class: the field and its text, the drop-down list that
// captures the mouse, the keys that open, move and close it, the three
// kinds (simple, drop-down with an edit, drop-down list), notification
// order, owner drawing and its place in dialogs.
#include <algorithm>

#include "tests/platform/user/controls/controls_fixture.h"

namespace test {
namespace {

class ComboBoxTest : public ControlsTest {
protected:
    HWND MakeCombo(DWORD style, std::vector<std::string> items, RECT r = {10, 10, 160, 150}) {
        HWND cb = Make("COMBOBOX", "", style, r, 70);
        for (const std::string& s : items) SendMessageA(cb, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
        RunUntilIdle();
        return cb;
    }
    static LRESULT Send(HWND h, UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(h, m, w, l); }
    static LPARAM Str(const char* s) { return reinterpret_cast<LPARAM>(s); }
    static HWND DropList() {
        for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            char cls[32] = {};
            GetClassNameA(h, cls, sizeof cls);
            if (std::string(cls) == "ComboLBox") return h;
        }
        return nullptr;
    }
    POINT ListItemPoint(HWND list, int i) {
        RECT r{};
        Send(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        return p;
    }
    // The combo box's own notifications, leaving out focus ones.
    std::vector<int> ComboCodes() {
        std::vector<int> out;
        for (int c : Codes(70)) {
            if (c != CBN_SETFOCUS && c != CBN_KILLFOCUS) out.push_back(c);
        }
        return out;
    }
    void AltDown() { PressAltKey(VK_DOWN); }
};

TEST_F(ComboBoxTest, DropDownListKeepsItsFieldHeightAndAnswersTheListMessages) {
    HWND cb = MakeCombo(CBS_DROPDOWNLIST, {"りんご", "みかん", "ぶどう"});
    RECT wr;
    GetWindowRect(cb, &wr);
    const LRESULT field = Send(cb, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1));
    EXPECT_EQ(field + 6, wr.bottom - wr.top);
    RECT dropped{};
    Send(cb, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(140, dropped.bottom - dropped.top);
    EXPECT_EQ(3, Send(cb, CB_GETCOUNT));
    EXPECT_EQ(CB_ERR, Send(cb, CB_GETCURSEL));
    EXPECT_EQ(1, Send(cb, CB_SETCURSEL, 1));
    EXPECT_EQ("みかん", WindowText(cb));
    EXPECT_EQ(9, Send(cb, CB_GETLBTEXTLEN, 2));
    char buf[32] = {};
    EXPECT_EQ(9, Send(cb, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(buf)));
    EXPECT_STREQ("ぶどう", buf);
    EXPECT_EQ(TRUE, Send(cb, WM_SETTEXT, 0, Str("ぶどう")));
    EXPECT_EQ(2, Send(cb, CB_GETCURSEL));
    EXPECT_EQ(CB_ERR, Send(cb, WM_SETTEXT, 0, Str("もも")));
    EXPECT_EQ(0, Send(cb, CB_SELECTSTRING, static_cast<WPARAM>(-1), Str("り")));
    EXPECT_EQ(CB_ERR, Send(cb, CB_SETCURSEL, 7));
    EXPECT_EQ(CB_ERR, Send(cb, CB_GETCURSEL));
    EXPECT_EQ(CB_ERR, Send(cb, CB_SETEDITSEL, 0, MAKELPARAM(0, 1)));
    EXPECT_TRUE(ComboCodes().empty());  // nothing the user did
    EXPECT_EQ(2, Send(cb, CB_DELETESTRING, 0));
    // The field keeps showing its item when items go in before it.
    EXPECT_EQ(1, Send(cb, CB_SETCURSEL, 1));
    EXPECT_EQ(0, Send(cb, CB_INSERTSTRING, 0, Str("もも")));
    EXPECT_EQ(2, Send(cb, CB_GETCURSEL));
    EXPECT_EQ("ぶどう", WindowText(cb));
    EXPECT_EQ(3, Send(cb, CB_ADDSTRING, 0, Str("なし")));
    EXPECT_EQ(2, Send(cb, CB_GETCURSEL));
    Send(cb, CB_RESETCONTENT);
    EXPECT_EQ(0, Send(cb, CB_GETCOUNT));
    EXPECT_EQ("", WindowText(cb));
}

TEST_F(ComboBoxTest, ClickDropsTheListWhichTracksTheMouseAndAClickChooses) {
    HWND cb = MakeCombo(CBS_DROPDOWNLIST, {"a", "b", "c", "d"});
    Send(cb, CB_SETCURSEL, 0);
    Click(50, 18);
    HWND list = DropList();
    ASSERT_TRUE(list);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_TRUE(Send(cb, CB_GETDROPPEDSTATE));
    EXPECT_EQ(list, GetCapture());
    EXPECT_EQ(cb, GetFocus());
    RECT lr, cr;
    GetWindowRect(list, &lr);
    GetWindowRect(cb, &cr);
    EXPECT_EQ(cr.bottom, lr.top);
    EXPECT_EQ(cr.left, lr.left);
    EXPECT_EQ(std::vector<int>{CBN_DROPDOWN}, ComboCodes());

    POINT p2 = ListItemPoint(list, 2);
    MoveMouse(p2.x, p2.y);
    EXPECT_EQ(2, Send(list, LB_GETCURSEL));  // the list follows the mouse
    EXPECT_EQ(1u, ComboCodes().size());      // but nothing is told yet
    Click(p2.x, p2.y);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(2, Send(cb, CB_GETCURSEL));
    EXPECT_EQ("c", WindowText(cb));
    EXPECT_EQ((std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}), ComboCodes());
}

TEST_F(ComboBoxTest, ClickOutsideClosesWithoutChoosingAndGoesNoFurther) {
    HWND cb = MakeCombo(CBS_DROPDOWNLIST, {"a", "b", "c"});
    Send(cb, CB_SETCURSEL, 1);
    Click(50, 18);
    HWND list = DropList();
    ASSERT_TRUE(list);
    POINT p0 = ListItemPoint(list, 0);
    MoveMouse(p0.x, p0.y);
    ClearLog();
    Click(400, 300);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(1, Send(cb, CB_GETCURSEL));
    EXPECT_EQ((std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP}), ComboCodes());
    EXPECT_FALSE(Log().Saw(parent_, WM_LBUTTONDOWN));

    // A second click on the combo box while it is open closes it too.
    Click(50, 18);
    EXPECT_TRUE(Send(cb, CB_GETDROPPEDSTATE));
    Click(150, 18);
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
}

TEST_F(ComboBoxTest, KeysOpenMoveAndCloseTheList) {
    HWND cb = MakeCombo(CBS_DROPDOWNLIST, {"alpha", "beta", "gamma", "delta"});
    SetFocus(cb);
    RunUntilIdle();
    ClearLog();
    PressKey(VK_DOWN);  // closed: moves the selection at once
    EXPECT_EQ(0, Send(cb, CB_GETCURSEL));
    EXPECT_EQ(std::vector<int>{CBN_SELCHANGE}, ComboCodes());
    ClearLog();
    PressKey(VK_F4);
    EXPECT_TRUE(Send(cb, CB_GETDROPPEDSTATE));
    PressKey(VK_DOWN);
    EXPECT_EQ(1, Send(cb, CB_GETCURSEL));
    EXPECT_EQ("beta", WindowText(cb));
    PressKey(VK_RETURN);
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
    EXPECT_EQ((std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}), ComboCodes());
    ClearLog();
    AltDown();
    EXPECT_TRUE(Send(cb, CB_GETDROPPEDSTATE));
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
    EXPECT_EQ((std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}), ComboCodes());
    // Typing the start of an item chooses it.
    TypeText("g");
    EXPECT_EQ(2, Send(cb, CB_GETCURSEL));
    // With the extended interface the down arrow opens the list.
    Send(cb, CB_SETEXTENDEDUI, TRUE);
    EXPECT_TRUE(Send(cb, CB_GETEXTENDEDUI));
    PressKey(VK_DOWN);
    EXPECT_TRUE(Send(cb, CB_GETDROPPEDSTATE));
    EXPECT_EQ(2, Send(cb, CB_GETCURSEL));
    Send(cb, CB_SHOWDROPDOWN, FALSE);
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
    // The wheel steps a closed list's choice.
    ClearLog();
    Send(cb, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(3, Send(cb, CB_GETCURSEL));
    EXPECT_EQ(std::vector<int>{CBN_SELCHANGE}, ComboCodes());
}

TEST_F(ComboBoxTest, DropDownHasAnEditWhoseTypingIsToldAndWhichShowsTheChoice) {
    HWND cb = MakeCombo(CBS_DROPDOWN | CBS_AUTOHSCROLL, {"東京", "大阪", "名古屋"});
    HWND edit = FindChildByClass(cb, "EDIT");
    ASSERT_TRUE(edit);
    ClearLog();
    SetFocus(cb);
    RunUntilIdle();
    EXPECT_EQ(edit, GetFocus());
    EXPECT_EQ(std::vector<int>{CBN_SETFOCUS}, Codes(70));
    TypeText("ab");
    EXPECT_EQ("ab", WindowText(cb));
    std::vector<int> codes = ComboCodes();
    EXPECT_EQ(2, std::count(codes.begin(), codes.end(), CBN_EDITCHANGE));
    EXPECT_EQ(2, std::count(codes.begin(), codes.end(), CBN_EDITUPDATE));
    ClearLog();
    Send(cb, CB_SETCURSEL, 1);
    EXPECT_EQ("大阪", WindowText(cb));
    EXPECT_TRUE(ComboCodes().empty());
    EXPECT_EQ(TRUE, Send(cb, CB_SETEDITSEL, 0, MAKELPARAM(1, 2)));
    DWORD start = 0, end = 0;
    Send(cb, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(1u, start);
    EXPECT_EQ(2u, end);
    // Down in the edit moves through the list.
    PressKey(VK_DOWN);
    EXPECT_EQ("名古屋", WindowText(cb));
    EXPECT_EQ(std::vector<int>{CBN_SELCHANGE}, ComboCodes());
    // Leaving tells the parent, once.
    HWND other = Make("BUTTON", "x", BS_PUSHBUTTON, {300, 10, 350, 30}, 71);
    SetFocus(other);
    RunUntilIdle();
    EXPECT_EQ(CBN_KILLFOCUS, Codes(70).back());
    // A click on the button drops the list; typing while dropped picks
    // the matching item in the list but keeps the text.
    SetFocus(edit);
    Send(cb, WM_SETTEXT, 0, Str(""));
    Click(150, 18);
    ASSERT_TRUE(Send(cb, CB_GETDROPPEDSTATE));
    ImeCommit("大");
    EXPECT_EQ(1, Send(DropList(), LB_GETCURSEL));
    EXPECT_EQ("大", WindowText(cb));
    PressKey(VK_RETURN);
    EXPECT_EQ("大阪", WindowText(cb));
}

TEST_F(ComboBoxTest, SimpleComboBoxShowsItsListAlwaysAndTellsDoubleClicks) {
    HWND cb = MakeCombo(CBS_SIMPLE, {"one", "two", "three"}, {10, 10, 160, 150});
    HWND list = FindChildByClass(cb, "ComboLBox");
    ASSERT_TRUE(list);
    EXPECT_TRUE(IsWindowVisible(list));
    RECT wr;
    GetWindowRect(cb, &wr);
    EXPECT_EQ(140, wr.bottom - wr.top);
    POINT p = ListItemPoint(list, 1);
    ClearLog();
    Click(p.x, p.y);
    EXPECT_EQ("two", WindowText(cb));
    EXPECT_EQ(FindChildByClass(cb, "EDIT"), GetFocus());
    std::vector<int> codes = ComboCodes();
    EXPECT_EQ(std::vector<int>{CBN_SELCHANGE}, codes);
    AdvanceClock(1000);
    DoubleClick(p.x, p.y);
    codes = ComboCodes();
    EXPECT_NE(codes.end(), std::find(codes.begin(), codes.end(), CBN_DBLCLK));
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
    PressKey(VK_F4);
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
}

TEST_F(ComboBoxTest, OwnerDrawnComboBoxSpeaksForItsFieldAndItsList) {
    std::vector<MEASUREITEMSTRUCT> measures;
    std::vector<DRAWITEMSTRUCT> draws;
    OnMessage(parent_, WM_MEASUREITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        measures.push_back(*m);
        m->itemHeight = m->itemID == static_cast<UINT>(-1) ? 24 : 18;
        return TRUE;
    });
    OnMessage(parent_, WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    });
    HWND cb = MakeCombo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, {"x", "y"});
    ASSERT_GE(measures.size(), 2u);
    for (const MEASUREITEMSTRUCT& m : measures) {
        EXPECT_EQ(ODT_COMBOBOX, m.CtlType);
        EXPECT_EQ(70u, m.CtlID);
    }
    EXPECT_EQ(24, Send(cb, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    EXPECT_EQ(18, Send(cb, CB_GETITEMHEIGHT, 0));
    Send(cb, CB_SETCURSEL, 1);
    draws.clear();
    RunUntilIdle();
    ASSERT_FALSE(draws.empty());
    EXPECT_TRUE(draws.back().itemState & ODS_COMBOBOXEDIT);
    EXPECT_EQ(1u, draws.back().itemID);
    EXPECT_EQ(cb, draws.back().hwndItem);
    draws.clear();
    Send(cb, CB_SHOWDROPDOWN, TRUE);
    RunUntilIdle();
    int listItems = 0;
    for (const DRAWITEMSTRUCT& d : draws) {
        if (!(d.itemState & ODS_COMBOBOXEDIT)) {
            ++listItems;
            EXPECT_EQ(ODT_COMBOBOX, d.CtlType);
            EXPECT_EQ(cb, d.hwndItem);
        }
    }
    EXPECT_EQ(2, listItems);
}

// ---- In dialogs ---------------------------------------------------------------------

INT_PTR CALLBACK PlainDialog(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class ComboDialogTest : public ComboBoxTest {
protected:
    HWND MakeDialog(DWORD comboStyle) {
        DLGTEMPLATE t;
        t.style = WS_POPUP | WS_CAPTION | DS_SETFONT | WS_VISIBLE;
        t.cx = 200;
        t.cy = 100;
        t.pointSize = 9;
        t.typeface = "ＭＳ Ｐゴシック";
        auto item = [](const char* cls, const char* text, WORD id, DWORD style, short x, short y, short cx, short cy) {
            DLGITEMTEMPLATE i;
            i.windowClass = cls;
            i.title = text;
            i.id = id;
            i.style = style | WS_VISIBLE;
            i.x = x;
            i.y = y;
            i.cx = cx;
            i.cy = cy;
            return i;
        };
        t.items = {item("STATIC", "種類(&K):", 10, SS_LEFT, 5, 5, 40, 10),
                   item("COMBOBOX", "", 11, comboStyle | WS_TABSTOP | WS_VSCROLL, 50, 5, 80, 60),
                   item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 140, 5, 50, 14),
                   item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 140, 22, 50, 14)};
        HWND d = CreateDialogIndirectParamA(nullptr, &t, parent_, PlainDialog, 0);
        HWND cb = GetDlgItem(d, 11);
        for (const char* s : {"テキスト", "すべて"}) Send(cb, CB_ADDSTRING, 0, Str(s));
        PumpDialog(d);
        return d;
    }
};

std::vector<std::pair<WORD, WORD>> g_commands;

INT_PTR CALLBACK CommandDialog(HWND, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_COMMAND) g_commands.emplace_back(LOWORD(wp), HIWORD(wp));
    return msg == WM_INITDIALOG;
}

TEST_F(ComboDialogTest, EnterAndEscapeCloseTheOpenListBeforeTheyReachTheDialog) {
    g_commands.clear();
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | DS_SETFONT | WS_VISIBLE;
    t.cx = 200;
    t.cy = 100;
    t.pointSize = 9;
    t.typeface = "ＭＳ Ｐゴシック";
    DLGITEMTEMPLATE combo;
    combo.windowClass = "COMBOBOX";
    combo.id = 11;
    combo.style = WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    combo.x = 5;
    combo.y = 5;
    combo.cx = 80;
    combo.cy = 60;
    DLGITEMTEMPLATE ok;
    ok.windowClass = "BUTTON";
    ok.title = "OK";
    ok.id = IDOK;
    ok.style = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    ok.x = 140;
    ok.y = 5;
    ok.cx = 50;
    ok.cy = 14;
    t.items = {combo, ok};
    HWND d = CreateDialogIndirectParamA(nullptr, &t, parent_, CommandDialog, 0);
    HWND cb = GetDlgItem(d, 11);
    for (const char* s : {"テキスト", "すべて"}) Send(cb, CB_ADDSTRING, 0, Str(s));
    PumpDialog(d);
    HWND edit = FindChildByClass(cb, "EDIT");
    EXPECT_EQ(edit, GetFocus());
    DialogAltKey(d, VK_DOWN);
    EXPECT_TRUE(Send(cb, CB_GETDROPPEDSTATE));
    DialogKey(d, VK_DOWN);
    DialogKey(d, VK_RETURN);
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
    EXPECT_EQ("テキスト", WindowText(cb));
    auto pressed = [&](WORD id) {
        return std::count(g_commands.begin(), g_commands.end(), std::pair<WORD, WORD>{id, BN_CLICKED});
    };
    EXPECT_EQ(0, pressed(IDOK));
    DialogKey(d, VK_F4);
    DialogKey(d, VK_ESCAPE);
    EXPECT_FALSE(Send(cb, CB_GETDROPPEDSTATE));
    EXPECT_EQ(0, pressed(IDCANCEL));
    DialogKey(d, VK_RETURN);
    EXPECT_EQ(1, pressed(IDOK));
    // Tab leaves the combo box's edit for the next control.
    DialogKey(d, VK_TAB);
    EXPECT_EQ(GetDlgItem(d, IDOK), GetFocus());
    DialogShiftKey(d, VK_TAB);
    EXPECT_EQ(edit, GetFocus());
}

TEST_F(ComboDialogTest, LabelAccessKeyFocusesTheComboBoxAndItsFieldLooksClassic) {
    HWND d = MakeDialog(CBS_DROPDOWNLIST);
    HWND cb = GetDlgItem(d, 11);
    SetFocus(GetDlgItem(d, IDOK));
    PumpDialog(d);
    DialogAltKey(d, 'K');
    EXPECT_EQ(cb, GetFocus());
    Send(cb, CB_SETCURSEL, 0);
    PumpDialog(d);
    RECT r = ScreenRectOf(cb);
    // Sunken edge, the button face at the right, the focused choice highlighted.
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), ScreenColor(r.left + 5, r.top));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ScreenColor(r.left + 5, r.bottom - 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ScreenColor(r.right - 6, r.top + 4));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), ScreenColor(r.left + 4, (r.top + r.bottom) / 2));
}

}  // namespace
}  // namespace test
