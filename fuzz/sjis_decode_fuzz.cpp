// Decoding any bytes as Shift-JIS and encoding the result must give the same
// bytes back, through UTF-16, through UTF-8 and through the stream decoder
// fed in two pieces; the block and the interleaved decoder must agree.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/kernel/codepage.h"

using namespace win32::text;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::u16string text = SjisToUtf16(bytes);
    std::size_t replaced = 0;
    if (Utf16ToSjis(text, &replaced) != bytes || replaced != 0) std::abort();
    if (SjisLength(text) != size) std::abort();
    if (Utf8ToSjis(SjisToUtf8(bytes)) != bytes) std::abort();

    std::size_t cut = size ? data[0] % (size + 1) : 0;
    SjisStreamDecoder dec;
    std::u16string streamed(size + 2, u'\0');
    std::size_t n = dec.Decode(bytes.data(), cut, streamed.data());
    n += dec.Decode(bytes.data() + cut, size - cut, streamed.data() + n);
    n += dec.Finish(streamed.data() + n);
    streamed.resize(n);
    if (streamed != text) std::abort();

    SetSjisDecoder(SjisDecoder::Blocks);
    std::u16string blocks = SjisToUtf16(bytes);
    SetSjisDecoder(SjisDecoder::Interleaved);
    std::u16string interleaved = SjisToUtf16(bytes);
    SetSjisDecoder(SjisDecoder::Auto);
    if (blocks != text || interleaved != text) std::abort();

    // Reading the same bytes as UTF-8 must stay in bounds and survive a trip
    // back to UTF-8 and UTF-16.
    std::u16string asUtf8 = Utf8ToUtf16(bytes);
    if (Utf8ToUtf16(Utf16ToUtf8(asUtf8)) != asUtf8) std::abort();
    return 0;
}
