#include "tests/platform/user/menu_fixture.h"

#include <cstdio>

namespace test {
namespace {

struct Entry {
    const char* text;  // "-" for a separator
    UINT id;
};

HMENU Popup(std::initializer_list<Entry> entries) {
    HMENU menu = CreatePopupMenu();
    for (const Entry& e : entries) {
        if (std::string(e.text) == "-") AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else AppendMenuA(menu, MF_STRING, e.id, e.text);
    }
    return menu;
}

std::string Hex(UINT v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", v);
    return buf;
}

}  // namespace

MemoMenu BuildMemoMenu() {
    MemoMenu m;
    m.bar = CreateMenu();
    m.popups.push_back(Popup({{"新規作成(&N)", kNew},
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
    m.popups.push_back(Popup({{"元に戻す(&U)", kUndo},
                              {"-", 0},
                              {"切り取り(&T)\tCtrl+X", kCut},
                              {"コピー(&C)\tCtrl+C", kCopy},
                              {"貼り付け(&P)\tCtrl+P", kPaste},
                              {"-", 0},
                              {"すべて選択(&D)", kSelectAll}}));
    m.popups.push_back(Popup({{"ツールバー(&T)", kToolbar},
                              {"ステータスバー(&S)", kStatusBar},
                              {"-", 0},
                              {"右端で折り返す", kWrap}}));
    CheckMenuItem(m.popups[2], kToolbar, MF_CHECKED);
    CheckMenuItem(m.popups[2], kStatusBar, MF_CHECKED);
    CheckMenuItem(m.popups[2], kWrap, MF_CHECKED);
    m.popups.push_back(Popup({{"検索語の設定(&F)\tCtrl+F", kFind},
                              {"置換語の設定(&R)\tCtrl+R", kReplace},
                              {"次を検索(&N)\tF3", kFindNext},
                              {"マークされた単語を置換(&M)\tF4", kReplaceMarked},
                              {"すべて置換(&A)", kReplaceAll}}));
    m.popups.push_back(Popup({{"フォント(&F)", kFont}, {"カラー(&C)", kColor}, {"-", 0}, {"設定(&T)", kSettings}}));
    m.sizeMenu = Popup({{"スモール(&S)", kSmall}, {"ミディアム(&M)", kMedium}, {"ラージ(&L)", kLarge}});
    HMENU options = Popup({{"日付の挿入(&D)", kDate}, {"署名の挿入(&S)", kSignature}, {"-", 0}});
    AppendMenuA(options, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(m.sizeMenu), "サイズ");
    m.popups.push_back(options);
    m.popups.push_back(Popup({{"ヘルプ(&H)", kHelp}, {"ﾊﾞｰｼﾞｮﾝ情報(&V)", kAbout}}));
    const char* titles[] = {"ファイル(&F)", "編集(&E)", "表示(&V)", "検索(&S)", "設定(&A)", "オプション(&O)", "ヘルプ(&H)"};
    for (std::size_t i = 0; i < m.popups.size(); ++i) {
        AppendMenuA(m.bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(m.popups[i]), titles[i]);
    }
    return m;
}

void MakeOwnerDrawn(HMENU menu) {
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

void MenuTest::SetUp() {
    WindowTest::SetUp();
    memo = BuildMemoMenu();
}

HWND MenuTest::CreateMenuWindow() {
    window = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 80, 663, 521});
    SetMenu(window, memo.bar);
    RunUntilIdle();
    Log().Clear();
    return window;
}

RECT MenuTest::ItemRect(HMENU menu, int index, HWND hwnd) {
    RECT r{0, 0, 0, 0};
    EXPECT_TRUE(GetMenuItemRect(hwnd ? hwnd : window, menu, static_cast<UINT>(index), &r))
        << "item " << index << " is not shown";
    return r;
}

POINT MenuTest::ItemCenter(HMENU menu, int index, HWND hwnd) {
    RECT r = ItemRect(menu, index, hwnd);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MenuTest::QueueClick(POINT p) {
    Screen().MouseMove(p);
    Screen().MouseButton(p, backend::MouseButton::Left, true);
    Screen().MouseButton(p, backend::MouseButton::Left, false);
}

void MenuTest::QueueMove(POINT p) { Screen().MouseMove(p); }

void MenuTest::QueueKey(UINT vk) {
    Screen().Key(vk, true);
    Screen().Key(vk, false);
}

void MenuTest::QueueAltKey(UINT vk) {
    Screen().Key(VK_MENU, true);
    Screen().Key(vk, true);
    Screen().Key(vk, false);
    Screen().Key(VK_MENU, false);
}

std::vector<HWND> MenuTest::OpenPopups() {
    std::vector<HWND> out;
    HWND h = nullptr;
    while ((h = FindWindowExA(nullptr, h, "#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(h)) out.push_back(h);
    }
    return out;
}

HMENU MenuTest::MenuOfPopup(HWND popup) {
    return reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
}

std::vector<std::string> MenuTest::MenuTrace(HWND hwnd) {
    auto name = [&](HMENU m) -> std::string {
        if (!m) return "0";
        if (m == memo.bar) return "bar";
        for (std::size_t i = 0; i < memo.popups.size(); ++i) {
            if (m == memo.popups[i]) return "popup" + std::to_string(i);
        }
        if (m == memo.sizeMenu) return "size";
        if (m == GetSystemMenu(hwnd, FALSE)) return "system";
        return "menu";
    };
    std::vector<std::string> out;
    for (const Message& msg : Log().All()) {
        if (msg.hwnd != hwnd) continue;
        HMENU lp = reinterpret_cast<HMENU>(msg.lParam);
        HMENU wp = reinterpret_cast<HMENU>(msg.wParam);
        switch (msg.msg) {
            case WM_ENTERMENULOOP: out.push_back("ENTERMENULOOP " + std::to_string(msg.wParam)); break;
            case WM_EXITMENULOOP: out.push_back("EXITMENULOOP " + std::to_string(msg.wParam)); break;
            case WM_INITMENU: out.push_back("INITMENU " + name(wp)); break;
            case WM_INITMENUPOPUP:
                out.push_back("INITMENUPOPUP " + name(wp) + " " + std::to_string(LOWORD(msg.lParam)) + " " +
                              std::to_string(HIWORD(msg.lParam)));
                break;
            case WM_UNINITMENUPOPUP: out.push_back("UNINITMENUPOPUP " + name(wp)); break;
            case WM_MENUSELECT:
                out.push_back("MENUSELECT " + std::to_string(LOWORD(msg.wParam)) + " " + Hex(HIWORD(msg.wParam)) + " " +
                              name(lp));
                break;
            case WM_MENUCHAR:
                out.push_back("MENUCHAR " + std::to_string(LOWORD(msg.wParam)) + " " + Hex(HIWORD(msg.wParam)) + " " +
                              name(lp));
                break;
            case WM_COMMAND: out.push_back("COMMAND " + std::to_string(LOWORD(msg.wParam))); break;
            case WM_SYSCOMMAND: out.push_back("SYSCOMMAND " + Hex(static_cast<UINT>(msg.wParam))); break;
            default: break;
        }
    }
    return out;
}

}  // namespace test
