#include "classlib/stdctrls.h"

#include <algorithm>

namespace classlib {

using namespace win32;

void Frame3D(TCanvas* canvas, TRect& r, TColor top, TColor bottom, int width) {
    r.right -= 1;
    r.bottom -= 1;
    TPen* pen = canvas->Pen();
    pen->SetWidth(1);
    for (int i = 0; i < width; ++i) {
        pen->SetColor(top);
        TPoint topLeft[] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
        canvas->Polyline(topLeft, 3);
        pen->SetColor(bottom);
        TPoint bottomRight[] = {{r.right, r.top}, {r.right, r.bottom}, {r.left - 1, r.bottom}};
        canvas->Polyline(bottomRight, 3);
        r.left += 1;
        r.top += 1;
        r.right -= 1;
        r.bottom -= 1;
    }
    r.right += 1;
    r.bottom += 1;
}

// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + csOpaque + csReplicatable);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent) {
    if (transparent == Transparent()) return;
    SetControlStyle(transparent ? ControlStyle() - csOpaque : ControlStyle() + csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool show) {
    if (show == showAccelChar_) return;
    showAccelChar_ = show;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    focusControl_ = control;
    if (control != nullptr) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
    TGraphicControl::Notification(component, operation);
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::DoDrawText(TRect& r, UINT flags) {
    std::string text = Caption();
    if ((flags & DT_CALCRECT) != 0 && (text.empty() || (showAccelChar_ && text.size() > 1 && text[0] == '&' &&
                                                          text[1] == '\0'))) {
        text += " ";
    }
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    HDC dc = c->PrepareText();
    if (!Enabled()) {
        TRect shifted = r;
        ::win32::OffsetRect(&shifted, 1, 1);
        ::win32::SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, text.c_str(), -1, &shifted, flags);
        ::win32::SetTextColor(dc, ColorToRGB(clBtnShadow));
        DrawTextA(dc, text.c_str(), -1, &r, flags);
    } else {
        ::win32::SetTextColor(dc, ColorToRGB(Font()->Color()));
        DrawTextA(dc, text.c_str(), -1, &r, flags);
    }
}

void TCustomLabel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!Transparent()) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = DT_EXPANDTABS | kAlign[alignment_];
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (layout_ != tlTop) {
        TRect calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        int h = RectHeight(calc);
        int offset = layout_ == tlBottom ? RectHeight(r) - h : (RectHeight(r) - h) / 2;
        r.top += offset;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (ComponentState().Contains(csLoading) || !autoSize_) return;
    // Measured on the screen, which the label's own canvas matches.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TRect r = Rect(0, 0, wordWrap_ ? Width() : 0, 0);
    std::string text = Caption().empty() ? " " : Caption();
    DrawTextA(dc, text.c_str(), -1, &r,
              DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | (showAccelChar_ ? 0 : DT_NOPREFIX));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int x = alignment_ == taRightJustify ? Left() + Width() - RectWidth(r) : Left();
    SetBounds(x, Top(), RectWidth(r), RectHeight(r));
}

void TCustomLabel::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CM_TEXTCHANGED:
            Invalidate();
            AdjustBounds();
            return;
        case CM_FONTCHANGED:
            TGraphicControl::Dispatch(m);
            AdjustBounds();
            return;
        case CM_DIALOGCHAR:
            if (focusControl_ != nullptr && Enabled() && showAccelChar_ && IsAccel(static_cast<UINT>(m.WParam), Caption()) &&
                focusControl_->CanFocus()) {
                focusControl_->SetFocus();
                m.Result = 1;
            }
            return;
        default: TGraphicControl::Dispatch(m);
    }
}

// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, "BUTTON");
    p.Style |= BS_GROUPBOX;
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
    TWinControl::AdjustClientRect(rect);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TSize size{0, 0};
    GetTextExtentPoint32A(dc, "0", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    rect.top += size.cy;
    ::win32::InflateRect(&rect, -2, -2);
}

void TCustomGroupBox::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_NCHITTEST:
            // The window lets the mouse through to its parent; in the
            // library the group is a control of its own that hears it.
            m.Result = HTCLIENT;
            return;
        case CN_CTLCOLORSTATIC: {
            // The window paints the frame and caption on our colours; the
            // inside is erased with the control's brush.
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            SetBkColor(dc, ColorToRGB(Color()));
            Brush()->SetColor(Color());
            m.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
            return;
        }
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
            TWinControl::Dispatch(m);
            Invalidate();
            Realign();
            return;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<UINT>(m.WParam), Text()) && CanFocus()) {
                if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
                m.Result = 1;
                return;
            }
            TWinControl::Dispatch(m);
            return;
        default: TWinControl::Dispatch(m);
    }
}

}  // namespace classlib
