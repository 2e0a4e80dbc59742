// The "msctls_statusbar32" class: parts and their geometry, text and its
// kinds, the simple part, placement along the parent and the size grip.
#include <string>

#include "platform/comctl/commctrl.h"
#include "tests/support/window_fixture.h"

namespace test {
namespace {

class StatusBarTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent_ = CreateRecordedWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 400, 200});
        RunUntilIdle();
    }
    void TearDown() override {
        if (IsWindow(parent_)) DestroyWindow(parent_);
        WindowTest::TearDown();
    }
    HWND Make(DWORD style) {
        HWND h = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent_, nullptr,
                                 nullptr, nullptr);
        RunUntilIdle();
        return h;
    }
    HWND parent_ = nullptr;
};

TEST_F(StatusBarTest, PartsLieSideBySideAndTheLastReachesTheEdge) {
    HWND bar = Make(0);
    ASSERT_NE(bar, nullptr);
    RECT c{};
    GetClientRect(bar, &c);
    EXPECT_EQ(c.right, 400) << "as wide as the parent";
    RECT w{};
    GetWindowRect(bar, &w);
    EXPECT_EQ(w.bottom, 200) << "along the bottom";
    int rights[] = {100, 250, -1};
    EXPECT_TRUE(SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights)));
    int got[3] = {};
    EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(got)), 3);
    EXPECT_EQ(got[2], -1);
    RECT r{};
    ASSERT_TRUE(SendMessageA(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(r.left, 102);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right, 250);
    ASSERT_TRUE(SendMessageA(bar, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(r.right, 400);
    EXPECT_FALSE(SendMessageA(bar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&r)));
    EXPECT_FALSE(SendMessageA(bar, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(rights)));
}

TEST_F(StatusBarTest, TextKeepsItsKindAndTheSimplePartItsOwnText) {
    HWND bar = Make(0);
    int rights[] = {100, -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rights));
    SendMessageA(bar, SB_SETTEXTA, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("文字数"));
    LRESULT info = SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0);
    EXPECT_EQ(LOWORD(info), std::string("文字数").size());
    EXPECT_EQ(HIWORD(info), SBT_POPOUT);
    char buf[64] = {};
    SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "文字数");
    SetWindowTextA(bar, "part zero");
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "part zero");
    EXPECT_FALSE(SendMessageA(bar, SB_SETTEXTA, 5, reinterpret_cast<LPARAM>("x")));
    SendMessageA(bar, SB_SIMPLE, TRUE, 0);
    EXPECT_TRUE(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>("simple"));
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "part zero") << "the parts keep their text behind the simple part";
    RECT r{};
    SendMessageA(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right, 400);
}

TEST_F(StatusBarTest, GripAnswersAsTheBottomRightCornerAndTopBarsLieAtTheTop) {
    HWND bar = Make(SBARS_SIZEGRIP);
    RECT w{};
    GetWindowRect(bar, &w);
    int rights[] = {100, -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rights));
    RECT last{};
    SendMessageA(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(last.right, 400 - GetSystemMetrics(SM_CXVSCROLL)) << "the last part stops short of the grip";
    EXPECT_EQ(SendMessageA(bar, WM_NCHITTEST, 0, MAKELPARAM(w.right - 3, w.bottom - 3)), HTBOTTOMRIGHT);
    EXPECT_NE(SendMessageA(bar, WM_NCHITTEST, 0, MAKELPARAM(w.left + 3, w.bottom - 3)), HTBOTTOMRIGHT);
    HWND top = Make(CCS_TOP);
    GetWindowRect(top, &w);
    EXPECT_EQ(w.top, 0);
    EXPECT_NE(SendMessageA(top, WM_NCHITTEST, 0, MAKELPARAM(w.right - 3, w.bottom - 3)), HTBOTTOMRIGHT);
}

TEST_F(StatusBarTest, OwnerDrawnPartsAreDrawnByTheParentInsideTheirBorder) {
    RECT drawn{};
    UINT part = 99;
    ULONG_PTR data = 0;
    OnMessage(parent_, WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(l);
        drawn = di->rcItem;
        part = di->itemID;
        data = di->itemData;
        FillRect(di->hDC, &di->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    });
    HWND bar = Make(0);
    int rights[] = {100, -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rights));
    SendMessageA(bar, SB_SETTEXTA, 1 | SBT_OWNERDRAW, 42);
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTA, 1, 0), 42) << "an owner-drawn part gives back its data";
    RunUntilIdle();
    EXPECT_EQ(part, 1u);
    EXPECT_EQ(data, 42u);
    RECT r{};
    SendMessageA(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(drawn.left, r.left + 1);
    EXPECT_EQ(drawn.right, r.right - 1);
    POINT corner{r.left, r.top};
    ClientToScreen(bar, &corner);
    EXPECT_EQ(ScreenColor(corner.x, corner.y), GetSysColor(COLOR_BTNSHADOW)) << "the sunken border survives";
    EXPECT_EQ(ScreenColor(corner.x + 1, corner.y + 1), RGB(0, 0, 0));
}

TEST_F(StatusBarTest, AWiderBarRedrawsTheEdgeOfItsLastPart) {
    HWND bar = Make(CCS_NORESIZE | CCS_NOPARENTALIGN);
    SetWindowPos(bar, nullptr, 0, 100, 200, 20, SWP_NOZORDER);
    RunUntilIdle();
    // The last part's right edge, light on the sunken border, at x 199.
    EXPECT_EQ(ScreenColor(199, 110), GetSysColor(COLOR_BTNHIGHLIGHT));
    SetWindowPos(bar, nullptr, 0, 100, 300, 20, SWP_NOZORDER);
    RunUntilIdle();
    EXPECT_EQ(ScreenColor(199, 110), GetSysColor(COLOR_BTNFACE)) << "the old edge is gone";
    EXPECT_EQ(ScreenColor(299, 110), GetSysColor(COLOR_BTNHIGHLIGHT));
}

}  // namespace
}  // namespace test
