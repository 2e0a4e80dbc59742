// The "STATIC" class: labels and their alignment, clicks only when asked,
// access keys leading to the next control, pictures, shapes and edges.
#include "tests/platform/user/controls/controls_fixture.h"

namespace test {
namespace {

class StaticTest : public ControlsTest {
protected:
    static bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128; }
    // Columns of the client rectangle of `r` holding text-coloured pixels.
    std::pair<int, int> InkSpan(RECT r) {
        int first = -1, last = -1;
        for (int x = r.left; x < r.right; ++x) {
            for (int y = r.top; y < r.bottom; ++y) {
                if (Dark(ScreenColor(x, y))) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
            }
        }
        return {first, last};
    }
};

TEST_F(StaticTest, LabelsLetClicksThroughUnlessTheyNotify) {
    Make("STATIC", "ラベル", SS_LEFT, {10, 10, 110, 30}, 5);
    Click(20, 20);
    EXPECT_TRUE(Log().Saw(parent_, WM_LBUTTONDOWN));
    EXPECT_TRUE(Codes(5).empty());

    HWND notify = Make("STATIC", "押せる", SS_LEFT | SS_NOTIFY, {10, 40, 110, 60}, 6);
    ClearLog();
    Click(20, 50);
    AdvanceClock(2000);
    DoubleClick(20, 50);
    EXPECT_FALSE(Log().Saw(parent_, WM_LBUTTONDOWN));
    EXPECT_EQ((std::vector<int>{STN_CLICKED, STN_CLICKED, STN_DBLCLK}), Codes(6));
    EnableWindow(notify, FALSE);
    EXPECT_EQ(STN_DISABLE, Codes(6).back());
    EXPECT_EQ(static_cast<LRESULT>(DLGC_STATIC), SendMessageA(notify, WM_GETDLGCODE, 0, 0));
}

TEST_F(StaticTest, AlignmentPlacesTheTextAndTheParentColoursTheBackground) {
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    OnMessage(parent_, WM_CTLCOLORSTATIC, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return reinterpret_cast<LRESULT>(yellow);
    });
    Make("STATIC", "AB", SS_LEFT, {10, 10, 210, 30}, 1);
    Make("STATIC", "AB", SS_CENTER, {10, 40, 210, 60}, 2);
    Make("STATIC", "AB", SS_RIGHT, {10, 70, 210, 90}, 3);
    auto left = InkSpan({10, 10, 210, 30});
    auto centre = InkSpan({10, 40, 210, 60});
    auto right = InkSpan({10, 70, 210, 90});
    ASSERT_GE(left.first, 0);
    EXPECT_LT(left.first, 14);
    EXPECT_GT(right.second, 200);
    EXPECT_NEAR((centre.first + centre.second) / 2, 110, 3);
    EXPECT_EQ(RGB(255, 255, 0), ScreenColor(150, 15));
    DeleteObject(yellow);
}

TEST_F(StaticTest, WrappingAndPrefixes) {
    // Word-wrapped text goes onto a second line; the no-wrap kind stays on one.
    Make("STATIC", "AAAA BBBB CCCC DDDD", SS_LEFT, {10, 10, 60, 80}, 1);
    Make("STATIC", "AAAA BBBB CCCC DDDD", SS_LEFTNOWORDWRAP, {100, 10, 150, 80}, 2);
    auto rowsWithInk = [&](RECT r) {
        int rows = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (ScreenColor(x, y) == GetSysColor(COLOR_WINDOWTEXT)) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    };
    EXPECT_GT(rowsWithInk({10, 10, 60, 80}), rowsWithInk({100, 10, 150, 80}) * 2);

    // "&&" and a prefix draw narrower than the same text with SS_NOPREFIX.
    Make("STATIC", "&&&A", SS_LEFT, {10, 100, 210, 120}, 3);
    Make("STATIC", "&&&A", SS_LEFT | SS_NOPREFIX, {10, 130, 210, 150}, 4);
    auto prefixed = InkSpan({10, 100, 210, 120});
    auto literal = InkSpan({10, 130, 210, 150});
    EXPECT_LT(prefixed.second - prefixed.first, literal.second - literal.first);
}

