// The dialog manager end to end: templates to windows, the first focus,
// keyboard navigation, default and cancel buttons, access keys, modal
// loops and the child dialogs that live inside another dialog.
#include <functional>

#include "tests/platform/user/dialog/test_controls.h"
#include "tests/support/dialog_fixture.h"

namespace test {
namespace {

enum : WORD { kEdit = 100, kLabel = 101, kCheck = 102, kRadio1 = 103, kRadio2 = 104, kRadio3 = 105, kApply = 106 };

std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> g_proc;
std::vector<Message> g_seen;

INT_PTR CALLBACK TestProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(Message{hwnd, msg, wParam, lParam});
    if (g_proc) return g_proc(hwnd, msg, wParam, lParam);
    if (msg == WM_INITDIALOG) return TRUE;
    return FALSE;
}

DLGITEMTEMPLATE Item(const char* cls, const char* text, WORD id, DWORD style, short x, short y, short cx,
                     short cy) {
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

// A settings-like dialog: a labelled edit, a check box, three radio
// buttons in a group, and OK, Cancel and Apply.
DLGTEMPLATE SampleTemplate(DWORD extraStyle = 0) {
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | extraStyle;
    t.x = 10;
    t.y = 10;
    t.cx = 200;
    t.cy = 120;
    t.title = "設定";
    t.pointSize = 8;
    t.typeface = "MS Sans Serif";
    t.items = {
        Item("TestLabel", "名前(&N):", kLabel, 0, 7, 7, 40, 10),
        Item("TestEdit", "", kEdit, WS_TABSTOP | WS_BORDER, 50, 7, 100, 12),
        Item("TestButton", "太字(&B)", kCheck, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 25, 60, 10),
        Item("TestButton", "左(&L)", kRadio1, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 7, 40, 40, 10),
        Item("TestButton", "中央(&C)", kRadio2, BS_AUTORADIOBUTTON, 50, 40, 40, 10),
        Item("TestButton", "右(&R)", kRadio3, BS_AUTORADIOBUTTON, 93, 40, 40, 10),
        Item("TestButton", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 30, 100, 50, 14),
        Item("TestButton", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 85, 100, 50, 14),
        Item("TestButton", "適用(&A)", kApply, BS_PUSHBUTTON | WS_TABSTOP, 140, 100, 50, 14),
    };
    return t;
}

class DialogManagerTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        RegisterTestControls();
        g_proc = nullptr;
        g_seen.clear();
        owner_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {50, 50, 650, 450});
        RunUntilIdle();
    }
    void TearDown() override {
        g_proc = nullptr;
        DialogTest::TearDown();
    }

    HWND Modeless(const DLGTEMPLATE& t) {
        HWND d = CreateDialogIndirectParamA(nullptr, &t, owner_, TestProc, 42);
        PumpDialog(d);
        return d;
    }

    // Commands the dialog procedure received, in order.
    std::vector<WORD> Commands() const {
        std::vector<WORD> ids;
        for (const Message& m : g_seen) {
            if (m.msg == WM_COMMAND) ids.push_back(LOWORD(m.wParam));
        }
        return ids;
    }

    // Ends the dialog with the identifier of each command it receives.
    static void EndOnCommand() {
        g_proc = [](HWND h, UINT msg, WPARAM wp, LPARAM) -> INT_PTR {
            if (msg == WM_INITDIALOG) return TRUE;
            if (msg == WM_COMMAND) EndDialog(h, LOWORD(wp));
            return FALSE;
        };
    }

    HWND owner_ = nullptr;
};

