// Small stand-ins for buttons, edits and labels that answer the dialog
// manager the way the standard controls do (WM_GETDLGCODE, BM_CLICK,
// BM_SETSTYLE, checks), so the dialog manager is tested on its own.
#pragma once

#include <string>
#include <vector>

#include "platform/windows.h"

namespace test {

// Registers "TestButton", "TestEdit" and "TestLabel" (again after each
// reset of the window system).
void RegisterTestControls();

// Registers the stand-in button as "BUTTON" when the window system has no
// button class of its own.
void EnsureButtonClass();

// What the stand-ins saw.
struct ControlLog {
    std::vector<std::pair<win32::HWND, win32::UINT>> selections;  // EM_SETSEL on an edit
    std::string typed;                                            // WM_CHAR reaching an edit
};
ControlLog& Controls();

}  // namespace test
