// The "BUTTON" class: pressing by mouse and keyboard, checks, radio
// groups, owner drawing, the dialog manager's use of buttons, and the
// classic look by pixel.
#include "tests/platform/user/controls/controls_fixture.h"

namespace test {
namespace {

class ButtonTest : public ControlsTest {};

UINT State(HWND b) { return static_cast<UINT>(SendMessageA(b, BM_GETSTATE, 0, 0)); }
UINT Check(HWND b) { return static_cast<UINT>(SendMessageA(b, BM_GETCHECK, 0, 0)); }

TEST_F(ButtonTest, PressTracksTheMouseWithCaptureAndClicksOnlyOnReleaseInside) {
    HWND b = Make("BUTTON", "OK", BS_PUSHBUTTON, {10, 10, 90, 35}, 7);
    MouseDown(40, 20);
    EXPECT_EQ(b, GetCapture());
    EXPECT_EQ(b, GetFocus());
    EXPECT_TRUE(State(b) & BST_PUSHED);
    MoveMouse(200, 200);
    EXPECT_FALSE(State(b) & BST_PUSHED);
    MoveMouse(30, 30);
    EXPECT_TRUE(State(b) & BST_PUSHED);
    MoveMouse(200, 200);
    MouseUp(200, 200);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(Codes(7).empty());

    Click(40, 20);
    EXPECT_EQ(std::vector<int>{BN_CLICKED}, Codes(7));
    EXPECT_EQ(BST_FOCUS, State(b));
    EXPECT_EQ(static_cast<LRESULT>(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON), SendMessageA(b, WM_GETDLGCODE, 0, 0));
}

TEST_F(ButtonTest, AutomaticCheckBoxesToggleAndThreeStateCyclesPlainOnesOnlyNotify) {
    HWND autoBox = Make("BUTTON", "a", BS_AUTOCHECKBOX, {10, 10, 100, 26}, 1);
    HWND three = Make("BUTTON", "b", BS_AUTO3STATE, {10, 30, 100, 46}, 2);
    HWND plain = Make("BUTTON", "c", BS_CHECKBOX, {10, 50, 100, 66}, 3);
    Click(20, 18);
    EXPECT_EQ(BST_CHECKED, Check(autoBox));
    Click(20, 18);
    EXPECT_EQ(BST_UNCHECKED, Check(autoBox));
    std::vector<UINT> seen;
    for (int i = 0; i < 3; ++i) {
        Click(20, 38);
        seen.push_back(Check(three));
    }
    EXPECT_EQ((std::vector<UINT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}), seen);
    Click(20, 58);
    EXPECT_EQ(BST_UNCHECKED, Check(plain));
    EXPECT_EQ(std::vector<int>{BN_CLICKED}, Codes(3));

