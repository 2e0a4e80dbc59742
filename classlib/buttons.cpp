#include "classlib/buttons.h"

#include <algorithm>

namespace classlib {

using namespace win32;

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
    SetControlStyle({csCaptureMouse, csDoubleClicks});
    SetBounds(0, 0, 23, 22);
    glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
}

TSpeedButton::~TSpeedButton() { glyph_->OnChange = nullptr; }

void TSpeedButton::SetGlyph(const TBitmap* glyph) { glyph_->Assign(glyph); }

void TSpeedButton::GlyphChanged() {
    // A glyph two, three or four times as wide as high holds that many images.
    if (!glyph_->Empty() && glyph_->Height() > 0 && glyph_->Width() % glyph_->Height() == 0) {
        int n = glyph_->Width() / glyph_->Height();
        numGlyphs_ = n >= 1 && n <= 4 ? n : 1;
    }
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
    if (count < 1 || count > 4 || count == numGlyphs_) return;
    numGlyphs_ = count;
    Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
    flat_ = flat;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int index) {
    groupIndex_ = index;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool allow) {
    allowAllUp_ = allow;
    UpdateExclusive();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
    margin_ = std::max(margin, -1);
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
    spacing_ = spacing;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void TSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = down;
    if (down) {
        if (state_ == bsUp) Invalidate();
        state_ = bsExclusive;
    } else {
        state_ = bsUp;
        Repaint();
    }
    if (down) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    if (groupIndex_ != 0 && Parent() != nullptr) {
        TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
        Parent()->Broadcast(m);
    }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (!down_) {
        state_ = bsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    TButtonState newState = down_ ? bsExclusive : bsUp;
    if (x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight()) newState = down_ ? bsExclusive : bsDown;
    if (newState != state_) {
        state_ = newState;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_) return;
    dragging_ = false;
    bool doClick = x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight();
    if (groupIndex_ == 0) {
        state_ = bsUp;
        mouseInControl_ = mouseInControl_ && doClick;
        Invalidate();
    } else if (doClick) {
        SetDown(!down_);
        if (down_) Repaint();
    } else {
        if (down_) state_ = bsExclusive;
        Repaint();
    }
    if (doClick) Click();
}

void TSpeedButton::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CM_BUTTONPRESSED: {
            auto* sender = reinterpret_cast<TSpeedButton*>(m.LParam);
            if (static_cast<int>(m.WParam) == groupIndex_ && sender != this && sender != nullptr) {
                if (sender->Down() && down_) {
                    down_ = false;
                    state_ = bsUp;
                    Invalidate();
                }
                allowAllUp_ = sender->AllowAllUp();
            }
            return;
        }
        case CM_MOUSEENTER:
            TGraphicControl::Dispatch(m);
            if (!mouseInControl_ && Enabled()) {
                mouseInControl_ = true;
                if (flat_) Repaint();
            }
            return;
        case CM_MOUSELEAVE:
            TGraphicControl::Dispatch(m);
            if (mouseInControl_) {
                mouseInControl_ = false;
                if (flat_ && Enabled()) Invalidate();
            }
            return;
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED:
        case CM_SYSCOLORCHANGE:
            TGraphicControl::Dispatch(m);
            Repaint();
            return;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<UINT>(m.WParam), Caption()) && Enabled() && Visible() && Parent() != nullptr &&
                Parent()->Showing()) {
                Click();
                m.Result = 1;
                return;
            }
            TGraphicControl::Dispatch(m);
            return;
        default: TGraphicControl::Dispatch(m);
    }
}

