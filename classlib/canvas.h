// TCanvas: drawing on a device context with the canvas's own font, brush
// and pen kept selected in step with the DC. A canvas is bound to a DC it
// is given (SetHandle) or asks for one when first used (CreateHandle).
#pragma once

#include <memory>
#include <string>

#include "classlib/graphics.h"

namespace classlib {

class TGraphic;
class TBitmap;

enum TCanvasStateFlag { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStateFlag>;

using TCopyMode = win32::DWORD;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;
inline constexpr TCopyMode cmPatCopy = 0x00F00021;
inline constexpr TCopyMode cmPatInvert = 0x005A0049;
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;
inline constexpr TCopyMode cmSrcErase = 0x00440328;
inline constexpr TCopyMode cmSrcInvert = 0x00660046;
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The DC, asked for through CreateHandle when none is bound. Binding
    // another DC first puts the canvas's objects down in the old one.
    win32::HDC Handle();
    void SetHandle(win32::HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() const { return font_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    TPen* Pen() const { return pen_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    void SetBrush(const TBrush* brush) { brush_->Assign(brush); }
    void SetPen(const TPen* pen) { pen_->Assign(pen); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }
    TPoint PenPos();
    void SetPenPos(TPoint p) { MoveTo(p.x, p.y); }
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);
    TRect ClipRect();

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polyline(const TPoint* points, int count);
    void Polygon(const TPoint* points, int count);
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // The DC ready for direct text calls (DrawTextA): font selected, text
    // colour from the font, background transparent unless the brush is solid.
    win32::HDC PrepareText();
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);
    // Copies source of bitmap with every pixel of color replaced by the
    // brush, as a mask blit does.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);

    // Puts the canvas's objects down and forgets them; the next drawing
    // selects them again.
    void Refresh();
    // Guards for drawing from more than one place; with one user-interface
    // thread they only count.
    void Lock() { ++lockCount_; }
    void Unlock() { --lockCount_; }
    int LockCount() const { return lockCount_; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void CreateHandle();
    void RequiredState(TCanvasState state);
    virtual void Changed();
    virtual void Changing();
    TCanvasState State() const { return state_; }

private:
    void DeselectHandles();
    void CreateFont();
    void CreatePen();
    void CreateBrush();

    win32::HDC dc_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
    TCopyMode copyMode_ = cmSrcCopy;
    TCanvasState state_;
    int lockCount_ = 0;
};

}  // namespace classlib
