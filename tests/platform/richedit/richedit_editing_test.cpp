// Editing the rich-edit control as a user does, on the headless screen:
// keys, mouse, the caret, the input method and what the screen shows.
#include <gtest/gtest.h>

#include "tests/platform/richedit/richedit_fixture.h"

namespace test {
namespace {

class RichEditEditingTest : public RichEditTest {
protected:
    void SetUp() override {
        RichEditTest::SetUp();
        SetFocus(edit_);
        RunUntilIdle();
        ASSERT_EQ(GetFocus(), edit_);
    }
    void WithShift(UINT vk) {
        KeyDown(VK_SHIFT);
        PressKey(vk);
        KeyUp(VK_SHIFT);
    }
    void WithControl(UINT vk) {
        KeyDown(VK_CONTROL);
        PressKey(vk);
        KeyUp(VK_CONTROL);
    }
    // Screen point of a character position, `dy` pixels into its line.
    POINT At(LONG pos, int dx = 1, int dy = 4) {
        POINT p = CharPoint(pos);
        return ScreenPoint(p.x + dx, p.y + dy);
    }
    int LineHeight() { return CharPoint(static_cast<LONG>(Send(EM_LINEINDEX, 1))).y - CharPoint(0).y; }
};

TEST_F(RichEditEditingTest, TypingArrowsBackspaceDeleteEnterAndTab) {
    TypeText("abc");
    EXPECT_EQ(Text(), "abc");
    PressKey(VK_LEFT);
    PressKey(VK_LEFT);
    TypeText("X");
    EXPECT_EQ(Text(), "aXbc");
    PressKey(VK_BACK);
    EXPECT_EQ(Text(), "abc");
    PressKey(VK_DELETE);
    EXPECT_EQ(Text(), "ac");
    PressKey(VK_END);
    PressKey(VK_RETURN);
    PressKey(VK_TAB);
    TypeText("d");
    EXPECT_EQ(Text(), "ac\r\n\td");
    // Backspace takes a line break whole.
    PressKey(VK_HOME);
    PressKey(VK_BACK);
    EXPECT_EQ(Text(), "ac\td");
    WithControl(VK_HOME);
    EXPECT_EQ(Sel().cpMax, 0);
    WithControl(VK_END);
    EXPECT_EQ(Sel().cpMin, 4);
}

TEST_F(RichEditEditingTest, ShiftSelectsAndControlMovesByWord) {
    SetText("日本語の文章 hello world");
    WithControl(VK_RIGHT);
    EXPECT_EQ(Sel().cpMax, 3);  // past the kanji run
    WithControl(VK_RIGHT);
    EXPECT_EQ(Sel().cpMax, 4);
    KeyDown(VK_SHIFT);
    KeyDown(VK_CONTROL);
    PressKey(VK_RIGHT);
    KeyUp(VK_CONTROL);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Sel().cpMin, 4);
    EXPECT_EQ(Sel().cpMax, 7);
    WithShift(VK_END);
    EXPECT_EQ(Sel().cpMax, 18);
    PressKey(VK_LEFT);  // collapses to the start
    EXPECT_EQ(Sel().cpMin, 4);
    EXPECT_EQ(Sel().cpMax, 4);
    WithControl('A');
    EXPECT_EQ(Sel().cpMin, 0);
    EXPECT_EQ(Sel().cpMax, 18);
}

TEST_F(RichEditEditingTest, UpAndDownKeepTheColumnAndPagesMove) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "row " + std::to_string(i % 10) + " of text\r\n";
    SetText(text);
    SetSel(5, 5);
    PressKey(VK_DOWN);
    LONG line1 = static_cast<LONG>(Send(EM_LINEINDEX, 1));
    EXPECT_EQ(Sel().cpMax, line1 + 5);
    PressKey(VK_UP);
    EXPECT_EQ(Sel().cpMax, 5);
    PressKey(VK_NEXT);
    EXPECT_GT(Send(EM_LINEFROMCHAR, Sel().cpMax), 5);
    EXPECT_GT(Send(EM_GETFIRSTVISIBLELINE), 0);
    PressKey(VK_PRIOR);
    EXPECT_EQ(Send(EM_LINEFROMCHAR, Sel().cpMax), 0);
}

TEST_F(RichEditEditingTest, TypingIsUndoneInOneStepAndRedone) {
    TypeText("hello");
    PressKey(VK_LEFT);  // a caret move ends the step
    TypeText("X");
    WithControl('Z');
    EXPECT_EQ(Text(), "hello");
    WithControl('Z');
    EXPECT_EQ(Text(), "");
    WithControl('Y');
    EXPECT_EQ(Text(), "hello");
}

