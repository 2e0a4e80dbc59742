// The generated data of code page 932 (cp932_table.cpp) and the lookup
// tables built from it on first use.
#pragma once

#include <cstddef>
#include <cstdint>

namespace win32::cp932 {

constexpr int kLeadCount = 60;    // 0x81-0x9F, 0xE0-0xFC
constexpr int kTrailCount = 188;  // 0x40-0x7E, 0x80-0xFC
constexpr int kNonPreferredCount = 398;

extern const std::uint16_t kDoubleByteRows[kLeadCount][kTrailCount];
extern const std::uint16_t kNonPreferredPairs[kNonPreferredCount];

// Lookup tables, laid out for the conversion loops.
struct Tables {
    // Row of a lead byte in the pair tables, or -1 for a single byte.
    std::int8_t leadRow[256];
    // Character of a single byte (every byte that is not a lead has one).
    char16_t single[256];
    // Character of lead row r and trail byte t at [r * 256 + t]; 0 = none.
    // `pairExact` also gives 0 for pairs whose character is written with
    // other bytes, so that decoding them as escapes keeps the file's bytes.
    char16_t pairAny[kLeadCount * 256];
    char16_t pairExact[kLeadCount * 256];
    // Bytes of a BMP character: 0 = not in 932; < 0x100 a single byte;
    // otherwise lead << 8 | trail. U+0000 is handled by the callers.
    std::uint16_t encode[65536];
    // Branch-free forms of the lossless tables. decodeStep[next << 8 | b]
    // (the two bytes as a little-endian word):
    // the unit that byte b (followed by `next`) decodes to, and in bits 16+
    // the number of bytes it takes. encodeStep[c]: the bytes of c in memory
    // order in bits 0-15 and their count in bits 16+; 0 when c needs the slow
    // path (a surrogate pair or a character 932 cannot hold).
    std::uint32_t decodeStep[65536];
    std::uint32_t encodeStep[65536];
};

const Tables& GetTables();

}  // namespace win32::cp932
