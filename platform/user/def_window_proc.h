// Handlers of DefWindowProcA that live in files of their own.
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user {

// system_commands.cpp
LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnNcLButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam);
LRESULT OnNcLButtonDblClk(HWND hwnd, WPARAM hit, LPARAM lParam);
LRESULT OnNcRButtonUp(HWND hwnd, WPARAM hit, LPARAM lParam);
LRESULT OnRButtonUp(HWND hwnd, LPARAM lParam);
LRESULT OnSysKeyDown(HWND hwnd, WPARAM vk, LPARAM lParam);
LRESULT OnSysKeyUp(HWND hwnd, WPARAM vk, LPARAM lParam);
LRESULT OnKeyUp(HWND hwnd, WPARAM vk, LPARAM lParam);
LRESULT OnSysChar(HWND hwnd, WPARAM ch, LPARAM lParam);

// move_size.cpp: the modal loop of SC_MOVE and SC_SIZE. `edge` is a WMSZ_
// value for sizing (0 chooses by keyboard), ignored for moving.
void RunMoveSizeLoop(HWND hwnd, bool sizing, int edge, bool byMouse);

// caption_buttons.cpp: presses a caption button until the mouse is
// released; true when released over it.
bool TrackCaptionButton(HWND hwnd, LRESULT hit);

// scroll_bar.cpp: the standard scroll bar's mouse loop.
void TrackScrollBar(HWND hwnd, int bar, POINT screenPt);

}  // namespace win32::user