TEST_F(RichEditEditingTest, InsertTogglesOvertype) {
    SetText("abcd");
    PressKey(VK_INSERT);
    TypeText("XY");
    EXPECT_EQ(Text(), "XYcd");
    PressKey(VK_INSERT);
    TypeText("Z");
    EXPECT_EQ(Text(), "XYZcd");
}

TEST_F(RichEditEditingTest, ClipboardKeysCutCopyAndPaste) {
    SetText("one two");
    SetSel(0, 3);
    WithControl('C');
    PressKey(VK_END);
    WithControl('V');
    EXPECT_EQ(Text(), "one twoone");
    SetSel(0, 4);
    WithControl('X');
    EXPECT_EQ(Text(), "twoone");
    PressKey(VK_END);
    KeyDown(VK_SHIFT);
    PressKey(VK_INSERT);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Text(), "twooneone ");
    SetSel(0, 3);
    KeyDown(VK_SHIFT);
    PressKey(VK_DELETE);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Text(), "oneone ");
    std::string clip;
    ASSERT_TRUE(Screen().GetClipboardText(clip));
    EXPECT_EQ(clip, "two");
}

TEST_F(RichEditEditingTest, ClickShiftClickDragAndDoubleClick) {
    SetText("hello world 漢字かな\r\nsecond line");
    POINT p = At(6);
    Click(p.x, p.y);
    EXPECT_EQ(Sel().cpMin, 6);
    EXPECT_EQ(Sel().cpMax, 6);
    Screen().Advance(1000);
    POINT q = At(9);
    KeyDown(VK_SHIFT);
    Click(q.x, q.y);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Sel().cpMin, 6);
    EXPECT_EQ(Sel().cpMax, 9);
    Screen().Advance(1000);
    POINT from = At(0);
    POINT to = At(15);
    MouseDown(from.x, from.y);
    MoveMouse(to.x, to.y);
    MouseUp(to.x, to.y);
    EXPECT_EQ(Sel().cpMin, 0);
    EXPECT_EQ(Sel().cpMax, 15);
    Screen().Advance(1000);
    POINT kanji = At(13, 3);
    DoubleClick(kanji.x, kanji.y);
    EXPECT_EQ(Sel().cpMin, 12);
    EXPECT_EQ(Sel().cpMax, 14);
}

TEST_F(RichEditEditingTest, DraggingBelowTheControlScrollsOnItsOwn) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    SetText(text);
    POINT from = At(0);
    MouseDown(from.x, from.y);
    RECT r{};
    GetWindowRect(edit_, &r);
    MoveMouse(from.x, r.bottom + 30);
    for (int i = 0; i < 10; ++i) AdvanceClock(60);
    EXPECT_GT(Send(EM_GETFIRSTVISIBLELINE), 3);
    MouseUp(from.x, r.bottom + 30);
    LRESULT first = Send(EM_GETFIRSTVISIBLELINE);
    AdvanceClock(500);
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), first);
    EXPECT_EQ(Sel().cpMin, 0);
    EXPECT_GT(Sel().cpMax, 30);
}

TEST_F(RichEditEditingTest, TheWheelScrollsThreeLinesANotch) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line\r\n";
    SetText(text);
    POINT p = At(0);
    Screen().Wheel(p, -WHEEL_DELTA);
    RunUntilIdle();
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 3);
    Screen().Wheel(p, WHEEL_DELTA / 2);
    Screen().Wheel(p, WHEEL_DELTA / 2);
    RunUntilIdle();
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
}

TEST_F(RichEditEditingTest, TheCaretShowsAtTheInsertionPointAndBlinks) {
    SetText("   ");
    SetSel(2, 2);
    POINT c = At(2, 0, 3);
    EXPECT_EQ(ScreenColor(c.x, c.y), RGB(0, 0, 0));  // white inverted
    AdvanceClock(GetCaretBlinkTime());
    EXPECT_EQ(ScreenColor(c.x, c.y), RGB(255, 255, 255));
    AdvanceClock(GetCaretBlinkTime());
    EXPECT_EQ(ScreenColor(c.x, c.y), RGB(0, 0, 0));
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, CharPoint(2).x);
}

