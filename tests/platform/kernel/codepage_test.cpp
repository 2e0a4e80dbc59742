#include "platform/kernel/codepage.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace win32;
using namespace win32::text;

namespace {

std::string Bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

// Every byte pair and every single byte, each pair followed by a newline so
// that lone lead bytes and bad trail bytes occur in all combinations.
std::string EveryCode() {
    std::string s;
    for (int b = 0; b < 256; ++b) s.push_back(static_cast<char>(b));
    for (int lead = 0x80; lead < 0x100; ++lead) {
        for (int trail = 0; trail < 0x100; ++trail) {
            s.push_back(static_cast<char>(lead));
            s.push_back(static_cast<char>(trail));
            s.push_back('\n');
        }
    }
    return s;
}

std::u16string Decode932(const std::string& bytes, DWORD flags = 0) {
    int n = MultiByteToWideChar(932, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(n, u'\0');
    if (n) MultiByteToWideChar(932, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string Encode932(const std::u16string& text, BOOL* used = nullptr, LPCSTR def = nullptr) {
    int n = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, def, used);
    std::string out(n, '\0');
    if (n) WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), out.data(), n, def, used);
    return out;
}

}  // namespace

TEST(Cp932, KnownCharactersOfTheWindowsRepertoire) {
    EXPECT_EQ(SjisToUtf16(Bytes({0x5C, 0x7E})), u"\\~");
    EXPECT_EQ(SjisToUtf16(Bytes({0xA1, 0xDF})), u"\uFF61\uFF9F");
    EXPECT_EQ(SjisToUtf16(Bytes({0x82, 0xA0, 0x88, 0x9F})), u"あ亜");
    // The characters where Windows differs from plain JIS mappings.
    EXPECT_EQ(SjisToUtf16(Bytes({0x81, 0x5F, 0x81, 0x60, 0x81, 0x61, 0x81, 0x7C, 0x81, 0x91, 0x81, 0xCA})),
              u"\uFF3C\uFF5E\u2225\uFF0D\uFFE0\uFFE2");
    // NEC row 13, IBM extension and the user-defined area.
    EXPECT_EQ(SjisToUtf16(Bytes({0x87, 0x40, 0x87, 0x54, 0xFA, 0x40, 0xFC, 0x4B})), u"①Ⅰⅰ\u9ED1");
    EXPECT_EQ(SjisToUtf16(Bytes({0xF0, 0x40, 0xF9, 0xFC})), u"\uE000\uE757");
    EXPECT_EQ(SjisToUtf16(Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF})), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
}

TEST(Cp932, DuplicatesEncodeToTheBytesWindowsPrefers) {
    // Row 2 of JIS X 0208 over NEC row 13, NEC row 13 over the IBM extension,
    // the IBM extension over the NEC-selected IBM extension.
    EXPECT_EQ(Utf16ToSjis(u"\u2235"), Bytes({0x81, 0xE6}));
    EXPECT_EQ(Utf16ToSjis(u"\uFFE2"), Bytes({0x81, 0xCA}));
    EXPECT_EQ(Utf16ToSjis(u"Ⅰ"), Bytes({0x87, 0x54}));
    EXPECT_EQ(Utf16ToSjis(u"ⅰ"), Bytes({0xFA, 0x40}));
    EXPECT_EQ(Utf16ToSjis(u"\u7E8A"), Bytes({0xFA, 0x5C}));
    // The Windows API decodes the other codes to their characters ...
    EXPECT_EQ(Decode932(Bytes({0xED, 0x40, 0xEE, 0xEF, 0x87, 0x90})), u"\u7E8Aⅰ\u2252");
    // ... while the lossless decoder keeps their bytes.
    std::string bytes = Bytes({0xED, 0x40, 0xEE, 0xEF, 0x87, 0x90});
    EXPECT_EQ(SjisToUtf16(bytes), std::u16string({ByteEscape(0xED), u'@', ByteEscape(0xEE), ByteEscape(0xEF),
                                                   ByteEscape(0x87), ByteEscape(0x90)}));
    EXPECT_EQ(Utf16ToSjis(SjisToUtf16(bytes)), bytes);
    EXPECT_EQ(SjisPairChar(0xED, 0x40), u'\u7E8A');
}

TEST(Cp932, EveryCodeAndEveryInvalidByteSurvivesARoundTrip) {
    std::string all = EveryCode();
    std::u16string text = SjisToUtf16(all);
    std::size_t replaced = 0;
    EXPECT_EQ(Utf16ToSjis(text, &replaced), all);
    EXPECT_EQ(replaced, 0u);
    // Through UTF-8 too, as the text travels through the window system.
    EXPECT_EQ(Utf8ToSjis(SjisToUtf8(all)), all);
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(SjisLength(text), all.size());
}