    // A two-state box cannot be made indeterminate; push buttons keep no check.
    SendMessageA(plain, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(BST_CHECKED, Check(plain));
    SendMessageA(three, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(BST_INDETERMINATE, Check(three));
    HWND push = Make("BUTTON", "p", BS_PUSHBUTTON, {200, 10, 260, 30}, 4);
    SendMessageA(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_UNCHECKED, Check(push));
}

TEST_F(ButtonTest, AutomaticRadioButtonUnchecksItsGroupAndTakesTheTabStop) {
    HWND r1 = Make("BUTTON", "1", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {10, 10, 100, 26}, 1);
    HWND r2 = Make("BUTTON", "2", BS_AUTORADIOBUTTON, {10, 30, 100, 46}, 2);
    HWND r3 = Make("BUTTON", "3", BS_AUTORADIOBUTTON, {10, 50, 100, 66}, 3);
    HWND other = Make("BUTTON", "4", BS_AUTORADIOBUTTON | WS_GROUP, {10, 70, 100, 86}, 4);
    SendMessageA(r1, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
    Click(20, 38);
    EXPECT_EQ(BST_UNCHECKED, Check(r1));
    EXPECT_EQ(BST_CHECKED, Check(r2));
    EXPECT_EQ(BST_UNCHECKED, Check(r3));
    EXPECT_EQ(BST_CHECKED, Check(other));
    EXPECT_FALSE(GetWindowLongA(r1, GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongA(r2, GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(std::vector<int>{BN_CLICKED}, Codes(2));

    // A double click on a radio button is told as such.
    ClearLog();
    DoubleClick(20, 58);
    EXPECT_EQ((std::vector<int>{BN_CLICKED, BN_DOUBLECLICKED}), Codes(3));
    EXPECT_EQ(BST_CHECKED, Check(r3));
}

TEST_F(ButtonTest, SpaceBarPressesAndReleasesLosingFocusCancelsAndClickMessageNeedsEnabled) {
    HWND b = Make("BUTTON", "OK", BS_PUSHBUTTON, {10, 10, 90, 35}, 7);
    HWND other = Make("BUTTON", "x", BS_PUSHBUTTON, {100, 10, 190, 35}, 8);
    SetFocus(b);
    KeyDown(VK_SPACE);
    EXPECT_TRUE(State(b) & BST_PUSHED);
    KeyUp(VK_SPACE);
    EXPECT_EQ(std::vector<int>{BN_CLICKED}, Codes(7));

    KeyDown(VK_SPACE);
    SetFocus(other);
    RunUntilIdle();
    KeyUp(VK_SPACE);
    EXPECT_FALSE(State(b) & BST_PUSHED);
    EXPECT_EQ(1u, Codes(7).size());

    SendMessageA(b, BM_CLICK, 0, 0);
    EXPECT_EQ(2u, Codes(7).size());
    EnableWindow(b, FALSE);
    SendMessageA(b, BM_CLICK, 0, 0);
    Click(40, 20);
    EXPECT_EQ(2u, Codes(7).size());
}

TEST_F(ButtonTest, ButtonDestroyedByItsOwnClickUnwindsSafely) {
    HWND b = Make("BUTTON", "Close", BS_PUSHBUTTON, {10, 10, 90, 35}, 7);
    OnMessage(parent_, WM_COMMAND, [&](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (HIWORD(wp) == BN_CLICKED) DestroyWindow(reinterpret_cast<HWND>(lp));
        return 0;
    });
    Click(40, 20);
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ButtonTest, OwnerDrawnButtonAsksItsParentToDrawEachState) {
    std::vector<DRAWITEMSTRUCT> draws;
    OnMessage(parent_, WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    });
    HWND b = Make("BUTTON", "", BS_OWNERDRAW, {10, 10, 90, 35}, 9);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(ODT_BUTTON, draws.back().CtlType);
    EXPECT_EQ(9u, draws.back().CtlID);
    EXPECT_EQ(b, draws.back().hwndItem);
    EXPECT_EQ(ODA_DRAWENTIRE, draws.back().itemAction);
    EXPECT_EQ(80, draws.back().rcItem.right);
    draws.clear();
    MouseDown(20, 20);
    bool sawPressed = false;
    for (const DRAWITEMSTRUCT& d : draws) {
        if (d.itemAction == ODA_SELECT && (d.itemState & ODS_SELECTED)) sawPressed = true;
    }
    EXPECT_TRUE(sawPressed);
    MouseUp(20, 20);
    EXPECT_EQ(ODA_SELECT, draws.back().itemAction);
    EXPECT_FALSE(draws.back().itemState & ODS_SELECTED);
    EXPECT_TRUE(draws.back().itemState & ODS_FOCUS);
    EXPECT_EQ(std::vector<int>{BN_CLICKED}, Codes(9));
}

// ---- In dialogs -------------------------------------------------------------

DLGITEMTEMPLATE Item(const char* cls, const char* text, WORD id, DWORD style, short x, short y, short cx, short cy) {
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
}

std::vector<std::pair<WORD, WORD>> g_dialogCommands;

INT_PTR CALLBACK RecordingDialog(HWND, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND) g_dialogCommands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return FALSE;
}

class ButtonDialogTest : public ControlsTest {
protected:
    HWND MakeDialog() {
        g_dialogCommands.clear();
        DLGTEMPLATE t;
        t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE;
        t.cx = 200;
        t.cy = 100;
        t.title = "ボタン";
        t.pointSize = 9;
        t.typeface = "ＭＳ Ｐゴシック";
        t.items = {
            Item("BUTTON", "太字(&B)", 10, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 7, 80, 10),
            Item("BUTTON", "左(&L)", 11, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 7, 22, 40, 10),
            Item("BUTTON", "右(&R)", 12, BS_AUTORADIOBUTTON, 50, 22, 40, 10),
            Item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 30, 80, 50, 14),
            Item("BUTTON", "適用(&A)", 13, BS_PUSHBUTTON | WS_TABSTOP, 85, 80, 50, 14),
        };
        HWND d = CreateDialogIndirectParamA(nullptr, &t, parent_, RecordingDialog, 0);
        PumpDialog(d);
        return d;
    }
};

TEST_F(ButtonDialogTest, DefaultLookFollowsTheFocusedPushButtonAndEnterPressesIt) {
    HWND d = MakeDialog();
    ASSERT_TRUE(d);
    HWND ok = GetDlgItem(d, IDOK), apply = GetDlgItem(d, 13);
    ASSERT_TRUE(ok && apply);
    EXPECT_EQ(GetDlgItem(d, 10), GetFocus());
    SendMessageA(GetDlgItem(d, 11), BM_SETCHECK, BST_CHECKED, 0);

    DialogKey(d, VK_TAB);  // to the radio group
    DialogKey(d, VK_TAB);  // to OK
    DialogKey(d, VK_TAB);  // to Apply: it takes the default look
    EXPECT_EQ(apply, GetFocus());
    EXPECT_EQ(static_cast<DWORD>(BS_DEFPUSHBUTTON), GetWindowLongA(apply, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(static_cast<DWORD>(BS_PUSHBUTTON), GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK);
    DialogKey(d, VK_RETURN);
    ASSERT_FALSE(g_dialogCommands.empty());
    EXPECT_EQ((std::pair<WORD, WORD>{13, BN_CLICKED}), g_dialogCommands.back());

    // A click on the check box gives the default look back to OK.
    RECT r = ScreenRectOf(GetDlgItem(d, 10));
    Click(r.left + 5, (r.top + r.bottom) / 2);
    PumpDialog(d);
    EXPECT_EQ(static_cast<DWORD>(BS_DEFPUSHBUTTON), GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(static_cast<DWORD>(BS_PUSHBUTTON), GetWindowLongA(apply, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BST_CHECKED, Check(GetDlgItem(d, 10)));
}

TEST_F(ButtonDialogTest, AccessKeysAndArrowsOperateCheckBoxesAndRadioButtons) {
    HWND d = MakeDialog();
    DialogAltKey(d, 'B');
    EXPECT_EQ(BST_CHECKED, Check(GetDlgItem(d, 10)));
    DialogAltKey(d, 'R');
    EXPECT_EQ(BST_CHECKED, Check(GetDlgItem(d, 12)));
    EXPECT_EQ(GetDlgItem(d, 12), GetFocus());
    DialogKey(d, VK_LEFT);
    EXPECT_EQ(BST_CHECKED, Check(GetDlgItem(d, 11)));
    EXPECT_EQ(BST_UNCHECKED, Check(GetDlgItem(d, 12)));
    DialogType(d, " ");
    EXPECT_EQ(BST_CHECKED, Check(GetDlgItem(d, 11)));
    int clicks = 0;
    for (auto [id, code] : g_dialogCommands) clicks += id == 11 && code == BN_CLICKED;
    EXPECT_GE(clicks, 2);
}

// ---- Look ---------------------------------------------------------------------

TEST_F(ButtonTest, ClassicPushButtonEdgesAndDefaultFrame) {
    Make("BUTTON", "", BS_PUSHBUTTON, {10, 10, 90, 35}, 1);
    Make("BUTTON", "", BS_DEFPUSHBUTTON, {110, 10, 190, 35}, 2);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ScreenColor(10, 20));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ScreenColor(40, 10));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), ScreenColor(89, 20));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), ScreenColor(40, 34));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), ScreenColor(88, 20));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ScreenColor(50, 22));
    // The default button has a black frame outside the raised edge.
    EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), ScreenColor(110, 20));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ScreenColor(111, 20));
}

