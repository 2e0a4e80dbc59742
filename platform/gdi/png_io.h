// PNG files of surfaces: snapshots of what was drawn, and small reference
// pictures for tests. Reading accepts any PNG (palette, grey, 16-bit,
// alpha, interlaced); alpha is dropped. Malformed or oversized input is
// rejected, never trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"

namespace win32::gdi {

// Largest picture accepted when reading (pixels per side, and in total).
constexpr int kPngMaxSide = 16384;
constexpr long long kPngMaxPixels = 64LL * 1024 * 1024;

std::vector<std::uint8_t> EncodePng(const Surface& surface);
bool WritePng(const Surface& surface, const std::string& path);

// Fills `out` with the picture; false (and `out` untouched) when the data is
// not a readable PNG.
bool DecodePng(const std::uint8_t* data, std::size_t size, Surface& out);
bool ReadPng(const std::string& path, Surface& out);

}  // namespace win32::gdi
