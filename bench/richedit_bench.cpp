// The editor's text engine at its full size of 90,000,000 characters:
// stream-in of a Shift-JIS document, typing, search, re-wrapping and jumping
// to a display line.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "bench/sample_text.h"
#include "platform/kernel/codepage.h"
#include "platform/richedit/text_document.h"
#include "platform/richedit/text_search.h"
#include "platform/richedit/wrap_layout.h"

namespace {

using namespace win32::richedit;

constexpr Pos kFullSize = 90'000'000;
constexpr std::size_t kBlock = 64 * 1024;  // what one stream callback hands over

// Proportional-font widths in pixels, as the ＭＳ Ｐゴシック-like fonts give them.
class TableMeasurer : public CharMeasurer {
public:
    int Advance(char32_t c) override {
        if (c < 0x80) return c == u' ' ? 4 : 6 + static_cast<int>(c % 3);
        if (c >= 0xFF61 && c <= 0xFF9F) return 6;
        return 12;
    }
    int AverageCharWidth() override { return 7; }
};

const std::string& SjisDocument() {
    static const std::string bytes = win32::text::Utf16ToSjis(bench::JapaneseText(kFullSize));
    return bytes;
}

long ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

EditResult StreamIn(TextDocument& doc, const std::string& bytes) {
    StreamLoader loader(doc.Limit());
    for (std::size_t i = 0; i < bytes.size(); i += kBlock) {
        if (!loader.Feed(bytes.data() + i, std::min(kBlock, bytes.size() - i))) break;
    }
    return loader.Finish(doc);
}

// The loaded document shared by the benchmarks after the first.
struct Loaded {
    TextDocument doc;
    TableMeasurer measurer;
    std::unique_ptr<WrapLayout> layout;
    Loaded() {
        // The full document, with room left for the typing benchmark.
        doc.SetLimit(TextDocument::kMaxLimit);
        StreamIn(doc, SjisDocument());
        layout = std::make_unique<WrapLayout>(doc.Store(), measurer);
        layout->SetWrapWidth(540);
    }
};

Loaded& Document() {
    static Loaded loaded;
    return loaded;
}

void BM_StreamIn(benchmark::State& state) {
    const std::string& bytes = SjisDocument();
    double growth = 0;
    Pos length = 0;
    for (auto _ : state) {
        long before = ResidentBytes();
        auto doc = std::make_unique<TextDocument>();
        doc->SetLimit(kFullSize);
        EditResult r = StreamIn(*doc, bytes);
        length = r.inserted;
        growth = static_cast<double>(ResidentBytes() - before) / length;
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["chars"] = length;
    state.counters["sjis_MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["bytes_per_char"] = growth;
}

void BM_TypeOneCharacter(benchmark::State& state) {
    Loaded& d = Document();
    d.layout->DisplayLineCount();
    Pos pos = d.doc.Length() / 2 + 12345;
    // Bring the caret (the gap) there first, as the user's click would.
    d.doc.Replace(pos, 0, u"x", EditKind::Typing);
    ++pos;
    Pos length = 0;
    int typed = 0;
    for (auto _ : state) {
        // A typist's line: sixty characters, then Enter.
        EditResult r = d.doc.Replace(pos, 0, ++typed % 60 ? u"あ" : u"\r", EditKind::Typing);
        pos = r.position + r.inserted;
        length = d.doc.Length();                    // the character count
        benchmark::DoNotOptimize(d.layout->DisplayLineCount());  // the scroll bar
        benchmark::DoNotOptimize(d.layout->DisplayLineFromPosition(pos));  // the caret line
    }
    if (length <= kFullSize) state.SkipWithError("nothing was typed");
    state.counters["length"] = length;
}

void FindWhole(benchmark::State& state, unsigned flags) {
    Loaded& d = Document();
    const std::u16string what = u"見つからない語";
    for (auto _ : state) benchmark::DoNotOptimize(FindText(d.doc.Store(), 0, -1, what, flags));
    // Counted in bytes of stored text (two per character).
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.doc.Length() * 2);
    state.counters["chars_per_s"] =
        benchmark::Counter(static_cast<double>(d.doc.Length()) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_FindMatchCase(benchmark::State& state) { FindWhole(state, kSearchMatchCase); }
void BM_FindIgnoreCase(benchmark::State& state) { FindWhole(state, 0); }

void BM_FindIgnoreCaseLatin(benchmark::State& state) {
    Loaded& d = Document();
    // A word whose first letter is everywhere in the text.
    const std::u16string what = u"textz";
    for (auto _ : state) benchmark::DoNotOptimize(FindText(d.doc.Store(), 0, -1, what, 0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.doc.Length() * 2);
}

void BM_DisplayLineCountAfterWidthChange(benchmark::State& state) {
    Loaded& d = Document();
    int width = 540;
    Pos count = 0;
    for (auto _ : state) {
        width = width == 540 ? 541 : 540;
        d.layout->SetWrapWidth(width);
        count = d.layout->DisplayLineCount();
    }
    state.counters["display_lines"] = count;
    state.counters["lines"] = d.doc.Store().LineCount();
}

void BM_JumpToDisplayLine(benchmark::State& state) {
    Loaded& d = Document();
    Pos count = d.layout->DisplayLineCount();
    std::mt19937 rng(9);
    for (auto _ : state) {
        Pos target = static_cast<Pos>(rng() % static_cast<unsigned>(count));
        DisplayLine line = d.layout->GetDisplayLine(target);
        benchmark::DoNotOptimize(line);
        // And back from the position, as the caret does.
        benchmark::DoNotOptimize(d.layout->DisplayLineFromPosition(line.start));
    }
}

}  // namespace

BENCHMARK(BM_StreamIn)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TypeOneCharacter)->Unit(benchmark::kMicrosecond)->Iterations(20000);
BENCHMARK(BM_FindMatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindIgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindIgnoreCaseLatin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayLineCountAfterWidthChange)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_JumpToDisplayLine)->Unit(benchmark::kMicrosecond);
