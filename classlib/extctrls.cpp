#include "classlib/extctrls.h"

#include "classlib/graphic.h"
#include "classlib/icon.h"

namespace classlib {

using namespace win32;

// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                     csReplicatable});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel bevel) {
    bevelInner_ = bevel;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel bevel) {
    bevelOuter_ = bevel;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int width) {
    bevelWidth_ = std::max(width, 1);
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int width) {
    borderWidth_ = std::max(width, 0);
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& r) {
    TCustomControl::AdjustClientRect(r);
    int bevel = 0;
    if (bevelOuter_ != bvNone) bevel += bevelWidth_;
    if (bevelInner_ != bvNone) bevel += bevelWidth_;
    bevel += borderWidth_;
    ::win32::InflateRect(&r, -bevel, -bevel);
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto bevelColors = [](TPanelBevel bevel, TColor& top, TColor& bottom) {
        top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
        bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
    };
    TColor top, bottom;
    if (bevelOuter_ != bvNone) {
        bevelColors(bevelOuter_, top, bottom);
        if (bevelOuter_ == bvSpace) top = bottom = Color();
        Frame3D(c, r, top, bottom, bevelWidth_);
    }
    Frame3D(c, r, Color(), Color(), borderWidth_);
    if (bevelInner_ != bvNone) {
        bevelColors(bevelInner_, top, bottom);
        if (bevelInner_ == bvSpace) top = bottom = Color();
        Frame3D(c, r, top, bottom, bevelWidth_);
    }
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    std::string text = Text();
    if (text.empty()) return;
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    HDC dc = c->PrepareText();
    ::win32::SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    DrawTextA(dc, text.c_str(), -1, &r, DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | kAlign[alignment_]);
}

void TCustomPanel::Dispatch(TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) {
        TCustomControl::Dispatch(m);
        Invalidate();
        return;
    }
    TCustomControl::Dispatch(m);
}

// TBevel

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape) {
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
    style_ = style;
    Invalidate();
}

void TBevel::Paint() {
    if (shape_ == bsSpacer) return;
    TCanvas* c = Canvas();
    TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    int w = Width(), h = Height();
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(color);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    switch (shape_) {
        case bsBox: {
            TRect r = ClientRect();
            Frame3D(c, r, first, second, 1);
            break;
        }
        case bsFrame: {
            // An etched frame: two boxes one pixel apart.
            TRect outer = Rect(0, 0, w - 1, h - 1);
            TRect inner = Rect(1, 1, w, h);
            Frame3D(c, outer, first, first, 1);
            Frame3D(c, inner, second, second, 1);
            break;
        }
        case bsTopLine:
            line(first, 0, 0, w, 0);
            line(second, 0, 1, w, 1);
            break;
        case bsBottomLine:
            line(first, 0, h - 2, w, h - 2);
            line(second, 0, h - 1, w, h - 1);
            break;
        case bsLeftLine:
            line(first, 0, 0, 0, h);
            line(second, 1, 0, 1, h);
            break;
        case bsRightLine:
            line(first, w - 2, 0, w - 2, h);
            line(second, w - 1, 0, w - 1, h);
            break;
        default: break;
    }
}

// TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::PictureChanged() {
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0) {
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    }
    if (TGraphic* g = picture_->Graphic()) {
        if (transparent_ != g->Transparent()) g->SetTransparent(transparent_);
    }
    Invalidate();
}

void TImage::SetCenter(bool center) {
    center_ = center;
    Invalidate();
}

void TImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    Invalidate();
}

void TImage::SetTransparent(bool transparent) {
    transparent_ = transparent;
    PictureChanged();
}

void TImage::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    PictureChanged();
}

void TImage::Paint() {
    TGraphic* g = picture_->Graphic();
    if (g == nullptr || g->Empty()) return;
    TRect r;
    if (stretch_) {
        r = ClientRect();
    } else if (center_) {
        r = Bounds((Width() - g->Width()) / 2, (Height() - g->Height()) / 2, g->Width(), g->Height());
    } else {
        r = Bounds(0, 0, g->Width(), g->Height());
    }
    Canvas()->StretchDraw(r, g);
}

// TPaintBox

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
    if (OnPaint) OnPaint(this);
}

}  // namespace classlib
