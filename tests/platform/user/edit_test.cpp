// The "EDIT" class: single- and multi-line edit controls, their styles and
// the colours they ask of their parent.
#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class EditTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 300});
    }
    // The controls free their text when they are destroyed, so every test
    // ends with its parent gone.
    void TearDown() override {
        if (IsWindow(parent_)) DestroyWindow(parent_);
        WindowTest::TearDown();
    }
    HWND Make(DWORD style, const char* text = "", int height = 24) {
        HWND h = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | style, 10, 10, 200, height, parent_,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(3)), nullptr, nullptr);
        EXPECT_NE(h, nullptr);
        RunUntilIdle();
        return h;
    }
    std::string Text(HWND h) {
        char buf[512];
        return std::string(buf, static_cast<std::size_t>(GetWindowTextA(h, buf, sizeof buf)));
    }
    int Commands(WORD code) {
        int n = 0;
        for (const Message& m : Log().All()) {
            if (m.hwnd == parent_ && m.msg == WM_COMMAND && HIWORD(m.wParam) == code) ++n;
        }
        return n;
    }
    HWND parent_ = nullptr;
};

TEST_F(EditTest, ASingleLineEditKeepsOneLineAndReportsEveryChange) {
    HWND e = Make(ES_AUTOHSCROLL, "start");
    EXPECT_EQ(Text(e), "start");
    SetWindowTextA(e, "one\r\ntwo");
    EXPECT_EQ(Text(e), "one");
    int changes = Commands(EN_CHANGE);
    SetFocus(e);
    SendMessageA(e, EM_SETSEL, 0, -1);
    TypeText("abc");
    EXPECT_EQ(Text(e), "abc");
    EXPECT_EQ(Commands(EN_CHANGE), changes + 3);  // no event mask to set
    PressKey(VK_RETURN);
    EXPECT_EQ(Text(e), "abc");
    EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_TRUE(SendMessageA(e, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL);
    EXPECT_FALSE(SendMessageA(e, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
}

TEST_F(EditTest, AMultiLineEditWrapsAndCountsItsDisplayLines) {
    HWND e = Make(ES_MULTILINE | WS_VSCROLL, "", 100);
    std::string words;
    for (int i = 0; i < 20; ++i) words += "word ";
    SetWindowTextA(e, (words + "\r\nend").c_str());
    EXPECT_GT(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 3);
    // The vertical bar of an edit control stays, disabled while nothing scrolls.
    EXPECT_TRUE(GetWindowLongA(e, GWL_STYLE) & WS_VSCROLL);
    char line[64] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    LRESULT n = SendMessageA(e, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_GT(n, 0);
    EXPECT_EQ(std::string(line, static_cast<std::size_t>(n)).find("\r"), std::string::npos);
    // Rich-edit messages are not the edit control's.
    CHARRANGE r{0, 3};
    SendMessageA(e, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    DWORD a = 9, b = 9;
    SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(b, 0u);
    // Position messages pack their answers as the edit control does.
    LRESULT at = SendMessageA(e, EM_POSFROMCHAR, 0, 0);
    EXPECT_NE(at, -1);
    LRESULT hit = SendMessageA(e, EM_CHARFROMPOS, 0, at);
    EXPECT_EQ(LOWORD(hit), 0);
    EXPECT_EQ(SendMessageA(e, EM_POSFROMCHAR, 10000, 0), -1);
}

TEST_F(EditTest, NumbersPasswordsAndReadOnly) {
    HWND number = Make(ES_NUMBER);
    SetFocus(number);
    TypeText("1a2");
    EXPECT_EQ(Text(number), "12");
    HWND secret = Make(ES_PASSWORD | ES_AUTOHSCROLL);
    SetFocus(secret);
    TypeText("pw");
    EXPECT_EQ(Text(secret), "pw");
    EXPECT_EQ(SendMessageA(secret, EM_GETPASSWORDCHAR, 0, 0), '*');
    SendMessageA(secret, EM_SETSEL, 0, -1);
    SendMessageA(secret, WM_COPY, 0, 0);
    std::string clip;
    EXPECT_FALSE(Screen().GetClipboardText(clip) && clip == "pw");
    HWND fixed = Make(ES_READONLY, "fixed");
    SetFocus(fixed);
    TypeText("x");
    EXPECT_EQ(Text(fixed), "fixed");
    SendMessageA(fixed, EM_SETREADONLY, FALSE, 0);
    SendMessageA(fixed, EM_SETSEL, 5, 5);
    TypeText("x");
    EXPECT_EQ(Text(fixed), "fixedx");
}

TEST_F(EditTest, ColoursComeFromTheParent) {
    HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
    int asked = 0;
    OnMessage(parent_, WM_CTLCOLOREDIT, [&](HWND, UINT, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        ++asked;
        SetTextColor(reinterpret_cast<HDC>(w), RGB(255, 0, 0));
        return reinterpret_cast<LRESULT>(brush);
    });
    int staticAsked = 0;
    OnMessage(parent_, WM_CTLCOLORSTATIC, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        ++staticAsked;
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
    });
    HWND e = Make(0, "text", 40);
    EXPECT_GT(asked, 0);
    POINT p{190, 30};
    ClientToScreen(e, &p);
    EXPECT_EQ(ScreenColor(p.x, p.y), RGB(10, 200, 30));
    SendMessageA(e, EM_SETREADONLY, TRUE, 0);
    RunUntilIdle();
    EXPECT_GT(staticAsked, 0);
    EXPECT_EQ(ScreenColor(p.x, p.y), GetSysColor(COLOR_3DFACE));
    DestroyWindow(e);
    DeleteObject(brush);
}

TEST_F(EditTest, TextLongerThanTheLimitIsCutAndTheSetFails) {
    HWND e = Make(ES_MULTILINE, "", 80);
    SendMessageA(e, EM_LIMITTEXT, 4, 0);
    EXPECT_FALSE(SendMessageA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef")));
    EXPECT_EQ(Text(e), "abcd");
    SendMessageA(e, EM_LIMITTEXT, 0, 0);
    EXPECT_GE(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFF0);
    EXPECT_TRUE(SendMessageA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef")));
}

}  // namespace
}  // namespace test
