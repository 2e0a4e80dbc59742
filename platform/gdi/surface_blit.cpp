// BitBlt, StretchBlt, MaskBlt and TransparentBlt onto a surface DC.
//
// Colour and monochrome meet as in Win32: a monochrome source drawn on a
// colour target gives the target's text colour for 0 and its background
// colour for 1; a colour source drawn on a monochrome target gives 1
// (white) where the source pixel equals the source DC's background colour
// and 0 elsewhere.
#include <algorithm>
#include <cstdlib>

#include "platform/gdi/raster_ops.h"
#include "platform/gdi/surface_device.h"

namespace win32::gdi {

namespace {

// Maps destination offsets to source offsets along one axis.
struct AxisMap {
    int dstLen = 0;
    int srcLen = 0;
    bool mirror = false;
    // First and one-past-last source offset feeding destination offset i.
    void Range(int i, int& s0, int& s1) const {
        if (dstLen == srcLen) {
            s0 = i;
            s1 = i + 1;
        } else if (srcLen > dstLen) {
            s0 = static_cast<int>(static_cast<long long>(i) * srcLen / dstLen);
            s1 = static_cast<int>(static_cast<long long>(i + 1) * srcLen / dstLen);
            if (s1 <= s0) s1 = s0 + 1;
        } else {
            s0 = static_cast<int>((2LL * i + 1) * srcLen / (2LL * dstLen));
            s1 = s0 + 1;
        }
        if (mirror) {
            int a = srcLen - s1, b = srcLen - s0;
            s0 = a;
            s1 = b;
        }
    }
};

Pixel Combine(int mode, Pixel a, Pixel b, int& count, unsigned sum[3]) {
    switch (mode) {
    case BLACKONWHITE: return a & b;
    case WHITEONBLACK: return a | b;
    case HALFTONE:
        sum[0] += (b >> 16) & 0xFF;
        sum[1] += (b >> 8) & 0xFF;
        sum[2] += b & 0xFF;
        ++count;
        return a;
    default: return a;
    }
}

}  // namespace

BOOL SurfaceDC::StretchBlt(const BltRect& dstR, DeviceContext* src, const BltRect& srcR, DWORD rop) {
    std::uint8_t op = RopIndex(rop);
    if (!RopUsesSource(op)) {
        RECT r{dstR.x, dstR.y, dstR.x + dstR.width, dstR.y + dstR.height};
        return PatBlt(r, State().brush, rop);
    }
    if (!src) return FALSE;
    Surface* srcSurf = src->PixelSurface();
    if (!srcSurf) return FALSE;
    if (!surface_) return TRUE;

    POINT da = ToDevice(POINT{dstR.x, dstR.y});
    POINT db = ToDevice(POINT{dstR.x + dstR.width, dstR.y + dstR.height});
    POINT sa = src->ToDevice(POINT{srcR.x, srcR.y});
    POINT sb = src->ToDevice(POINT{srcR.x + srcR.width, srcR.y + srcR.height});
    long long dw = static_cast<long long>(db.x) - da.x, dh = static_cast<long long>(db.y) - da.y;
    long long sw = static_cast<long long>(sb.x) - sa.x, sh = static_cast<long long>(sb.y) - sa.y;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return TRUE;
    if (std::llabs(dw) > (1 << 24) || std::llabs(dh) > (1 << 24) || std::llabs(sw) > (1 << 24) ||
        std::llabs(sh) > (1 << 24)) {
        // Extents beyond any surface: clip the destination to what exists
        // only in the unscaled case; a scaled blit that large is refused.
        if (dw != sw || dh != sh) return FALSE;
    }

    AxisMap mx{static_cast<int>(std::llabs(dw)), static_cast<int>(std::llabs(sw)), (dw < 0) != (sw < 0)};
    AxisMap my{static_cast<int>(std::llabs(dh)), static_cast<int>(std::llabs(sh)), (dh < 0) != (sh < 0)};
    // A negative extent runs back from the origin pixel, which it includes
    // (so x = width - 1, width = -width mirrors a picture in place).
    auto span = [](LONG a, LONG b) { return a <= b ? std::pair<LONG, LONG>{a, b} : std::pair<LONG, LONG>{b + 1, a + 1}; };
    auto [dl, dr] = span(da.x, db.x);
    auto [dt, dbm] = span(da.y, db.y);
    RECT dDev{dl, dt, dr, dbm};
    POINT so = src->SurfaceOrigin();
    int sLeft = span(sa.x, sb.x).first + so.x;
    int sTop = span(sa.y, sb.y).first + so.y;
    RECT dSurf{dDev.left + origin_.x, dDev.top + origin_.y, dDev.right + origin_.x, dDev.bottom + origin_.y};

    // Reading and writing the same surface (scrolling): work from a copy.
    Surface copy;
    const Surface* from = srcSurf;
    int fromLeft = sLeft, fromTop = sTop;
    if (srcSurf == surface_) {
        RECT need = IntersectRectValue(RECT{sLeft, sTop, sLeft + mx.srcLen, sTop + my.srcLen},
                                       RECT{0, 0, srcSurf->Width(), srcSurf->Height()});
        copy.Resize(need.right - need.left, need.bottom - need.top);
        for (int y = need.top; y < need.bottom; ++y)
            std::copy_n(srcSurf->Row(y) + need.left, need.right - need.left, copy.Row(y - need.top));
        from = &copy;
        fromLeft = sLeft - need.left;
        fromTop = sTop - need.top;
    }
    const int fromW = srcSurf == surface_ ? copy.Width() : srcSurf->Width();
    const int fromH = srcSurf == surface_ ? copy.Height() : srcSurf->Height();

    const bool srcMono = src->IsMonochrome();
    const Pixel textPx = TargetPixel(State().textColor);
    const Pixel bkPx = TargetPixel(State().bkColor);
    const Pixel srcBk = PixelFromColor(src->State().bkColor);
    auto convert = [&](Pixel p) -> Pixel {
        p &= 0x00FFFFFF;
        if (srcMono && !mono_) return p ? bkPx : textPx;
        if (!srcMono && mono_) return p == srcBk ? 0x00FFFFFFu : 0u;
        return p;
    };
    const int mode = State().stretchMode;
    auto sample = [&](int i, int j, bool& ok) -> Pixel {
        int c0, c1, r0, r1;
        mx.Range(i, c0, c1);
        my.Range(j, r0, r1);
        int x0 = fromLeft + c0, y0 = fromTop + r0;
        if (x0 < 0 || y0 < 0 || x0 >= fromW || y0 >= fromH) {
            ok = false;
            return 0;
        }
        ok = true;
        if (c1 - c0 == 1 && r1 - r0 == 1) return convert(from->At(x0, y0));
        if (mode == COLORONCOLOR) {
            int cx = mx.mirror ? c1 - 1 : c0, cy = my.mirror ? r1 - 1 : r0;
            int xx = std::clamp(fromLeft + cx, 0, fromW - 1), yy = std::clamp(fromTop + cy, 0, fromH - 1);
            return convert(from->At(xx, yy));
        }
        Pixel acc = convert(from->At(x0, y0));
        int count = 0;
        unsigned sum[3] = {0, 0, 0};
        for (int y = r0; y < r1; ++y) {
            int yy = fromTop + y;
            if (yy < 0 || yy >= fromH) continue;
            for (int x = c0; x < c1; ++x) {
                int xx = fromLeft + x;
                if (xx < 0 || xx >= fromW) continue;
                acc = Combine(mode, acc, convert(from->At(xx, yy)), count, sum);
            }
        }
        if (mode == HALFTONE && count > 0) {
            acc = ((sum[0] / count) << 16) | ((sum[1] / count) << 8) | (sum[2] / count);
            if (mono_) acc = acc >= 0x808080 ? 0x00FFFFFF : 0;
        }
        return acc;
    };

    const bool usesPattern = RopUsesPattern(op);
    Ink ink = usesPattern ? BrushInk(State().brush) : Ink::Solid(0);
    if (usesPattern && ink.none) ink = Ink::Solid(0);
    RopRowFn fn = RopRow(op);
    std::vector<Pixel> srow, prow;
    const bool direct = mx.dstLen == mx.srcLen && my.dstLen == my.srcLen && !mx.mirror && !my.mirror;

    for (const RECT& c : SurfaceClip().Rects()) {
        RECT piece = IntersectRectValue(dSurf, c);
        if (IsRectEmptyValue(piece)) continue;
        if (direct) {
            // Unscaled: the source is the same rectangle shifted; clip it to
            // the source's pixels.
            int offX = fromLeft - dSurf.left, offY = fromTop - dSurf.top;
            RECT srcArea{-offX, -offY, fromW - offX, fromH - offY};
            piece = IntersectRectValue(piece, srcArea);
            if (IsRectEmptyValue(piece)) continue;
        }
        int n = piece.right - piece.left;
        srow.resize(static_cast<std::size_t>(n));
        prow.resize(static_cast<std::size_t>(n));
        bool anyWritten = false;
        bool solidReady = false;
        for (int y = piece.top; y < piece.bottom; ++y) {
            int j = y - dSurf.top;
            int first = n, last = -1;
            const Pixel* srcRun = srow.data();
            if (direct) {
                const Pixel* s = from->Row(fromTop + j) + (fromLeft + piece.left - dSurf.left);
                if (srcMono == mono_) {
                    // Same format: the operation reads the source in place.
                    srcRun = s;
                } else {
                    for (int k = 0; k < n; ++k) srow[static_cast<std::size_t>(k)] = convert(s[k]);
                }
                first = 0;
                last = n - 1;
            } else {
                for (int k = 0; k < n; ++k) {
                    bool ok;
                    Pixel p = sample(piece.left + k - dSurf.left, j, ok);
                    if (ok) {
                        srow[static_cast<std::size_t>(k)] = p;
                        if (first == n) first = k;
                        last = k;
                    }
                }
            }
            if (last < first) continue;
            int runN = last - first + 1;
            Pixel* pat = nullptr;
            if (usesPattern && ink.IsSolid()) {
                if (!solidReady) {
                    std::fill(prow.begin(), prow.end(), ink.pixels[0]);
                    solidReady = true;
                }
                pat = prow.data();
            } else if (usesPattern) {
                int dy = y - origin_.y;
                int py = ((dy - ink.origin.y) % ink.height + ink.height) % ink.height;
                const Pixel* pr = ink.pixels.data() + static_cast<std::ptrdiff_t>(py) * ink.width;
                int px = ((piece.left + first - origin_.x - ink.origin.x) % ink.width + ink.width) % ink.width;
                for (int k = 0; k < runN; ++k) {
                    prow[static_cast<std::size_t>(k)] = pr[px];
                    if (++px == ink.width) px = 0;
                }
                pat = prow.data();
            }
            fn(surface_->Row(y) + piece.left + first, srcRun + first, pat, runN);
            anyWritten = true;
        }
        if (anyWritten) surface_->MarkDirty(piece);
    }
    return TRUE;
}

BOOL SurfaceDC::MaskBlt(const BltRect& dstR, DeviceContext* src, POINT srcOrg, BitmapObject* mask, POINT maskOrg,
                        DWORD rop4) {
    DWORD fore = rop4 & 0x00FFFFFF;
    DWORD back = ((rop4 >> 8) & 0x00FF0000) | (rop4 & 0xFFFF);
    if (!mask) return StretchBlt(dstR, src, BltRect{srcOrg.x, srcOrg.y, dstR.width, dstR.height}, fore);
    if (!mask->IsMonochrome()) return FALSE;
    if (!surface_) return TRUE;
    // Draw the operation for each mask value into copies of the target
    // area, then keep per pixel the one the mask chooses.
    RECT dDev = ToDeviceRect(RECT{dstR.x, dstR.y, dstR.x + dstR.width, dstR.y + dstR.height});
    RECT dSurf{dDev.left + origin_.x, dDev.top + origin_.y, dDev.right + origin_.x, dDev.bottom + origin_.y};
    dSurf = IntersectRectValue(dSurf, RECT{0, 0, surface_->Width(), surface_->Height()});
    if (IsRectEmptyValue(dSurf)) return TRUE;
    int w = dSurf.right - dSurf.left, h = dSurf.bottom - dSurf.top;
    Surface before(w, h);
    for (int y = 0; y < h; ++y) std::copy_n(surface_->Row(dSurf.top + y) + dSurf.left, w, before.Row(y));
    BltRect s{srcOrg.x, srcOrg.y, dstR.width, dstR.height};
    StretchBlt(dstR, src, s, back);
    Surface backResult(w, h);
    for (int y = 0; y < h; ++y) {
        std::copy_n(surface_->Row(dSurf.top + y) + dSurf.left, w, backResult.Row(y));
        std::copy_n(before.Row(y), w, surface_->Row(dSurf.top + y) + dSurf.left);
    }
    StretchBlt(dstR, src, s, fore);
    const Surface& m = mask->Pixels();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int mxp = maskOrg.x + (dSurf.left - origin_.x - dDev.left) + x;
            int myp = maskOrg.y + (dSurf.top - origin_.y - dDev.top) + y;
            bool bit = m.Contains(mxp, myp) && (m.At(mxp, myp) & 0x00FFFFFF);
            if (!bit) surface_->Row(dSurf.top + y)[dSurf.left + x] = backResult.At(x, y);
        }
    }
    surface_->MarkDirty(dSurf);
    return TRUE;
}