TEST_F(RichEditEditingTest, TheSelectionIsDrawnInTheHighlightColours) {
    SetText("      ");
    SetSel(1, 4);
    POINT p = At(2, 2, 6);
    EXPECT_EQ(ScreenColor(p.x, p.y), GetSysColor(COLOR_HIGHLIGHT));
    POINT outside = At(5, 2, 6);
    EXPECT_EQ(ScreenColor(outside.x, outside.y), GetSysColor(COLOR_WINDOW));
    // Without the focus the selection is hidden.
    SetFocus(parent_);
    EXPECT_EQ(ScreenColor(p.x, p.y), GetSysColor(COLOR_WINDOW));
}

TEST_F(RichEditEditingTest, InvalidBytesShowAsGreyBoxes) {
    SetText("a");
    POINT before = At(1, 3, 6);
    EXPECT_EQ(ScreenColor(before.x, before.y), GetSysColor(COLOR_WINDOW));
    struct Bytes {
        const char* p;
        std::size_t n;
    } bytes{"a\x81 z", 4};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&bytes), 0,
                  [](DWORD_PTR cookie, LPBYTE buffer, LONG, LONG* got) -> DWORD {
                      auto* b = reinterpret_cast<Bytes*>(cookie);
                      std::copy_n(b->p, b->n, buffer);
                      *got = static_cast<LONG>(b->n);
                      b->n = 0;
                      return 0;
                  }};
    Send(EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
    EXPECT_EQ(Length(), 4);
    POINT box = At(1, 2, 3);
    EXPECT_EQ(ScreenColor(box.x, box.y), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_GT(CharPoint(2).x - CharPoint(1).x, 6);
}

TEST_F(RichEditEditingTest, AnEditRepaintsOnlyTheLinesItChanged) {
    std::string text;
    for (int i = 0; i < 10; ++i) text += "line\r\n";
    SetText(text);
    RunUntilIdle();
    SetSel(static_cast<LONG>(Send(EM_LINEINDEX, 5)), static_cast<LONG>(Send(EM_LINEINDEX, 5)));
    RunUntilIdle();
    Send(WM_CHAR, 'x');
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(edit_, &update, FALSE));
    EXPECT_LE(update.bottom - update.top, 2 * LineHeight());
    EXPECT_GE(update.bottom, CharPoint(static_cast<LONG>(Send(EM_LINEINDEX, 5))).y + LineHeight());
}

TEST_F(RichEditEditingTest, CompositionShowsAtTheCaretAndItsWindowIsPlacedThere) {
    SetText("abc");
    SetSel(3, 3);
    RunUntilIdle();
    POINT caret = CharPoint(3);
    auto spot = Screen().ImePosition();
    // Host coordinates are those of the top-level window.
    RECT win{};
    GetWindowRect(parent_, &win);
    POINT screen = ScreenPoint(caret.x, caret.y);
    EXPECT_EQ(spot.caret.x, screen.x - win.left);
    EXPECT_EQ(spot.caret.y, screen.y - win.top);
    EXPECT_GT(spot.height, 8);

    POINT after = At(3, 8, 6);
    COLORREF blank = ScreenColor(after.x, after.y);
    Screen().Composition("にほん");
    RunUntilIdle();
    EXPECT_EQ(Text(), "abc");  // not text yet
    bool inked = false;
    for (int dx = 0; dx < 30 && !inked; ++dx) {
        for (int dy = 0; dy < 12 && !inked; ++dy) inked = ScreenColor(after.x + dx, after.y - 4 + dy) != blank;
    }
    EXPECT_TRUE(inked);
    Screen().Composition("");
    ImeCommit("日本");
    EXPECT_EQ(Text(), "abc日本");
    EXPECT_EQ(Sel().cpMax, 5);
}

TEST_F(RichEditEditingTest, ScrollBarsFollowTheWrap) {
    EXPECT_FALSE(GetWindowLongA(edit_, GWL_STYLE) & WS_VSCROLL);  // nothing to scroll yet
    std::string text;
    for (int i = 0; i < 40; ++i) text += "line\r\n";
    SetText(text);
    EXPECT_TRUE(GetWindowLongA(edit_, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongA(edit_, GWL_STYLE) & WS_HSCROLL);

    HWND both = MakeEdit(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL | ES_MULTILINE, 200, 100);
    SendMessageA(both, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::string(300, 'w').c_str()));
    EXPECT_TRUE(GetWindowLongA(both, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(SendMessageA(both, EM_GETLINECOUNT, 0, 0), 1);
    SendMessageA(both, EM_SETTARGETDEVICE, 0, 0);
    EXPECT_FALSE(GetWindowLongA(both, GWL_STYLE) & WS_HSCROLL);
    EXPECT_GT(SendMessageA(both, EM_GETLINECOUNT, 0, 0), 5);
}

}  // namespace
}  // namespace test
