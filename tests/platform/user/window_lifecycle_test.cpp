#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class WindowLifecycle : public WindowTest {};

TEST_F(WindowLifecycle, CreateSendsMessagesInWin32Order) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{10, 20, 310, 220});
    ASSERT_TRUE(w);
    std::vector<UINT> expected = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE};
    EXPECT_EQ(Log().Numbers(w), expected);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, (RECT{10, 20, 310, 220}));
    RECT c;
    GetClientRect(w, &c);
    // Sizing border 4 on each side, caption 19.
    EXPECT_EQ(c, (RECT{0, 0, 300 - 8, 200 - 8 - 19}));
}

TEST_F(WindowLifecycle, VisibleTopLevelShowsAndActivatesWhileCreated) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 20, 310, 220});
    std::vector<UINT> expected = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW,
                                  WM_WINDOWPOSCHANGING, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS,
                                  WM_NCPAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE};
    // The z-order raise inside activation adds its own changing/changed pair.
    std::vector<UINT> seen = Log().Numbers(w, {WM_NCHITTEST, WM_SETCURSOR, WM_GETTEXT, WM_WINDOWPOSCHANGED + 1000});
    std::vector<UINT> filtered;
    for (UINT m : seen) filtered.push_back(m);
    EXPECT_EQ(filtered, expected);
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_EQ(GetFocus(), w);
    EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(WindowLifecycle, DestroySendsDestroyTopDownAndNcDestroyBottomUp) {
    HWND parent = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{0, 0, 200, 200});
    HWND a = CreateRecordedWindow(WS_CHILD, RECT{0, 0, 10, 10}, parent);
    HWND b = CreateRecordedWindow(WS_CHILD, RECT{10, 0, 20, 10}, parent);
    HWND grandchild = CreateRecordedWindow(WS_CHILD, RECT{0, 0, 5, 5}, a);
    Log().Clear();
    EXPECT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Message& m : Log().All()) {
        if (m.msg == WM_DESTROY || m.msg == WM_NCDESTROY) order.emplace_back(m.hwnd, m.msg);
    }
    std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY},       {a, WM_DESTROY},     {grandchild, WM_DESTROY}, {b, WM_DESTROY},
        {grandchild, WM_NCDESTROY}, {a, WM_NCDESTROY},   {b, WM_NCDESTROY},        {parent, WM_NCDESTROY},
    };
    EXPECT_EQ(order, expected);
    for (HWND h : {parent, a, b, grandchild}) EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowLifecycle, ChildCreationNotifiesParentAndChildrenStackInCreationOrder) {
    HWND parent = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{0, 0, 200, 200});
    HWND first = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, parent);
    HWND second = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, parent);
    auto notify = Log().Last(parent, WM_PARENTNOTIFY);
    ASSERT_TRUE(notify);
    EXPECT_EQ(LOWORD(notify->wParam), WM_CREATE);
    EXPECT_EQ(reinterpret_cast<HWND>(notify->lParam), second);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetParent(first), parent);
}

TEST_F(WindowLifecycle, CreateFailsForUnknownClassAndChildWithoutParentAndRefusedCreate) {
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateRecordedWindow(WS_CHILD, RECT{0, 0, 10, 10}), nullptr);
    // WM_CREATE answering -1 destroys the window and fails the call.
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        return m == WM_CREATE ? -1 : DefWindowProcA(h, m, w, l);
    };
    wc.lpszClassName = "Refuses";
    ASSERT_TRUE(RegisterClassA(&wc));
    EXPECT_EQ(CreateWindowExA(0, "Refuses", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    // Registering the same name twice fails; class names ignore case.
    EXPECT_EQ(RegisterClassA(&wc), 0);
    wc.lpszClassName = "REFUSES";
    EXPECT_EQ(RegisterClassA(&wc), 0);
}

TEST_F(WindowLifecycle, StaleAndMadeUpHandlesFailAndChangeNothing) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100});
    DestroyWindow(w);
    HWND madeUp = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x12345678));
    for (HWND h : {w, madeUp}) {
        EXPECT_FALSE(IsWindow(h));
        EXPECT_FALSE(DestroyWindow(h));
        EXPECT_FALSE(ShowWindow(h, SW_SHOW));
        EXPECT_FALSE(SetWindowPos(h, nullptr, 0, 0, 1, 1, 0));
        EXPECT_FALSE(PostMessageA(h, WM_USER, 0, 0));
        EXPECT_EQ(SendMessageA(h, WM_USER, 0, 0), 0);
        EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE), 0);
        EXPECT_EQ(SetWindowLongPtrA(h, GWLP_USERDATA, 5), 0);
        EXPECT_EQ(SetFocus(h), nullptr);
        EXPECT_EQ(SetCapture(h), nullptr);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(SetParent(h, nullptr), nullptr);
        EXPECT_EQ(GetDC(h), nullptr);
        EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
        EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
        RECT r{1, 2, 3, 4};
        EXPECT_FALSE(GetWindowRect(h, &r));
        EXPECT_EQ(r, (RECT{1, 2, 3, 4}));
        char text[8] = "x";
        EXPECT_EQ(GetWindowTextA(h, text, 8), 0);
    }
    EXPECT_TRUE(Log().Numbers(nullptr, {}).size() > 0);  // the live window did get messages
}

