#include "platform/gdi/raster_ops.h"

#include <array>
#include <utility>

// The per-operation loops are generated from the index, so the compiler
// folds each truth table into straight bitwise code and vectorises it.
#pragma GCC optimize("O3")

namespace win32::gdi {

namespace {

template <unsigned R>
inline Pixel Eval(Pixel p, Pixel s, Pixel d) {
    Pixel r = 0;
    if constexpr ((R & 0x01) != 0) r |= ~p & ~s & ~d;
    if constexpr ((R & 0x02) != 0) r |= ~p & ~s & d;
    if constexpr ((R & 0x04) != 0) r |= ~p & s & ~d;
    if constexpr ((R & 0x08) != 0) r |= ~p & s & d;
    if constexpr ((R & 0x10) != 0) r |= p & ~s & ~d;
    if constexpr ((R & 0x20) != 0) r |= p & ~s & d;
    if constexpr ((R & 0x40) != 0) r |= p & s & ~d;
    if constexpr ((R & 0x80) != 0) r |= p & s & d;
    return r & 0x00FFFFFFu;
}

template <unsigned R>
void Row(Pixel* __restrict dst, const Pixel* __restrict src, const Pixel* __restrict pat, int n) {
    constexpr bool useS = RopUsesSource(R);
    constexpr bool useP = RopUsesPattern(R);
    for (int i = 0; i < n; ++i) {
        Pixel p = 0, s = 0;
        if constexpr (useP) p = pat[i];
        if constexpr (useS) s = src[i];
        dst[i] = Eval<R>(p, s, dst[i]);
    }
}

// Hand-written forms of the common operations.
void RowSrcCopy(Pixel* __restrict dst, const Pixel* __restrict src, const Pixel*, int n) {
    for (int i = 0; i < n; ++i) dst[i] = src[i] & 0x00FFFFFFu;
}
void RowPatCopy(Pixel* __restrict dst, const Pixel*, const Pixel* __restrict pat, int n) {
    for (int i = 0; i < n; ++i) dst[i] = pat[i] & 0x00FFFFFFu;
}
void RowPatInvert(Pixel* __restrict dst, const Pixel*, const Pixel* __restrict pat, int n) {
    for (int i = 0; i < n; ++i) dst[i] = (dst[i] ^ pat[i]) & 0x00FFFFFFu;
}
void RowDstInvert(Pixel* __restrict dst, const Pixel*, const Pixel*, int n) {
    for (int i = 0; i < n; ++i) dst[i] = ~dst[i] & 0x00FFFFFFu;
}
void RowBlack(Pixel* __restrict dst, const Pixel*, const Pixel*, int n) {
    for (int i = 0; i < n; ++i) dst[i] = 0;
}
void RowWhite(Pixel* __restrict dst, const Pixel*, const Pixel*, int n) {
    for (int i = 0; i < n; ++i) dst[i] = 0x00FFFFFFu;
}
void RowSrcAnd(Pixel* __restrict dst, const Pixel* __restrict src, const Pixel*, int n) {
    for (int i = 0; i < n; ++i) dst[i] = dst[i] & src[i] & 0x00FFFFFFu;
}
void RowSrcPaint(Pixel* __restrict dst, const Pixel* __restrict src, const Pixel*, int n) {
    for (int i = 0; i < n; ++i) dst[i] = (dst[i] | src[i]) & 0x00FFFFFFu;
}
void RowSrcInvert(Pixel* __restrict dst, const Pixel* __restrict src, const Pixel*, int n) {
    for (int i = 0; i < n; ++i) dst[i] = (dst[i] ^ src[i]) & 0x00FFFFFFu;
}
// DSPDxax: the pattern where the source is 1, the destination where 0.
void RowDSPDxax(Pixel* __restrict dst, const Pixel* __restrict src, const Pixel* __restrict pat, int n) {
    for (int i = 0; i < n; ++i) dst[i] = (((pat[i] ^ dst[i]) & src[i]) ^ dst[i]) & 0x00FFFFFFu;
}
// PSDPxax: the destination where the source is 1, the pattern where 0.
void RowPSDPxax(Pixel* __restrict dst, const Pixel* __restrict src, const Pixel* __restrict pat, int n) {
    for (int i = 0; i < n; ++i) dst[i] = (((dst[i] ^ pat[i]) & src[i]) ^ pat[i]) & 0x00FFFFFFu;
}

template <std::size_t... I>
constexpr std::array<RopRowFn, 256> MakeTable(std::index_sequence<I...>) {
    return {{&Row<I>...}};
}

std::array<RopRowFn, 256> BuildTable() {
    auto t = MakeTable(std::make_index_sequence<256>{});
    t[0xCC] = RowSrcCopy;
    t[0xF0] = RowPatCopy;
    t[0x5A] = RowPatInvert;
    t[0x55] = RowDstInvert;
    t[0x00] = RowBlack;
    t[0xFF] = RowWhite;
    t[0x88] = RowSrcAnd;
    t[0xEE] = RowSrcPaint;
    t[0x66] = RowSrcInvert;
    t[0xE2] = RowDSPDxax;
    t[0xB8] = RowPSDPxax;
    return t;
}

}  // namespace

RopRowFn RopRow(std::uint8_t rop) {
    static const std::array<RopRowFn, 256> table = BuildTable();
    return table[rop];
}

}  // namespace win32::gdi
