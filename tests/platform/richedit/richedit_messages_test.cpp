// The rich-edit control's messages: text, positions with CR LF, selection,
// lines, search, undo, limits and notifications, checked one by one and
// against a plain string in random sequences.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/kernel/codepage.h"
#include "tests/platform/richedit/richedit_fixture.h"

namespace test {
namespace {

using win32::text::Utf16ToUtf8;
using win32::text::Utf8ToUtf16;

TEST_F(RichEditTest, TextKeepsEveryLineBreakAsCrLfAndCountsItTwice) {
    SetText("a\rb\nc\r\nd");
    EXPECT_EQ(Text(), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(Length(), 10);
    // WM_GETTEXTLENGTH sizes a buffer: bytes of UTF-8.
    SetText("日本\r\nx");
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 9);
    EXPECT_EQ(Length(), 5);
    // A short buffer never gets half a character.
    char buf[5];
    EXPECT_EQ(Send(WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf)), 3);
    EXPECT_STREQ(buf, "日");
    GETTEXTLENGTHEX sjis{GTL_NUMBYTES, 932};
    EXPECT_EQ(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&sjis)), 7);
}

TEST_F(RichEditTest, SelectionIsClampedAndNeverSplitsALineBreak) {
    SetText("ab\r\ncd");
    SetSel(3, 100);
    EXPECT_EQ(Sel().cpMin, 2);
    EXPECT_EQ(Sel().cpMax, 6);
    SetSel(0, -1);
    EXPECT_EQ(Sel().cpMax, 6);
    SetSel(-1, 0);  // deselects, keeping the caret
    EXPECT_EQ(Sel().cpMin, Sel().cpMax);
    Send(EM_SETSEL, 5, 1);
    DWORD a = 0, b = 0;
    EXPECT_EQ(Send(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b)), MAKELRESULT(1, 5));
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 5u);
    std::string sel(32, '\0');
    sel.resize(static_cast<std::size_t>(Send(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(sel.data()))));
    EXPECT_EQ(sel, "b\r\nc");
    Replace("XY");
    EXPECT_EQ(Text(), "aXYd");
    EXPECT_EQ(Sel().cpMin, 3);
    EXPECT_EQ(Sel().cpMax, 3);
}

TEST_F(RichEditTest, NotificationsFollowTheEventMask) {
    int before = ChangeCount();
    Replace("abc");
    EXPECT_EQ(ChangeCount(), before + 1);
    ASSERT_FALSE(selChanges_.empty());
    EXPECT_EQ(selChanges_.back().cpMin, 3);
    SetSel(1, 2);
    EXPECT_EQ(selChanges_.back().cpMin, 1);
    EXPECT_EQ(selChanges_.back().cpMax, 2);
    // Setting the same text changes nothing and says nothing.
    SetText("abc");
    int now = ChangeCount();
    SetText("abc");
    EXPECT_EQ(ChangeCount(), now);
    Send(EM_SETEVENTMASK, 0, ENM_NONE);
    Replace("zz");
    EXPECT_EQ(ChangeCount(), now);
    std::size_t selCount = selChanges_.size();
    SetSel(0, 1);
    EXPECT_EQ(selChanges_.size(), selCount);
}

TEST_F(RichEditTest, TheLimitCutsTextAndSaysSo) {
    Send(EM_EXLIMITTEXT, 0, 5);
    EXPECT_EQ(Send(EM_GETLIMITTEXT), 5);
    SetText("abc\r\ndef");
    EXPECT_EQ(Text(), "abc\r\n");
    EXPECT_EQ(CommandCount(EN_MAXTEXT), 1);
    SetText("abcd");
    SetSel(4, 4);
    Replace("\r\n");  // a line break does not fit in one place
    EXPECT_EQ(Text(), "abcd");
    EXPECT_EQ(CommandCount(EN_MAXTEXT), 2);
    Replace("x");
    EXPECT_EQ(Text(), "abcdx");
}

