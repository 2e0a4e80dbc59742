// A fixture for the standard controls: a plain frameless parent window at
// the screen's origin (so client and screen coordinates agree), verbs to
// make controls on it, and the notifications it received.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/support/dialog_fixture.h"

namespace test {

class ControlsTest : public DialogTest {
protected:
    void SetUp() override;
    // Destroys the parent (and with it every control and owned dialog), so
    // each control frees what it holds.
    void TearDown() override;

    // A child control of `cls` on the parent; `rect` is in client (and
    // screen) coordinates.
    HWND Make(const char* cls, const char* text, DWORD style, RECT rect, int id = 100, DWORD exStyle = 0);

    // (identifier, notification code) of every WM_COMMAND the parent got.
    std::vector<std::pair<int, int>> Commands() const;
    // Notification codes the parent got from control `id`.
    std::vector<int> Codes(int id) const;
    void ClearLog() { Log().Clear(); }

    // The text of a control through WM_GETTEXT.
    static std::string WindowText(HWND hwnd);

    HWND parent_ = nullptr;
};

}  // namespace test
