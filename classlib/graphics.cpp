#include "classlib/graphics.h"

#include <cmath>
#include <cstring>

#include "classlib/bitmap.h"
#include "classlib/consts.h"

namespace classlib {

using namespace win32;

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0x00FFFFFF);
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

namespace {

// Frees a handle after the change has been announced, so a canvas that has
// it selected can put it down first.
template <class H>
void Retire(H& handle) {
    if (handle != nullptr) DeleteObject(handle);
    handle = nullptr;
}

}  // namespace

// TFont

TFont::TFont() : name_("ＭＳ Ｐゴシック"), height_(-12), charset_(SHIFTJIS_CHARSET) {}

TFont::~TFont() { Retire(handle_); }

void TFont::Modified() {
    HFONT old = handle_;
    handle_ = nullptr;
    Changed();
    if (old != nullptr) DeleteObject(old);
}

LOGFONTA TFont::LogFont() const {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    return lf;
}

HFONT TFont::Handle() {
    if (handle_ == nullptr) {
        LOGFONTA lf = LogFont();
        handle_ = CreateFontIndirectA(&lf);
        if (handle_ == nullptr) throw EOutOfResources(SOutOfResources);
    }
    return handle_;
}

void TFont::SetHandle(HFONT font) {
    LOGFONTA lf{};
    if (font == nullptr || GetObjectA(font, sizeof(lf), &lf) == 0) return;
    name_ = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    height_ = lf.lfHeight;
    style_ = {};
    if (lf.lfWeight > FW_MEDIUM) style_.Include(fsBold);
    if (lf.lfItalic) style_.Include(fsItalic);
    if (lf.lfUnderline) style_.Include(fsUnderline);
    if (lf.lfStrikeOut) style_.Include(fsStrikeOut);
    charset_ = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 0x3;
    pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    Modified();
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == name_) return;
    name_ = name;
    Modified();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Modified();
}

int TFont::Size() const {
    // MulDiv rounding, as the library converts pixels to points.
    double points = -static_cast<double>(height_) * 72.0 / pixelsPerInch_;
    return static_cast<int>(std::lround(points));
}

void TFont::SetSize(int size) {
    SetHeight(-static_cast<int>(std::lround(static_cast<double>(size) * pixelsPerInch_ / 72.0)));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Modified();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    // The colour is not part of the GDI font; the handle stays.
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Modified();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    pitch_ = pitch;
    Modified();
}

void TFont::Assign(const TPersistent* source) {
    const auto* font = dynamic_cast<const TFont*>(source);
    if (font == nullptr) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (font == this) return;
    name_ = font->name_;
    height_ = font->height_;
    if (pixelsPerInch_ != font->pixelsPerInch_) {
        height_ = -static_cast<int>(std::lround(static_cast<double>(font->Size()) * pixelsPerInch_ / 72.0));
    }
    style_ = font->style_;
    color_ = font->color_;
    charset_ = font->charset_;
    pitch_ = font->pitch_;
    Modified();
}

// TBrush

TBrush::TBrush() = default;

TBrush::~TBrush() { Retire(handle_); }

void TBrush::Modified() {
    HBRUSH old = handle_;
    handle_ = nullptr;
    Changed();
    if (old != nullptr) DeleteObject(old);
}

HBRUSH TBrush::Handle() {
    if (handle_ != nullptr) return handle_;
    if (bitmap_ != nullptr && !bitmap_->Empty()) {
        handle_ = CreatePatternBrush(bitmap_->Handle());
    } else {
        LOGBRUSH lb{};
        lb.lbColor = ColorToRGB(color_);
        switch (style_) {
            case bsSolid: lb.lbStyle = BS_SOLID; break;
            case bsClear: lb.lbStyle = BS_HOLLOW; break;
            default:
                lb.lbStyle = BS_HATCHED;
                lb.lbHatch = static_cast<ULONG_PTR>(style_ - bsHorizontal);
                break;
        }
        handle_ = CreateBrushIndirect(&lb);
    }
    if (handle_ == nullptr) throw EOutOfResources(SOutOfResources);
    return handle_;
}

void TBrush::SetColor(TColor color) {
    if (color == color_ && style_ != bsClear) return;
    color_ = color;
    if (style_ == bsClear) style_ = bsSolid;
    Modified();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    Modified();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    bitmap_ = bitmap;
    Modified();
}

void TBrush::Assign(const TPersistent* source) {
    const auto* brush = dynamic_cast<const TBrush*>(source);
    if (brush == nullptr) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (brush == this) return;
    color_ = brush->color_;
    style_ = brush->style_;
    bitmap_ = brush->bitmap_;
    Modified();
}

// TPen

TPen::~TPen() { Retire(handle_); }

void TPen::Modified() {
    HPEN old = handle_;
    handle_ = nullptr;
    Changed();
    if (old != nullptr) DeleteObject(old);
}

HPEN TPen::Handle() {
    if (handle_ == nullptr) {
        static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL,
                                          PS_INSIDEFRAME};
        handle_ = CreatePen(kStyles[style_], width_, ColorToRGB(color_));
        if (handle_ == nullptr) throw EOutOfResources(SOutOfResources);
    }
    return handle_;
}

void TPen::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Modified();
}

void TPen::SetWidth(int width) {
    if (width < 0 || width == width_) return;
    width_ = width;
    Modified();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    style_ = style;
    Modified();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    Changed();
}

int TPen::Rop2() const {
    static constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return kRop2[mode_];
}

void TPen::Assign(const TPersistent* source) {
    const auto* pen = dynamic_cast<const TPen*>(source);
    if (pen == nullptr) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (pen == this) return;
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Modified();
}

}  // namespace classlib