TEST_F(RichEditTest, UndoAndRedoStepThroughEdits) {
    EXPECT_FALSE(Send(EM_CANUNDO));
    Replace("one");
    Replace(" two");
    EXPECT_TRUE(Send(EM_CANUNDO));
    EXPECT_TRUE(Send(EM_UNDO));
    EXPECT_EQ(Text(), "one");
    EXPECT_TRUE(Send(EM_CANREDO));
    EXPECT_TRUE(Send(EM_REDO));
    EXPECT_EQ(Text(), "one two");
    Send(WM_UNDO);
    Send(WM_UNDO);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(Send(EM_UNDO));
    Send(EM_REDO);
    Send(EM_EMPTYUNDOBUFFER);
    EXPECT_FALSE(Send(EM_CANUNDO));
    EXPECT_FALSE(Send(EM_CANREDO));
    // A replacement that cannot be undone leaves nothing to undo.
    Replace("x", false);
    EXPECT_FALSE(Send(EM_CANUNDO));
}

TEST_F(RichEditTest, ModifyFlagAndReadOnly) {
    EXPECT_FALSE(Send(EM_GETMODIFY));
    Replace("a");
    EXPECT_TRUE(Send(EM_GETMODIFY));
    Send(EM_SETMODIFY, FALSE);
    EXPECT_FALSE(Send(EM_GETMODIFY));
    Send(EM_SETREADONLY, TRUE);
    EXPECT_TRUE(GetWindowLongA(edit_, GWL_STYLE) & ES_READONLY);
    Send(WM_CHAR, 'b');
    EXPECT_EQ(Text(), "a");
    Replace("c");  // programs still may
    EXPECT_EQ(Text(), "ac");
    Send(EM_SETREADONLY, FALSE);
    Send(WM_CHAR, 'd');
    EXPECT_EQ(Text(), "acd");
}

TEST_F(RichEditTest, FindTextOverRangesWithWholeWordAndMatchCase) {
    SetText("Abc abc abcd xabc ＡＢＣ\r\nabc");
    EXPECT_EQ(Find("abc", 0, -1, 0), 0);
    EXPECT_EQ(Find("abc", 0, -1, FT_MATCHCASE), 4);
    EXPECT_EQ(Find("abc", 5, -1, FT_WHOLEWORD), 23);
    EXPECT_EQ(Find("abc", 5, -1, 0), 8);
    EXPECT_EQ(Find("ａｂｃ", 0, -1, 0), 18);  // full-width letters match either case
    EXPECT_EQ(Find("ａｂｃ", 0, -1, FT_MATCHCASE), -1);
    // A match that ends exactly at the end of the range counts; one past it does not.
    EXPECT_EQ(Find("abc", 4, 7, FT_MATCHCASE), 4);
    EXPECT_EQ(Find("abc", 5, 10, FT_MATCHCASE), -1);
    EXPECT_EQ(Find("abc", 23, 26, FT_MATCHCASE), 23);
    EXPECT_EQ(Find("abc", 23, 25, FT_MATCHCASE), -1);
    EXPECT_EQ(Find("", 0, -1, 0), -1);
    EXPECT_EQ(Find("abc", 40, 100, 0), -1);
    FINDTEXTEXA f{{0, -1}, "xabc", {0, 0}};
    EXPECT_EQ(Send(EM_FINDTEXTEX, FT_MATCHCASE, reinterpret_cast<LPARAM>(&f)), 13);
    EXPECT_EQ(f.chrgText.cpMin, 13);
    EXPECT_EQ(f.chrgText.cpMax, 17);
    FINDTEXTA g{{0, -1}, "nothing"};
    EXPECT_EQ(Send(EM_FINDTEXT, 0, reinterpret_cast<LPARAM>(&g)), -1);
}

