// The editor under a real input method on the X display: what is being
// composed shows where the editor's caret is, and what is committed is
// inserted there.
#include "platform/windows.h"
#include "platform/user/window_system.h"
#include "tests/platform/backend/x11/x11_input_method_fixture.h"

#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace memopad_test {
namespace {

using namespace win32;

class X11EditorInputTest : public X11JapaneseInputTest {
protected:
    X11EditorInputTest() { mapsHost_ = false; }

    void SetUp() override {
        X11JapaneseInputTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        x11_ = backend_.get();
        backend::Install(std::move(backend_));
        user::ResetWindowSystem();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_3DFACE + 1));
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "EditorFrame";
        RegisterClassA(&wc);
        frame_ = CreateWindowExA(0, "EditorFrame", "入力", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 90, 420, 300,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(frame_, nullptr);
        edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 8,
                                8, 380, 220, frame_, nullptr, nullptr, nullptr);
        ASSERT_NE(edit_, nullptr);
        SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        SetFocus(edit_);
        PumpWindows(400);  // until the display has shown and activated the frame
    }

    void TearDown() override {
        if (x11_) {
            if (IsWindow(frame_)) DestroyWindow(frame_);
            user::ResetWindowSystem();
            backend::Install(nullptr);
            x11_ = nullptr;
        }
        X11JapaneseInputTest::TearDown();
    }

    // Runs the window system's loop for a while, as a program's would.
    void PumpWindows(int ms) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        do {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (std::chrono::steady_clock::now() < deadline);
        x11_->Sync();
    }
    void Key(unsigned long keysym, unsigned long modifier = 0) {
        Press(keysym, modifier);
        PumpWindows(80);
    }
    std::string Text() {
        char buf[256];
        return std::string(buf, static_cast<std::size_t>(GetWindowTextA(edit_, buf, sizeof buf)));
    }
    // The caret's rectangle on the screen.
    RECT CaretOnScreen() {
        POINT p{0, 0};
        GetCaretPos(&p);
        ClientToScreen(edit_, &p);
        return RECT{p.x, p.y, p.x + 1, p.y + 13};
    }
    // How many pixels differ between two captures of the same rectangle.
    static int Changed(const std::vector<Pixel>& before, const std::vector<Pixel>& after) {
        int n = 0;
        for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) n += before[i] != after[i];
        return n;
    }

    backend::x11::X11Backend* x11_ = nullptr;
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

TEST_F(X11EditorInputTest, CompositionShowsAtTheCaretAndTheCommittedTextLandsThere) {
    // The caret on the third line, past a word: away from the editor's
    // corner, where a method that ignored the caret would draw.
    SetWindowTextA(edit_, "abc\r\n\r\nxyz");
    SendMessageA(edit_, EM_SETSEL, 10, 10);
    PumpWindows(150);
    RECT caret = CaretOnScreen();
    RECT origin = caret;
    {
        POINT corner{0, 0};
        ClientToScreen(edit_, &corner);
        ASSERT_GT(caret.top - corner.y, 20) << "the caret is on the third line";
    }
    RECT atCaret{caret.left, caret.top - 4, caret.left + 90, caret.bottom + 8};
    RECT atTop{origin.left - 60, origin.top - 40, origin.left + 30, origin.top - 30};
    std::vector<Pixel> caretBefore = Capture(atCaret);
    std::vector<Pixel> topBefore = Capture(atTop);

    Key(XK_space, XK_Shift_L);  // the method's on key
    Key(XK_a);
    Key(XK_i);
    // Composing leaves the document alone and shows the reading at the caret.
    EXPECT_EQ(Text(), "abc\r\n\r\nxyz");
    EXPECT_GT(Changed(caretBefore, Capture(atCaret)), 40) << "nothing was drawn beside the caret";
    EXPECT_EQ(Changed(topBefore, Capture(atTop)), 0) << "something was drawn away from the caret";

    const char* dir = std::getenv("MEMOPAD_BINARY_DIR");
    std::filesystem::path out = std::filesystem::path(dir ? dir : ".") / "test-output";
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    std::string shot = "import -display " + SharedXvfb().Display() + " -window root " +
                       (out / "x11_editor_composition.png").string() + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(shot.c_str()), 0);

    Key(XK_Return);
    EXPECT_EQ(Text(), "abc\r\n\r\nxyzあい");
    CHARRANGE sel{-1, -1};
    SendMessageA(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    EXPECT_EQ(sel.cpMin, 12);
    EXPECT_EQ(sel.cpMax, 12);
    Key(XK_space, XK_Shift_L);  // and off again
}

}  // namespace
}  // namespace memopad_test
