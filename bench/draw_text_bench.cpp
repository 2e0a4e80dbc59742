// DrawTextA measuring (the page-composition and menu hot path), drawing,
// and a composed page recorded and replayed through a metafile.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/gdi/wingdi.h"

using namespace win32;

namespace {

// 200 characters of Japanese prose with a tab.
std::string JapaneseLine() {
    const std::string unit = "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。";  // 32 characters
    std::string s;
    for (int i = 0; i < 6; ++i) s += unit;
    s += "\t何でも薄暗いじめじ";  // 8 more: 200 in all
    return s;
}

struct Dc {
    Dc() {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(800, 600, 1, 32, nullptr);
        SelectObject(dc, bitmap);
        font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~Dc() {
        DeleteDC(dc);
        DeleteObject(bitmap);
        DeleteObject(font);
    }
    HDC dc;
    HBITMAP bitmap;
    HFONT font;
};

void BM_DrawTextMeasureJapaneseLine(benchmark::State& state) {
    Dc d;
    const std::string line = JapaneseLine();
    int height = 0;
    for (auto _ : state) {
        RECT r{0, 0, 600, 0};
        height = DrawTextA(d.dc, line.c_str(), static_cast<int>(line.size()), &r,
                           DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_EDITCONTROL);
        benchmark::DoNotOptimize(r);
    }
    state.counters["lines"] = height / 12.0;
}
BENCHMARK(BM_DrawTextMeasureJapaneseLine);

void BM_DrawTextMeasurePageFlags(benchmark::State& state) {
    Dc d;
    const std::string line = JapaneseLine();
    for (auto _ : state) {
        RECT r{0, 0, 600, 0};
        benchmark::DoNotOptimize(DrawTextA(d.dc, line.c_str(), -1, &r, 0x2E50));
    }
}
BENCHMARK(BM_DrawTextMeasurePageFlags);

void BM_DrawTextMenuCaption(benchmark::State& state) {
    Dc d;
    for (auto _ : state) {
        RECT r{0, 0, 0, 0};
        benchmark::DoNotOptimize(DrawTextA(d.dc, " 上書き保存(&S)Ctrl+S", -1, &r, 0x464));
    }
}
BENCHMARK(BM_DrawTextMenuCaption);

void BM_DrawTextDrawJapaneseLine(benchmark::State& state) {
    Dc d;
    const std::string line = JapaneseLine();
    for (auto _ : state) {
        RECT r{0, 0, 600, 600};
        benchmark::DoNotOptimize(DrawTextA(d.dc, line.c_str(), -1, &r, 0x2A50));
    }
}
BENCHMARK(BM_DrawTextDrawJapaneseLine);

void BM_MetafilePageRecordAndReplay(benchmark::State& state) {
    Dc d;
    const std::string line = JapaneseLine();
    RECT frame{0, 0, 800 * 2540 / 96, 600 * 2540 / 96};
    for (auto _ : state) {
        HDC mdc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
        SelectObject(mdc, d.font);
        SetBkMode(mdc, TRANSPARENT);
        for (int i = 0; i < 10; ++i) {
            RECT r{0, i * 50, 600, 600};
            DrawTextA(mdc, line.c_str(), -1, &r, 0x2A50);
        }
        SelectObject(mdc, GetStockObject(SYSTEM_FONT));
        HENHMETAFILE mf = CloseEnhMetaFile(mdc);
        RECT dest{0, 0, 800, 600};
        PlayEnhMetaFile(d.dc, mf, &dest);
        DeleteEnhMetaFile(mf);
    }
}
BENCHMARK(BM_MetafilePageRecordAndReplay)->Unit(benchmark::kMillisecond);

}  // namespace
