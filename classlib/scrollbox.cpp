#include "classlib/scrollbox.h"

#include <algorithm>

namespace classlib {

using namespace win32;

// TControlScrollBar

int TControlScrollBar::ControlSize() {
    TRect r = control_->ClientRect();
    return kind_ == sbHorizontal ? RectWidth(r) : RectHeight(r);
}

int TControlScrollBar::MaxPosition() { return std::max(0, range_ - ControlSize()); }

void TControlScrollBar::SetRange(int range) {
    range_ = std::max(range, 0);
    control_->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int position) {
    position = std::clamp(position, 0, MaxPosition());
    if (position == position_) return;
    int delta = position_ - position;
    position_ = position;
    if (kind_ == sbHorizontal) {
        control_->ScrollBy(delta, 0);
    } else {
        control_->ScrollBy(0, delta);
    }
    if (control_->HandleAllocated()) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS;
        si.nPos = position_;
        SetScrollInfo(control_->Handle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, &si, TRUE);
    }
}

void TControlScrollBar::SetVisible(bool visible) {
    visible_ = visible;
    control_->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() { return visible_ && range_ > ControlSize(); }

void TControlScrollBar::Update() {
    if (!control_->HandleAllocated()) return;
    int bar = kind_ == sbHorizontal ? SB_HORZ : SB_VERT;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL & ~SIF_TRACKPOS;
    if (IsScrollBarVisible()) {
        si.nMin = 0;
        si.nMax = range_ - 1;
        si.nPage = static_cast<UINT>(ControlSize() + 1);
        si.nPos = position_;
    }
    SetScrollInfo(control_->Handle(), bar, &si, TRUE);
    // The window's own bar comes and goes with the range.
    ShowScrollBar(control_->Handle(), bar, IsScrollBarVisible() ? TRUE : FALSE);
    if (position_ > MaxPosition()) SetPosition(MaxPosition());
}

void TControlScrollBar::ScrollMessage(WORD code, int thumb) {
    int page = std::max(1, ControlSize() * 9 / 10);
    switch (code) {
        case SB_LINEUP: SetPosition(position_ - increment_); break;
        case SB_LINEDOWN: SetPosition(position_ + increment_); break;
        case SB_PAGEUP: SetPosition(position_ - page); break;
        case SB_PAGEDOWN: SetPosition(position_ + page); break;
        case SB_THUMBPOSITION: SetPosition(thumb); break;
        case SB_THUMBTRACK:
            if (tracking_) SetPosition(thumb);
            break;
        case SB_TOP: SetPosition(0); break;
        case SB_BOTTOM: SetPosition(MaxPosition()); break;
        default: break;
    }
}

void TControlScrollBar::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TControlScrollBar*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    increment_ = other->increment_;
    margin_ = other->margin_;
    tracking_ = other->tracking_;
    visible_ = other->visible_;
    range_ = other->range_;
    SetPosition(other->position_);
    control_->UpdateScrollBars();
}

// TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner),
      horz_(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() {
    Destroying();
    DestroyComponents();
}

void TScrollingWinControl::SetAutoScroll(bool autoScroll) {
    if (autoScroll == autoScroll_) return;
    autoScroll_ = autoScroll;
    if (autoScroll) {
        CalcAutoRange();
    } else {
        horz_->SetRange(0);
        vert_->SetRange(0);
    }
}

void TScrollingWinControl::ScrollBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    SetControlState(ControlState() - csAlignmentNeeded);
    EnableAlign();
    Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (control == nullptr || !ContainsControl(control)) return;
    TRect r = control->BoundsRect();
    TRect client = ClientRect();
    if (r.left < 0) horz_->SetPosition(horz_->Position() + r.left);
    if (r.right > client.right) horz_->SetPosition(horz_->Position() + (r.right - client.right));
    if (r.top < 0) vert_->SetPosition(vert_->Position() + r.top);
    if (r.bottom > client.bottom) vert_->SetPosition(vert_->Position() + (r.bottom - client.bottom));
}

void TScrollingWinControl::CalcAutoRange() {
    if (!autoScroll_) return;
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible() || c->Align() != alNone) continue;
        right = std::max(right, c->Left() + c->Width() + horz_->Position());
        bottom = std::max(bottom, c->Top() + c->Height() + vert_->Position());
    }
    horz_->range_ = right > 0 ? right + horz_->margin_ : 0;
    vert_->range_ = bottom > 0 ? bottom + vert_->margin_ : 0;
    UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars() {
    // Showing one bar narrows the client area and may bring the other.
    if (updatingScrollBars_ > 0 || !HandleAllocated()) return;
    ++updatingScrollBars_;
    for (int pass = 0; pass < 2; ++pass) {
        horz_->Update();
        vert_->Update();
    }
    --updatingScrollBars_;
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    CalcAutoRange();
}

void TScrollingWinControl::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::Dispatch(TMessage& m) {
    if ((m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL) && m.LParam == 0) {
        TControlScrollBar* bar = m.Msg == WM_HSCROLL ? horz_.get() : vert_.get();
        int thumb = HIWORD(m.WParam);
        if ((LOWORD(m.WParam) == SB_THUMBTRACK || LOWORD(m.WParam) == SB_THUMBPOSITION) && bar->Range() > 0xFFFF) {
            // Past 16 bits the message cannot carry the thumb; ask the bar.
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            if (GetScrollInfo(Handle(), m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &si)) thumb = si.nTrackPos;
        }
        bar->ScrollMessage(LOWORD(m.WParam), thumb);
        m.Result = 0;
        return;
    }
    if (m.Msg == WM_SIZE) {
        TWinControl::Dispatch(m);
        UpdateScrollBars();
        return;
    }
    TWinControl::Dispatch(m);
}

// TScrollBox

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& p) {
    TScrollingWinControl::CreateParams(p);
    if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

}  // namespace classlib
