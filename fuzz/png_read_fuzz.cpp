// PNG reading of outside data: any bytes must be decoded or refused, never
// crash or allocate without bound.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/png_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    win32::Surface s;
    if (win32::gdi::DecodePng(data, size, s)) {
        // A decoded picture re-encodes.
        (void)win32::gdi::EncodePng(s);
    }
    return 0;
}
