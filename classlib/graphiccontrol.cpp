#include "classlib/graphiccontrol.h"

namespace classlib {

using namespace win32;

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
    if (control == control_) return;
    FreeHandle();
    control_ = control;
}

void TControlCanvas::FreeHandle() {
    if (deviceContext_ == nullptr) return;
    SetHandle(nullptr);
    ReleaseDC(window_, deviceContext_);
    deviceContext_ = nullptr;
    window_ = nullptr;
}

void TControlCanvas::CreateHandle() {
    if (control_ == nullptr) return;
    if (deviceContext_ != nullptr) {
        SetHandle(deviceContext_);
        return;
    }
    if (auto* win = dynamic_cast<TWinControl*>(control_)) {
        window_ = win->Handle();
        deviceContext_ = GetDC(window_);
    } else if (control_->Parent() != nullptr) {
        window_ = control_->Parent()->Handle();
        deviceContext_ = GetDC(window_);
        SetViewportOrgEx(deviceContext_, control_->Left(), control_->Top(), nullptr);
        IntersectClipRect(deviceContext_, 0, 0, control_->Width(), control_->Height());
    }
    if (deviceContext_ != nullptr) SetHandle(deviceContext_);
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
    canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
    // The canvas may hold the parent's DC; let it go while the parent lives.
    canvas_->FreeHandle();
}

void TGraphicControl::Dispatch(TMessage& m) {
    if (m.Msg == WM_PAINT) return WMPaint(m);
    TControl::Dispatch(m);
}

void TGraphicControl::WMPaint(TMessage& m) {
    if (m.WParam == 0) return;
    canvas_->FreeHandle();
    canvas_->Lock();
    canvas_->SetHandle(reinterpret_cast<HDC>(m.WParam));
    try {
        Paint();
    } catch (...) {
        canvas_->SetHandle(nullptr);
        canvas_->Unlock();
        throw;
    }
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
    canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() { canvas_->FreeHandle(); }

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->FreeHandle();
    canvas_->Lock();
    canvas_->SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        canvas_->SetHandle(nullptr);
        canvas_->Unlock();
        throw;
    }
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
}

}  // namespace classlib
