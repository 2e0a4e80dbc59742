// The "msctls_updown32" class: stepping by mouse and keys, the parent's
// notifications and its say over a step, ranges (reversed, wrapping), the
// buddy that shows the position, and the held arrow.
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "tests/support/window_fixture.h"

namespace test {
namespace {

class UpDownTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent_ = CreateRecordedWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 300, 200});
        OnMessage(parent_, WM_NOTIFY, [this](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
            auto* nm = reinterpret_cast<NMUPDOWN*>(l);
            if (nm->hdr.code != UDN_DELTAPOS) return std::nullopt;
            deltas_.push_back(nm->iDelta);
            if (doubleSteps_) nm->iDelta *= 2;
            return refuse_ ? 1 : 0;
        });
        RunUntilIdle();
    }
    void TearDown() override {
        if (IsWindow(parent_)) DestroyWindow(parent_);
        WindowTest::TearDown();
    }
    HWND Make(DWORD style, int lower, int upper, int pos, HWND buddy = nullptr) {
        HWND h = CreateUpDownControl(WS_CHILD | WS_VISIBLE | style, 100, 20, 16, 30, parent_, 7, nullptr, buddy,
                                     upper, lower, pos);
        RunUntilIdle();
        return h;
    }
    static int Pos(HWND h) { return static_cast<int>(SendMessageA(h, UDM_GETPOS32, 0, 0)); }
    // Positions the parent heard of through WM_VSCROLL SB_THUMBPOSITION.
    std::vector<int> Scrolled() {
        std::vector<int> out;
        for (const Message& m : Log().All()) {
            if (m.hwnd == parent_ && m.msg == WM_VSCROLL && LOWORD(m.wParam) == SB_THUMBPOSITION) {
                out.push_back(static_cast<short>(HIWORD(m.wParam)));
            }
        }
        return out;
    }

    HWND parent_ = nullptr;
    std::vector<int> deltas_;
    bool refuse_ = false;
    bool doubleSteps_ = false;
};

constexpr int kUpY = 25;    // inside the upper arrow (20..35)
constexpr int kDownY = 45;  // inside the lower arrow (35..50)

TEST_F(UpDownTest, ArrowsStepWithinTheRangeAndTellTheParent) {
    HWND ud = Make(0, 0, 3, 1);
    Click(108, kUpY);
    Click(108, kUpY);
    Click(108, kUpY);
    EXPECT_EQ(Pos(ud), 3) << "the range's end holds";
    EXPECT_EQ(deltas_, (std::vector<int>{1, 1, 1})) << "each press is offered, even at the end";
    EXPECT_EQ(Scrolled(), (std::vector<int>{2, 3}));
    Click(108, kDownY);
    EXPECT_EQ(Pos(ud), 2);
    EXPECT_EQ(deltas_.back(), -1);
    std::optional<Message> end = Log().Last(parent_, WM_VSCROLL);
    ASSERT_TRUE(end);
    EXPECT_EQ(LOWORD(end->wParam), SB_ENDSCROLL);
    EXPECT_EQ(reinterpret_cast<HWND>(end->lParam), ud);
    // The parent may refuse a step, or change it.
    refuse_ = true;
    Click(108, kDownY);
    EXPECT_EQ(Pos(ud), 2);
    refuse_ = false;
    doubleSteps_ = true;
    Click(108, kDownY);
    EXPECT_EQ(Pos(ud), 0);
}

TEST_F(UpDownTest, ReversedAndWrappingRanges) {
    // The default range runs from 100 down to 0: the up arrow lowers.
    HWND ud = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 100, 20, 16, 30, parent_, nullptr,
                              nullptr, nullptr);
    RunUntilIdle();
    int lower = 0, upper = 0;
    SendMessageA(ud, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, 100);
    EXPECT_EQ(upper, 0);
    SendMessageA(ud, UDM_SETPOS32, 0, 50);
    Click(108, kUpY);
    EXPECT_EQ(Pos(ud), 49);
    DestroyWindow(ud);
    HWND wrap = Make(UDS_WRAP, 1, 3, 3);
    Click(108, kUpY);
    EXPECT_EQ(Pos(wrap), 1);
    Click(108, kDownY);
    EXPECT_EQ(Pos(wrap), 3);
    // The 16-bit messages pack the range as upper, lower.
    SendMessageA(wrap, UDM_SETRANGE, 0, MAKELONG(static_cast<WORD>(20), static_cast<WORD>(-5)));
    EXPECT_EQ(SendMessageA(wrap, UDM_GETRANGE, 0, 0), MAKELONG(static_cast<WORD>(20), static_cast<WORD>(-5)));
    EXPECT_EQ(SendMessageA(wrap, UDM_SETPOS, 0, 99), 3) << "returns the old position";
    EXPECT_EQ(Pos(wrap), 20);
}

