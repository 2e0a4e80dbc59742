// Shift-JIS decoding and encoding against the C library's iconv on the same
// bytes. Throughput is counted in Shift-JIS bytes.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>

#include "bench/sample_text.h"
#include "platform/kernel/codepage.h"

namespace {

using namespace win32::text;

constexpr std::size_t kUnits = 16 * 1024 * 1024;

const std::u16string& Text() {
    static const std::u16string text = bench::JapaneseText(kUnits);
    return text;
}

const std::string& Bytes() {
    static const std::string bytes = Utf16ToSjis(Text());
    return bytes;
}

// Every character two bytes, all lined up with the block decoder's blocks.
const std::string& KanjiBytes() {
    static const std::string bytes = [] {
        std::u16string t;
        for (std::size_t i = 0; i < kUnits / 2; ++i) t.push_back(u"漢字変換速度日本語文章"[i % 11]);
        return Utf16ToSjis(t);
    }();
    return bytes;
}

void DecodeOurs(benchmark::State& state, const std::string& bytes) {
    std::u16string out(bytes.size(), u'\0');
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeSjis(bytes.data(), bytes.size(), out.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void DecodeIconv(benchmark::State& state, const std::string& bytes) {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    std::u16string out(bytes.size(), u'\0');
    for (auto _ : state) {
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char* o = reinterpret_cast<char*>(out.data());
        std::size_t outLeft = out.size() * 2;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) state.SkipWithError("iconv");
        benchmark::ClobberMemory();
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void EncodeOurs(benchmark::State& state, const std::string& bytes) {
    std::u16string text = SjisToUtf16(bytes);
    std::string out(text.size() * 2, '\0');
    for (auto _ : state) {
        std::size_t replaced = 0;
        benchmark::DoNotOptimize(EncodeSjis(text.data(), text.size(), out.data(), &replaced));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void EncodeIconv(benchmark::State& state, const std::string& bytes) {
    std::u16string text = SjisToUtf16(bytes);
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    std::string out(text.size() * 2, '\0');
    for (auto _ : state) {
        char* in = reinterpret_cast<char*>(text.data());
        std::size_t inLeft = text.size() * 2;
        char* o = out.data();
        std::size_t outLeft = out.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) state.SkipWithError("iconv");
        benchmark::ClobberMemory();
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_DecodeJapanese(benchmark::State& s) { DecodeOurs(s, Bytes()); }
void BM_DecodeJapaneseIconv(benchmark::State& s) { DecodeIconv(s, Bytes()); }
void BM_DecodeKanji(benchmark::State& s) { DecodeOurs(s, KanjiBytes()); }
void BM_DecodeKanjiIconv(benchmark::State& s) { DecodeIconv(s, KanjiBytes()); }
void BM_EncodeJapanese(benchmark::State& s) { EncodeOurs(s, Bytes()); }
void BM_EncodeJapaneseIconv(benchmark::State& s) { EncodeIconv(s, Bytes()); }
void BM_EncodeKanji(benchmark::State& s) { EncodeOurs(s, KanjiBytes()); }
void BM_EncodeKanjiIconv(benchmark::State& s) { EncodeIconv(s, KanjiBytes()); }

}  // namespace

BENCHMARK(BM_DecodeJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeJapaneseIconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeKanji)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeKanjiIconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeJapaneseIconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeKanji)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeKanjiIconv)->Unit(benchmark::kMillisecond);
