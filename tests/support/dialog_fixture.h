// Test support for dialogs: a fixture on top of WindowTest with verbs for
// the keyboard as it reaches a modeless dialog (through IsDialogMessageA),
// for scripting a modal dialog while its loop waits, and for finding the
// dialog windows and controls a person would see.
//
//   TEST_F(MyDialogTest, Escape) {
//       WhenIdle([&] { PressKeyQueued(VK_ESCAPE); });
//       EXPECT_EQ(IDCANCEL, DialogBoxIndirectParamA(nullptr, &t, owner, Proc, 0));
//   }
#pragma once

#include <string>
#include <vector>

#include "tests/support/window_fixture.h"

namespace test {

class DialogTest : public WindowTest {
protected:
    // Runs the queue like a modeless dialog's owner loop: each message is
    // offered to IsDialogMessageA(dialog) first.
    void PumpDialog(HWND dialog);
    // Keys injected and processed through the dialog.
    void DialogKey(HWND dialog, UINT vk);
    void DialogShiftKey(HWND dialog, UINT vk);
    void DialogAltKey(HWND dialog, UINT vk);
    void DialogType(HWND dialog, const std::string& ascii);

    // Input queued for the next turn of whatever loop is running (for
    // steps that run while a modal loop waits).
    void QueueKey(UINT vk, const std::string& text = {});
    void QueueShiftKey(UINT vk);
    void QueueAltKey(UINT vk);
    void QueueText(const std::string& ascii);  // letters, digits, space and punctuation
    void QueueClick(int x, int y);
    void QueueDoubleClick(int x, int y);
    // Clicks the middle of a window (screen coordinates found now).
    void QueueClickOn(HWND hwnd);
    void QueueDoubleClickOn(HWND hwnd);

    // The topmost visible top-level window with this caption (any caption
    // when empty) whose class is the dialog class, or null.
    static HWND FindDialogWindow(const std::string& caption = {});
    // The first descendant of `parent` whose text is `text` (access-key
    // ampersands included), or null.
    static HWND FindChildByText(HWND parent, const std::string& text);
    static HWND FindChildByClass(HWND parent, const std::string& className, int index = 0);
    static std::string TextOf(HWND hwnd);
    static RECT ScreenRectOf(HWND hwnd);
};

}  // namespace test
