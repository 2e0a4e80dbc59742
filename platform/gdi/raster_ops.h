// Raster operations. A ternary operation (the third byte of a ROP code such
// as SRCCOPY) is a truth table over pattern, source and destination bits:
// bit number (P * 4 + S * 2 + D) of the byte is the result. A binary
// operation (SetROP2) is the same over pattern and destination, so it maps
// onto the ternary table with the source ignored.
#pragma once

#include <cstdint>

#include "platform/gdi/surface.h"
#include "platform/windef.h"

namespace win32::gdi {

// Applies ternary operation `rop` to n pixels: dst[i] = f(pat[i], src[i],
// dst[i]). `src` or `pat` may be null when the operation does not use it.
using RopRowFn = void (*)(Pixel* dst, const Pixel* src, const Pixel* pat, int n);
RopRowFn RopRow(std::uint8_t rop);

constexpr std::uint8_t RopIndex(DWORD rop) { return static_cast<std::uint8_t>((rop >> 16) & 0xFF); }

constexpr bool RopUsesSource(std::uint8_t r) { return ((r >> 2) & 0x33) != (r & 0x33); }
constexpr bool RopUsesPattern(std::uint8_t r) { return ((r >> 4) & 0x0F) != (r & 0x0F); }
constexpr bool RopUsesDest(std::uint8_t r) { return ((r >> 1) & 0x55) != (r & 0x55); }

// R2_BLACK..R2_WHITE as a ternary operation on pattern (the pen or brush)
// and destination.
constexpr std::uint8_t Rop3FromRop2(int rop2) {
    unsigned t = static_cast<unsigned>(rop2 - 1) & 0xF;  // bit (P * 2 + D)
    unsigned r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        unsigned p = (i >> 2) & 1, d = i & 1;
        if ((t >> (p * 2 + d)) & 1) r |= 1u << i;
    }
    return static_cast<std::uint8_t>(r);
}

// One pixel through an operation (slow path, for single pixels).
constexpr Pixel ApplyRop(std::uint8_t rop, Pixel p, Pixel s, Pixel d) {
    Pixel r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!((rop >> i) & 1)) continue;
        Pixel m = ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        r |= m;
    }
    return r & 0x00FFFFFF;
}

}  // namespace win32::gdi
