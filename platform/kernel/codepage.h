// Code page conversion: MultiByteToWideChar/WideCharToMultiByte for code
// page 932 (Shift-JIS) and UTF-8, and the UTF-8 helpers of the system.
//
// Bytes that are not valid Shift-JIS are kept, not replaced: each such byte
// b becomes the lone low surrogate U+DC00 + b ("byte escape"). No well-formed
// text contains a lone surrogate, so an escape never collides with a real
// character; in UTF-8 strings an escape is written as its three-byte form
// (ED B0 80 .. ED B3 BF), which the UTF-8 readers here take back as the same
// escape. Encoding to Shift-JIS writes each escape as its byte again, so a
// file read and written without edits comes back byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/windef.h"

namespace win32 {

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_MACCP = 2;
constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_SYMBOL = 42;
constexpr UINT CP_UTF7 = 65000;
constexpr UINT CP_UTF8 = 65001;

constexpr DWORD MB_PRECOMPOSED = 0x00000001;
constexpr DWORD MB_COMPOSITE = 0x00000002;
constexpr DWORD MB_USEGLYPHCHARS = 0x00000004;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;

constexpr DWORD WC_DISCARDNS = 0x00000010;
constexpr DWORD WC_SEPCHARS = 0x00000020;
constexpr DWORD WC_DEFAULTCHAR = 0x00000040;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;
constexpr DWORD WC_COMPOSITECHECK = 0x00000200;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

// Errors of the conversions (the others are in winbase.h).
constexpr DWORD ERROR_INVALID_FLAGS = 1004;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

constexpr UINT MAX_DEFAULTCHAR = 2;
constexpr UINT MAX_LEADBYTES = 12;

struct CPINFO {
    UINT MaxCharSize;
    BYTE DefaultChar[MAX_DEFAULTCHAR];
    BYTE LeadByte[MAX_LEADBYTES];
};
using LPCPINFO = CPINFO*;

// CP_ACP, CP_OEMCP and CP_THREAD_ACP are code page 932. Invalid Shift-JIS
// decodes to U+30FB (the code page's default character) as on Windows, or
// fails with MB_ERR_INVALID_CHARS; unmappable characters encode to '?' (or
// lpDefaultChar) and set *lpUsedDefaultChar. Byte escapes encode to their
// byte. Returns 0 on failure, with GetLastError telling why:
// ERROR_INVALID_PARAMETER, ERROR_INVALID_FLAGS, ERROR_INSUFFICIENT_BUFFER,
// ERROR_NO_UNICODE_TRANSLATION.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);
UINT GetACP();
UINT GetOEMCP();
BOOL IsValidCodePage(UINT CodePage);
BOOL GetCPInfo(UINT CodePage, LPCPINFO lpCPInfo);
BOOL IsDBCSLeadByte(BYTE TestChar);
BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar);

}  // namespace win32

// The conversions the rest of the system uses. Shift-JIS here always means
// the lossless form: invalid bytes become byte escapes and come back as the
// same bytes.
namespace win32::text {

constexpr char16_t kByteEscapeFirst = 0xDC00;
constexpr char16_t kByteEscapeLast = 0xDCFF;
constexpr char32_t kReplacementChar = 0xFFFD;

constexpr bool IsByteEscape(char32_t c) { return c >= kByteEscapeFirst && c <= kByteEscapeLast; }
constexpr char16_t ByteEscape(std::uint8_t b) { return static_cast<char16_t>(kByteEscapeFirst + b); }
constexpr std::uint8_t EscapedByte(char32_t c) { return static_cast<std::uint8_t>(c - kByteEscapeFirst); }

// Shift-JIS lead bytes (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsSjisLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The character a pair of Shift-JIS bytes stands for, whether or not it is
// the pair encoding writes for it; 0 when the pair holds no character. Lets
// the display show an escaped pair as the character it spells.
char16_t SjisPairChar(std::uint8_t lead, std::uint8_t trail);

// Number of Shift-JIS bytes a character takes: 1 or 2, 1 for an escape, 1 for
// a character that 932 cannot hold (it is written as '?').
int SjisCharBytes(char32_t c);

// Whether code page 932 holds the character (escapes count as held).
bool SjisCanEncode(char32_t c);

// Bytes -> UTF-16 and back. Decoding never fails (each input byte gives at
// most one UTF-16 unit). Encoding writes '?' for a character 932 cannot hold
// (an unpaired surrogate, a character outside the repertoire) and counts it
// in *replaced.
std::u16string SjisToUtf16(std::string_view sjis);
std::string Utf16ToSjis(std::u16string_view text, std::size_t* replaced = nullptr);

// Bytes -> UTF-8 and back, through the same rules.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8, std::size_t* replaced = nullptr);

// UTF-8 <-> UTF-16. Invalid UTF-8 reads as U+FFFD per bad byte (escape
// sequences read as escapes); unpaired surrogates other than escapes write as
// U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

// Shift-JIS byte length of UTF-16 text, as Utf16ToSjis would write it.
std::size_t SjisLength(std::u16string_view text);

// Block decoder for streams: decodes the bytes it can and keeps a lead byte
// whose trail is still to come. Returns the number of UTF-16 units written;
// `out` must have room for `size` units (plus one for a kept lead byte).
class SjisStreamDecoder {
public:
    std::size_t Decode(const char* bytes, std::size_t size, char16_t* out);
    // Flushes a kept lead byte (as an escape); returns 0 or 1 units written.
    std::size_t Finish(char16_t* out);
    bool HasPending() const { return pending_ >= 0; }

private:
    int pending_ = -1;
};

// Raw block functions behind the helpers, for callers that manage buffers.
// DecodeSjis: `out` has room for `size` units; returns units written. A lead
// byte at the very end becomes an escape. EncodeSjis: `out` has room for
// 2 * `size` bytes; returns bytes written.
std::size_t DecodeSjis(const char* bytes, std::size_t size, char16_t* out);
std::size_t EncodeSjis(const char16_t* text, std::size_t size, char* out, std::size_t* replaced);

// Which decoder DecodeSjis uses on long texts. By default each stretch of
// text goes to the one that is quicker on it; tests force one or the other
// to compare them.
enum class SjisDecoder { Auto, Blocks, Interleaved };
void SetSjisDecoder(SjisDecoder decoder);

// Appends one code point as UTF-8 (escapes in their three-byte form; other
// surrogates and out-of-range values as U+FFFD).
void AppendUtf8(std::string& out, char32_t c);

// Reads the code point at `pos` and advances `pos` past it. Invalid UTF-8
// gives U+FFFD and advances one byte; never reads past the end.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);

// Iterates code points of possibly invalid UTF-8: for (char32_t c : CodePoints(s)).
class CodePoints {
public:
    explicit CodePoints(std::string_view s) : s_(s) {}
    class Iterator {
    public:
        Iterator(std::string_view s, std::size_t pos) : s_(s), pos_(pos) { Load(); }
        char32_t operator*() const { return cur_; }
        std::size_t Offset() const { return pos_; }
        Iterator& operator++() {
            pos_ = next_;
            Load();
            return *this;
        }
        bool operator!=(const Iterator& o) const { return pos_ != o.pos_; }

    private:
        void Load() {
            next_ = pos_;
            if (pos_ < s_.size()) cur_ = NextCodePoint(s_, next_);
        }
        std::string_view s_;
        std::size_t pos_;
        std::size_t next_ = 0;
        char32_t cur_ = 0;
    };
    Iterator begin() const { return Iterator(s_, 0); }
    Iterator end() const { return Iterator(s_, s_.size()); }

private:
    std::string_view s_;
};

}  // namespace win32::text
