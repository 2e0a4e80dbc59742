// The colour dialog: a basic colour picked by mouse or arrow keys, the
// caller's colour and custom colours taken in, the mixer opened and a mixed
// colour kept among the custom ones, and cancel leaving everything alone.
#include "tests/support/dialog_fixture.h"

namespace test {
namespace {

class ColorDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        owner_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 600, 500}, nullptr, 0, "メモ");
        RunUntilIdle();
        for (COLORREF& c : custom_) c = RGB(255, 255, 255);
        cc_.lStructSize = sizeof cc_;
        cc_.hwndOwner = owner_;
        cc_.lpCustColors = custom_;
    }
    static HWND Dialog() { return FindDialogWindow("色の設定"); }
    // Clicks cell `index` of a colour grid (8 columns).
    void QueueClickCell(HWND grid, int index, int rows) {
        RECT r = ScreenRectOf(grid);
        int w = r.right - r.left, h = r.bottom - r.top;
        int col = index % 8, row = index / 8;
        QueueClick(r.left + w * col / 8 + w / 16, r.top + h * row / rows + h / (2 * rows));
    }
    HWND owner_ = nullptr;
    COLORREF custom_[16];
    CHOOSECOLORA cc_{};
};

TEST_F(ColorDialogTest, BasicColourByMouseAndByArrows) {
    std::string caption;
    RECT basicWindow{};
    WhenIdle([&] {
        HWND d = Dialog();
        ASSERT_TRUE(d);
        caption = TextOf(d);
        basicWindow = ScreenRectOf(d);
        QueueClickCell(GetDlgItem(d, COLOR_BOX1), 8, 6);  // second row, first: red
        WhenIdle([&] { QueueKey(VK_RETURN); });
    });
    ASSERT_TRUE(ChooseColorA(&cc_)) << CommDlgExtendedError();
    EXPECT_EQ("色の設定", caption);
    EXPECT_EQ(RGB(255, 0, 0), cc_.rgbResult);
    EXPECT_LT(basicWindow.right - basicWindow.left, 360) << "the mixer starts closed";

    // The caller's colour is chosen at the start; Right moves one cell on.
    cc_.Flags = CC_RGBINIT;
    cc_.rgbResult = RGB(255, 0, 0);
    WhenIdle([&] {
        SetFocus(GetDlgItem(Dialog(), COLOR_BOX1));
        QueueKey(VK_RIGHT);
        QueueKey(VK_DOWN);
        WhenIdle([&] { QueueClickOn(GetDlgItem(Dialog(), IDOK)); });
    });
    ASSERT_TRUE(ChooseColorA(&cc_));
    EXPECT_EQ(RGB(255, 128, 64), cc_.rgbResult) << "from red one right and one down";
}

TEST_F(ColorDialogTest, CancelLeavesColourAndCustomColours) {
    cc_.Flags = CC_RGBINIT | CC_FULLOPEN;
    cc_.rgbResult = RGB(1, 2, 3);
    WhenIdle([&] {
        HWND d = Dialog();
        QueueClickCell(GetDlgItem(d, COLOR_BOX1), 0, 6);
        WhenIdle([&] {
            QueueClickOn(GetDlgItem(Dialog(), COLOR_ADD));
            WhenIdle([&] { QueueKey(VK_ESCAPE); });
        });
    });
    EXPECT_FALSE(ChooseColorA(&cc_));
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_EQ(RGB(1, 2, 3), cc_.rgbResult);
    EXPECT_EQ(RGB(255, 255, 255), custom_[0]);
}

TEST_F(ColorDialogTest, MixerMakesAColourAndKeepsItAmongTheCustomOnes) {
    custom_[3] = RGB(10, 20, 30);
    cc_.Flags = CC_RGBINIT;
    cc_.rgbResult = RGB(10, 20, 30);
    struct {
        LRESULT customSelected = -1;
        bool mixerHidden = false, mixerShown = false, mixButtonEnabled = true;
        int widthClosed = 0, widthOpen = 0;
        std::string hue, sat, lum;
    } seen;
    WhenIdle([&] {
        HWND d = Dialog();
        seen.customSelected = SendDlgItemMessageA(d, COLOR_CUSTOM1, WM_USER + 3, 0, 0);
        seen.mixerHidden = !IsWindowVisible(GetDlgItem(d, COLOR_RED));
        RECT r = ScreenRectOf(d);
        seen.widthClosed = r.right - r.left;
        QueueAltKey('D');
        WhenIdle([&] {
            HWND d = Dialog();
            RECT r = ScreenRectOf(d);
            seen.widthOpen = r.right - r.left;
            seen.mixerShown = IsWindowVisible(GetDlgItem(d, COLOR_RED));
            seen.mixButtonEnabled = IsWindowEnabled(GetDlgItem(d, COLOR_MIX));
            SetDlgItemInt(d, COLOR_RED, 0, FALSE);
            SetDlgItemInt(d, COLOR_GREEN, 128, FALSE);
            SetDlgItemInt(d, COLOR_BLUE, 255, FALSE);
            seen.hue = TextOf(GetDlgItem(d, COLOR_HUE));
            seen.sat = TextOf(GetDlgItem(d, COLOR_SAT));
            seen.lum = TextOf(GetDlgItem(d, COLOR_LUM));
            SendDlgItemMessageA(d, COLOR_CUSTOM1, WM_USER + 2, 5, 0);
            QueueAltKey('A');
            WhenIdle([&] { QueueClickOn(GetDlgItem(Dialog(), IDOK)); });
        });
    });
    ASSERT_TRUE(ChooseColorA(&cc_));
    EXPECT_EQ(3, seen.customSelected) << "the caller's colour found among the custom ones";
    EXPECT_TRUE(seen.mixerHidden);
    EXPECT_TRUE(seen.mixerShown);
    EXPECT_FALSE(seen.mixButtonEnabled);
    EXPECT_GT(seen.widthOpen, seen.widthClosed + 150);
    EXPECT_EQ("140", seen.hue);
    EXPECT_EQ("240", seen.sat);
    EXPECT_EQ("120", seen.lum);
    EXPECT_EQ(RGB(0, 128, 255), cc_.rgbResult);
    EXPECT_EQ(RGB(0, 128, 255), custom_[5]) << "added into the chosen custom cell";
    EXPECT_EQ(RGB(10, 20, 30), custom_[3]);

    // Numbers typed as hue, saturation and luminance give the colour.
    cc_.Flags = CC_FULLOPEN;
    WhenIdle([&] {
        HWND d = Dialog();
        SetDlgItemInt(d, COLOR_HUE, 0, FALSE);
        SetDlgItemInt(d, COLOR_SAT, 240, FALSE);
        SetDlgItemInt(d, COLOR_LUM, 120, FALSE);
        QueueKey(VK_RETURN);
    });
    ASSERT_TRUE(ChooseColorA(&cc_));
    EXPECT_EQ(RGB(255, 0, 0), cc_.rgbResult);
}

TEST_F(ColorDialogTest, PreventFullOpenDisablesTheMixerButton) {
    cc_.Flags = CC_PREVENTFULLOPEN | CC_FULLOPEN;
    bool enabled = true, shown = true;
    WhenIdle([&] {
        enabled = IsWindowEnabled(GetDlgItem(Dialog(), COLOR_MIX));
        shown = IsWindowVisible(GetDlgItem(Dialog(), COLOR_RED));
        QueueKey(VK_ESCAPE);
    });
    EXPECT_FALSE(ChooseColorA(&cc_));
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace test
