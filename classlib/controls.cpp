#include "classlib/controls.h"

#include <algorithm>
#include <cctype>

#include "classlib/application.h"
#include "classlib/consts.h"
#include "classlib/forms.h"
#include "classlib/menus.h"
#include "classlib/screen.h"
#include "classlib/wincontrol.h"

namespace classlib {

using namespace win32;

std::string GetShortHint(const std::string& hint) {
    std::size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    std::size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

TShiftState KeysToShiftState(WORD keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (keyData & 0x20000000) s.Include(ssAlt);
    return s;
}

bool IsAccel(UINT key, const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        unsigned char c = static_cast<unsigned char>(caption[i + 1]);
        return c < 0x80 && key < 0x80 && std::toupper(c) == std::toupper(static_cast<int>(key));
    }
    return false;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    Destroying();
    if (Application != nullptr) Application->ControlDestroyed(this);
    if (Screen != nullptr) Screen->ControlDestroyed(this);
    if (GetCaptureControl() == this) SetCaptureControl(nullptr);
    if (parent_ != nullptr) parent_->RemoveControl(this);
    font_->OnChange = nullptr;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) {
        if (m.Msg == WM_LBUTTONDBLCLK && !controlStyle_.Contains(csDoubleClicks)) m.Msg = WM_LBUTTONDOWN;
        if (Application != nullptr) Application->HintMouseMessage(this, m);
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) controlState_.Include(csLButtonDown);
        if (m.Msg == WM_LBUTTONUP) controlState_.Exclude(csLButtonDown);
    }
    Dispatch(m);
}

void TControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN: return WMLButtonDown(m);
        case WM_LBUTTONUP: return WMLButtonUp(m);
        case WM_LBUTTONDBLCLK: return WMLButtonDblClk(m);
        case WM_RBUTTONDOWN: return WMRButtonDown(m);
        case WM_RBUTTONUP: return WMRButtonUp(m);
        case WM_MBUTTONDOWN: return WMMButtonDown(m);
        case WM_MBUTTONUP: return WMMButtonUp(m);
        case WM_MOUSEMOVE: return WMMouseMove(m);
        case WM_CONTEXTMENU: return WMContextMenu(m);
        case CM_ENABLEDCHANGED: return CMEnabledChanged(m);
        case CM_VISIBLECHANGED: return CMVisibleChanged(m);
        case CM_FONTCHANGED: return CMFontChanged(m);
        case CM_COLORCHANGED: return CMColorChanged(m);
        case CM_PARENTFONTCHANGED: return CMParentFontChanged(m);
        case CM_PARENTCOLORCHANGED: return CMParentColorChanged(m);
        case CM_PARENTSHOWHINTCHANGED: return CMParentShowHintChanged(m);
        case CM_HITTEST: return CMHitTest(m);
        default: TComponent::Dispatch(m);
    }
}

void TControl::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
        case WM_GETTEXTLENGTH: m.Result = static_cast<LRESULT>(textValue_.size()); break;
        case WM_GETTEXT: {
            auto* out = reinterpret_cast<char*>(m.LParam);
            std::size_t n = std::min<std::size_t>(textValue_.size(), m.WParam > 0 ? m.WParam - 1 : 0);
            if (out != nullptr && m.WParam > 0) {
                std::copy_n(textValue_.data(), n, out);
                out[n] = '\0';
            }
            m.Result = static_cast<LRESULT>(n);
            break;
        }
        case WM_SETTEXT:
            textValue_ = m.LParam != 0 ? reinterpret_cast<const char*>(m.LParam) : "";
            m.Result = 1;
            break;
        default: break;
    }
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == static_cast<TControl*>(this)) throw EInvalidOperation(SControlParentSetToSelf);
    if (parent_ != nullptr) parent_->RemoveControl(this);
    if (parent != nullptr) parent->InsertControl(this);
}

