#include "classlib/canvas.h"

#include "classlib/bitmap.h"
#include "classlib/consts.h"
#include "classlib/exceptions.h"

namespace classlib {

using namespace win32;

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>()) {
    // A change of a tool puts the old GDI object down before it is freed.
    font_->OnChange = [this](TObject*) {
        if (state_.Contains(csFontValid)) {
            state_.Exclude(csFontValid);
            SelectObject(dc_, GetStockObject(SYSTEM_FONT));
        }
    };
    pen_->OnChange = [this](TObject*) {
        if (state_.Contains(csPenValid)) {
            state_.Exclude(csPenValid);
            SelectObject(dc_, GetStockObject(BLACK_PEN));
        }
    };
    brush_->OnChange = [this](TObject*) {
        if (state_.Contains(csBrushValid)) {
            state_.Exclude(csBrushValid);
            SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
        }
    };
}

TCanvas::~TCanvas() {
    // The tools go with the canvas; the DC is the binder's to release.
    DeselectHandles();
    font_->OnChange = nullptr;
    pen_->OnChange = nullptr;
    brush_->OnChange = nullptr;
}

HDC TCanvas::Handle() {
    RequiredState({csHandleValid});
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    TPoint pos{0, 0};
    if (dc_ != nullptr) {
        DeselectHandles();
        MoveToEx(dc_, 0, 0, &pos);
        MoveToEx(dc_, pos.x, pos.y, nullptr);
        dc_ = nullptr;
        state_.Exclude(csHandleValid);
    }
    if (dc != nullptr) {
        dc_ = dc;
        state_.Include(csHandleValid);
    }
}

void TCanvas::CreateHandle() {}

void TCanvas::DeselectHandles() {
    if (dc_ == nullptr) return;
    if (state_.Contains(csFontValid) || state_.Contains(csPenValid) || state_.Contains(csBrushValid)) {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
        SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    }
    state_ -= TCanvasState{csFontValid, csPenValid, csBrushValid};
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::RequiredState(TCanvasState required) {
    TCanvasState needed = required - state_;
    if (needed.Empty()) return;
    if (needed.Contains(csHandleValid)) {
        CreateHandle();
        if (dc_ == nullptr) throw EInvalidOperation(SNoCanvasHandle);
        state_.Include(csHandleValid);
    }
    if (needed.Contains(csFontValid)) CreateFont();
    if (needed.Contains(csPenValid)) CreatePen();
    if (needed.Contains(csBrushValid)) CreateBrush();
}

void TCanvas::CreateFont() {
    SelectObject(dc_, font_->Handle());
    SetTextColor(dc_, ColorToRGB(font_->Color()));
    state_.Include(csFontValid);
}

void TCanvas::CreatePen() {
    SelectObject(dc_, pen_->Handle());
    SetROP2(dc_, pen_->Rop2());
    state_.Include(csPenValid);
}

void TCanvas::CreateBrush() {
    SelectObject(dc_, brush_->Handle());
    if (brush_->Style() == bsSolid) {
        SetBkColor(dc_, ColorToRGB(brush_->Color()));
        SetBkMode(dc_, OPAQUE);
    } else {
        SetBkColor(dc_, ~ColorToRGB(brush_->Color()) & 0xFFFFFF);
        SetBkMode(dc_, TRANSPARENT);
    }
    state_.Include(csBrushValid);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

TPoint TCanvas::PenPos() {
    RequiredState({csHandleValid});
    TPoint p{0, 0};
    MoveToEx(dc_, 0, 0, &p);
    MoveToEx(dc_, p.x, p.y, nullptr);
    return p;
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState({csHandleValid});
    return GetPixel(dc_, x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequiredState({csHandleValid, csPenValid});
    SetPixel(dc_, x, y, ColorToRGB(color));
    Changed();
}

TRect TCanvas::ClipRect() {
    RequiredState({csHandleValid});
    TRect r{};
    GetClipBox(dc_, &r);
    return r;
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState({csHandleValid});
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    win32::LineTo(dc_, x, y);
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    win32::Rectangle(dc_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    win32::RoundRect(dc_, x1, y1, x2, y2, x3, y3);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    win32::Ellipse(dc_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::Polyline(const TPoint* points, int count) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    win32::Polyline(dc_, points, count);
    Changed();
}

void TCanvas::Polygon(const TPoint* points, int count) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    win32::Polygon(dc_, points, count);
    Changed();
}

void TCanvas::FillRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    win32::FillRect(dc_, &r, brush_->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    win32::FrameRect(dc_, &r, brush_->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    win32::DrawFocusRect(dc_, &r);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    ExtTextOutA(dc_, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    MoveToEx(dc_, x + TextWidth(text), y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    UINT options = ETO_CLIPPED;
    if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOutA(dc_, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
    RequiredState({csHandleValid, csFontValid});
    TSize size{0, 0};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

HDC TCanvas::PrepareText() {
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    SetTextColor(dc_, ColorToRGB(font_->Color()));
    SetBkMode(dc_, brush_->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    return dc_;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) return;
    Changing();
    RequiredState({csHandleValid});
    // A monochrome picture takes its two colours from the canvas.
    SetBkColor(dc_, ColorToRGB(brush_->Color()));
    SetTextColor(dc_, ColorToRGB(font_->Color()));
    graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) return;
    Changing();
    RequiredState({csHandleValid});
    graphic->Draw(this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    canvas->RequiredState({csHandleValid, csBrushValid});
    StretchBlt(dc_, dest.left, dest.top, RectWidth(dest), RectHeight(dest), canvas->dc_, source.left, source.top,
               RectWidth(source), RectHeight(source), copyMode_);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
    if (bitmap == nullptr || bitmap->Empty()) return;
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    int w = RectWidth(source), h = RectHeight(source);
    HDC src = bitmap->Canvas()->Handle();
    HDC mem = CreateCompatibleDC(dc_);
    HDC maskDc = CreateCompatibleDC(dc_);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HBITMAP image = CreateCompatibleBitmap(dc_, w, h);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    HGDIOBJ oldImage = SelectObject(mem, image);
    // Mask: 1 where the source has the colour to replace.
    COLORREF oldBk = SetBkColor(src, ColorToRGB(color));
    BitBlt(maskDc, 0, 0, w, h, src, source.left, source.top, SRCCOPY);
    SetBkColor(src, oldBk);
    // Image: the source with the masked pixels black, then the brush put in.
    BitBlt(mem, 0, 0, w, h, src, source.left, source.top, SRCCOPY);
    SetTextColor(mem, RGB(255, 255, 255));
    SetBkColor(mem, RGB(0, 0, 0));
    BitBlt(mem, 0, 0, w, h, maskDc, 0, 0, SRCAND);
    HGDIOBJ oldBrush = SelectObject(mem, brush_->Handle());
    SetTextColor(mem, RGB(0, 0, 0));
    SetBkColor(mem, RGB(255, 255, 255));
    // Where the mask is 1: D | (P & S) puts the brush; elsewhere S is 0.
    BitBlt(mem, 0, 0, w, h, maskDc, 0, 0, 0x00EA02E9);
    SelectObject(mem, oldBrush);
    StretchBlt(dc_, dest.left, dest.top, RectWidth(dest), RectHeight(dest), mem, 0, 0, w, h, SRCCOPY);
    SelectObject(mem, oldImage);
    SelectObject(maskDc, oldMask);
    DeleteObject(image);
    DeleteObject(mask);
    DeleteDC(mem);
    DeleteDC(maskDc);
    Changed();
}

}  // namespace classlib