LRESULT CALLBACK Subclass(HWND h, UINT m, WPARAM w, LPARAM l);
WNDPROC previousProc = nullptr;
int subclassCalls = 0;

LRESULT CALLBACK Subclass(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER + 1) {
        ++subclassCalls;
        return 42;
    }
    return CallWindowProcA(previousProc, h, m, w, l);
}

TEST_F(WindowLifecycle, SubclassingAndRestoringTheWindowProcedure) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100});
    previousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
    ASSERT_TRUE(previousProc);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(Subclass));
    subclassCalls = 0;
    Log().Clear();
    EXPECT_EQ(SendMessageA(w, WM_USER + 1, 0, 0), 42);
    EXPECT_FALSE(Log().Saw(w, WM_USER + 1));
    SendMessageA(w, WM_USER + 2, 0, 0);
    EXPECT_TRUE(Log().Saw(w, WM_USER + 2));  // passed on to the original
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    EXPECT_EQ(SendMessageA(w, WM_USER + 1, 0, 0), 0);
    EXPECT_TRUE(Log().Saw(w, WM_USER + 1));
    EXPECT_EQ(subclassCalls, 1);
    // The 32-bit form cannot hold a procedure and fails.
    EXPECT_EQ(SetWindowLongA(w, GWL_WNDPROC, 1), 0);
}

TEST_F(WindowLifecycle, WindowLongsTextAndExtraBytes) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = 16;
    wc.lpszClassName = "Extra";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, "Extra", "日本語", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_TRUE(w);
    EXPECT_EQ(SetWindowLongPtrA(w, 8, 77), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, 8), 77);
    EXPECT_EQ(GetWindowLongPtrA(w, 9), 0);  // would read past the extra bytes
    EXPECT_EQ(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
    SetWindowLongPtrA(w, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 1234);
    char buf[64];
    EXPECT_EQ(GetWindowTextA(w, buf, sizeof buf), 9);
    EXPECT_STREQ(buf, "日本語");
    // A short buffer never cuts a character in two.
    EXPECT_EQ(GetWindowTextA(w, buf, 5), 3);
    EXPECT_STREQ(buf, "日");
    EXPECT_EQ(GetWindowTextLengthA(w), 9);
    SetWindowTextA(w, "abc");
    EXPECT_EQ(GetWindowTextA(w, buf, sizeof buf), 3);
    char cls[32];
    EXPECT_EQ(GetClassNameA(w, cls, sizeof cls), 5);
    EXPECT_STREQ(cls, "Extra");
    EXPECT_TRUE(SetPropA(w, "key", reinterpret_cast<HANDLE>(5)));
    EXPECT_EQ(GetPropA(w, "key"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(RemovePropA(w, "key"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(GetPropA(w, "key"), nullptr);
    // A class in use cannot be unregistered.
    EXPECT_FALSE(UnregisterClassA("Extra", nullptr));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassA("Extra", nullptr));
}

TEST_F(WindowLifecycle, SetWindowPosSendsChangingCalcSizeChangedSizeMove) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{0, 0, 200, 200});
    Log().Clear();
    SetWindowPos(w, nullptr, 5, 6, 300, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<UINT> expected = {WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED,
                                  WM_SIZE, WM_MOVE};
    EXPECT_EQ(Log().Numbers(w), expected);
    auto size = Log().Last(w, WM_SIZE);
    EXPECT_EQ(LOWORD(size->lParam), 300 - 8);
    EXPECT_EQ(HIWORD(size->lParam), 250 - 8 - 19);
    // Moving only: no WM_SIZE; size only: no WM_MOVE.
    Log().Clear();
    SetWindowPos(w, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(Log().Saw(w, WM_SIZE));
    EXPECT_TRUE(Log().Saw(w, WM_MOVE));
    Log().Clear();
    SetWindowPos(w, nullptr, 0, 0, 310, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Log().Saw(w, WM_SIZE));
    EXPECT_FALSE(Log().Saw(w, WM_MOVE));
    // SWP_FRAMECHANGED recomputes the client area without a change of size.
    Log().Clear();
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_TRUE(Log().Saw(w, WM_NCCALCSIZE));
    // Nothing asked, nothing sent.
    Log().Clear();
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Log().All().empty());
}

TEST_F(WindowLifecycle, MinMaxInfoLimitsTheSize) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{0, 0, 200, 200});
    OnMessage(w, WM_GETMINMAXINFO, [](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(l);
        mmi->ptMinTrackSize = POINT{150, 120};
        mmi->ptMaxTrackSize = POINT{400, 300};
        return 0;
    });
    MoveWindow(w, 0, 0, 50, 50, TRUE);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, (RECT{0, 0, 150, 120}));
    MoveWindow(w, 0, 0, 900, 900, TRUE);
    GetWindowRect(w, &r);
    EXPECT_EQ(r, (RECT{0, 0, 400, 300}));
}

