// Frames per second of an 800 x 600 host repainted with a moving rectangle
// on a private Xvfb (or on $PMEMO_BENCH_DISPLAY when set), through MIT-SHM
// and through XPutImage, presenting the whole host or only what changed.
// Each frame waits until the server has drawn it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "platform/backend/x11/x11_backend.h"
#include "tests/platform/backend/x11/xvfb_server.h"

namespace {

using win32::RECT;
using win32::backend::HostEvent;
using win32::backend::HostParams;
using win32::backend::x11::X11Backend;
using win32::backend::x11::X11Options;

std::string BenchDisplay(std::string& why) {
    if (const char* d = std::getenv("PMEMO_BENCH_DISPLAY")) return d;
    static memopad_test::XvfbServer server("1024x768x24");
    if (!server.Running()) why = server.Reason();
    return server.Running() ? server.Display() : std::string();
}

enum class Region { Whole, Changed };

void Repaint(benchmark::State& state, bool sharedMemory, Region region) {
    std::string why;
    std::string display = BenchDisplay(why);
    if (display.empty()) {
        state.SkipWithError(("no X server: " + why).c_str());
        return;
    }
    std::string error;
    auto backend = X11Backend::Open(X11Options{display, sharedMemory}, error);
    if (!backend) {
        state.SkipWithError(error.c_str());
        return;
    }
    if (backend->UsesSharedMemory() != sharedMemory) {
        state.SkipWithError("MIT-SHM is not available on this display");
        return;
    }
    HostParams params;
    params.bounds = RECT{50, 50, 850, 650};
    auto host = backend->CreateHost(params);
    backend->ShowHost(host, true);
    HostEvent ev;
    while (backend->WaitEvent(ev, 100)) {
    }
    win32::Surface* s = backend->HostSurface(host);
    s->Fill(0xC0C0C0);
    int frame = 0;
    RECT previous{0, 0, 0, 0};
    for (auto _ : state) {
        int x = (frame * 7) % 700, y = (frame * 5) % 500;
        RECT box{x, y, x + 100, y + 100};
        if (region == Region::Whole) {
            s->Fill(0xC0C0C0);
            s->Fill(box, static_cast<win32::Pixel>(0x2040FF + frame));
            backend->Present(host, RECT{0, 0, 800, 600});
        } else {
            s->Fill(previous, 0xC0C0C0);
            s->Fill(box, static_cast<win32::Pixel>(0x2040FF + frame));
            RECT changed{std::min(previous.left, box.left), std::min(previous.top, box.top),
                         std::max(previous.right, box.right), std::max(previous.bottom, box.bottom)};
            if (previous.right == 0) changed = box;
            backend->Present(host, changed);
        }
        backend->Sync();
        previous = box;
        ++frame;
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    backend->DestroyHost(host);
}

void BM_FullRepaintSharedMemory(benchmark::State& state) { Repaint(state, true, Region::Whole); }
void BM_FullRepaintPutImage(benchmark::State& state) { Repaint(state, false, Region::Whole); }
void BM_ChangedRectSharedMemory(benchmark::State& state) { Repaint(state, true, Region::Changed); }
void BM_ChangedRectPutImage(benchmark::State& state) { Repaint(state, false, Region::Changed); }

BENCHMARK(BM_FullRepaintSharedMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullRepaintPutImage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChangedRectSharedMemory)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ChangedRectPutImage)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