void TSpeedButton::DrawGlyph(TCanvas* canvas, int x, int y, TButtonState state) {
    if (glyph_->Empty()) return;
    int w = glyph_->Width() / numGlyphs_, h = glyph_->Height();
    int index = 0;
    switch (state) {
        case bsDisabled: index = numGlyphs_ > 1 ? 1 : 0; break;
        case bsDown: index = numGlyphs_ > 2 ? 2 : 0; break;
        case bsExclusive: index = numGlyphs_ > 3 ? 3 : 0; break;
        default: break;
    }
    HDC dst = canvas->Handle();
    HDC src = glyph_->Canvas()->Handle();
    COLORREF transparent = ColorToRGB(glyph_->TransparentColor());
    if (state == bsDisabled && numGlyphs_ < 2) {
        // Embossed: the glyph's shape in highlight, one pixel down and
        // right, under the same shape in shadow.
        HDC monoDc = CreateCompatibleDC(nullptr);
        HBITMAP mono = CreateBitmap(w, h, 1, 1, nullptr);
        HGDIOBJ oldMono = SelectObject(monoDc, mono);
        COLORREF oldSrcBk = ::win32::SetBkColor(src, transparent);
        BitBlt(monoDc, 0, 0, w, h, src, 0, 0, SRCCOPY);
        ::win32::SetBkColor(src, oldSrcBk);
        COLORREF oldText = ::win32::SetTextColor(dst, RGB(0, 0, 0));
        COLORREF oldBk = ::win32::SetBkColor(dst, RGB(255, 255, 255));
        constexpr DWORD kPaintWhereZero = 0x00B8074A;
        HBRUSH highlight = CreateSolidBrush(ColorToRGB(clBtnHighlight));
        HGDIOBJ oldBrush = SelectObject(dst, highlight);
        BitBlt(dst, x + 1, y + 1, w, h, monoDc, 0, 0, kPaintWhereZero);
        HBRUSH shadow = CreateSolidBrush(ColorToRGB(clBtnShadow));
        SelectObject(dst, shadow);
        BitBlt(dst, x, y, w, h, monoDc, 0, 0, kPaintWhereZero);
        SelectObject(dst, oldBrush);
        DeleteObject(highlight);
        DeleteObject(shadow);
        ::win32::SetTextColor(dst, oldText);
        ::win32::SetBkColor(dst, oldBk);
        SelectObject(monoDc, oldMono);
        DeleteObject(mono);
        DeleteDC(monoDc);
        return;
    }
    TransparentBlt(dst, x, y, w, h, src, index * w, 0, w, h, transparent);
}

