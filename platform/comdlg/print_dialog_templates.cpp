// The print dialog ("印刷": printer, range, copies, print to file) and the
// printer setup dialog ("プリンタの設定": printer, paper, orientation), with
// the control identifiers hooks and templates know them by.
#include "platform/comdlg/print_dialog.h"

namespace win32::comdlg {

namespace {

DLGTEMPLATE Frame(const char* title, short cx, short cy) {
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | DS_CENTER;
    t.title = title;
    t.typeface = kDialogFace;
    t.pointSize = kDialogPoints;
    t.charset = SHIFTJIS_CHARSET;
    t.cx = cx;
    t.cy = cy;
    return t;
}

void AddPrinterGroup(DLGTEMPLATE& t, int comboId, short width) {
    const DWORD list = CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
    t.items.push_back(Item("BUTTON", "プリンタ", grp4, BS_GROUPBOX | WS_GROUP, 6, 4, width, 78));
    t.items.push_back(Item("STATIC", "プリンタ名(&N):", stc6, SS_LEFT, 14, 19, 52, 9));
    t.items.push_back(Item("COMBOBOX", "", comboId, list, 68, 17, width - 70, 120));
    t.items.push_back(Item("STATIC", "種類:", stc7, SS_LEFT, 14, 35, 52, 9));
    t.items.push_back(Item("STATIC", "", stc1, SS_LEFT | SS_NOPREFIX, 68, 35, width - 70, 9));
    t.items.push_back(Item("STATIC", "場所:", stc8, SS_LEFT, 14, 49, 52, 9));
    t.items.push_back(Item("STATIC", "", stc2, SS_LEFT | SS_NOPREFIX, 68, 49, width - 70, 9));
    t.items.push_back(Item("STATIC", "コメント:", stc4, SS_LEFT, 14, 63, 52, 9));
    t.items.push_back(Item("STATIC", "", stc3, SS_LEFT | SS_NOPREFIX, 68, 63, width - 70, 9));
}

}  // namespace

DLGTEMPLATE PrintTemplate(DWORD flags) {
    DLGTEMPLATE t = Frame("印刷", 288, 170);
    AddPrinterGroup(t, cmb4, 276);
    if (!(flags & PD_HIDEPRINTTOFILE))
        t.items.push_back(Item("BUTTON", "ファイルへ出力(&L)", chx1,
                               BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP |
                                   ((flags & PD_DISABLEPRINTTOFILE) ? WS_DISABLED : 0),
                               190, 86, 90, 10));
    const DWORD edit = WS_BORDER | WS_TABSTOP | WS_GROUP | ES_NUMBER;
    t.items.push_back(Item("BUTTON", "印刷範囲", grp1, BS_GROUPBOX | WS_GROUP, 6, 98, 142, 64));
    t.items.push_back(Item("BUTTON", "すべて(&A)", rad1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 14, 110, 120, 10));
    t.items.push_back(Item("BUTTON", "ページ指定(&G)", rad3,
                           BS_AUTORADIOBUTTON | ((flags & PD_NOPAGENUMS) ? WS_DISABLED : 0), 14, 124, 60, 10));
    t.items.push_back(Item("STATIC", "から(&F):", stc5, SS_RIGHT, 74, 124, 28, 9));
    t.items.push_back(Item("EDIT", "", edt1, edit | ((flags & PD_NOPAGENUMS) ? WS_DISABLED : 0), 104, 122, 36, 12));
    t.items.push_back(Item("STATIC", "まで(&T):", -1, SS_RIGHT, 74, 138, 28, 9));
    t.items.push_back(Item("EDIT", "", edt2, edit | ((flags & PD_NOPAGENUMS) ? WS_DISABLED : 0), 104, 136, 36, 12));
    t.items.push_back(Item("BUTTON", "選択した部分(&S)", rad2,
                           BS_AUTORADIOBUTTON | ((flags & PD_NOSELECTION) ? WS_DISABLED : 0), 14, 149, 120, 10));
    t.items.push_back(Item("BUTTON", "印刷部数", grp2, BS_GROUPBOX | WS_GROUP, 154, 98, 128, 44));
    t.items.push_back(Item("STATIC", "部数(&C):", -1, SS_LEFT, 162, 112, 40, 9));
    t.items.push_back(Item("EDIT", "", edt3, edit, 206, 110, 40, 12));
    t.items.push_back(Item("BUTTON", "部単位で印刷(&O)", chx2, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 162, 127, 110, 10));
    t.items.push_back(Item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 176, 150, 50, 14));
    t.items.push_back(Item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 232, 150, 50, 14));
    return t;
}

DLGTEMPLATE PrintSetupTemplate() {
    DLGTEMPLATE t = Frame("プリンタの設定", 288, 156);
    AddPrinterGroup(t, cmb1, 276);
    const DWORD list = CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
    t.items.push_back(Item("BUTTON", "用紙", grp2, BS_GROUPBOX | WS_GROUP, 6, 88, 170, 46));
    t.items.push_back(Item("STATIC", "サイズ(&Z):", stc2 + 0x100, SS_LEFT, 14, 103, 44, 9));
    t.items.push_back(Item("COMBOBOX", "", cmb2, list, 60, 101, 110, 160));
    t.items.push_back(Item("STATIC", "給紙方法(&S):", stc3 + 0x100, SS_LEFT, 14, 119, 44, 9));
    t.items.push_back(Item("COMBOBOX", "", cmb3, list, 60, 117, 110, 60));
    t.items.push_back(Item("BUTTON", "印刷の向き", grp1, BS_GROUPBOX | WS_GROUP, 182, 88, 100, 46));
    t.items.push_back(Item("BUTTON", "縦(&O)", rad1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 190, 102, 80, 10));
    t.items.push_back(Item("BUTTON", "横(&A)", rad2, BS_AUTORADIOBUTTON, 190, 117, 80, 10));
    t.items.push_back(Item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 176, 138, 50, 14));
    t.items.push_back(Item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 232, 138, 50, 14));
    return t;
}

}  // namespace win32::comdlg
