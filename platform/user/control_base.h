// What the standard controls (button, static, list box, combo box) share:
// one C++ object per window, made at WM_NCCREATE and deleted once the
// outermost message after WM_NCDESTROY has returned, so a handler whose
// notification destroyed the window can still unwind; and the drawing and
// notification helpers every control needs.
#pragma once

#include <memory>
#include <string>

#include "platform/user/winuser.h"

namespace win32::user::controls {

class Control {
public:
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The window procedure's body.
    virtual LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

    HWND Window() const { return hwnd_; }
    // False once the window has been destroyed (possibly by a notification
    // the handler sent); handlers stop touching the window then.
    bool Alive() const { return !destroyed_ && IsWindow(hwnd_); }

    // The control of a window of one of the standard classes, or null.
    static Control* FromWindow(HWND hwnd);

    using Factory = std::unique_ptr<Control> (*)(HWND hwnd, const CREATESTRUCTA& create);
    // The shared window procedure: makes the object at WM_NCCREATE with
    // `make` and hands every later message to it.
    static LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, Factory make);

protected:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }
    HWND Parent() const { return GetParent(hwnd_); }
    int Id() const { return GetDlgCtrlID(hwnd_); }
    std::string Text() const;
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcA(hwnd_, msg, wParam, lParam); }

    // WM_SETFONT and WM_GETFONT; null stands for the system font.
    HFONT Font() const { return font_; }
    void SetFont(HFONT font) { font_ = font; }

    // Sends WM_COMMAND with `code` to the parent.
    void Notify(int code);
    // Asks the parent for the colours and brush of `ctlColorMsg`
    // (WM_CTLCOLORBTN, ...); a parent that gives none gets the defaults.
    HBRUSH ControlColor(HDC dc, UINT ctlColorMsg);

private:
    HWND hwnd_;
    HFONT font_ = nullptr;
    int depth_ = 0;
    bool destroyed_ = false;
};

// Selects a control's font into a DC and puts the old one back.
class FontScope {
public:
    FontScope(HDC dc, HFONT font) : dc_(dc), old_(font ? SelectObject(dc, font) : nullptr) {}
    ~FontScope() {
        if (old_) SelectObject(dc_, old_);
    }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Control text as the classic look draws it: in the DC's text colour, or
// when disabled etched (highlight offset by a pixel under shadow grey).
// `format` takes DrawTextA's flags; returns the height DrawTextA gives.
int DrawControlText(HDC dc, const std::string& text, RECT rect, UINT format, bool enabled);

// The rectangle DrawTextA would fill for `text` within `bounds`, with the
// vertical placement `format` asks for applied to a single line.
RECT MeasureControlText(HDC dc, const std::string& text, const RECT& bounds, UINT format);

// Registers a class of the system's controls once.
void RegisterControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor);

}  // namespace win32::user::controls
