// A dialog made of every standard control, as a person would see it: a
// picture is written for looking at, and a few things checked that a
// broken layout would lose.
#include "tests/platform/user/controls/controls_fixture.h"

namespace test {
namespace {

class ControlsLookTest : public ControlsTest {};

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

INT_PTR CALLBACK LookDialog(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST_F(ControlsLookTest, DialogOfEveryControl) {
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE;
    t.x = 10;
    t.y = 10;
    t.cx = 280;
    t.cy = 190;
    t.title = "コントロール";
    t.pointSize = 9;
    t.typeface = "ＭＳ Ｐゴシック";
    t.items = {
        Item("STATIC", "ファイル名(&N):", 100, SS_LEFT, 7, 7, 60, 10),
        Item("EDIT", "memo.txt", 101, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 70, 5, 120, 13),
        Item("BUTTON", "方向", 102, BS_GROUPBOX, 7, 24, 90, 44),
        Item("BUTTON", "上へ(&U)", 103, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 13, 36, 60, 10),
        Item("BUTTON", "下へ(&D)", 104, BS_AUTORADIOBUTTON, 13, 50, 60, 10),
        Item("BUTTON", "大文字と小文字を区別(&C)", 105, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 105, 28, 110, 10),
        Item("BUTTON", "三状態(&T)", 106, BS_AUTO3STATE | WS_TABSTOP, 105, 42, 80, 10),
        Item("BUTTON", "無効(&X)", 107, BS_AUTOCHECKBOX | WS_DISABLED, 105, 56, 80, 10),
        Item("LISTBOX", "", 108, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 7, 74, 90, 60),
        Item("COMBOBOX", "", 109, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 105, 74, 90, 80),
        Item("COMBOBOX", "", 110, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 105, 92, 90, 80),
        Item("STATIC", "", 111, SS_ETCHEDHORZ, 7, 140, 266, 2),
        Item("STATIC", "右寄せ", 112, SS_RIGHT | SS_SUNKEN, 105, 112, 90, 12),
        Item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 215, 5, 58, 15),
        Item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 215, 23, 58, 15),
        Item("BUTTON", "ヘルプ(&H)", 113, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 215, 41, 58, 15),
        Item("STATIC", "", 114, SS_ICON, 215, 70, 20, 20),
        Item("BUTTON", "適用(&A)", 115, BS_PUSHBUTTON | WS_TABSTOP, 215, 150, 58, 15),
    };
    HWND d = CreateDialogIndirectParamA(nullptr, &t, parent_, LookDialog, 0);
    ASSERT_TRUE(d);
    HWND list = GetDlgItem(d, 108);
    for (const char* s :
         {"テキスト文書", "設定ファイル", "すべてのファイル", "メモ", "署名", "ヘルプ", "その他", "予備一", "予備二"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    for (int id : {109, 110}) {
        HWND cb = GetDlgItem(d, id);
        for (const char* s : {"ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ ゴシック"})
            SendMessageA(cb, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SendMessageA(cb, CB_SETCURSEL, 0, 0);
    }
    SendMessageA(GetDlgItem(d, 103), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(GetDlgItem(d, 105), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(GetDlgItem(d, 106), BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessageA(GetDlgItem(d, 114), STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_QUESTION)), 0);
    PumpDialog(d);
    SaveWindowShot(d, "controls_dialog");
    SendMessageA(GetDlgItem(d, 109), CB_SHOWDROPDOWN, TRUE, 0);
    PumpDialog(d);
    SaveScreenshot("controls_dialog_dropped");

    // The list box got whole rows and its scroll bar, and a sunken edge
    // for its border; the combo boxes keep no scroll bar of their own; the
    // drop-down list hangs below its combo box.
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(list, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(d, 110), GWL_STYLE) & WS_VSCROLL);
    RECT c;
    GetClientRect(list, &c);
    EXPECT_EQ(0, c.bottom % SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_TRUE(SendMessageA(GetDlgItem(d, 109), CB_GETDROPPEDSTATE, 0, 0));
}

}  // namespace
}  // namespace test
