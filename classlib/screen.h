// TScreen (the desktop: size, forms, the active form and control, cursors,
// fonts) and TMouse (capture and cursor position).
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "classlib/controls.h"
#include "classlib/strings.h"
#include "platform/windows.h"

namespace classlib {

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    int Width() const;
    int Height() const;
    int PixelsPerInch() const { return 96; }

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(static_cast<std::size_t>(index)); }
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    TCustomForm* FocusedForm() const { return focusedForm_; }

    // A cursor other than crDefault overrides every control's own.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    win32::HCURSOR Cursors(TCursor cursor);
    void SetCursors(TCursor cursor, win32::HCURSOR handle) { cursors_[cursor] = handle; }

    // The font families the system knows, sorted.
    TStrings* Fonts();
    TFont* HintFont() const { return hintFont_.get(); }
    TFont* MenuFont() const { return menuFont_.get(); }

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Bookkeeping called by forms.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActive(TCustomForm* form, TWinControl* control);
    void SetFocusedForm(TCustomForm* form) { focusedForm_ = form; }
    void ControlDestroyed(TControl* control);

private:
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TCustomForm* focusedForm_ = nullptr;
    TCursor cursor_ = crDefault;
    std::map<TCursor, win32::HCURSOR> cursors_;
    std::unique_ptr<TStringList> fonts_;
    std::unique_ptr<TFont> hintFont_;
    std::unique_ptr<TFont> menuFont_;
};

class TMouse {
public:
    win32::HWND Capture() const { return win32::GetCapture(); }
    void SetCapture(win32::HWND hwnd);
    TPoint CursorPos() const;
    void SetCursorPos(TPoint p);
};

extern TScreen* Screen;
extern TMouse* Mouse;

}  // namespace classlib
