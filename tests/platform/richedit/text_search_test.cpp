#include "platform/richedit/text_search.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/richedit/text_document.h"
#include "platform/richedit/word_break.h"

using namespace win32::richedit;

namespace {

TextDocument Doc(std::u16string_view text) {
    TextDocument d;
    d.SetText(text);
    return d;
}

}  // namespace

TEST(FindText, RangesCaseAndWholeWords) {
    TextDocument d = Doc(u"abc ABC abcd\r\n");
    const TextStore& t = d.Store();
    EXPECT_EQ(FindText(t, 0, -1, u"abc", kSearchMatchCase), 0);
    EXPECT_EQ(FindText(t, 1, -1, u"abc", kSearchMatchCase), 8);
    EXPECT_EQ(FindText(t, 1, -1, u"abc", 0), 4);
    EXPECT_EQ(FindText(t, 1, -1, u"abc", kSearchWholeWord | kSearchMatchCase), -1);
    EXPECT_EQ(FindText(t, 1, -1, u"abc", kSearchWholeWord), 4);
    // A match that ends exactly at the range end is found; one past it is not.
    EXPECT_EQ(FindText(t, 5, 11, u"abc", kSearchMatchCase), 8);
    EXPECT_EQ(FindText(t, 5, 10, u"abc", kSearchMatchCase), -1);
    EXPECT_EQ(FindText(t, 0, -1, u"", 0), -1);
    EXPECT_EQ(FindText(t, 50, -1, u"abc", 0), -1);
    EXPECT_EQ(FindText(t, 0, -1, u"d\r\n", 0), 11);
}

TEST(FindText, FoldsFullWidthGreekAndCyrillicLetters) {
    TextDocument d = Doc(u"漢字ＡＢＣと ΑΒΓ и ЖЁ");
    EXPECT_EQ(FindText(d.Store(), 0, -1, u"ａｂｃ", 0), 2);
    EXPECT_EQ(FindText(d.Store(), 0, -1, u"ａｂｃ", kSearchMatchCase), -1);
    EXPECT_EQ(FindText(d.Store(), 0, -1, u"αβγ", 0), 7);
    EXPECT_EQ(FindText(d.Store(), 0, -1, u"жё", 0), 13);
    // Japanese words are whole words against neighbours of another class.
    EXPECT_EQ(FindText(d.Store(), 0, -1, u"漢字", kSearchWholeWord), 0);
    EXPECT_EQ(FindText(d.Store(), 0, -1, u"漢", kSearchWholeWord), -1);
}

TEST(FindText, MatchesAcrossTheGapAndAgreeWithANaiveSearch) {
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        std::u16string text(rng() % 60, u'a');
        for (char16_t& c : text) c = u"abAB "[rng() % 5];
        TextDocument d = Doc(text);
        // An edit somewhere puts the gap in the middle of the text.
        Pos at = static_cast<Pos>(rng() % (text.size() + 1));
        d.Replace(at, 0, u"a");
        text.insert(text.begin() + at, u'a');
        std::u16string what(1 + rng() % 3, u'a');
        for (char16_t& c : what) c = u"abAB"[rng() % 4];
        Pos min = static_cast<Pos>(rng() % (text.size() + 1));
        Pos expect = static_cast<Pos>(text.find(what, min));
        if (expect == static_cast<Pos>(std::u16string::npos)) expect = -1;
        ASSERT_EQ(FindText(d.Store(), min, -1, what, kSearchMatchCase), expect) << round;
    }
}

TEST(WordBreak, RunsOfOneScriptAreWords) {
    TextDocument d = Doc(u"漢字かなカタカナーabc12 ｶﾅ、end\r\nx");
    const TextStore& t = d.Store();
    EXPECT_EQ(WordStart(t, 1), 0);
    EXPECT_EQ(WordEnd(t, 0), 2);
    EXPECT_EQ(WordEnd(t, 2), 4);
    EXPECT_EQ(WordStart(t, 6), 4);
    EXPECT_EQ(WordEnd(t, 4), 9);  // katakana with the prolonged sound mark
    EXPECT_EQ(WordEnd(t, 9), 14);
    EXPECT_EQ(NextWordStart(t, 9), 15);
    EXPECT_EQ(WordEnd(t, 15), 17);
    EXPECT_EQ(PreviousWordStart(t, 15), 9);
    EXPECT_EQ(PreviousWordStart(t, 0), 0);
    EXPECT_EQ(WordEnd(t, 21), 23);  // a line break is a word of its own
    EXPECT_EQ(NextWordStart(t, t.Length()), t.Length());
}