TEST_F(DialogManagerTest, TemplateBecomesWindowSizedInDialogUnitsOfItsFont) {
    DLGTEMPLATE t = SampleTemplate(WS_VISIBLE);
    HWND d = Modeless(t);
    ASSERT_TRUE(d);
    char cls[16] = {};
    GetClassNameA(d, cls, sizeof cls);
    EXPECT_STREQ("#32770", cls);
    EXPECT_EQ("設定", TextOf(d));

    RECT units{0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(d, &units));
    const int bx = units.right, by = units.bottom;
    // An 8-point face at 96 dpi: cells of 11 to 14 pixels, letters 5 to 7 wide.
    EXPECT_GE(by, 11);
    EXPECT_LE(by, 15);
    EXPECT_GE(bx, 5);
    EXPECT_LE(bx, 8);

    RECT client;
    GetClientRect(d, &client);
    EXPECT_EQ(MulDiv(200, bx, 4), client.right);
    EXPECT_EQ(MulDiv(120, by, 8), client.bottom);

    HWND ok = GetDlgItem(d, IDOK);
    RECT r = ScreenRectOf(ok);
    POINT origin{0, 0};
    ClientToScreen(d, &origin);
    EXPECT_EQ(MulDiv(30, bx, 4), r.left - origin.x);
    EXPECT_EQ(MulDiv(100, by, 8), r.top - origin.y);
    EXPECT_EQ(MulDiv(80, bx, 4) - MulDiv(30, bx, 4), r.right - r.left) << "the rectangle is mapped, not the size";

    // Every control got the dialog's font; the dialog answers WM_GETFONT.
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(d, WM_GETFONT, 0, 0));
    EXPECT_TRUE(font);
    ASSERT_FALSE(g_seen.empty());
    EXPECT_EQ(WM_SETFONT, g_seen[0].msg) << "the font comes before the controls and WM_INITDIALOG";
    int initDialogs = 0;
    for (const Message& m : g_seen) {
        if (m.msg == WM_INITDIALOG) {
            ++initDialogs;
            EXPECT_EQ(42, m.lParam);
            EXPECT_EQ(reinterpret_cast<WPARAM>(GetDlgItem(d, kEdit)), m.wParam) << "the first tab stop";
        }
    }
    EXPECT_EQ(1, initDialogs);
    // WM_INITDIALOG returned TRUE: the first tab stop has the focus, with
    // its text selected.
    EXPECT_EQ(GetDlgItem(d, kEdit), GetFocus());
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, JapaneseFontGivesLargerUnitsAndPositionFollowsOwner) {
    DLGTEMPLATE t = SampleTemplate();
    t.typeface = "ＭＳ Ｐゴシック";
    t.pointSize = 9;
    HWND d = Modeless(t);
    RECT units{0, 0, 4, 8};
    MapDialogRect(d, &units);
    EXPECT_EQ(12, units.bottom) << "9 points are 12 pixels";
    // The template's position is relative to the owner's client area.
    POINT origin{0, 0};
    ClientToScreen(owner_, &origin);
    RECT r = ScreenRectOf(d);
    EXPECT_EQ(origin.x + MulDiv(10, units.right, 4), r.left);
    EXPECT_EQ(origin.y + MulDiv(10, units.bottom, 8), r.top);
    DestroyWindow(d);

    t.style |= DS_CENTER;
    d = Modeless(t);
    r = ScreenRectOf(d);
    EXPECT_NEAR(1024 / 2, (r.left + r.right) / 2, 1);
    EXPECT_NEAR(768 / 2, (r.top + r.bottom) / 2, 1);
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, TabAndShiftTabVisitTabStopsInOrderSkippingDisabledAndHidden) {
    HWND d = Modeless(SampleTemplate(WS_VISIBLE));
    EnableWindow(GetDlgItem(d, kApply), FALSE);
    ShowWindow(GetDlgItem(d, kCheck), SW_HIDE);
    ASSERT_EQ(GetDlgItem(d, kEdit), GetFocus());
    Controls().selections.clear();
    DialogKey(d, VK_TAB);
    EXPECT_EQ(GetDlgItem(d, kRadio1), GetFocus());
    DialogKey(d, VK_TAB);
    EXPECT_EQ(GetDlgItem(d, IDOK), GetFocus());
    DialogKey(d, VK_TAB);
    EXPECT_EQ(GetDlgItem(d, IDCANCEL), GetFocus());
    DialogKey(d, VK_TAB);
    EXPECT_EQ(GetDlgItem(d, kEdit), GetFocus()) << "wraps past the disabled Apply";
    ASSERT_EQ(1u, Controls().selections.size()) << "the edit's text is selected when Tab enters it";
    DialogShiftKey(d, VK_TAB);
    EXPECT_EQ(GetDlgItem(d, IDCANCEL), GetFocus());
    EXPECT_TRUE(Commands().empty());
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, ArrowsMoveWithinTheGroupAndCheckAutomaticRadioButtons) {
    HWND d = Modeless(SampleTemplate(WS_VISIBLE));
    SetFocus(GetDlgItem(d, kRadio1));
    DialogKey(d, VK_RIGHT);
    EXPECT_EQ(GetDlgItem(d, kRadio2), GetFocus());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, kRadio2));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, kRadio1));
    DialogKey(d, VK_DOWN);
    DialogKey(d, VK_DOWN);
    EXPECT_EQ(GetDlgItem(d, kRadio1), GetFocus()) << "the group wraps before OK";
    DialogKey(d, VK_UP);
    EXPECT_EQ(GetDlgItem(d, kRadio3), GetFocus());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, kRadio3));
    // The edit wants its arrows: they do not move the focus.
    SetFocus(GetDlgItem(d, kEdit));
    DialogKey(d, VK_RIGHT);
    EXPECT_EQ(GetDlgItem(d, kEdit), GetFocus());
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, EnterPressesTheDefaultOrTheFocusedPushButtonAndEscapeCancels) {
    HWND d = Modeless(SampleTemplate(WS_VISIBLE));
    EXPECT_EQ(MAKELRESULT(IDOK, DC_HASDEFID), SendMessageA(d, DM_GETDEFID, 0, 0));
    DialogKey(d, VK_RETURN);  // focus in the edit
    DialogKey(d, VK_ESCAPE);
    EXPECT_EQ((std::vector<WORD>{IDOK, IDCANCEL}), Commands());

    // A focused push button takes the default look and Enter.
    SendMessageA(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(d, kApply)), TRUE);
    PumpDialog(d);
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(GetDlgItem(d, kApply), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(GetDlgItem(d, IDOK), GWL_STYLE) & BS_TYPEMASK);
    g_seen.clear();
    DialogKey(d, VK_RETURN);
    EXPECT_EQ((std::vector<WORD>{kApply}), Commands());
    // Back in a non-button, OK is the default again.
    SendMessageA(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(d, kEdit)), TRUE);
    ASSERT_EQ(GetDlgItem(d, kEdit), GetFocus());
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(GetDlgItem(d, IDOK), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(GetDlgItem(d, kApply), GWL_STYLE) & BS_TYPEMASK);

    // DM_SETDEFID moves the default; a disabled default only beeps.
    SendMessageA(d, DM_SETDEFID, kApply, 0);
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(GetDlgItem(d, kApply), GWL_STYLE) & BS_TYPEMASK);
    EnableWindow(GetDlgItem(d, kApply), FALSE);
    g_seen.clear();
    int beeps = Screen().Beeps();
    DialogKey(d, VK_RETURN);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(beeps + 1, Screen().Beeps());
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, AccessKeysOperateButtonsAndLeadFromLabelsToTheirControl) {
    HWND d = Modeless(SampleTemplate(WS_VISIBLE));
    SetFocus(GetDlgItem(d, IDOK));
    DialogAltKey(d, 'N');
    EXPECT_EQ(GetDlgItem(d, kEdit), GetFocus()) << "the label leads to the edit";
    DialogAltKey(d, 'B');
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, kCheck));
    EXPECT_EQ(GetDlgItem(d, kCheck), GetFocus());
    DialogAltKey(d, 'C');
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, kRadio2));
    g_seen.clear();
    DialogAltKey(d, 'A');
    EXPECT_EQ((std::vector<WORD>{kApply}), Commands()) << "a push button is pressed";
    // Without Alt, a letter is an access key while the focus is on a
    // button, and text while it is in the edit.
    g_seen.clear();
    DialogType(d, "a");
    EXPECT_EQ((std::vector<WORD>{kApply}), Commands());
    SetFocus(GetDlgItem(d, kEdit));
    Controls().typed.clear();
    DialogType(d, "ab");
    EXPECT_EQ("ab", Controls().typed);
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, CloseBoxSendsCancelAndMessageResultIsReturned) {
    HWND d = Modeless(SampleTemplate(WS_VISIBLE));
    SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpDialog(d);
    EXPECT_EQ((std::vector<WORD>{IDCANCEL}), Commands());
    EXPECT_TRUE(IsWindow(d)) << "the dialog procedure decides";

    g_proc = [](HWND h, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_USER + 5) {
            SetWindowLongPtrA(h, DWLP_MSGRESULT, 1234);
            return TRUE;
        }
        if (msg == WM_CTLCOLORDLG) return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
        return FALSE;
    };
    EXPECT_EQ(1234, SendMessageA(d, WM_USER + 5, 0, 0));
    EXPECT_EQ(0, SendMessageA(d, WM_USER + 6, 0, 0));
    // The background is the brush the dialog procedure answers.
    InvalidateRect(d, nullptr, TRUE);
    POINT p{2, 2};
    ClientToScreen(d, &p);
    EXPECT_EQ(RGB(0, 0, 0), ScreenColor(p.x, p.y));
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, ModalDialogDisablesItsOwnerAndReturnsTheEndResult) {
    EndOnCommand();
    DLGTEMPLATE t = SampleTemplate();
    bool ownerWasDisabled = false;
    HWND seenDialog = nullptr;
    WhenIdle([&] {
        seenDialog = FindDialogWindow("設定");
        ownerWasDisabled = !IsWindowEnabled(owner_);
        QueueKey(VK_TAB);
        QueueKey(VK_TAB);
        QueueKey(VK_TAB);
        QueueKey(VK_TAB);  // Cancel
        QueueKey(VK_RETURN);
    });
    EXPECT_EQ(IDCANCEL, DialogBoxIndirectParamA(nullptr, &t, owner_, TestProc, 0));
    EXPECT_TRUE(seenDialog);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindow(seenDialog));
    EXPECT_EQ(owner_, GetActiveWindow());

    // Alt+access key and the close box end it too.
    WhenIdle([&] { QueueAltKey('A'); });
    EXPECT_EQ(kApply, DialogBoxIndirectParamA(nullptr, &t, owner_, TestProc, 0));
    WhenIdle([&] {
        HWND dlg = FindDialogWindow("設定");
        PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(IDCANCEL, DialogBoxIndirectParamA(nullptr, &t, owner_, TestProc, 0));
}

TEST_F(DialogManagerTest, EndDialogDuringInitAndQuitDuringTheLoop) {
    g_proc = [](HWND h, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) EndDialog(h, 77);
        return FALSE;
    };
    DLGTEMPLATE t = SampleTemplate();
    EXPECT_EQ(77, DialogBoxIndirectParamA(nullptr, &t, owner_, TestProc, 0));
    EXPECT_TRUE(IsWindowEnabled(owner_));

    g_proc = nullptr;
    WhenIdle([] { PostQuitMessage(3); });
    DialogBoxIndirectParamA(nullptr, &t, owner_, TestProc, 0);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_QUIT, msg.message) << "the quit reaches the outer loop";
    EXPECT_EQ(3u, msg.wParam);
}