TEST_F(RichEditTest, LinesAreDisplayLinesWithWrapAndTextLinesWithout) {
    // Thirty words of five letters wrap inside 300 pixels.
    std::string para;
    for (int i = 0; i < 30; ++i) para += "abcd ";
    SetText(para + "\r\nshort\r\n");
    LRESULT wrapped = Send(EM_GETLINECOUNT);
    EXPECT_GT(wrapped, 3);
    std::string joined;
    LONG line = 0;
    for (; line < wrapped; ++line) {
        std::string s = Line(line);
        EXPECT_EQ(Send(EM_LINEINDEX, line), static_cast<LRESULT>(joined.size()));
        EXPECT_EQ(Send(EM_LINEFROMCHAR, joined.size()), line);
        joined += s;
    }
    EXPECT_EQ(joined, Text());
    // The last part of the long line ends with its line break.
    std::string lastPart = Line(static_cast<LONG>(wrapped) - 3);
    EXPECT_EQ(lastPart.substr(lastPart.size() - 2), "\r\n");
    EXPECT_EQ(Send(EM_LINEINDEX, wrapped), -1);

    Send(EM_SETTARGETDEVICE, 0, 1);  // no wrap
    EXPECT_EQ(Send(EM_GETLINECOUNT), 3);
    EXPECT_EQ(Line(0), para + "\r\n");
    EXPECT_EQ(Line(1), "short\r\n");
    EXPECT_EQ(Line(2), "");
    EXPECT_EQ(Send(EM_LINELENGTH, 3), static_cast<LRESULT>(para.size()));
    EXPECT_EQ(Send(EM_LINEINDEX, 2), static_cast<LRESULT>(para.size() + 9));
    Send(EM_SETTARGETDEVICE, 0, 0);
    EXPECT_EQ(Send(EM_GETLINECOUNT), wrapped);
}

TEST_F(RichEditTest, GetLineNeverOverrunsItsBuffer) {
    std::string kanji;
    for (int i = 0; i < 3000; ++i) kanji += "漢";
    SetText(kanji);
    Send(EM_SETTARGETDEVICE, 0, 1);
    std::string got = Line(0, 4096);
    EXPECT_LE(got.size(), 4096u);
    EXPECT_EQ(got.size() % 3, 0u);  // whole characters
    EXPECT_EQ(Line(0, 2), "");
}

TEST_F(RichEditTest, PositionsAndPointsAgree) {
    SetText("abc\r\ndef\r\nghi");
    POINT a = CharPoint(0);
    POINT d = CharPoint(5);
    EXPECT_GT(d.y, a.y);
    EXPECT_EQ(d.x, a.x);
    POINTL at{d.x + 1, d.y + 2};
    EXPECT_EQ(Send(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)), 5);
    POINT c = CharPoint(2);
    POINTL right{c.x + 1, c.y};
    EXPECT_EQ(Send(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&right)), 2);
    RECT r{};
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, a.y);
}

TEST_F(RichEditTest, ScrollingByLinesAndToTheCaret) {
    std::string many;
    for (int i = 0; i < 100; ++i) many += "line " + std::to_string(i) + "\r\n";
    SetText(many);
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
    Send(EM_LINESCROLL, 0, 10);
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 10);
    SetSel(static_cast<LONG>(Send(EM_LINEINDEX, 80)), static_cast<LONG>(Send(EM_LINEINDEX, 80)));
    LRESULT first = Send(EM_GETFIRSTVISIBLELINE);
    EXPECT_LE(first, 80);
    EXPECT_GT(first, 50);
    Send(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
    Send(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_GT(Send(EM_GETFIRSTVISIBLELINE), 5);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(edit_, SB_VERT, &si);
    EXPECT_EQ(si.nPos, Send(EM_GETFIRSTVISIBLELINE));
    EXPECT_EQ(si.nMax, 100);
}

TEST_F(RichEditTest, CharacterFormatAndBackgroundApplyToTheWholeText) {
    CHARFORMATA f{};
    f.cbSize = sizeof f;
    f.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR | CFM_CHARSET;
    f.dwEffects = CFE_BOLD;
    f.yHeight = 240;  // 12 points
    f.crTextColor = RGB(200, 0, 0);
    f.bCharSet = SHIFTJIS_CHARSET;
    std::strcpy(f.szFaceName, "ＭＳ ゴシック");
    EXPECT_TRUE(Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&f)));
    CHARFORMATA g{};
    g.cbSize = sizeof g;
    Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&g));
    EXPECT_STREQ(g.szFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(g.yHeight, 240);
    EXPECT_TRUE(g.dwEffects & CFE_BOLD);
    EXPECT_EQ(g.crTextColor, RGB(200, 0, 0));
    EXPECT_EQ(g.bCharSet, SHIFTJIS_CHARSET);
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(Send(WM_GETFONT)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);

    Send(EM_SETBKGNDCOLOR, 0, RGB(0, 0, 128));
    RunUntilIdle();
    POINT p = ScreenPoint(150, 150);
    EXPECT_EQ(ScreenColor(p.x, p.y), RGB(0, 0, 128));
    EXPECT_EQ(Send(EM_SETBKGNDCOLOR, 1, 0), RGB(0, 0, 128));
    RunUntilIdle();
    EXPECT_EQ(ScreenColor(p.x, p.y), GetSysColor(COLOR_WINDOW));
}

