#include "platform/gdi/draw_text_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/text_utf8.h"
#include "platform/gdi/wingdi.h"

namespace win32::gdi {
namespace {

// Letters 5 wide, blanks 3, dots 2, full-width characters 12.
class FixedAdvances : public AdvanceSource {
public:
    int Advance(char32_t c) override {
        if (c == ' ') return 3;
        if (c == '.') return 2;
        if (IsFullWidthBreakable(c)) return 12;
        return 5;
    }
};

class LayoutTest : public ::testing::Test {
protected:
    TextLayout Layout(const std::string& text, UINT format, int width, int height = 1000) {
        EffectiveFormat ef = SplitFormat(format);
        LayoutParams p;
        p.format = ef.format;
        p.tabLength = ef.tabLength;
        p.width = width;
        p.height = height;
        p.lineHeight = 12;
        p.aveCharWidth = 6;
        TextLayout out;
        LayoutText(text, p, advances_, out);
        return out;
    }
    static std::string Line(const TextLayout& l, std::size_t n) {
        std::string s;
        for (std::size_t i = l.lines[n].begin; i < l.lines[n].end; ++i) AppendUtf8(s, l.chars[i]);
        return s;
    }
    static std::vector<std::string> Lines(const TextLayout& l) {
        std::vector<std::string> v;
        for (std::size_t n = 0; n < l.lines.size(); ++n) v.push_back(Line(l, n));
        return v;
    }
    FixedAdvances advances_;
};

using Strings = std::vector<std::string>;

TEST_F(LayoutTest, HardLineBreaksOfEveryKind) {
    TextLayout l = Layout("ab\r\ncd\ref\ngh", 0, 100);
    EXPECT_EQ(Lines(l), (Strings{"ab", "cd", "ef", "gh"}));
    EXPECT_EQ(l.height, 48);
    // A final break adds no line, an empty line between breaks counts.
    EXPECT_EQ(Layout("ab\n", 0, 100).lines.size(), 1u);
    EXPECT_EQ(Layout("ab\n\ncd", 0, 100).lines.size(), 3u);
    EXPECT_EQ(Layout("\n", 0, 100).lines.size(), 1u);
    EXPECT_EQ(Layout("", 0, 100).height, 0);
    // One line: breaks are ordinary characters.
    EXPECT_EQ(Layout("ab\ncd", DT_SINGLELINE, 100).lines.size(), 1u);
}

TEST_F(LayoutTest, WordBreakAtBlanksDropsTheBlanksAtTheBreak) {
    // "aaa bbb ccc": words 15 wide, blanks 3.
    TextLayout l = Layout("aaa bbb ccc", DT_WORDBREAK, 35);
    EXPECT_EQ(Lines(l), (Strings{"aaa bbb", "ccc"}));
    EXPECT_EQ(l.lines[0].width, 33);
    EXPECT_EQ(l.maxWidth, 33);
    l = Layout("aaa   bbb", DT_WORDBREAK, 20);
    EXPECT_EQ(Lines(l), (Strings{"aaa", "bbb"}));
    EXPECT_EQ(l.lines[0].width, 15);
}

TEST_F(LayoutTest, LongWordOverhangsUnlessEditControl) {
    TextLayout l = Layout("ab abcdefgh cd", DT_WORDBREAK, 20);
    EXPECT_EQ(Lines(l), (Strings{"ab", "abcdefgh", "cd"}));
    EXPECT_EQ(l.lines[1].width, 40);
    EXPECT_EQ(l.maxWidth, 40);
    l = Layout("ab abcdefgh cd", DT_WORDBREAK | DT_EDITCONTROL, 20);
    EXPECT_EQ(Lines(l), (Strings{"ab", "abcd", "efgh", "cd"}));
    // Even a width of nothing puts one character on each line.
    l = Layout("abc", DT_WORDBREAK | DT_EDITCONTROL, 0);
    EXPECT_EQ(Lines(l), (Strings{"a", "b", "c"}));
}

TEST_F(LayoutTest, FullWidthCharactersBreakAnywhere) {
    // Each full-width character is 12 wide: three fit in 36.
    TextLayout l = Layout("あいうえおか", DT_WORDBREAK, 36);
    EXPECT_EQ(Lines(l), (Strings{"あいう", "えおか"}));
    // Between a full-width character and a word too, but not inside the word.
    l = Layout("あいabcd", DT_WORDBREAK, 40);
    EXPECT_EQ(Lines(l), (Strings{"あい", "abcd"}));
    l = Layout("あいうえおか", DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK, 36);
    EXPECT_EQ(l.lines.size(), 1u);
}

TEST_F(LayoutTest, TabsExpandToEightAverageWidths) {
    // Average width 6: stops every 48.
    TextLayout l = Layout("a\tb\tc", DT_EXPANDTABS, 500);
    ASSERT_EQ(l.lines.size(), 1u);
    EXPECT_EQ(l.x[2], 48);
    EXPECT_EQ(l.x[4], 96);
    EXPECT_EQ(l.lines[0].width, 101);
    // DT_TABSTOP puts the stop length in the second byte.
    l = Layout("a\tb", DT_EXPANDTABS | DT_TABSTOP | (4 << 8), 500);
    EXPECT_EQ(l.x[2], 24);
    // Without expansion a tab is just a character.
    l = Layout("a\tb", 0, 500);
    EXPECT_EQ(l.x[2], 10);
}

TEST_F(LayoutTest, PrefixMarksAreRemovedAndUnderlineTheNextCharacter) {
    TextLayout l = Layout("ファイル(&F)", DT_SINGLELINE, 500);
    EXPECT_EQ(Line(l, 0), "ファイル(F)");
    ASSERT_GE(l.lines[0].prefix, 0);
    EXPECT_EQ(l.chars[l.lines[0].prefix], U'F');
    EXPECT_EQ(l.lines[0].width, 4 * 12 + 15);
    l = Layout("a&&b", DT_SINGLELINE, 500);
    EXPECT_EQ(Line(l, 0), "a&b");
    EXPECT_EQ(l.lines[0].prefix, -1);
    l = Layout("a&&b&c", DT_NOPREFIX, 500);
    EXPECT_EQ(Line(l, 0), "a&&b&c");
    EXPECT_EQ(Line(Layout("ab&", 0, 500), 0), "ab");
}

TEST_F(LayoutTest, AlignmentAndVerticalCentring) {
    TextLayout l = Layout("abc", DT_CENTER | DT_SINGLELINE | DT_VCENTER, 100, 40);
    EXPECT_EQ(l.lines[0].xOffset, (100 - 15) / 2);
    EXPECT_EQ(l.lines[0].yOffset, 14);
    EXPECT_EQ(l.height, 26);  // offset to the bottom of the text
    l = Layout("abc", DT_RIGHT | DT_SINGLELINE | DT_BOTTOM, 100, 40);
    EXPECT_EQ(l.lines[0].xOffset, 85);
    EXPECT_EQ(l.lines[0].yOffset, 28);
    // Vertical placement needs DT_SINGLELINE.
    l = Layout("abc", DT_VCENTER, 100, 40);
    EXPECT_EQ(l.lines[0].yOffset, 0);
}

TEST_F(LayoutTest, EditControlHidesAPartlyVisibleLastLine) {
    TextLayout l = Layout("a\nb\nc", DT_EDITCONTROL, 100, 30);
    ASSERT_EQ(l.lines.size(), 3u);
    EXPECT_TRUE(l.lines[0].visible);
    EXPECT_TRUE(l.lines[1].visible);
    EXPECT_FALSE(l.lines[2].visible);
    EXPECT_EQ(l.height, 36);
    l = Layout("a\nb\nc", DT_EDITCONTROL | DT_CALCRECT, 100, 30);
    EXPECT_TRUE(l.lines[2].visible);
    l = Layout("a\nb\nc", 0, 100, 30);
    EXPECT_TRUE(l.lines[2].visible);
}

TEST_F(LayoutTest, EndAndPathEllipsis) {
    // "abcdefgh" is 40 wide; dots 6.
    TextLayout l = Layout("abcdefgh", DT_SINGLELINE | DT_END_ELLIPSIS, 28);
    EXPECT_EQ(Line(l, 0), "abcd...");
    EXPECT_EQ(l.lines[0].width, 26);
    EXPECT_EQ(Line(Layout("abc", DT_SINGLELINE | DT_END_ELLIPSIS, 28), 0), "abc");
    l = Layout("c:\\dir\\sub\\file", DT_SINGLELINE | DT_PATH_ELLIPSIS, 50);
    EXPECT_EQ(Line(l, 0), "c:\\...\\file");
    EXPECT_LE(l.lines[0].width, 50);
    // Too narrow for anything: only the dots remain.
    EXPECT_EQ(Line(Layout("abcdefgh", DT_SINGLELINE | DT_END_ELLIPSIS, 3), 0), "...");
}

TEST_F(LayoutTest, InvalidUtf8BecomesReplacementCharacters) {
    TextLayout l = Layout(std::string("a\xFF\xE3\x81", 4) + "b", DT_SINGLELINE, 100);
    // Each byte that is not part of a valid sequence stands for itself.
    ASSERT_EQ(l.chars.size(), 5u);
    EXPECT_EQ(l.chars[1], kReplacementChar);
    EXPECT_EQ(l.chars[2], kReplacementChar);
    EXPECT_EQ(l.chars[3], kReplacementChar);
    EXPECT_EQ(l.chars[4], U'b');
}

TEST_F(LayoutTest, MixedJapaneseWithTabsAndPrefixWraps) {
    // A menu-like line measured for a hint window.
    TextLayout l = Layout("上書き保存(&S)\tCtrl+S", DT_WORDBREAK | DT_EXPANDTABS, 80);
    // 上書き保存 = 60, "(S)" 15 -> 75; the tab is a blank and breaks there.
    EXPECT_EQ(Lines(l), (Strings{"上書き保存(S)", "Ctrl+S"}));
    EXPECT_EQ(l.chars[l.lines[0].prefix], U'S');
}

}  // namespace
}  // namespace win32::gdi
