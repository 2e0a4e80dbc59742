// EM_STREAMIN and EM_STREAMOUT in plain text: Shift-JIS through the
// caller's callback, block by block. A stream that fails leaves the text as
// it was; characters code page 932 cannot hold go out as '?' and are counted.
#include <algorithm>
#include <vector>

#include "platform/richedit/edit_control.h"

namespace win32::richedit {
namespace {

constexpr LONG kBlock = 64 * 1024;
constexpr Pos kOutChunk = 32 * 1024;
constexpr DWORD kWriteFault = 29;  // ERROR_WRITE_FAULT: the callback took nothing

}  // namespace

LRESULT EditControl::StreamIn(WPARAM format, EDITSTREAM* stream) {
    if (!stream || !stream->pfnCallback) return 0;
    stream->dwError = 0;
    if ((format & 0x0F) != SF_TEXT) return 0;
    std::vector<BYTE> buffer(static_cast<std::size_t>(kBlock));

    if (format & SFF_SELECTION) {
        text::SjisStreamDecoder decoder;
        std::u16string text;
        std::u16string units(static_cast<std::size_t>(kBlock) + 1, u'\0');
        for (;;) {
            LONG got = 0;
            DWORD error = stream->pfnCallback(stream->dwCookie, buffer.data(), kBlock, &got);
            if (!Alive()) return 0;
            if (error) {
                stream->dwError = error;
                return 0;
            }
            if (got <= 0) break;
            got = std::min(got, kBlock);
            std::size_t n = decoder.Decode(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(got),
                                           units.data());
            text.append(units.data(), n);
            if (static_cast<Pos>(text.size()) > doc_.Limit() + 2) break;  // the rest could not go in anyway
        }
        char16_t last[1];
        text.append(last, decoder.Finish(last));
        Pos before = doc_.Length() - (sel_.Max() - sel_.Min());
        if (!ReplaceSelection(text, EditKind::Other)) return 0;
        return doc_.Length() - before;
    }

    StreamLoader loader(doc_.Limit());
    for (;;) {
        LONG got = 0;
        DWORD error = stream->pfnCallback(stream->dwCookie, buffer.data(), kBlock, &got);
        if (!Alive()) return 0;
        if (error) {
            stream->dwError = error;
            return 0;
        }
        if (got <= 0) break;
        if (!loader.Feed(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(std::min(got, kBlock))))
            break;
    }
    std::uint64_t stamp = changeStamp_;
    Selection before = sel_;
    EditResult r = loader.Finish(doc_);
    WholeTextReplaced(before, stamp != changeStamp_, r.truncated, true);
    return r.inserted;
}

LRESULT EditControl::StreamOut(WPARAM format, EDITSTREAM* stream) {
    if (!stream || !stream->pfnCallback) return 0;
    stream->dwError = 0;
    lostChars_ = 0;
    if ((format & 0x0F) != SF_TEXT) return 0;
    Pos start = 0;
    Pos end = doc_.Length();
    if (format & SFF_SELECTION) {
        start = sel_.Min();
        end = sel_.Max();
    }
    const TextStore& store = doc_.Store();
    std::u16string scratch;
    std::vector<char> bytes(static_cast<std::size_t>(kOutChunk) * 2);
    Pos pos = start;
    while (pos < end) {
        Pos n = std::min(kOutChunk, end - pos);
        // A surrogate pair stays in one block.
        if (pos + n < end && store.CharAt(pos + n - 1) >= 0xD800 && store.CharAt(pos + n - 1) <= 0xDBFF) --n;
        const char16_t* units = store.RangeView(pos, n, scratch);
        std::size_t replaced = 0;
        std::size_t size = text::EncodeSjis(units, static_cast<std::size_t>(n), bytes.data(), &replaced);
        lostChars_ += replaced;
        std::size_t written = 0;
        while (written < size) {
            LONG took = 0;
            DWORD error = stream->pfnCallback(stream->dwCookie, reinterpret_cast<LPBYTE>(bytes.data() + written),
                                              static_cast<LONG>(size - written), &took);
            if (!Alive()) return 0;
            if (error || took <= 0) {
                stream->dwError = error ? error : kWriteFault;
                return pos - start;
            }
            written += static_cast<std::size_t>(std::min<LONG>(took, static_cast<LONG>(size - written)));
        }
        pos += n;
    }
    return end - start;
}

}  // namespace win32::richedit