TEST(Cp932, InvalidBytesBecomeEscapes) {
    EXPECT_EQ(SjisToUtf16(Bytes({'a', 0x81})), std::u16string({u'a', ByteEscape(0x81)}));
    EXPECT_EQ(SjisToUtf16(Bytes({0x81, 0x20})), std::u16string({ByteEscape(0x81), u' '}));
    EXPECT_EQ(SjisToUtf16(Bytes({0x85, 0x40})), std::u16string({ByteEscape(0x85), u'@'}));
    // A lead byte whose trail is itself a lead byte starts a new character.
    EXPECT_EQ(SjisToUtf16(Bytes({0x85, 0x82, 0xA0})), std::u16string({ByteEscape(0x85), u'あ'}));
    EXPECT_EQ(SjisToUtf16(std::string(3, '\0')), std::u16string(3, u'\0'));
    // Escapes are three-byte UTF-8 forms that read back as escapes.
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, ByteEscape(0x81))), Bytes({0xED, 0xB2, 0x81}));
    EXPECT_EQ(SjisToUtf8(Bytes({0x81})), Bytes({0xED, 0xB2, 0x81}));
}

TEST(Cp932, StreamDecoderMatchesWholeDecodingAtEverySplit) {
    std::mt19937 rng(7);
    std::string bytes;
    const int pool[] = {'a', '\r', '\n', 0x82, 0xA0, 0x81, 0x88, 0x9F, 0xB1, 0xFC, 0x40, 0x00, 0xED, 0xE0};
    for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<char>(pool[rng() % std::size(pool)]));
    std::u16string whole = SjisToUtf16(bytes);
    for (std::size_t cut1 = 0; cut1 <= bytes.size(); cut1 += 7) {
        for (std::size_t cut2 = cut1; cut2 <= bytes.size(); cut2 += 13) {
            SjisStreamDecoder dec;
            std::u16string out(bytes.size() + 3, u'\0');
            std::size_t n = dec.Decode(bytes.data(), cut1, out.data());
            n += dec.Decode(bytes.data() + cut1, cut2 - cut1, out.data() + n);
            n += dec.Decode(bytes.data() + cut2, bytes.size() - cut2, out.data() + n);
            n += dec.Finish(out.data() + n);
            out.resize(n);
            ASSERT_EQ(out, whole) << cut1 << " " << cut2;
        }
    }
}

TEST(Cp932, CharactersOutsideTheCodePageAreReplacedAndCounted) {
    std::size_t replaced = 0;
    EXPECT_EQ(Utf16ToSjis(u"a\u00A5b\U0001F600c\xD800", &replaced), "a?b?c?");
    EXPECT_EQ(replaced, 3u);
    EXPECT_FALSE(SjisCanEncode(0x00A5));
    EXPECT_TRUE(SjisCanEncode(u'漢'));
    EXPECT_EQ(SjisCharBytes(u'漢'), 2);
    EXPECT_EQ(SjisCharBytes(u'ｱ'), 1);
    // A low surrogate in the escape range that completes a pair is a character,
    // not an escape.
    EXPECT_EQ(Utf16ToSjis(u"\U00010000"), "?");
}

TEST(Cp932Api, MultiByteToWideCharFollowsTheWin32Conventions) {
    const char* s = "\x82\xa0z";
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0), 3);  // with the terminator
    WCHAR buf[8] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, s, -1, buf, 8), 3);
    EXPECT_EQ(std::u16string(buf), u"あz");
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, s, 3, buf, 1), 0);  // buffer too small
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, s, 0, buf, 8), 0);
    EXPECT_EQ(MultiByteToWideChar(1252, 0, s, 3, buf, 8), 0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 3, buf, 8), 0);
    // Invalid Shift-JIS: the default character, or failure when asked.
    EXPECT_EQ(Decode932(Bytes({0x85, 0x40, 'a', 0x81})), u"\u30FBa\u30FB");
    EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, "\x81", 1, buf, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(MultiByteToWideChar(932, MB_PRECOMPOSED | MB_COMPOSITE, s, 3, buf, 8), 0);
    // UTF-8, bad bytes replaced or refused.
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xe3\x81\x82\xff", 4, buf, 8), 2);
    EXPECT_EQ(buf[0], u'あ');
    EXPECT_EQ(buf[1], u'\uFFFD');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xe3\x81\x82\xff", 4, buf, 8), 0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xef\xbf\xbd", 3, buf, 8), 1);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, buf, 8), 0);
}