TEST_F(WindowLifecycle, ShowWindowStates) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{100, 100, 400, 300});
    EXPECT_FALSE(ShowWindow(w, SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(w));
    Log().Clear();
    ShowWindow(w, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(w));
    auto size = Log().Last(w, WM_SIZE);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->wParam, SIZE_MAXIMIZED);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, (RECT{-4, -4, 1024 + 4, 768 + 4}));
    ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(Log().Last(w, WM_SIZE)->wParam, SIZE_MINIMIZED);
    // Restoring a window minimised from maximised maximises it again.
    ShowWindow(w, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(w));
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(w));
    GetWindowRect(w, &r);
    EXPECT_EQ(r, (RECT{100, 100, 400, 300}));
    WINDOWPLACEMENT wp{};
    EXPECT_TRUE(GetWindowPlacement(w, &wp));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    Log().Clear();
    EXPECT_TRUE(ShowWindow(w, SW_HIDE));
    EXPECT_TRUE(Log().Saw(w, WM_SHOWWINDOW));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_FALSE(ShowWindow(w, SW_HIDE));
}

TEST_F(WindowLifecycle, TreeQueriesAndCoordinates) {
    HWND top = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{100, 50, 300, 250});
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{10, 20, 60, 70}, top);
    SetWindowLongPtrA(child, GWLP_ID, 7);
    EXPECT_EQ(GetDlgItem(top, 7), child);
    EXPECT_EQ(GetDlgCtrlID(child), 7);
    EXPECT_TRUE(IsChild(top, child));
    EXPECT_EQ(GetAncestor(child, GA_ROOT), top);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p, (POINT{111, 71}));  // one pixel of border
    ScreenToClient(top, &p);
    EXPECT_EQ(p, (POINT{11, 21}));
    POINT pts[1] = {{0, 0}};
    MapWindowPoints(child, top, pts, 1);
    EXPECT_EQ(pts[0], (POINT{11, 21}));
    EXPECT_EQ(WindowFromPoint(POINT{120, 80}), child);
    EXPECT_EQ(WindowFromPoint(POINT{105, 55}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{15, 25}), child);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{150, 150}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{500, 500}), nullptr);
    int count = 0;
    EnumChildWindows(top, [](HWND, LPARAM l) -> BOOL { ++*reinterpret_cast<int*>(l); return TRUE; },
                     reinterpret_cast<LPARAM>(&count));
    EXPECT_EQ(count, 1);
    HWND other = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50});
    EXPECT_EQ(SetParent(child, other), top);
    EXPECT_EQ(GetParent(child), other);
    EXPECT_FALSE(IsChild(top, child));
    // A window cannot become its own descendant's child.
    EXPECT_EQ(SetParent(other, child), nullptr);
}

TEST_F(WindowLifecycle, TopmostAndOwnedWindowsStayAbove) {
    HWND owner = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    HWND owned = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{10, 10, 50, 50}, owner);
    HWND topmost = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 20, 20}, nullptr, WS_EX_TOPMOST);
    HWND other = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 100, 100});
    EXPECT_EQ(GetTopWindow(nullptr), topmost);
    EXPECT_EQ(GetWindow(topmost, GW_HWNDNEXT), other);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    SetActiveWindow(owner);
    // The owner comes up with its owned window above it, below the topmost.
    EXPECT_EQ(GetWindow(topmost, GW_HWNDNEXT), owned);
    EXPECT_EQ(GetWindow(owned, GW_HWNDNEXT), owner);
    // Destroying the owner destroys what it owns first.
    Log().Clear();
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
    auto all = Log().All();
    auto firstOwned = std::find_if(all.begin(), all.end(), [&](const Message& m) { return m.hwnd == owned && m.msg == WM_DESTROY; });
    auto firstOwner = std::find_if(all.begin(), all.end(), [&](const Message& m) { return m.hwnd == owner && m.msg == WM_DESTROY; });
    EXPECT_LT(firstOwned - all.begin(), firstOwner - all.begin());
}

}  // namespace
}  // namespace test
