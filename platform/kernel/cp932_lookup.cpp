// Builds the lookup tables of code page 932 from the generated rows once, on
// first use (about 200 KB, a fraction of a millisecond).
#include <algorithm>
#include <memory>

#include "platform/kernel/cp932_table.h"

namespace win32::cp932 {
namespace {

int TrailIndex(int trail) {
    if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
    if (trail >= 0x80 && trail <= 0xFC) return trail - 0x41;
    return -1;
}

int LeadByteOfRow(int row) { return row < 31 ? 0x81 + row : 0xE0 + (row - 31); }

std::unique_ptr<Tables> Build() {
    auto t = std::make_unique<Tables>();
    std::fill(std::begin(t->leadRow), std::end(t->leadRow), std::int8_t{-1});
    for (int row = 0; row < kLeadCount; ++row) t->leadRow[LeadByteOfRow(row)] = static_cast<std::int8_t>(row);

    for (int b = 0; b < 0x80; ++b) t->single[b] = static_cast<char16_t>(b);
    for (int b = 0xA1; b <= 0xDF; ++b) t->single[b] = static_cast<char16_t>(0xFF61 + (b - 0xA1));
    // Windows gives the four bytes that are neither lead bytes nor katakana
    // private-use characters, and 0x80 itself, so that they survive a round trip.
    t->single[0x80] = 0x0080;
    t->single[0xA0] = 0xF8F0;
    t->single[0xFD] = 0xF8F1;
    t->single[0xFE] = 0xF8F2;
    t->single[0xFF] = 0xF8F3;

    std::fill(std::begin(t->encode), std::end(t->encode), std::uint16_t{0});
    for (int b = 1; b < 256; ++b) {
        if (t->leadRow[b] < 0) t->encode[t->single[b]] = static_cast<std::uint16_t>(b);
    }

    std::fill(std::begin(t->pairAny), std::end(t->pairAny), char16_t{0});
    for (int row = 0; row < kLeadCount; ++row) {
        for (int trail = 0; trail < 256; ++trail) {
            int ti = TrailIndex(trail);
            if (ti >= 0) t->pairAny[row * 256 + trail] = kDoubleByteRows[row][ti];
        }
    }
    std::copy(std::begin(t->pairAny), std::end(t->pairAny), std::begin(t->pairExact));
    for (std::uint16_t code : kNonPreferredPairs) t->pairExact[t->leadRow[code >> 8] * 256 + (code & 0xFF)] = 0;

    for (int row = 0; row < kLeadCount; ++row) {
        for (int trail = 0; trail < 256; ++trail) {
            char16_t c = t->pairExact[row * 256 + trail];
            if (c != 0) t->encode[c] = static_cast<std::uint16_t>((LeadByteOfRow(row) << 8) | trail);
        }
    }
    for (int b = 0; b < 256; ++b) {
        for (int next = 0; next < 256; ++next) {
            std::uint32_t step = 0x10000u | t->single[b];
            if (t->leadRow[b] >= 0) {
                char16_t c = t->pairExact[t->leadRow[b] * 256 + next];
                step = c != 0 ? (0x20000u | c) : (0x10000u | (0xDC00u + b));
            }
            t->decodeStep[next << 8 | b] = step;
        }
    }
    for (int c = 0; c < 65536; ++c) {
        std::uint16_t code = t->encode[c];
        std::uint32_t step = 0;
        if (c == 0) {
            step = 0x10000u;
        } else if (code >= 0x100) {
            step = 0x20000u | (code >> 8) | ((code & 0xFFu) << 8);
        } else if (code != 0) {
            step = 0x10000u | code;
        } else if (c >= 0xDC00 && c <= 0xDCFF) {
            step = 0x10000u | (c - 0xDC00);
        }
        t->encodeStep[c] = step;
    }
    return t;
}

}  // namespace

const Tables& GetTables() {
    static const std::unique_ptr<Tables> tables = Build();
    return *tables;
}

}  // namespace win32::cp932