void TControl::SetBoundsValues(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::ConstrainSize(int& width, int& height) const {
    const TSizeConstraints& c = constraints_;
    if (c.MaxWidth > 0) width = std::min(width, c.MaxWidth);
    if (c.MaxHeight > 0) height = std::min(height, c.MaxHeight);
    width = std::max(width, c.MinWidth);
    height = std::max(height, c.MinHeight);
}

void TControl::SetConstraints(const TSizeConstraints& constraints) {
    constraints_ = constraints;
    SetBounds(left_, top_, width_, height_);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    InvalidateControl(visible_, false);
    SetBoundsValues(left, top, std::max(width, 0), std::max(height, 0));
    InvalidateControl(visible_, controlStyle_.Contains(csOpaque));
    RequestAlign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
void TControl::SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }

void TControl::SetClientSize(int width, int height) {
    TRect client = ClientRect();
    SetBounds(left_, top_, width_ - RectWidth(client) + width, height_ - RectHeight(client) + height);
}

TPoint TControl::ClientOrigin() {
    if (parent_ == nullptr) return Point(left_, top_);
    TPoint p = parent_->ClientOrigin();
    return Point(p.x + left_, p.y + top_);
}

TPoint TControl::ClientToScreen(TPoint p) {
    TPoint o = ClientOrigin();
    return Point(p.x + o.x, p.y + o.y);
}

TPoint TControl::ScreenToClient(TPoint p) {
    TPoint o = ClientOrigin();
    return Point(p.x - o.x, p.y - o.y);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    TAlign old = align_;
    align_ = align;
    if (old != alNone || align != alNone) {
        if (parent_ != nullptr) parent_->AlignControl(this);
    }
}

void TControl::RequestAlign() {
    if (parent_ != nullptr && align_ != alNone) parent_->AlignControl(this);
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    VisibleChanging();
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    if (parent_ != nullptr) parent_->AlignControl(this);
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::Showing() { return visible_ && parent_ != nullptr && parent_->Showing(); }

std::string TControl::Text() {
    LRESULT length = Perform(WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT got = Perform(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(0, std::min<LRESULT>(got, length))));
    return text;
}

void TControl::SetText(const std::string& text) {
    if (Text() == text) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool show) {
    if (show == showHint_ && !parentShowHint_) return;
    showHint_ = show;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool parentShowHint) {
    if (parentShowHint == parentShowHint_) return;
    parentShowHint_ = parentShowHint;
    if (parent_ != nullptr && parentShowHint) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (parentShowHint_ && parent_ != nullptr) {
        showHint_ = parent_->ShowHint();
        Perform(CM_SHOWHINTCHANGED, 0, 0);
        parentShowHint_ = true;
    }
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::FontChanged() {
    parentFont_ = false;
    if (controlState_.Contains(csReadingState)) return;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == parentFont_) return;
    parentFont_ = parentFont;
    if (parent_ != nullptr && parentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool parentColor) {
    if (parentColor == parentColor_) return;
    parentColor_ = parentColor;
    if (parent_ != nullptr && parentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    popupMenu_ = menu;
    if (menu != nullptr) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
    TComponent::Notification(component, operation);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (parent_ != nullptr) {
        if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
    RequestAlign();
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    if ((isVisible || ComponentState().Contains(csDesigning)) && parent_ != nullptr && parent_->HandleAllocated()) {
        TRect r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, isOpaque ? FALSE : TRUE);
    }
}

void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::Update() {
    if (parent_ != nullptr) parent_->Update();
}

void TControl::Repaint() {
    if (!visible_ || parent_ == nullptr || !parent_->HandleAllocated()) return;
    if (controlStyle_.Contains(csOpaque)) {
        // An opaque control paints itself completely: draw it now.
        HDC dc = GetDC(parent_->Handle());
        int saved = SaveDC(dc);
        IntersectClipRect(dc, left_, top_, left_ + width_, top_ + height_);
        parent_->PaintControls(dc, this);
        RestoreDC(dc, saved);
        ReleaseDC(parent_->Handle(), dc);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::BringToFront() {
    if (parent_ == nullptr) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    if (auto* win = dynamic_cast<TWinControl*>(this); win != nullptr && win->HandleAllocated()) {
        SetWindowPos(win->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Invalidate();
}

void TControl::SendToBack() {
    if (parent_ == nullptr) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    if (auto* win = dynamic_cast<TWinControl*>(this); win != nullptr && win->HandleAllocated()) {
        SetWindowPos(win->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Invalidate();
}

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool capture) {
    if (capture == MouseCapture()) return;
    SetCaptureControl(capture ? this : nullptr);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::DoMouseDown(TMessage& m, TMouseButton button, TShiftState extra) {
    if (controlStyle_.Contains(csNoStdEvents)) return;
    MouseDown(button, KeysToShiftState(static_cast<WORD>(m.WParam)) + extra, GET_X_LPARAM(m.LParam),
              GET_Y_LPARAM(m.LParam));
}

void TControl::DoMouseUp(TMessage& m, TMouseButton button) {
    if (controlStyle_.Contains(csNoStdEvents)) return;
    MouseUp(button, KeysToShiftState(static_cast<WORD>(m.WParam)), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WMLButtonDown(TMessage& m) {
    Application->CancelHint();
    DefaultHandler(m);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
    DoMouseDown(m, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& m) {
    DefaultHandler(m);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents)) DblClick();
    DoMouseDown(m, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& m) {
    DefaultHandler(m);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (controlState_.Contains(csClicked)) {
        controlState_.Exclude(csClicked);
        if (PtInRect(ClientRect(), Point(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)))) Click();
    }
    DoMouseUp(m, mbLeft);
}

void TControl::WMRButtonDown(TMessage& m) {
    DefaultHandler(m);
    DoMouseDown(m, mbRight, {});
}

void TControl::WMRButtonUp(TMessage& m) {
    DefaultHandler(m);
    DoMouseUp(m, mbRight);
}

void TControl::WMMButtonDown(TMessage& m) {
    DefaultHandler(m);
    DoMouseDown(m, mbMiddle, {});
}

void TControl::WMMButtonUp(TMessage& m) {
    DefaultHandler(m);
    DoMouseUp(m, mbMiddle);
}

void TControl::WMMouseMove(TMessage& m) {
    DefaultHandler(m);
    if (!controlStyle_.Contains(csNoStdEvents)) {
        MouseMove(KeysToShiftState(static_cast<WORD>(m.WParam)), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    }
}

void TControl::WMContextMenu(TMessage& m) {
    if (popupMenu_ != nullptr && popupMenu_->AutoPopup()) {
        TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (p.x == -1 && p.y == -1) p = ClientToScreen(Point(0, 0));
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(p.x, p.y);
        m.Result = 1;
        return;
    }
    DefaultHandler(m);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) {
    if (!ComponentState().Contains(csDesigning)) InvalidateControl(true, visible_ && controlStyle_.Contains(csOpaque));
}

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage&) {
    if (parentFont_ && parent_ != nullptr) {
        font_->Assign(parent_->Font());
        parentFont_ = true;
    }
}

void TControl::CMParentColorChanged(TMessage&) {
    if (parentColor_ && parent_ != nullptr) {
        SetColor(parent_->Color());
        parentColor_ = true;
    }
}

void TControl::CMHitTest(TMessage& m) { m.Result = HTCLIENT; }

TCustomForm* GetParentForm(TControl* control) {
    while (control != nullptr && control->Parent() != nullptr) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

}  // namespace classlib
