// Fill and blit throughput of the surface DC, in bytes of target pixels
// written per second.
#include <benchmark/benchmark.h>

#include "platform/gdi/wingdi.h"

namespace {

using namespace win32;

struct Target {
    Target(int w, int h) {
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateBitmap(w, h, 1, 32, nullptr);
        old = SelectObject(dc, bmp);
    }
    ~Target() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
};

void BM_FillRect1000x1000(benchmark::State& state) {
    Target t(1000, 1000);
    HBRUSH brush = CreateSolidBrush(0x336699);
    RECT r{0, 0, 1000, 1000};
    for (auto _ : state) {
        FillRect(t.dc, &r, brush);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 1000LL * 1000 * 4);
    DeleteObject(brush);
}
BENCHMARK(BM_FillRect1000x1000);

void BM_PatternFill1000x1000(benchmark::State& state) {
    Target t(1000, 1000);
    const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP bmp = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(bmp);
    SelectObject(t.dc, brush);
    for (auto _ : state) {
        PatBlt(t.dc, 0, 0, 1000, 1000, PATINVERT);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 1000LL * 1000 * 4);
    SelectObject(t.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
    DeleteObject(bmp);
}
BENCHMARK(BM_PatternFill1000x1000);

// A 256 x 256 BitBlt with a ternary operation that reads pattern, source
// and destination; the first argument is the operation code.
void BM_BitBlt256(benchmark::State& state) {
    Target src(256, 256), dst(256, 256);
    HBRUSH brush = CreateSolidBrush(0x808080);
    SelectObject(dst.dc, brush);
    DWORD rop = static_cast<DWORD>(state.range(0));
    for (auto _ : state) {
        BitBlt(dst.dc, 0, 0, 256, 256, src.dc, 0, 0, rop);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 256LL * 256 * 4);
    SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}
BENCHMARK(BM_BitBlt256)->Arg(0x00CC0020)->Arg(0x00E20746)->Arg(0x00B8074A)->Arg(0x00960000 | 0x0169);

// Monochrome mask onto colour (the disabled-picture emboss).
void BM_MonoToColourEmboss256(benchmark::State& state) {
    Target dst(256, 256);
    HDC mono = CreateCompatibleDC(nullptr);
    HBITMAP mbmp = CreateBitmap(256, 256, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(mono, mbmp);
    HBRUSH brush = CreateSolidBrush(0xFFFFFF);
    SelectObject(dst.dc, brush);
    for (auto _ : state) {
        BitBlt(dst.dc, 0, 0, 256, 256, mono, 0, 0, 0x00E20746);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 256LL * 256 * 4);
    SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
    SelectObject(mono, old);
    DeleteObject(mbmp);
    DeleteDC(mono);
}
BENCHMARK(BM_MonoToColourEmboss256);

}  // namespace
