#include "classlib/comctrls.h"

#include <algorithm>

#include "classlib/forms.h"

namespace classlib {

using namespace win32;

void TStatusPanel::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Changed(false);
}

void TStatusPanel::SetWidth(int width) {
    if (width == width_) return;
    width_ = width;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
    bevel_ = bevel;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
    style_ = style;
    Changed(false);
}

void TStatusPanel::Assign(const TPersistent* source) {
    if (const auto* p = dynamic_cast<const TStatusPanel*>(source)) {
        text_ = p->text_;
        width_ = p->width_;
        alignment_ = p->alignment_;
        bevel_ = p->bevel_;
        style_ = p->style_;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(source);
}

TStatusPanels::TStatusPanels(TStatusBar* bar) : TCollectionOf<TStatusPanel>(bar), bar_(bar) {}

void TStatusPanels::Update(TCollectionItem*) { bar_->Invalidate(); }

TStatusBar::TStatusBar(TComponent* owner)
    : TCustomControl(owner), panels_(std::make_unique<TStatusPanels>(this)) {
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetColor(clBtnFace);
    SetBounds(0, 0, 0, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetSimplePanel(bool simple) {
    simplePanel_ = simple;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& text) {
    if (text == simpleText_) return;
    simpleText_ = text;
    if (simplePanel_) Invalidate();
}

void TStatusBar::SetSizeGrip(bool grip) {
    sizeGrip_ = grip;
    Invalidate();
}

bool TStatusBar::GripShown() {
    // The grip shows where the bar lies in the bottom-right corner of a
    // sizeable form.
    auto* form = dynamic_cast<TCustomForm*>(Parent());
    return sizeGrip_ && form != nullptr && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) &&
           form->WindowState() != wsMaximized;
}

TRect TStatusBar::PanelRect(int index) {
    TRect client = ClientRect();
    int x = 0;
    for (int i = 0; i < panels_->Count(); ++i) {
        int w = panels_->Items(i)->Width();
        TRect r = Rect(x, 2, i == panels_->Count() - 1 ? client.right : x + w, client.bottom);
        if (i == index) return r;
        x += w + 2;
    }
    return Rect(0, 0, 0, 0);
}

void TStatusBar::Paint() {
    TCanvas* c = Canvas();
    TRect client = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(client);
    c->Font()->Assign(Font());
    auto drawPanel = [&](TRect r, const std::string& text, TStatusPanelBevel bevel, TAlignment alignment) {
        if (bevel != pbNone) {
            TRect frame = r;
            Frame3D(c, frame, bevel == pbLowered ? clBtnShadow : clBtnHighlight,
                    bevel == pbLowered ? clBtnHighlight : clBtnShadow, 1);
        }
        TRect t = r;
        ::win32::InflateRect(&t, -2, -1);
        static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
        c->Brush()->SetStyle(bsClear);
        HDC dc = c->PrepareText();
        DrawTextA(dc, text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | kAlign[alignment]);
        c->Brush()->SetStyle(bsSolid);
    };
    if (simplePanel_ || panels_->Count() == 0) {
        drawPanel(Rect(0, 2, client.right, client.bottom), simplePanel_ ? simpleText_ : Text(), pbLowered,
                  taLeftJustify);
    } else {
        for (int i = 0; i < panels_->Count(); ++i) {
            TStatusPanel* p = panels_->Items(i);
            TRect r = PanelRect(i);
            if (p->Style() == psOwnerDraw && OnDrawPanel) {
                OnDrawPanel(this, p, r);
                continue;
            }
            drawPanel(r, p->Text(), p->Bevel(), p->Alignment());
        }
    }
    if (GripShown()) {
        TRect grip = Rect(client.right - GetSystemMetrics(SM_CXVSCROLL), client.bottom - GetSystemMetrics(SM_CYHSCROLL),
                          client.right, client.bottom);
        DrawFrameControl(c->Handle(), &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

void TStatusBar::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_NCHITTEST: {
            TPoint p = ScreenToClient(Point(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
            TRect client = ClientRect();
            // The grip sizes the form, as the corner of its frame would.
            if (GripShown() && p.x >= client.right - GetSystemMetrics(SM_CXVSCROLL) &&
                p.y >= client.bottom - GetSystemMetrics(SM_CYHSCROLL)) {
                m.Result = HTBOTTOMRIGHT;
                return;
            }
            TCustomControl::Dispatch(m);
            return;
        }
        case WM_NCLBUTTONDOWN:
            if (m.WParam == HTBOTTOMRIGHT && Parent() != nullptr) {
                SendMessageA(Parent()->Handle(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, m.LParam);
                return;
            }
            TCustomControl::Dispatch(m);
            return;
        case WM_SIZE:
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
            TCustomControl::Dispatch(m);
            Invalidate();
            return;
        default: TCustomControl::Dispatch(m);
    }
}

// TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle({csCaptureMouse, csClickEvents, csOpaque});
    SetBounds(0, 0, 150, 16);
    SetColor(clBtnFace);
}

void TProgressBar::SetRange(int min, int max) {
    if (max < min) max = min;
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, max_);
    Invalidate();
}

void TProgressBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    Invalidate();
}

void TProgressBar::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    TRect frame = r;
    Frame3D(c, frame, clBtnShadow, clBtnHighlight, 1);
    TRect well = r;
    ::win32::InflateRect(&well, -2, -2);
    if (max_ <= min_ || RectWidth(well) <= 0) return;
    int filled = static_cast<int>(static_cast<long long>(RectWidth(well)) * (position_ - min_) / (max_ - min_));
    // Blocks two thirds of the height wide with a gap of two pixels.
    int block = std::max(2, RectHeight(well) * 2 / 3);
    c->Brush()->SetColor(clHighlight);
    for (int x = well.left; x < well.left + filled; x += block + 2) {
        c->FillRect(Rect(x, well.top, std::min(x + block, well.right), well.bottom));
    }
}

}  // namespace classlib