void TSpeedButton::Paint() {
    TCanvas* c = Canvas();
    if (!Enabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    if (!flat_ || !transparent_) c->FillRect(r);
    bool pressed = state_ == bsDown || state_ == bsExclusive;
    if (!flat_) {
        UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (pressed) flags |= DFCS_PUSHED;
        DrawFrameControl(c->Handle(), &r, DFC_BUTTON, flags);
    } else if (pressed || (mouseInControl_ && state_ != bsDisabled)) {
        DrawEdge(c->Handle(), &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    int offset = pressed ? 1 : 0;
    int gw = glyph_->Empty() ? 0 : glyph_->Width() / numGlyphs_;
    int gh = glyph_->Empty() ? 0 : glyph_->Height();
    std::string text = Caption();
    c->Font()->Assign(Font());
    TSize ts = text.empty() ? TSize{0, 0} : c->TextExtent(text);
    int spacing = (gw == 0 || text.empty()) ? 0 : spacing_;
    bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    int totalW = horizontal ? gw + spacing + ts.cx : std::max(gw, static_cast<int>(ts.cx));
    int totalH = horizontal ? std::max(gh, static_cast<int>(ts.cy)) : gh + spacing + ts.cy;
    int cw = Width(), ch = Height();
    int gx, gy, tx, ty;
    if (horizontal) {
        int start = margin_ >= 0 ? margin_ : (cw - totalW) / 2;
        if (layout_ == blGlyphLeft) {
            gx = start;
            tx = start + gw + spacing;
        } else {
            tx = start;
            gx = start + ts.cx + spacing;
        }
        gy = (ch - gh) / 2;
        ty = (ch - ts.cy) / 2;
    } else {
        int start = margin_ >= 0 ? margin_ : (ch - totalH) / 2;
        if (layout_ == blGlyphTop) {
            gy = start;
            ty = start + gh + spacing;
        } else {
            ty = start;
            gy = start + ts.cy + spacing;
        }
        gx = (cw - gw) / 2;
        tx = (cw - ts.cx) / 2;
    }
    DrawGlyph(c, gx + offset, gy + offset, state_);
    if (!text.empty()) {
        c->Brush()->SetStyle(bsClear);
        TRect tr = Bounds(tx + offset, ty + offset, ts.cx, ts.cy);
        HDC dc = c->PrepareText();
        if (state_ == bsDisabled) {
            TRect shifted = tr;
            ::win32::OffsetRect(&shifted, 1, 1);
            ::win32::SetTextColor(dc, ColorToRGB(clBtnHighlight));
            DrawTextA(dc, text.c_str(), -1, &shifted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            ::win32::SetTextColor(dc, ColorToRGB(clBtnShadow));
        } else {
            ::win32::SetTextColor(dc, ColorToRGB(Font()->Color()));
        }
        DrawTextA(dc, text.c_str(), -1, &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

}  // namespace classlib

namespace classlib {

using namespace win32;

namespace {

struct KindInfo {
    const char* caption;
    TModalResult result;
};
constexpr KindInfo kKinds[] = {
    {"", mrNone},          {"OK", mrOk},           {"ｷｬﾝｾﾙ", mrCancel}, {"ﾍﾙﾌﾟ(&H)", mrNone},
    {"はい(&Y)", mrYes},   {"いいえ(&N)", mrNo},   {"閉じる(&C)", mrNone}, {"中止", mrAbort},
    {"再試行(&R)", mrRetry}, {"無視(&I)", mrIgnore}, {"すべて(&A)", mrAll},
};

}  // namespace

TBitBtn::TBitBtn(TComponent* owner)
    : TButton(owner), glyph_(std::make_unique<TBitmap>()), canvas_(std::make_unique<TCanvas>()) {
    glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.Style = (p.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    // An owner-drawn window takes a second click as a double click and
    // reports no press; every click of a button presses it.
    p.WindowClass.style &= ~CS_DBLCLKS;
}

// The window stays owner-drawn; the default look is ours to paint.
void TBitBtn::SetButtonStyle(bool) { Invalidate(); }

void TBitBtn::Dispatch(TMessage& m) {
    if (m.Msg != CN_DRAWITEM) return TButton::Dispatch(m);
    auto* s = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    int saved = SaveDC(s->hDC);
    canvas_->SetHandle(s->hDC);
    try {
        DrawItem(canvas_.get(), s->rcItem, (s->itemState & ODS_SELECTED) != 0, (s->itemState & ODS_FOCUS) != 0);
    } catch (...) {
        canvas_->SetHandle(nullptr);
        RestoreDC(s->hDC, saved);
        throw;
    }
    canvas_->SetHandle(nullptr);
    RestoreDC(s->hDC, saved);
    m.Result = TRUE;
}

void TBitBtn::DrawItem(TCanvas* c, TRect r, bool pushed, bool focused) {
    // The default button carries a black frame around its face; pressed,
    // it sinks flat inside it.
    if (Active()) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        ::win32::InflateRect(&r, -1, -1);
    }
    TRect face = r;
    if (pushed && Active()) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(face);
        ::win32::InflateRect(&face, -1, -1);
        c->Brush()->SetColor(Color());
        c->FillRect(face);
    } else {
        UINT state = DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0);
        DrawFrameControl(c->Handle(), &face, DFC_BUTTON, state);
        ::win32::InflateRect(&face, -2, -2);
    }
    TRect area = face;
    if (pushed) ::win32::OffsetRect(&area, 1, 1);
    DrawFace(c, area, pushed, focused);
    if (focused) {
        TRect focus = r;
        ::win32::InflateRect(&focus, -3, -3);
        ::win32::SetTextColor(c->Handle(), RGB(0, 0, 0));
        ::win32::SetBkColor(c->Handle(), RGB(255, 255, 255));
        ::win32::DrawFocusRect(c->Handle(), &focus);
    }
}

TBitBtn::~TBitBtn() { glyph_->OnChange = nullptr; }

void TBitBtn::SetKind(TBitBtnKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    if (kind == bkCustom) return;
    SetCaption(kKinds[kind].caption);
    SetModalResult(kKinds[kind].result);
    if (kind == bkOK || kind == bkYes) SetDefault(true);
    if (kind == bkCancel || kind == bkNo) SetCancel(true);
    MakeKindGlyph();
}

void TBitBtn::MakeKindGlyph() {
    // The kinds' pictures, drawn on olive (the transparent colour) at the
    // classic 18 by 18.
    glyph_->SetSize(18, 18);
    TCanvas* c = glyph_->Canvas();
    c->Brush()->SetColor(clOlive);
    c->FillRect(Rect(0, 0, 18, 18));
    c->Pen()->SetWidth(1);
    switch (kind_) {
        case bkOK:
        case bkYes: {
            c->Pen()->SetColor(clGreen);
            for (int d = 0; d < 3; ++d) {
                c->MoveTo(3, 8 + d);
                c->LineTo(7, 12 + d);
                c->LineTo(15, 4 + d);
            }
            break;
        }
        case bkCancel:
        case bkNo:
        case bkAbort: {
            c->Pen()->SetColor(clRed);
            for (int d = 0; d < 2; ++d) {
                c->MoveTo(4 + d, 4);
                c->LineTo(14 + d, 14);
                c->MoveTo(14 + d, 4);
                c->LineTo(4 + d, 14);
            }
            break;
        }
        default: {
            c->Brush()->SetColor(clNavy);
            c->FillRect(Rect(6, 6, 12, 12));
            break;
        }
    }
    numGlyphs_ = 1;
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int count) {
    if (count >= 1 && count <= 4) numGlyphs_ = count;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
    spacing_ = spacing;
    Invalidate();
}

void TBitBtn::DrawFace(TCanvas* canvas, TRect r, bool pushed, bool) {
    std::string text = Caption();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    HDC dc = canvas->PrepareText();
    TRect measure = Rect(0, 0, 0, 0);
    if (!text.empty()) DrawTextA(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    int tw = RectWidth(measure);
    int gw = glyph_->Empty() ? 0 : glyph_->Width() / numGlyphs_;
    int gh = glyph_->Empty() ? 0 : glyph_->Height();
    int gap = gw > 0 && !text.empty() ? spacing_ : 0;
    int x = r.left + (RectWidth(r) - (gw + gap + tw)) / 2;
    if (gw > 0) {
        int gy = r.top + (RectHeight(r) - gh) / 2;
        int index = !Enabled() && numGlyphs_ > 1 ? 1 : pushed && numGlyphs_ > 2 ? 2 : 0;
        TransparentBlt(dc, x, gy, gw, gh, glyph_->Canvas()->Handle(), index * gw, 0, gw, gh,
                       ColorToRGB(glyph_->TransparentColor()));
    }
    if (text.empty()) return;
    TRect t = Rect(x + gw + gap, r.top, x + gw + gap + tw, r.bottom);
    UINT flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    if (!Enabled()) {
        // Disabled text is etched: highlight a pixel down and right under
        // the shadow grey.
        TRect shifted = t;
        ::win32::OffsetRect(&shifted, 1, 1);
        ::win32::SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, text.c_str(), -1, &shifted, flags);
        ::win32::SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        ::win32::SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    DrawTextA(dc, text.c_str(), -1, &t, flags);
}

}  // namespace classlib
