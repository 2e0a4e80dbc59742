// The caret and the clipboard of the window system.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class CaretClipboardTest : public WindowTest {};

TEST_F(CaretClipboardTest, TheCaretInvertsItsPlaceWhileShownAndBlinks) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{50, 50, 250, 200});
    RunUntilIdle();
    POINT p{20, 20};
    ClientToScreen(w, &p);
    ASSERT_TRUE(CreateCaret(w, nullptr, 2, 10));
    SetCaretPos(20, 20);
    EXPECT_EQ(ScreenColor(p.x, p.y + 5), RGB(255, 255, 255));  // made hidden
    ShowCaret(w);
    EXPECT_EQ(ScreenColor(p.x, p.y + 5), RGB(0, 0, 0));
    EXPECT_EQ(ScreenColor(p.x + 2, p.y + 5), RGB(255, 255, 255));
    AdvanceClock(GetCaretBlinkTime());
    EXPECT_EQ(ScreenColor(p.x, p.y + 5), RGB(255, 255, 255));
    // Moving shows it at once in its new place.
    SetCaretPos(40, 20);
    EXPECT_EQ(ScreenColor(p.x + 20, p.y + 5), RGB(0, 0, 0));
    EXPECT_EQ(ScreenColor(p.x, p.y + 5), RGB(255, 255, 255));
    HideCaret(w);
    HideCaret(w);
    ShowCaret(w);
    EXPECT_EQ(ScreenColor(p.x + 20, p.y + 5), RGB(255, 255, 255));  // still hidden once
    ShowCaret(w);
    EXPECT_EQ(ScreenColor(p.x + 20, p.y + 5), RGB(0, 0, 0));
    POINT at{};
    GetCaretPos(&at);
    EXPECT_EQ(at.x, 40);
    // The input method is told where the caret is, in the host's coordinates.
    RECT win{};
    GetWindowRect(w, &win);
    EXPECT_EQ(Screen().ImePosition().caret.x, p.x + 20 - win.left);
    EXPECT_EQ(Screen().ImePosition().height, 10);
    EXPECT_TRUE(DestroyCaret());
    EXPECT_EQ(ScreenColor(p.x + 20, p.y + 5), RGB(255, 255, 255));
    EXPECT_FALSE(ShowCaret(w));
    EXPECT_FALSE(SetCaretPos(1, 1));
}

HGLOBAL Block(const void* data, std::size_t size) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    return h;
}

std::string ReadText() {
    EXPECT_TRUE(OpenClipboard(nullptr));
    std::string out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        out = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

TEST_F(CaretClipboardTest, TextRoundTripsInBothFormats) {
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));  // one opener at a time
    EmptyClipboard();
    const char16_t wide[] = u"日本語 text";
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, Block(wide, sizeof wide)), nullptr);
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(ReadText(), "日本語 text");
    std::string published;
    Screen().GetClipboardText(published);
    EXPECT_EQ(published, "日本語 text");

    // Another program's text comes in as it is.
    Screen().SetClipboardText("from elsewhere");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(h))), u"from elsewhere");
    GlobalUnlock(h);
    CloseClipboard();
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // closed
}

TEST_F(CaretClipboardTest, ByteEscapesStayOursAndReachOthersAsReplacementCharacters) {
    const char escaped[] = "a\xED\xB2\x81z";  // the escape of byte 0x81
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Block(escaped, sizeof escaped));
    CloseClipboard();
    EXPECT_EQ(ReadText(), escaped);
    std::string published;
    Screen().GetClipboardText(published);
    EXPECT_EQ(published, "a\xEF\xBF\xBDz");
}

}  // namespace
}  // namespace test