BOOL SurfaceDC::TransparentBlt(const BltRect& dstR, DeviceContext* src, const BltRect& srcR, COLORREF key) {
    if (!src || !src->PixelSurface()) return FALSE;
    if (dstR.width <= 0 || dstR.height <= 0 || srcR.width <= 0 || srcR.height <= 0) return FALSE;
    if (!surface_) return TRUE;
    Surface* srcSurf = src->PixelSurface();
    RECT dDev = ToDeviceRect(RECT{dstR.x, dstR.y, dstR.x + dstR.width, dstR.y + dstR.height});
    RECT sDev = src->ToDeviceRect(RECT{srcR.x, srcR.y, srcR.x + srcR.width, srcR.y + srcR.height});
    POINT so = src->SurfaceOrigin();
    int dw = dDev.right - dDev.left, dh = dDev.bottom - dDev.top;
    int sw = sDev.right - sDev.left, sh = sDev.bottom - sDev.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return TRUE;
    Pixel keyPx = PixelFromColor(key & 0x00FFFFFF);
    if (src->IsMonochrome()) keyPx = (keyPx != 0) ? 0x00FFFFFF : 0;
    const bool srcMono = src->IsMonochrome();
    const Pixel textPx = TargetPixel(State().textColor);
    const Pixel bkPx = TargetPixel(State().bkColor);
    RECT dSurf{dDev.left + origin_.x, dDev.top + origin_.y, dDev.right + origin_.x, dDev.bottom + origin_.y};
    for (const RECT& c : SurfaceClip().Rects()) {
        RECT piece = IntersectRectValue(dSurf, c);
        if (IsRectEmptyValue(piece)) continue;
        for (int y = piece.top; y < piece.bottom; ++y) {
            int sy = sDev.top + so.y + static_cast<int>((2LL * (y - dSurf.top) + 1) * sh / (2LL * dh));
            if (sy < 0 || sy >= srcSurf->Height()) continue;
            Pixel* drow = surface_->Row(y);
            for (int x = piece.left; x < piece.right; ++x) {
                int sx = sDev.left + so.x + static_cast<int>((2LL * (x - dSurf.left) + 1) * sw / (2LL * dw));
                if (sx < 0 || sx >= srcSurf->Width()) continue;
                Pixel p = srcSurf->At(sx, sy) & 0x00FFFFFF;
                if (p == keyPx) continue;
                if (srcMono && !mono_) p = p ? bkPx : textPx;
                else if (!srcMono && mono_) p = TargetPixel(ColorFromPixel(p));
                drow[x] = p;
            }
        }
        surface_->MarkDirty(piece);
    }
    return TRUE;
}

}  // namespace win32::gdi
