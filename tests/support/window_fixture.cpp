#include "tests/support/window_fixture.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "platform/user/window_system.h"

namespace test {

WindowTest* WindowTest::current_ = nullptr;

const std::vector<UINT>& MessageLog::NoisyMessages() {
    static const std::vector<UINT> noisy = {WM_NCHITTEST, WM_SETCURSOR, WM_GETTEXT, WM_GETTEXTLENGTH,
                                            WM_GETICON,   WM_NCMOUSEMOVE, WM_MOUSEMOVE, WM_IME_SETCONTEXT,
                                            WM_IME_NOTIFY};
    return noisy;
}

std::vector<UINT> MessageLog::Numbers(HWND hwnd, const std::vector<UINT>& ignored) const {
    std::vector<UINT> out;
    for (const Message& m : messages_) {
        if (hwnd && m.hwnd != hwnd) continue;
        if (std::find(ignored.begin(), ignored.end(), m.msg) != ignored.end()) continue;
        out.push_back(m.msg);
    }
    return out;
}

bool MessageLog::Saw(HWND hwnd, UINT msg) const { return Count(hwnd, msg) > 0; }

int MessageLog::Count(HWND hwnd, UINT msg) const {
    int n = 0;
    for (const Message& m : messages_) {
        if ((!hwnd || m.hwnd == hwnd) && m.msg == msg) ++n;
    }
    return n;
}

std::optional<Message> MessageLog::Last(HWND hwnd, UINT msg) const {
    for (auto it = messages_.rbegin(); it != messages_.rend(); ++it) {
        if ((!hwnd || it->hwnd == hwnd) && it->msg == msg) return *it;
    }
    return std::nullopt;
}

void WindowTest::SetUp() {
    user::ResetWindowSystem();
    auto screen = std::make_unique<backend::HeadlessBackend>();
    screen_ = screen.get();
    backend::Install(std::move(screen));
    // Again, so the desktop takes the new screen's size.
    user::ResetWindowSystem();
    current_ = this;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RecordingProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = "TestWindow";
    RegisterClassA(&wc);
}

void WindowTest::TearDown() {
    user::ResetWindowSystem();
    handlers_.clear();
    current_ = nullptr;
    backend::Install(nullptr);
    screen_ = nullptr;
}

LRESULT CALLBACK WindowTest::RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowTest* t = current_;
    if (t) {
        t->log_.Add(Message{hwnd, msg, wParam, lParam});
        auto it = t->handlers_.find({hwnd, msg});
        if (it != t->handlers_.end()) {
            Handler handler = it->second;  // the handler may replace itself
            if (std::optional<LRESULT> r = handler(hwnd, msg, wParam, lParam)) return *r;
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND WindowTest::CreateRecordedWindow(DWORD style, RECT r, HWND parent, DWORD exStyle, const char* text) {
    return CreateWindowExA(exStyle, "TestWindow", text, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                           parent, nullptr, nullptr, nullptr);
}

void WindowTest::OnMessage(HWND hwnd, UINT msg, Handler handler) { handlers_[{hwnd, msg}] = std::move(handler); }

void WindowTest::RunUntilIdle() {
    MSG msg;
    // A window that never validates its update region would paint forever;
    // a bounded loop turns that into a failure instead of a hang.
    for (int i = 0; i < 100000; ++i) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ADD_FAILURE() << "the message queue never became empty";
}

void WindowTest::AdvanceClock(DWORD ms) {
    screen_->Advance(ms);
    RunUntilIdle();
}

void WindowTest::WhenIdle(std::function<void()> step) { screen_->AddIdleStep(std::move(step)); }

void WindowTest::MoveMouse(int x, int y) {
    screen_->MouseMove(POINT{x, y});
    RunUntilIdle();
}

void WindowTest::MouseDown(int x, int y, backend::MouseButton button) {
    screen_->MouseButton(POINT{x, y}, button, true);
    RunUntilIdle();
}

void WindowTest::MouseUp(int x, int y, backend::MouseButton button) {
    screen_->MouseButton(POINT{x, y}, button, false);
    RunUntilIdle();
}

void WindowTest::Click(int x, int y, backend::MouseButton button) {
    screen_->MouseButton(POINT{x, y}, button, true);
    screen_->MouseButton(POINT{x, y}, button, false);
    RunUntilIdle();
}

void WindowTest::DoubleClick(int x, int y) {
    Click(x, y);
    screen_->Advance(50);
    Click(x, y);
}

void WindowTest::KeyDown(UINT vk, const std::string& text) {
    screen_->Key(vk, true, text);
    RunUntilIdle();
}

void WindowTest::KeyUp(UINT vk) {
    screen_->Key(vk, false);
    RunUntilIdle();
}

void WindowTest::PressKey(UINT vk) {
    screen_->Key(vk, true);
    screen_->Key(vk, false);
    RunUntilIdle();
}

void WindowTest::PressAltKey(UINT vk) {
    screen_->Key(VK_MENU, true);
    screen_->Key(vk, true);
    screen_->Key(vk, false);
    screen_->Key(VK_MENU, false);
    RunUntilIdle();
}

void WindowTest::TypeText(const std::string& utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            // Not a key of the layout: the rest comes from the input method.
            screen_->Text(utf8.substr(i));
            break;
        }
        UINT vk = 0;
        bool shift = false;
        if (c >= 'a' && c <= 'z') vk = c - 'a' + 'A';
        else if (c >= 'A' && c <= 'Z') vk = c, shift = true;
        else if (c >= '0' && c <= '9') vk = c;
        else if (c == ' ') vk = VK_SPACE;
        if (!vk) {
            screen_->Text(std::string(1, static_cast<char>(c)));
            continue;
        }
        if (shift) screen_->Key(VK_SHIFT, true);
        screen_->Key(vk, true, std::string(1, static_cast<char>(c)));
        screen_->Key(vk, false);
        if (shift) screen_->Key(VK_SHIFT, false);
    }
    RunUntilIdle();
}

void WindowTest::ImeCommit(const std::string& utf8) {
    screen_->Text(utf8);
    RunUntilIdle();
}

COLORREF WindowTest::ScreenColor(int x, int y) {
    RunUntilIdle();
    return ColorFromPixel(screen_->ScreenPixel(x, y));
}

namespace {
std::string OutputPath(const std::string& name) {
    const char* dir = std::getenv("MEMOPAD_BINARY_DIR");
    std::string base = std::string(dir ? dir : MEMOPAD_BINARY_DIR) + "/test-output";
    ::mkdir(base.c_str(), 0755);
    return base + "/" + name + ".png";
}
}  // namespace

std::string WindowTest::SaveScreenshot(const std::string& name) {
    RunUntilIdle();
    std::string path = OutputPath(name);
    return screen_->SaveScreenPng(path) ? path : std::string();
}

std::string WindowTest::SaveWindowShot(HWND hwnd, const std::string& name) {
    RunUntilIdle();
    std::string path = OutputPath(name);
    return screen_->SaveHostPng(user::HostOfWindow(hwnd), path) ? path : std::string();
}

}  // namespace test
