#include "classlib/screen.h"

#include <algorithm>

#include "classlib/forms.h"

namespace classlib {

using namespace win32;

TScreen* Screen = new TScreen(nullptr);
TMouse* Mouse = new TMouse();

TScreen::TScreen(TComponent* owner)
    : TComponent(owner), hintFont_(std::make_unique<TFont>()), menuFont_(std::make_unique<TFont>()) {
    hintFont_->SetColor(clInfoText);
    menuFont_->SetColor(clMenuText);
}

TScreen::~TScreen() = default;

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (activeForm_ == form) {
        activeForm_ = nullptr;
        activeControl_ = nullptr;
    }
    if (focusedForm_ == form) focusedForm_ = nullptr;
}

void TScreen::SetActive(TCustomForm* form, TWinControl* control) {
    bool formChanged = form != activeForm_;
    bool controlChanged = control != activeControl_;
    activeForm_ = form;
    activeControl_ = control;
    // The most recently active form comes first in Forms.
    auto it = std::find(forms_.begin(), forms_.end(), form);
    if (it != forms_.end()) std::rotate(forms_.begin(), it, it + 1);
    if (formChanged && OnActiveFormChange) OnActiveFormChange(this);
    if (controlChanged && OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::ControlDestroyed(TControl* control) {
    if (static_cast<TControl*>(activeControl_) == control) activeControl_ = nullptr;
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    POINT p{};
    GetCursorPos(&p);
    if (cursor != crDefault) {
        ::win32::SetCursor(Cursors(cursor));
    } else if (HWND hwnd = WindowFromPoint(p)) {
        SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
}

HCURSOR TScreen::Cursors(TCursor cursor) {
    auto it = cursors_.find(cursor);
    if (it != cursors_.end()) return it->second;
    int id = 32512;  // IDC_ARROW
    switch (cursor) {
        case crArrow:
        case crDefault: id = 32512; break;
        case crIBeam: id = 32513; break;
        case crHourGlass:
        case crSQLWait: id = 32514; break;
        case crCross: id = 32515; break;
        case crUpArrow: id = 32516; break;
        case crSizeNWSE: id = 32642; break;
        case crSizeNESW: id = 32643; break;
        case crSizeWE:
        case crHSplit: id = 32644; break;
        case crSizeNS:
        case crVSplit: id = 32645; break;
        case crSizeAll:
        case crDrag:
        case crMultiDrag: id = 32646; break;
        case crNo:
        case crNoDrop: id = 32648; break;
        case crHandPoint: id = 32649; break;
        case crAppStart: id = 32650; break;
        case crHelp: id = 32651; break;
        case crNone: return nullptr;
        default: break;
    }
    HCURSOR handle = LoadCursorA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(id)));
    cursors_[cursor] = handle;
    return handle;
}

namespace {

int CALLBACK AddFontFamily(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM param) {
    auto* list = reinterpret_cast<TStringList*>(param);
    if (lf->lfFaceName[0] != '@' && list->IndexOf(lf->lfFaceName) < 0) list->Add(lf->lfFaceName);
    return 1;
}

}  // namespace

TStrings* TScreen::Fonts() {
    if (!fonts_) {
        fonts_ = std::make_unique<TStringList>();
        fonts_->SetSorted(true);
        HDC dc = GetDC(nullptr);
        LOGFONTA lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExA(dc, &lf, AddFontFamily, reinterpret_cast<LPARAM>(fonts_.get()), 0);
        ReleaseDC(nullptr, dc);
    }
    return fonts_.get();
}

void TMouse::SetCapture(HWND hwnd) {
    if (hwnd == nullptr) {
        ReleaseCapture();
    } else {
        ::win32::SetCapture(hwnd);
    }
}

TPoint TMouse::CursorPos() const {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

void TMouse::SetCursorPos(TPoint p) { ::win32::SetCursorPos(p.x, p.y); }

}  // namespace classlib