TEST_F(ButtonTest, CheckBoxIsSunkenWhiteAndShowsItsCheckMark) {
    HWND box = Make("BUTTON", "", BS_CHECKBOX, {10, 10, 100, 23}, 1);  // 13 high: the box fills it
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), ScreenColor(10, 10));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ScreenColor(22, 22));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), ScreenColor(16, 16));
    auto darkInside = [&] {
        int n = 0;
        for (int y = 12; y < 21; ++y)
            for (int x = 12; x < 21; ++x) n += ScreenColor(x, y) == GetSysColor(COLOR_WINDOWTEXT);
        return n;
    };
    EXPECT_EQ(0, darkInside());
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    RunUntilIdle();
    EXPECT_GE(darkInside(), 7);
}

TEST_F(ButtonTest, DisabledTextIsEtchedAndParentColoursTheBackground) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    OnMessage(parent_, WM_CTLCOLORSTATIC, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return reinterpret_cast<LRESULT>(red);
    });
    HWND box = Make("BUTTON", "ABCDEF", BS_AUTOCHECKBOX | WS_DISABLED, {10, 10, 200, 30}, 1);
    ASSERT_TRUE(box);
    int shadow = 0, light = 0, redSeen = 0;
    for (int y = 10; y < 30; ++y) {
        for (int x = 26; x < 120; ++x) {
            COLORREF c = ScreenColor(x, y);
            shadow += c == GetSysColor(COLOR_BTNSHADOW);
            light += c == GetSysColor(COLOR_BTNHIGHLIGHT);
            redSeen += c == RGB(255, 0, 0);
        }
    }
    EXPECT_GT(shadow, 10);
    EXPECT_GT(light, 10);
    EXPECT_GT(redSeen, 100);
    DeleteObject(red);
}

}  // namespace
}  // namespace test
