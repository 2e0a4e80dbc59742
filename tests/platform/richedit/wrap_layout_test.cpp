#include "platform/richedit/wrap_layout.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/richedit/text_document.h"

using namespace win32::richedit;

namespace {

// Single-byte characters 10 pixels wide, everything else 20.
class FixedMeasurer : public CharMeasurer {
public:
    int Advance(char32_t c) override { return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 10 : 20; }
    int AverageCharWidth() override { return 10; }
};

std::vector<Pos> Breaks(WrapLayout& layout, std::u16string_view s) {
    std::vector<Pos> starts;
    layout.BreakLine(s.data(), static_cast<Pos>(s.size()), starts);
    return starts;
}

}  // namespace

TEST(WrapLayout, BreaksAtBlanksBetweenFullWidthAndInsideLongWords) {
    TextStore store;
    FixedMeasurer m;
    WrapLayout layout(store, m);
    layout.SetWrapWidth(100);  // ten single-byte characters
    EXPECT_EQ(Breaks(layout, u"hello world again"), (std::vector<Pos>{0, 6, 12}));
    // Blanks hang past the edge instead of starting a line.
    EXPECT_EQ(Breaks(layout, u"abcdefghij    k"), (std::vector<Pos>{0, 14}));
    EXPECT_EQ(Breaks(layout, u"abcdefghijklmnopqrstuvwxy"), (std::vector<Pos>{0, 10, 20}));
    EXPECT_EQ(Breaks(layout, u"日本語の文章をここに書く"), (std::vector<Pos>{0, 5, 10}));
    // Between Latin and full-width text a line may break.
    EXPECT_EQ(Breaks(layout, u"ab cdefgh日本"), (std::vector<Pos>{0, 9}));
    // Tabs stop at eight average widths.
    EXPECT_EQ(Breaks(layout, u"a\tbcdefg"), (std::vector<Pos>{0, 2}));
    EXPECT_EQ(Breaks(layout, u"abcdefghi\tj"), (std::vector<Pos>{0, 10}));
    layout.SetWrapWidth(0);
    EXPECT_EQ(Breaks(layout, u"hello world again"), (std::vector<Pos>{0}));
}

TEST(WrapLayout, DisplayLinesFollowEditsAndWidthChanges) {
    TextDocument doc;
    FixedMeasurer m;
    WrapLayout layout(doc.Store(), m);
    layout.SetWrapWidth(100);
    doc.SetText(u"aaaa bbbb cccc\r\n\r\nshort");
    EXPECT_EQ(layout.DisplayLineCount(), 4);
    DisplayLine second = layout.GetDisplayLine(1);
    EXPECT_EQ(second.start, 10);
    EXPECT_EQ(second.end, 14);
    EXPECT_EQ(second.line, 0);
    EXPECT_EQ(layout.DisplayLineFromPosition(11), 1);
    EXPECT_EQ(layout.DisplayLineFromPosition(16), 2);
    EXPECT_EQ(layout.GetDisplayLine(3).start, 18);
    layout.SetWrapWidth(1000);
    EXPECT_EQ(layout.DisplayLineCount(), 3);
    layout.SetWrapWidth(40);
    EXPECT_EQ(layout.DisplayLineCount(), 6);
    // A large paste re-wraps everything in one pass, with the same result.
    std::u16string many;
    for (int i = 0; i < 6000; ++i) many += u"abcdef\r\n";
    doc.Replace(0, 0, many);
    EXPECT_EQ(layout.DisplayLineCount(), 6 + 12000);
    EXPECT_EQ(layout.GetDisplayLine(12001).start, 6000 * 8 + 5);
}

TEST(WrapLayout, IncrementalUpdatesAgreeWithAFreshLayout) {
    std::mt19937 rng(4);
    TextDocument doc;
    FixedMeasurer m;
    WrapLayout layout(doc.Store(), m);
    layout.SetWrapWidth(80);
    for (int step = 0; step < 400; ++step) {
        Pos pos = static_cast<Pos>(rng() % (doc.Length() + 1));
        std::u16string what(rng() % 12, u'a');
        for (char16_t& c : what) c = u"ab 漢\r\nア"[rng() % 7];
        doc.Replace(pos, static_cast<Pos>(rng() % 5), what);
        if (step % 3 == 0) {
            Pos count = layout.DisplayLineCount();
            WrapLayout fresh(doc.Store(), m);
            fresh.SetWrapWidth(80);
            ASSERT_EQ(count, fresh.DisplayLineCount()) << step;
            Pos d = static_cast<Pos>(rng() % count);
            ASSERT_EQ(layout.GetDisplayLine(d).start, fresh.GetDisplayLine(d).start);
        }
    }
}

// Lines past kLongLine keep their breaks and re-wrap only near an edit; the
// result must be what wrapping the whole line afresh gives, whatever the edit.
TEST(WrapLayout, EditsInsideALongLineAgreeWithAFreshLayout) {
    std::mt19937 rng(11);
    TextDocument doc;
    FixedMeasurer m;
    std::u16string line;
    while (line.size() < static_cast<std::size_t>(WrapLayout::kLongLine) * 3) {
        line += u"word 漢字 longerword\tｱｲ "[rng() % 18];
    }
    doc.SetText(u"head\r\n" + line + u"\r\ntail");
    WrapLayout layout(doc.Store(), m);
    layout.SetWrapWidth(90);
    layout.DisplayLineCount();
    for (int step = 0; step < 300; ++step) {
        Pos start = doc.Store().LineStart(1);
        Pos length = doc.Store().LineEnd(1) - start;
        Pos pos = start + static_cast<Pos>(rng() % (length + 1));
        std::u16string what(rng() % 4, u'a');
        for (char16_t& c : what) c = u"ab 漢\tア"[rng() % 6];
        // Mostly typing and deleting in place, sometimes far away.
        doc.Replace(pos, static_cast<Pos>(rng() % 3), what);
        if (step % 10 == 0) {
            // A line break now and then moves the long line down and back.
            doc.Replace(0, 0, u"x\r\n");
            if (step % 20 == 0) doc.Replace(0, 3, u"");
        }
        Pos count = layout.DisplayLineCount();
        WrapLayout fresh(doc.Store(), m);
        fresh.SetWrapWidth(90);
        ASSERT_EQ(count, fresh.DisplayLineCount()) << step;
        for (int probe = 0; probe < 5; ++probe) {
            Pos d = static_cast<Pos>(rng() % count);
            DisplayLine a = layout.GetDisplayLine(d);
            DisplayLine b = fresh.GetDisplayLine(d);
            ASSERT_EQ(a.start, b.start) << step << " " << d;
            ASSERT_EQ(a.end, b.end) << step << " " << d;
            ASSERT_EQ(layout.DisplayLineFromPosition(a.start + 1), fresh.DisplayLineFromPosition(a.start + 1));
        }
    }
}
