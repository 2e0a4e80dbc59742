// The "BUTTON" class: push buttons, check boxes, radio buttons, group
// boxes and owner-drawn buttons. button_control.cpp holds the state and
// the messages, button_paint.cpp the classic look.
#pragma once

#include <string>

#include "platform/user/control_base.h"

namespace win32::user::controls {

// Everything the look of a button depends on, gathered at paint time.
struct ButtonLook {
    DWORD style = 0;
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool enabled = true;
    std::string text;
    HANDLE image = nullptr;  // BM_SETIMAGE: an HBITMAP (BS_BITMAP) or HICON (BS_ICON)
};

// Side of the check box and radio button glyphs of the classic look.
constexpr int kCheckBoxSize = 13;
constexpr int kRadioSize = 12;

// Paints the whole button into `dc` over `client`; `background` is the
// brush the parent chose through WM_CTLCOLORBTN or WM_CTLCOLORSTATIC.
void PaintButton(HDC dc, const RECT& client, const ButtonLook& look, HBRUSH background);

class Button final : public Control {
public:
    Button(HWND hwnd, const CREATESTRUCTA& create);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    DWORD Type() const { return Style() & BS_TYPEMASK; }
    bool IsRadio() const { return Type() == BS_RADIOBUTTON || Type() == BS_AUTORADIOBUTTON; }
    bool IsCheckBox() const;
    bool IsOwnerDraw() const { return Type() == BS_OWNERDRAW; }
    ButtonLook Look() const;

    LRESULT OnPaint(HDC given);
    LRESULT OnGetDlgCode() const;
    LRESULT OnLButtonDown();
    LRESULT OnLButtonDblClk();
    LRESULT OnMouseMove(POINT pt);
    LRESULT OnLButtonUp(POINT pt);
    LRESULT OnKeyDown(WPARAM key, LPARAM lParam);
    LRESULT OnKeyUp(WPARAM key);
    LRESULT OnChar(WPARAM ch);
    LRESULT OnCaptureChanged();
    LRESULT OnSetFocus();
    LRESULT OnKillFocus();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(HFONT font, BOOL redraw);
    LRESULT OnSetCheck(WPARAM check);
    LRESULT OnGetState() const;
    LRESULT OnSetState(BOOL pushed);
    LRESULT OnSetStyle(WPARAM style, BOOL redraw);
    LRESULT OnClick();
    LRESULT OnSetImage(WPARAM type, HANDLE image);

    // The user let go of the button over it: automatic buttons change
    // their check, then the parent hears BN_CLICKED.
    void Clicked();
    void CheckAutoRadio();
    void SetPushed(bool pushed);
    // Repaints the button now; owner-drawn buttons hear `action`.
    void Redraw(UINT action);
    void DrawOwner(HDC dc, UINT action);

    UINT check_ = BST_UNCHECKED;
    bool pushed_ = false;
    bool focused_ = false;
    bool mouseDown_ = false;  // pressed by the mouse, tracking with capture
    bool spaceDown_ = false;  // pressed by the space bar
    HANDLE image_ = nullptr;
};

}  // namespace win32::user::controls