TEST(Cp932Api, WideCharToMultiByteReportsTheDefaultCharacter) {
    BOOL used = TRUE;
    EXPECT_EQ(Encode932(u"あa", &used), "\x82\xa0" "a");
    EXPECT_FALSE(used);
    EXPECT_EQ(Encode932(u"\u00E9", &used), "?");
    EXPECT_TRUE(used);
    EXPECT_EQ(Encode932(u"\u00E9", &used, "\x81\x45"), "\x81\x45");  // a double-byte default
    const WCHAR w[] = u"漢";
    EXPECT_EQ(WideCharToMultiByte(932, 0, w, -1, nullptr, 0, nullptr, nullptr), 3);
    char out[4];
    EXPECT_EQ(WideCharToMultiByte(932, 0, w, -1, out, 2, nullptr, nullptr), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, w, 1, out, 4, nullptr, &used), 0);  // not allowed for UTF-8
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, w, 1, out, 4, nullptr, nullptr), 3);
    const WCHAR lone[] = {0xD800, 0};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, 1, out, 4, nullptr, nullptr), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, 1, out, 4, nullptr, nullptr), 3);
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_TRUE(IsDBCSLeadByte(0x81));
    EXPECT_FALSE(IsDBCSLeadByte(0xA1));
    CPINFO info;
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    EXPECT_EQ(info.MaxCharSize, 2u);
    EXPECT_EQ(info.LeadByte[0], 0x81);
    EXPECT_EQ(info.LeadByte[3], 0xFC);
}

TEST(Utf8, ReadingInvalidUtf8NeverOverrunsAndReplacesBadBytes) {
    EXPECT_EQ(Utf8ToUtf16("a\xe3\x81"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\uFFFD\uFFFD");            // overlong
    EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");  // a high surrogate
    EXPECT_EQ(Utf8ToUtf16("\xf0\x9f\x98\x80"), u"\U0001F600");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xf0\x9f\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(u"\xDBFF"), "\xef\xbf\xbd");
    std::u32string cps;
    std::string s = "x\xe6\xbc\xa2\x80";
    for (char32_t c : CodePoints(s)) cps.push_back(c);
    EXPECT_EQ(cps, U"x漢\uFFFD");
}

// Both decoders, and the choice between them, against decoding one byte at a
// time, which takes neither: Japanese-like byte soup with invalid bytes, runs
// of ASCII and of double-byte characters, and stretches longer than the
// search for a place to cut (double-byte characters made only of lead-range
// bytes), read from every offset in a block so that characters straddle the
// block edges and the cuts in every way, and fed in pieces of every size to
// the stream decoder.
TEST(Cp932, DecodersAgreeWithByteAtATimeDecoding) {
    std::mt19937 rng(11);
    std::string leadRange;
    for (int i = 0; i < 200; ++i) leadRange += "\x88\x9f\x8a\x9f";
    const std::string pieces[] = {"text ", "\x82\xa0", "\x88\x9f\x8a\xbf", "\xb1\xb2", "\r\n", "\x81", "\x85\x40",
                                  "\xed\x40", "\xa0", "\xfd\xfe\xff", "\x80", std::string(1, '\0'), "0123456789abcdef",
                                  "\x8a\xbf\x8e\x9a\x95\xcf\x8a\xb7\x91\xac\x93\x78\x93\xfa\x96\x7b", leadRange};
    std::string bytes;
    while (bytes.size() < 150000) bytes += pieces[rng() % (std::size(pieces) - (rng() % 50 != 0))];
    auto byteAtATime = [](std::string_view s, std::size_t chunk) {
        SjisStreamDecoder dec;
        std::u16string out(s.size(), u'\0');
        std::size_t n = 0;
        for (std::size_t i = 0; i < s.size(); i += chunk) {
            n += dec.Decode(s.data() + i, std::min(chunk, s.size() - i), out.data() + n);
        }
        n += dec.Finish(out.data() + n);
        out.resize(n);
        return out;
    };
    const std::u16string expected = byteAtATime(bytes, 1);
    for (SjisDecoder decoder : {SjisDecoder::Blocks, SjisDecoder::Interleaved, SjisDecoder::Auto}) {
        SetSjisDecoder(decoder);
        const int which = static_cast<int>(decoder);
        for (std::size_t offset = 0; offset < 17; ++offset) {
            std::string_view part = std::string_view(bytes).substr(offset);
            ASSERT_EQ(SjisToUtf16(part), byteAtATime(part, 1)) << "decoder " << which << " offset " << offset;
        }
        for (std::size_t chunk : {1777u, 4099u, 65536u}) {
            ASSERT_EQ(byteAtATime(bytes, chunk), expected) << "decoder " << which << " chunk " << chunk;
        }
        ASSERT_EQ(Utf16ToSjis(SjisToUtf16(bytes)), bytes) << "decoder " << which;
    }
    SetSjisDecoder(SjisDecoder::Auto);
}
