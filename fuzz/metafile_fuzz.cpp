// Metafile byte streams from outside: SetEnhMetaFileBits must reject any
// stream that is truncated or malformed, and whatever it accepts must write
// back byte for byte and replay without harm.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/gdi/wingdi.h"

using namespace win32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20)) return 0;
    HENHMETAFILE mf = SetEnhMetaFileBits(static_cast<UINT>(size), data);
    if (!mf) return 0;
    std::vector<BYTE> again(size);
    if (GetEnhMetaFileBits(mf, static_cast<UINT>(size), again.data()) != size ||
        !std::equal(again.begin(), again.end(), data)) {
        std::abort();
    }
    static HDC dc = [] {
        HDC d = CreateCompatibleDC(nullptr);
        SelectObject(d, CreateBitmap(48, 32, 1, 32, nullptr));
        return d;
    }();
    RECT dest{2, 2, 46, 30};
    PlayEnhMetaFile(dc, mf, &dest);
    DeleteEnhMetaFile(mf);
    return 0;
}
