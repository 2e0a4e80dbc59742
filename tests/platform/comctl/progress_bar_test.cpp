// The "msctls_progress32" class: range and position messages with their
// return values and limits, stepping, colours, and the bar as drawn.
#include "platform/comctl/commctrl.h"
#include "tests/support/window_fixture.h"

namespace test {
namespace {

class ProgressBarTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent_ = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, {0, 0, 400, 200});
        RunUntilIdle();
    }
    void TearDown() override {
        if (IsWindow(parent_)) DestroyWindow(parent_);
        WindowTest::TearDown();
    }
    // A bar at (10, 10) in the parent, which sits at the screen's origin.
    HWND Make(DWORD style, int width = 202, int height = 16) {
        HWND h = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, parent_,
                                 nullptr, nullptr, nullptr);
        RunUntilIdle();
        return h;
    }
    static LRESULT Send(HWND h, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(h, msg, w, l); }
    HWND parent_ = nullptr;
};

TEST_F(ProgressBarTest, PositionMessagesAnswerThePreviousPositionAndStayInTheRange) {
    HWND bar = Make(0);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Send(bar, PBM_GETRANGE, TRUE), 0) << "0 to 100 at first";
    EXPECT_EQ(Send(bar, PBM_GETRANGE, FALSE), 100);
    EXPECT_EQ(Send(bar, PBM_SETPOS, 40), 0);
    EXPECT_EQ(Send(bar, PBM_SETPOS, 250), 40);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 100) << "held at the high end";
    EXPECT_EQ(Send(bar, PBM_SETPOS, static_cast<WPARAM>(-5)), 100);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 0) << "held at the low end";
    EXPECT_EQ(Send(bar, PBM_DELTAPOS, 30), 0);
    EXPECT_EQ(Send(bar, PBM_DELTAPOS, static_cast<WPARAM>(-50)), 30);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 0);

    // The old range comes back packed; a narrower range pulls the position in.
    Send(bar, PBM_SETPOS, 90);
    EXPECT_EQ(Send(bar, PBM_SETRANGE, 0, MAKELPARAM(10, 50)), MAKELONG(0, 100));
    EXPECT_EQ(Send(bar, PBM_GETPOS), 50);
    EXPECT_EQ(Send(bar, PBM_SETRANGE32, static_cast<WPARAM>(-1000), 100000), MAKELONG(10, 50));
    PBRANGE range{};
    EXPECT_EQ(Send(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range)), 100000);
    EXPECT_EQ(range.iLow, -1000);
    EXPECT_EQ(range.iHigh, 100000);
    EXPECT_EQ(Send(bar, PBM_SETPOS, 70000), 50) << "32-bit positions";
    EXPECT_EQ(Send(bar, PBM_GETPOS), 70000);
}

TEST_F(ProgressBarTest, StepItGoesByTheStepAndStartsOverPastTheEnd) {
    HWND bar = Make(0);
    EXPECT_EQ(Send(bar, PBM_SETSTEP, 30), 10) << "the step was 10";
    EXPECT_EQ(Send(bar, PBM_STEPIT), 0);
    EXPECT_EQ(Send(bar, PBM_STEPIT), 30);
    EXPECT_EQ(Send(bar, PBM_STEPIT), 60);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 90);
    Send(bar, PBM_STEPIT);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 20) << "120 wraps to 20";
    Send(bar, PBM_SETSTEP, static_cast<WPARAM>(-30));
    Send(bar, PBM_STEPIT);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 90) << "-10 wraps back from the high end";
    Send(bar, PBM_SETRANGE32, 5, 5);
    Send(bar, PBM_STEPIT);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 5) << "an empty range holds its one position";
}

TEST_F(ProgressBarTest, ColoursAnswerTheirPreviousValue) {
    HWND bar = Make(0);
    EXPECT_EQ(static_cast<COLORREF>(Send(bar, PBM_SETBARCOLOR, 0, RGB(255, 0, 0))), CLR_DEFAULT);
    EXPECT_EQ(static_cast<COLORREF>(Send(bar, PBM_SETBARCOLOR, 0, CLR_DEFAULT)), RGB(255, 0, 0));
    EXPECT_EQ(static_cast<COLORREF>(Send(bar, PBM_SETBKCOLOR, 0, RGB(0, 0, 255))), CLR_DEFAULT);
    EXPECT_EQ(static_cast<COLORREF>(Send(bar, PBM_GETBKCOLOR)), RGB(0, 0, 255));
}

// The bar is 202 x 16 at (10, 10): a one-pixel sunken border, then a pixel
// of background around a well of 198 x 12 from (12, 12).
TEST_F(ProgressBarTest, SegmentedBarDrawsBlocksWithGapsInsideTheSunkenBorder) {
    HWND bar = Make(0);
    Send(bar, PBM_SETPOS, 50);
    RunUntilIdle();
    COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(ScreenColor(10, 10), GetSysColor(COLOR_BTNSHADOW)) << "the border's dark top-left";
    EXPECT_EQ(ScreenColor(211, 25), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the border's light bottom-right";
    EXPECT_EQ(ScreenColor(11, 18), face) << "a pixel of face inside the border";
    // Blocks of 8 (two thirds of 12) with gaps of 2: 12..19, 22..29, ...
    EXPECT_EQ(ScreenColor(12, 12), highlight);
    EXPECT_EQ(ScreenColor(19, 23), highlight);
    EXPECT_EQ(ScreenColor(20, 18), face) << "the gap after the first block";
    EXPECT_EQ(ScreenColor(21, 18), face);
    EXPECT_EQ(ScreenColor(22, 18), highlight);
    // Half of 198 is 99: the last block starts at 102 (12 + 9 * 10) and
    // is whole; nothing lies past it.
    EXPECT_EQ(ScreenColor(109, 18), highlight);
    EXPECT_EQ(ScreenColor(110, 18), face);
    EXPECT_EQ(ScreenColor(150, 18), face);
    SaveScreenshot("progress_blocks");
}

TEST_F(ProgressBarTest, SmoothAndVerticalBarsFillExactlyTheirShare) {
    HWND smooth = Make(PBS_SMOOTH);
    Send(smooth, PBM_SETPOS, 25);
    Send(smooth, PBM_SETBARCOLOR, 0, RGB(0, 128, 0));
    RunUntilIdle();
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    // A quarter of 198 is 49 pixels: 12..60.
    EXPECT_EQ(ScreenColor(60, 12), RGB(0, 128, 0));
    EXPECT_EQ(ScreenColor(61, 12), face);
    DestroyWindow(smooth);

    HWND vertical = Make(PBS_VERTICAL | PBS_SMOOTH, 16, 102);
    Send(vertical, PBM_SETPOS, 50);
    Send(vertical, PBM_SETBKCOLOR, 0, RGB(255, 255, 255));
    RunUntilIdle();
    // The well runs from y 12 to 109; half of 98 fills 61..109 from the bottom.
    EXPECT_EQ(ScreenColor(18, 109), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenColor(18, 61), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenColor(18, 60), RGB(255, 255, 255)) << "the background colour above";
}

}  // namespace
}  // namespace test