TEST_F(UpDownTest, ABuddyShowsThePositionAndGivesItsNumberBack) {
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 20, 80, 30, parent_, nullptr, nullptr,
                                nullptr);
    HWND ud = Make(UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 5000, 1234, edit);
    char text[32] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "1,234");
    RECT e{}, u{};
    GetWindowRect(edit, &e);
    GetWindowRect(ud, &u);
    EXPECT_EQ(u.right, 90) << "beside the buddy, in the buddy's room";
    EXPECT_EQ(e.right, u.left);
    EXPECT_EQ(u.bottom - u.top, 30);
    SetWindowTextA(edit, "4,000");
    Click(u.left + 4, u.top + 4);
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "4,001") << "steps from the number typed";
    EXPECT_EQ(GetFocus(), edit) << "a press focuses the buddy";
    SetWindowTextA(edit, "many");
    BOOL error = FALSE;
    SendMessageA(ud, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error));
    EXPECT_TRUE(error);
    // An automatic buddy is the window made just before.
    HWND next = Make(UDS_AUTOBUDDY | UDS_SETBUDDYINT, 0, 10, 3);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(next, UDM_GETBUDDY, 0, 0)), ud);
    SetFocus(ud);
    SendMessageA(ud, UDM_SETPOS32, 0, 7);
    PressKey(VK_DOWN);
    EXPECT_EQ(Pos(ud), 6);
}

TEST_F(UpDownTest, AHeldArrowRepeatsFasterTheLongerItIsHeld) {
    HWND ud = Make(0, 0, 1000, 0);
    UDACCEL accel[] = {{0, 1}, {1, 10}};
    SendMessageA(ud, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel));
    MouseDown(108, kUpY);
    EXPECT_EQ(Pos(ud), 1);
    AdvanceClock(500);
    EXPECT_EQ(Pos(ud), 2);
    AdvanceClock(100);
    EXPECT_EQ(Pos(ud), 3);
    AdvanceClock(500);  // held more than a second: steps of ten
    EXPECT_EQ(Pos(ud), 13);
    MouseUp(108, kUpY);
    AdvanceClock(500);
    EXPECT_EQ(Pos(ud), 13);
    EXPECT_EQ(GetCapture(), nullptr);
    // Disabled, the arrows do nothing.
    EnableWindow(ud, FALSE);
    Click(108, kUpY);
    EXPECT_EQ(Pos(ud), 13);
}

TEST_F(UpDownTest, ArrowKeysTypedIntoTheBuddyStepThePosition) {
    auto makeEdit = [this](int y) {
        return CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, y, 80, 24, parent_, nullptr, nullptr,
                               nullptr);
    };
    auto text = [](HWND edit) {
        char buf[32] = {};
        GetWindowTextA(edit, buf, sizeof buf);
        return std::string(buf);
    };
    HWND edit = makeEdit(20);
    const LONG_PTR editProc = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    HWND ud = Make(UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 10, 5, edit);
    SetFocus(edit);
    PressKey(VK_UP);
    EXPECT_EQ(Pos(ud), 6);
    EXPECT_EQ(text(edit), "6");
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(Pos(ud), 4);
    EXPECT_EQ(deltas_, (std::vector<int>{1, -1, -1})) << "the parent has its say over each step";
    EXPECT_EQ(GetFocus(), edit);
    PressKey(VK_LEFT);
    EXPECT_EQ(Pos(ud), 4) << "the other keys stay the edit's";
    bool ended = false;
    for (const Message& m : Log().All()) {
        ended |= m.hwnd == parent_ && m.msg == WM_VSCROLL && LOWORD(m.wParam) == SB_ENDSCROLL;
    }
    EXPECT_TRUE(ended) << "letting go of the key ends the scroll";

    // A new buddy is wrapped and the old one has its own procedure back.
    HWND other = makeEdit(60);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(other), 0);
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), editProc);
    SetFocus(edit);
    PressKey(VK_UP);
    EXPECT_EQ(Pos(ud), 4);
    SetFocus(other);
    PressKey(VK_UP);
    EXPECT_EQ(Pos(ud), 5);
    // Without the style the keys are the buddy's alone.
    HWND plain = makeEdit(100);
    HWND quiet = Make(UDS_SETBUDDYINT, 0, 10, 5, plain);
    SetFocus(plain);
    PressKey(VK_UP);
    EXPECT_EQ(Pos(quiet), 5);

    // Either window may go first.
    DestroyWindow(ud);
    DestroyWindow(quiet);
    EXPECT_EQ(GetWindowLongPtrA(other, GWLP_WNDPROC), editProc);
    SetFocus(other);
    PressKey(VK_UP);
    HWND last = Make(UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 10, 5, plain);
    DestroyWindow(plain);
    EXPECT_EQ(SendMessageA(last, UDM_GETBUDDY, 0, 0), 0);
    Click(108, kUpY);
    EXPECT_EQ(Pos(last), 6);
}

}  // namespace
}  // namespace test