TEST_F(DialogManagerTest, OwnerHearsEnterIdleOncePerIdleTurn) {
    EndOnCommand();
    DLGTEMPLATE t = SampleTemplate();
    int idles = 0;
    OnMessage(owner_, WM_ENTERIDLE, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        EXPECT_EQ(MSGF_DIALOGBOX, wp);
        if (++idles == 2) PostMessageA(FindDialogWindow("設定"), WM_COMMAND, IDOK, 0);
        return 0;
    });
    WhenIdle([&] { QueueKey(VK_TAB); });
    EXPECT_EQ(IDOK, DialogBoxIndirectParamA(nullptr, &t, owner_, TestProc, 0));
    EXPECT_EQ(2, idles);
}

TEST_F(DialogManagerTest, ChildDialogControlsJoinTheParentDialogsTabOrder) {
    HWND d = Modeless(SampleTemplate(WS_VISIBLE));
    DLGTEMPLATE inner;
    inner.style = WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_3DLOOK | WS_CLIPSIBLINGS | DS_SETFONT;
    inner.pointSize = 8;
    inner.typeface = "MS Sans Serif";
    inner.cx = 100;
    inner.cy = 30;
    inner.y = 60;
    inner.items = {Item("TestButton", "詳細(&D)", 300, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 5, 60, 10)};
    HWND child = CreateDialogIndirectParamA(nullptr, &inner, d, TestProc, 0);
    ASSERT_TRUE(child);
    EXPECT_TRUE(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(GetWindowLongA(child, GWL_STYLE) & WS_CAPTION);
    HWND extra = GetDlgItem(child, 300);
    // The child dialog comes last in z-order: after Apply.
    EXPECT_EQ(extra, GetNextDlgTabItem(d, GetDlgItem(d, kApply), FALSE));
    EXPECT_EQ(GetDlgItem(d, kEdit), GetNextDlgTabItem(d, extra, FALSE));
    SetFocus(GetDlgItem(d, kApply));
    DialogKey(d, VK_TAB);
    EXPECT_EQ(extra, GetFocus());
    DialogAltKey(d, 'D');
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(child, 300)) << "access keys reach into the child dialog";
    DestroyWindow(d);
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(DialogManagerTest, DialogItemHelpers) {
    HWND d = Modeless(SampleTemplate());
    EXPECT_TRUE(SetDlgItemInt(d, kEdit, static_cast<UINT>(-25), TRUE));
    EXPECT_EQ("-25", TextOf(GetDlgItem(d, kEdit)));
    BOOL ok = FALSE;
    EXPECT_EQ(static_cast<UINT>(-25), GetDlgItemInt(d, kEdit, &ok, TRUE));
    EXPECT_TRUE(ok);
    GetDlgItemInt(d, kEdit, &ok, FALSE);
    EXPECT_FALSE(ok) << "a sign where none is allowed";
    for (const char* bad : {"", "12x", "x12", "99999999999", "1 2"}) {
        SetDlgItemTextA(d, kEdit, bad);
        EXPECT_EQ(0u, GetDlgItemInt(d, kEdit, &ok, TRUE)) << bad;
        EXPECT_FALSE(ok) << bad;
    }
    SetDlgItemTextA(d, kEdit, " 4294967295 ");
    EXPECT_EQ(4294967295u, GetDlgItemInt(d, kEdit, &ok, FALSE));
    EXPECT_TRUE(ok);

    char buffer[4];
    SetDlgItemTextA(d, kEdit, "abcdef");
    EXPECT_EQ(3u, GetDlgItemTextA(d, kEdit, buffer, sizeof buffer));
    EXPECT_STREQ("abc", buffer);

    EXPECT_TRUE(CheckRadioButton(d, kRadio1, kRadio3, kRadio3));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, kRadio3));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, kRadio1));
    EXPECT_TRUE(CheckDlgButton(d, kCheck, BST_CHECKED));
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(d, kCheck, BM_GETCHECK, 0, 0));
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, BadHandlesAndTemplatesFailQuietly) {
    EXPECT_EQ(nullptr, CreateDialogIndirectParamA(nullptr, nullptr, owner_, TestProc, 0));
    EXPECT_EQ(-1, DialogBoxIndirectParamA(nullptr, nullptr, owner_, TestProc, 0));
    EXPECT_EQ(-1, DialogBoxParamA(nullptr, "NO-SUCH-TEMPLATE", owner_, TestProc, 0));
    HWND stale = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234567));
    DLGTEMPLATE t = SampleTemplate();
    EXPECT_EQ(-1, DialogBoxIndirectParamA(nullptr, &t, stale, TestProc, 0));
    EXPECT_FALSE(EndDialog(owner_, 1)) << "not a dialog";
    EXPECT_FALSE(EndDialog(stale, 1));
    MSG msg{owner_, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(IsDialogMessageA(stale, &msg));
    EXPECT_FALSE(MapDialogRect(owner_, nullptr));
    EXPECT_EQ(nullptr, GetNextDlgTabItem(stale, nullptr, FALSE));
    EXPECT_EQ(0u, GetDlgItemTextA(stale, 1, nullptr, 0));
    // A control class that does not exist fails the dialog, unless
    // DS_NOFAILCREATE.
    t.items.push_back(Item("NoSuchClass", "", 999, 0, 0, 0, 10, 10));
    EXPECT_EQ(nullptr, CreateDialogIndirectParamA(nullptr, &t, owner_, TestProc, 0));
    t.style |= DS_NOFAILCREATE;
    HWND d = CreateDialogIndirectParamA(nullptr, &t, owner_, TestProc, 0);
    EXPECT_TRUE(d);
    EXPECT_TRUE(GetDlgItem(d, IDOK));
    // A message for a window outside the dialog is not the dialog's.
    MSG other{owner_, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(IsDialogMessageA(d, &other));
    DestroyWindow(d);
}

TEST_F(DialogManagerTest, RegisteredTemplatesAreFoundByNameWithoutCase) {
    EndOnCommand();
    RegisterDialogTemplate("SAMPLEDLG", SampleTemplate());
    EXPECT_TRUE(FindDialogTemplate(nullptr, "sampledlg"));
    RegisterDialogTemplate(MAKEINTRESOURCEA(7), SampleTemplate());
    EXPECT_TRUE(FindDialogTemplate(nullptr, "#7"));
    WhenIdle([&] { QueueKey(VK_ESCAPE); });
    EXPECT_EQ(IDCANCEL, DialogBoxParamA(nullptr, "SampleDlg", owner_, TestProc, 0));
}

}  // namespace
}  // namespace test
