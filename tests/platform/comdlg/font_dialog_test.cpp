// The font dialog: the caller's font shown in the lists, a size typed and
// an effect ticked, the size limits, and cancel leaving the font alone.
#include <algorithm>
#include <cstring>

#include "tests/support/dialog_fixture.h"

namespace test {
namespace {

class FontDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        owner_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 600, 500}, nullptr, 0, "メモ");
        RunUntilIdle();
        lf_.lfHeight = -16;
        lf_.lfWeight = FW_BOLD;
        lf_.lfCharSet = SHIFTJIS_CHARSET;
        std::strcpy(lf_.lfFaceName, "ＭＳ ゴシック");
        cf_.lStructSize = sizeof cf_;
        cf_.hwndOwner = owner_;
        cf_.lpLogFont = &lf_;
        cf_.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
        cf_.rgbColors = RGB(0, 0, 128);
    }
    static HWND Dialog() { return FindDialogWindow("フォント"); }
    static std::string ComboText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }
    static std::vector<std::string> ComboItems(HWND dialog, int id) {
        std::vector<std::string> out;
        HWND combo = GetDlgItem(dialog, id);
        LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            char text[128] = {};
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    HWND owner_ = nullptr;
    LOGFONTA lf_{};
    CHOOSEFONTA cf_{};
};

TEST_F(FontDialogTest, ShowsTheCallersFontAndReturnsTheChangedOne) {
    struct {
        std::string face, style, size, color, charset, label;
        std::vector<std::string> faces, styles;
    } seen;
    WhenIdle([&] {
        HWND d = Dialog();
        ASSERT_TRUE(d);
        seen.face = ComboText(d, cmb1);
        seen.style = ComboText(d, cmb2);
        seen.size = ComboText(d, cmb3);
        seen.color = ComboText(d, cmb4);
        seen.charset = ComboText(d, cmb5);
        seen.label = TextOf(GetDlgItem(d, stc1));
        seen.faces = ComboItems(d, cmb1);
        seen.styles = ComboItems(d, cmb2);
        QueueAltKey('S');
        QueueText("20");
        QueueAltKey('U');
        WhenIdle([&] { QueueClickOn(GetDlgItem(Dialog(), IDOK)); });
    });
    ASSERT_TRUE(ChooseFontA(&cf_)) << CommDlgExtendedError();
    EXPECT_EQ("ＭＳ ゴシック", seen.face);
    EXPECT_EQ("太字", seen.style);
    EXPECT_EQ("12", seen.size);
    EXPECT_EQ("ネイビー", seen.color);
    EXPECT_EQ("日本語", seen.charset);
    EXPECT_EQ("フォント名(&F):", seen.label);
    EXPECT_NE(seen.faces.end(), std::find(seen.faces.begin(), seen.faces.end(), "ＭＳ Ｐゴシック"));
    EXPECT_EQ((std::vector<std::string>{"標準", "斜体", "太字", "太字 斜体"}), seen.styles);

    EXPECT_STREQ("ＭＳ ゴシック", lf_.lfFaceName);
    EXPECT_EQ(200, cf_.iPointSize);
    EXPECT_EQ(-27, lf_.lfHeight) << "20 points at 96 pixels per inch";
    EXPECT_EQ(FW_BOLD, lf_.lfWeight);
    EXPECT_EQ(1, lf_.lfUnderline);
    EXPECT_EQ(0, lf_.lfStrikeOut);
    EXPECT_EQ(SHIFTJIS_CHARSET, lf_.lfCharSet);
    EXPECT_EQ(RGB(0, 0, 128), cf_.rgbColors);
    EXPECT_TRUE(cf_.nFontType & BOLD_FONTTYPE);
    EXPECT_TRUE(cf_.nFontType & SCREEN_FONTTYPE);
}

TEST_F(FontDialogTest, CancelKeepsTheFont) {
    LOGFONTA before = lf_;
    WhenIdle([&] {
        SendDlgItemMessageA(Dialog(), cmb2, CB_SETCURSEL, 1, 0);
        QueueKey(VK_ESCAPE);
    });
    EXPECT_FALSE(ChooseFontA(&cf_));
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_EQ(0, std::memcmp(&before, &lf_, sizeof lf_));
}

TEST_F(FontDialogTest, SizeLimitsNarrowTheListAndRefuseOthers) {
    cf_.Flags |= CF_LIMITSIZE;
    cf_.nSizeMin = 9;
    cf_.nSizeMax = 14;
    std::vector<std::string> sizes;
    std::string refusal;
    bool stillUp = false;
    WhenIdle([&] {
        sizes = ComboItems(Dialog(), cmb3);
        SetDlgItemTextA(Dialog(), cmb3, "30");
        QueueClickOn(GetDlgItem(Dialog(), IDOK));
        WhenIdle([&] {
            HWND box = FindDialogWindow();
            refusal = TextOf(GetDlgItem(box, 0xFFFF));
            QueueKey(VK_RETURN);
            WhenIdle([&] {
                stillUp = Dialog() != nullptr;
                SetDlgItemTextA(Dialog(), cmb3, "10.5");
                QueueClickOn(GetDlgItem(Dialog(), IDOK));
            });
        });
    });
    ASSERT_TRUE(ChooseFontA(&cf_));
    EXPECT_EQ((std::vector<std::string>{"9", "10", "11", "12", "14"}), sizes);
    EXPECT_NE(std::string::npos, refusal.find("9 から 14 ポイント")) << refusal;
    EXPECT_TRUE(stillUp);
    EXPECT_EQ(105, cf_.iPointSize);
    EXPECT_EQ(-14, lf_.lfHeight);
}

}  // namespace
}  // namespace test
