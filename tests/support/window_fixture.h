// Test support for everything that runs on the window system: a fixture
// that installs a fresh headless backend and resets the window system
// around each test, verbs that give input as a user would, and a window
// class that records the messages it receives.
//
//   class MyTest : public test::WindowTest {};
//   TEST_F(MyTest, Click) {
//       HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {10, 10, 200, 100});
//       Click(50, 50);
//       EXPECT_TRUE(Log().Saw(w, WM_LBUTTONDOWN));
//   }
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend/headless/headless_backend.h"
#include "platform/windows.h"

namespace test {

using namespace win32;

struct Message {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages received by recorded windows, in order.
class MessageLog {
public:
    void Add(const Message& m) { messages_.push_back(m); }
    void Clear() { messages_.clear(); }
    const std::vector<Message>& All() const { return messages_; }
    // The numbers of the messages `hwnd` received (all windows when null),
    // leaving out those in `ignored`.
    std::vector<UINT> Numbers(HWND hwnd = nullptr, const std::vector<UINT>& ignored = NoisyMessages()) const;
    bool Saw(HWND hwnd, UINT msg) const;
    int Count(HWND hwnd, UINT msg) const;
    // The last message `msg` that `hwnd` received.
    std::optional<Message> Last(HWND hwnd, UINT msg) const;
    // Messages that come in large numbers and say little about a sequence.
    static const std::vector<UINT>& NoisyMessages();

private:
    std::vector<Message> messages_;
};

// Answers a message instead of DefWindowProcA; return nullopt to fall
// through to the default (which is still recorded first).
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    backend::HeadlessBackend& Screen() { return *screen_; }
    MessageLog& Log() { return log_; }

    // A window of the recording class "TestWindow" (CS_DBLCLKS, white
    // background, arrow cursor). `rect` is in the parent's client
    // coordinates.
    HWND CreateRecordedWindow(DWORD style, RECT rect, HWND parent = nullptr, DWORD exStyle = 0,
                              const char* text = "test");
    // Handlers for one window, consulted before the default handling.
    void OnMessage(HWND hwnd, UINT msg, Handler handler);

    // Runs every message until the queue is empty (painting included).
    void RunUntilIdle();
    // Advances the fake clock and then runs until idle.
    void AdvanceClock(DWORD ms);
    // Queues a step that runs the next time the program waits for input
    // with nothing to do (a modal loop, GetMessageA on an empty queue).
    void WhenIdle(std::function<void()> step);

    // Input through the headless screen, processed at once (RunUntilIdle),
    // unless queued with the Queue* forms.
    void MoveMouse(int x, int y);
    void Click(int x, int y, backend::MouseButton button = backend::MouseButton::Left);
    void DoubleClick(int x, int y);
    void MouseDown(int x, int y, backend::MouseButton button = backend::MouseButton::Left);
    void MouseUp(int x, int y, backend::MouseButton button = backend::MouseButton::Left);
    void PressKey(UINT vk);  // down and up
    void KeyDown(UINT vk, const std::string& text = {});
    void KeyUp(UINT vk);
    // Keys with Alt held (Alt+F4, Alt+letter).
    void PressAltKey(UINT vk);
    // Typed text: ASCII letters, digits and space come as key presses that
    // produce the character; everything else comes from the input method.
    void TypeText(const std::string& utf8);
    void ImeCommit(const std::string& utf8);

    void QueueMouseMove(int x, int y) { screen_->MouseMove(POINT{x, y}); }
    void QueueMouseButton(int x, int y, backend::MouseButton b, bool down) { screen_->MouseButton(POINT{x, y}, b, down); }

    // Pixels: the colour (COLORREF) on the screen after everything has been
    // presented.
    COLORREF ScreenColor(int x, int y);
    // Writes the screen or one top-level window as a PNG under the build
    // folder's test-output directory; returns the path.
    std::string SaveScreenshot(const std::string& name);
    std::string SaveWindowShot(HWND hwnd, const std::string& name);

private:
    static LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    backend::HeadlessBackend* screen_ = nullptr;
    MessageLog log_;
    std::map<std::pair<HWND, UINT>, Handler> handlers_;
    static WindowTest* current_;
};

}  // namespace test
