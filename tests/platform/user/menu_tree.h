// The memo pad's menu tree built on menu handles, for the menu tests on
// the headless screen and on X11.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/windows.h"

namespace test {

using namespace win32;

// Identifiers of the commands of the memo pad's menu tree.
enum MemoCommand : UINT {
    kNew = 101, kOpen, kSave, kSaveAs, kPrinterSetup, kPreview, kPrint, kMail, kExit,
    kUndo = 201, kCut, kCopy, kPaste, kSelectAll,
    kToolbar = 301, kStatusBar, kWrap,
    kFind = 401, kReplace, kFindNext, kReplaceMarked, kReplaceAll,
    kFont = 501, kColor, kSettings,
    kDate = 601, kSignature, kSmall, kMedium, kLarge,
    kHelp = 701, kAbout,
};

// The memo pad's menu: top-level items ファイル(&F) ... ヘルプ(&H), each
// with its popup; サイズ is a submenu of オプション(&O).
struct MemoMenu {
    HMENU bar = nullptr;
    std::vector<HMENU> popups;  // one per top-level item, in order
    HMENU sizeMenu = nullptr;
};

struct MemoEntry {
    const char* text;  // "-" for a separator
    UINT id;
};

inline HMENU MemoPopup(std::initializer_list<MemoEntry> entries) {
    HMENU menu = CreatePopupMenu();
    for (const MemoEntry& e : entries) {
        if (std::string(e.text) == "-") AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else AppendMenuA(menu, MF_STRING, e.id, e.text);
    }
    return menu;
}

// Builds the memo pad's menu tree.
inline MemoMenu BuildMemoMenu() {
    MemoMenu m;
    m.bar = CreateMenu();
    m.popups.push_back(MemoPopup({{"新規作成(&N)", kNew},
                              {"開く(&O)", kOpen},
                              {"上書き保存(&S)", kSave},
                              {"名前を付けて保存(&A)", kSaveAs},
                              {"-", 0},
                              {"プリンターの設定(&S)", kPrinterSetup},
                              {"プレビュー(&W)", kPreview},
                              {"印刷(&p)", kPrint},
                              {"-", 0},
                              {"メーラーへ転送(&M)", kMail},
                              {"-", 0},
                              {"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", kExit}}));
    m.popups.push_back(MemoPopup({{"元に戻す(&U)", kUndo},
                              {"-", 0},
                              {"切り取り(&T)\tCtrl+X", kCut},
                              {"コピー(&C)\tCtrl+C", kCopy},
                              {"貼り付け(&P)\tCtrl+P", kPaste},
                              {"-", 0},
                              {"すべて選択(&D)", kSelectAll}}));
    m.popups.push_back(MemoPopup({{"ツールバー(&T)", kToolbar},
                              {"ステータスバー(&S)", kStatusBar},
                              {"-", 0},
                              {"右端で折り返す", kWrap}}));
    CheckMenuItem(m.popups[2], kToolbar, MF_CHECKED);
    CheckMenuItem(m.popups[2], kStatusBar, MF_CHECKED);
    CheckMenuItem(m.popups[2], kWrap, MF_CHECKED);
    m.popups.push_back(MemoPopup({{"検索語の設定(&F)\tCtrl+F", kFind},
                              {"置換語の設定(&R)\tCtrl+R", kReplace},
                              {"次を検索(&N)\tF3", kFindNext},
                              {"マークされた単語を置換(&M)\tF4", kReplaceMarked},
                              {"すべて置換(&A)", kReplaceAll}}));
    m.popups.push_back(MemoPopup({{"フォント(&F)", kFont}, {"カラー(&C)", kColor}, {"-", 0}, {"設定(&T)", kSettings}}));
    m.sizeMenu = MemoPopup({{"スモール(&S)", kSmall}, {"ミディアム(&M)", kMedium}, {"ラージ(&L)", kLarge}});
    HMENU options = MemoPopup({{"日付の挿入(&D)", kDate}, {"署名の挿入(&S)", kSignature}, {"-", 0}});
    AppendMenuA(options, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(m.sizeMenu), "サイズ");
    m.popups.push_back(options);
    m.popups.push_back(MemoPopup({{"ヘルプ(&H)", kHelp}, {"ﾊﾞｰｼﾞｮﾝ情報(&V)", kAbout}}));
    const char* titles[] = {"ファイル(&F)", "編集(&E)", "表示(&V)", "検索(&S)", "設定(&A)", "オプション(&O)", "ヘルプ(&H)"};
    for (std::size_t i = 0; i < m.popups.size(); ++i) {
        AppendMenuA(m.bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(m.popups[i]), titles[i]);
    }
    return m;
}

// Makes every item of a menu tree owner-drawn (item data = its identifier
// + 1000), as the menu decoration does.
inline void MakeOwnerDrawn(HMENU menu) {
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        info.fType |= MFT_OWNERDRAW;
        info.dwItemData = info.wID + 1000;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu);
    }
}

}  // namespace test