TEST_F(StaticTest, AccessKeyOfALabelFocusesTheNextControlButNotWithNoPrefix) {
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | DS_SETFONT | WS_VISIBLE;
    t.cx = 160;
    t.cy = 60;
    t.pointSize = 9;
    t.typeface = "ＭＳ Ｐゴシック";
    auto item = [](const char* cls, const char* text, WORD id, DWORD style, short y) {
        DLGITEMTEMPLATE i;
        i.windowClass = cls;
        i.title = text;
        i.id = id;
        i.style = style | WS_VISIBLE;
        i.x = 5;
        i.y = y;
        i.cx = 100;
        i.cy = 12;
        return i;
    };
    t.items = {item("STATIC", "名前(&N):", 1, SS_LEFT, 5), item("EDIT", "", 2, WS_TABSTOP | WS_BORDER, 18),
               item("STATIC", "場所(&P):", 3, SS_LEFT | SS_NOPREFIX, 31),
               item("EDIT", "", 4, WS_TABSTOP | WS_BORDER, 44)};
    HWND d = CreateDialogIndirectParamA(nullptr, &t, parent_, [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR {
        return m == WM_INITDIALOG;
    }, 0);
    ASSERT_TRUE(d);
    PumpDialog(d);
    SetFocus(GetDlgItem(d, 4));
    DialogAltKey(d, 'N');
    EXPECT_EQ(GetDlgItem(d, 2), GetFocus());
    DialogAltKey(d, 'P');
    EXPECT_EQ(GetDlgItem(d, 2), GetFocus());
}

TEST_F(StaticTest, ShapesEtchedLinesAndSunkenEdge) {
    Make("STATIC", "", SS_BLACKRECT, {10, 10, 30, 30}, 1);
    Make("STATIC", "", SS_GRAYFRAME, {40, 10, 60, 30}, 2);
    Make("STATIC", "", SS_ETCHEDHORZ, {70, 10, 170, 12}, 3);
    HWND sunken = Make("STATIC", "x", SS_LEFT | SS_SUNKEN, {10, 50, 100, 70}, 4);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), ScreenColor(20, 20));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), ScreenColor(40, 20));
    EXPECT_NE(GetSysColor(COLOR_BTNSHADOW), ScreenColor(50, 20));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), ScreenColor(100, 10));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ScreenColor(100, 11));
    EXPECT_TRUE(GetWindowLongA(sunken, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    RECT client;
    GetClientRect(sunken, &client);
    EXPECT_EQ(88, client.right);
}

TEST_F(StaticTest, IconsAndBitmapsSizeTheControlAndSwapThroughMessages) {
    HWND icon = Make("STATIC", "", SS_ICON, {10, 10, 20, 20}, 1);
    HICON app = LoadIconA(nullptr, IDI_APPLICATION);
    HICON question = LoadIconA(nullptr, IDI_QUESTION);
    ASSERT_TRUE(app && question);
    EXPECT_EQ(0, SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(app), 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(app), SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(question), 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(question), SendMessageA(icon, STM_GETICON, 0, 0));
    RECT r;
    GetClientRect(icon, &r);
    EXPECT_EQ(32, r.right);
    EXPECT_EQ(32, r.bottom);

    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 6);
    ReleaseDC(nullptr, screen);
    HWND picture = Make("STATIC", "", SS_BITMAP, {100, 10, 150, 60}, 2);
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    EXPECT_EQ(reinterpret_cast<LRESULT>(bitmap), SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(0, SendMessageA(picture, STM_GETIMAGE, IMAGE_ICON, 0));
    GetClientRect(picture, &r);
    EXPECT_EQ(8, r.right);
    EXPECT_EQ(6, r.bottom);
    DestroyWindow(picture);
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace test
