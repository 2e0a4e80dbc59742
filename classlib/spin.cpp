#include "classlib/spin.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "classlib/messages.h"
#include "classlib/sysutils.h"
#include "platform/comctl/commctrl.h"

namespace classlib {

using namespace win32;

namespace {

// The arrows' width, the classic spin button's.
constexpr int kArrowsWidth = 15;

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    SetBounds(0, 0, 121, 21);
    textValue_ = std::to_string(value_);
}

void TSpinEdit::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    // The arrows are a child of the edit; the edit must not paint over them.
    p.Style |= WS_CLIPCHILDREN;
}

void TSpinEdit::InitializeWindow() {
    TCustomEdit::InitializeWindow();
    upDown_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, kArrowsWidth, 10, Handle(),
                              nullptr, nullptr, nullptr);
    // A forward range, so the up arrow asks for a positive step; a press
    // on the arrows focuses the edit, their buddy.
    SendMessageA(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(UD_MINVAL), UD_MAXVAL);
    SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
    PlaceUpDown();
}

void TSpinEdit::PlaceUpDown() {
    if (upDown_ == nullptr || !IsWindow(upDown_)) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    SetWindowPos(upDown_, nullptr, client.right - kArrowsWidth, 0, kArrowsWidth, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The text stops short of the arrows.
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, kArrowsWidth + 1));
}

int TSpinEdit::CheckValue(int value) const {
    if (minValue_ < maxValue_) return std::clamp(value, minValue_, maxValue_);
    return value;
}

void TSpinEdit::SetMinValue(int value) {
    minValue_ = value;
    if (Value() != value_) SetValue(Value());
}

void TSpinEdit::SetMaxValue(int value) {
    maxValue_ = value;
    if (Value() != value_) SetValue(Value());
}

void TSpinEdit::SetValue(int value) {
    value_ = CheckValue(value);
    SetText(std::to_string(value_));
}

void TSpinEdit::Step(int delta) {
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    long long next = static_cast<long long>(Value()) + delta;
    next = std::clamp<long long>(next, INT32_MIN, INT32_MAX);
    SetValue(static_cast<int>(next));
    if (HandleAllocated() && Focused()) SelectAll();
}

void TSpinEdit::UpClick() { Step(increment_); }
void TSpinEdit::DownClick() { Step(-increment_); }

void TSpinEdit::Change() {
    int typed = 0;
    if (TryStrToInt(Text(), typed)) value_ = typed;
    TCustomEdit::Change();
}

void TSpinEdit::DoExit() {
    // Leaving puts the value the edit stands for back into it.
    if (Text() != std::to_string(Value())) SetValue(Value());
    TCustomEdit::DoExit();
}

void TSpinEdit::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_UP) {
        UpClick();
        key = 0;
    } else if (key == VK_DOWN) {
        DownClick();
        key = 0;
    }
    if (key != 0) TCustomEdit::KeyDown(key, shift);
}

void TSpinEdit::KeyPress(char32_t& key) {
    // Digits, signs and the editing keys only.
    bool valid = key < 0x20 || (key >= '0' && key <= '9') || key == '-' || key == '+';
    if (!valid) {
        key = 0;
        MessageBeep(0);
    }
    if (key != 0) TCustomEdit::KeyPress(key);
}

void TSpinEdit::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_NOTIFY: {
            auto* nm = reinterpret_cast<NMUPDOWN*>(m.LParam);
            if (nm != nullptr && upDown_ != nullptr && nm->hdr.hwndFrom == upDown_ && nm->hdr.code == UDN_DELTAPOS) {
                if (nm->iDelta > 0) UpClick();
                else if (nm->iDelta < 0) DownClick();
                // The edit keeps the value; the arrows keep no position of their own.
                m.Result = 1;
                return;
            }
            break;
        }
        case WM_VSCROLL:
            if (upDown_ != nullptr && reinterpret_cast<HWND>(m.LParam) == upDown_) {
                m.Result = 0;
                return;
            }
            break;
        case WM_SIZE:
            TCustomEdit::Dispatch(m);
            PlaceUpDown();
            return;
        case WM_NCDESTROY: upDown_ = nullptr; break;
        default: break;
    }
    TCustomEdit::Dispatch(m);
}

}  // namespace classlib