// Random edits by message against a string and a selection.
TEST_F(RichEditTest, RandomMessageSequencesAgreeWithAReferenceModel) {
    std::mt19937 rng(20240);
    std::u16string model;
    LONG selA = 0, selB = 0;
    std::vector<std::u16string> undo;
    std::vector<std::u16string> redo;
    const char16_t* pool[] = {u"a", u"漢字", u" ", u"\r\n", u"x y", u"ｶﾅ", u"\t", u"word", u"\r\n\r\n", u"😀"};
    auto snapped = [&](LONG p) {
        p = std::clamp<LONG>(p, 0, static_cast<LONG>(model.size()));
        if (p > 0 && p < static_cast<LONG>(model.size())) {
            char16_t a = model[p - 1], b = model[p];
            if ((a == u'\r' && b == u'\n') || (a >= 0xD800 && a <= 0xDBFF && b >= 0xDC00 && b <= 0xDFFF)) --p;
        }
        return p;
    };
    for (int step = 0; step < 600; ++step) {
        int op = static_cast<int>(rng() % 10);
        LONG len = static_cast<LONG>(model.size());
        if (op <= 3) {
            selA = snapped(static_cast<LONG>(rng() % (len + 2)));
            selB = snapped(static_cast<LONG>(rng() % (len + 2)));
            SetSel(selA, selB);
        } else if (op <= 6) {
            std::u16string what = pool[rng() % std::size(pool)];
            LONG a = std::min(selA, selB), b = std::max(selA, selB);
            std::u16string before = model;
            model.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), what);
            if (model != before) {
                undo.push_back(before);
                redo.clear();
            }
            Replace(Utf16ToUtf8(what));
            selA = selB = a + static_cast<LONG>(what.size());
        } else if (op == 7 && !undo.empty()) {
            redo.push_back(model);
            model = undo.back();
            undo.pop_back();
            ASSERT_TRUE(Send(EM_UNDO));
            CHARRANGE s = Sel();
            selA = s.cpMin;
            selB = s.cpMax;
        } else if (op == 8 && !redo.empty()) {
            undo.push_back(model);
            model = redo.back();
            redo.pop_back();
            ASSERT_TRUE(Send(EM_REDO));
            CHARRANGE s = Sel();
            selA = selB = s.cpMax;
        } else if (op == 9) {
            Send(EM_SETTARGETDEVICE, 0, rng() % 2);
        }
        ASSERT_EQ(Utf8ToUtf16(Text()), model) << step;
        CHARRANGE s = Sel();
        ASSERT_EQ(s.cpMin, std::min(selA, selB)) << step;
        ASSERT_EQ(s.cpMax, std::max(selA, selB)) << step;
        ASSERT_EQ(Length(), static_cast<LONG>(model.size()));
        ASSERT_EQ(Send(EM_CANUNDO) != 0, !undo.empty()) << step;
        // Line messages: the lines from EM_GETLINE make up the text again.
        LRESULT lines = Send(EM_GETLINECOUNT);
        std::u16string joined;
        for (LONG l = 0; l < lines; ++l) {
            ASSERT_EQ(Send(EM_LINEINDEX, l), static_cast<LRESULT>(joined.size()));
            joined += Utf8ToUtf16(Line(l, 60000));
        }
        ASSERT_EQ(joined, model) << step;
        if (!model.empty()) {
            std::u16string what = model.substr(rng() % model.size(), 1 + rng() % 3);
            std::size_t expected = model.find(what);
            LONG found = Find(Utf16ToUtf8(what), 0, -1, FT_MATCHCASE);
            // A piece that starts inside a pair is not found as such.
            if (found >= 0) {
                ASSERT_EQ(static_cast<std::size_t>(found), expected) << step;
            }
        }
    }
}

}  // namespace
}  // namespace test
