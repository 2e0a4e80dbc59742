// The rich-edit control at its full size of 90,000,000 characters, through
// its window messages on the headless screen: typing one character with the
// change notification and a text-length query, repainting the visible
// lines, and typing into one line of 90 million characters. Then, under X11
// on a private Xvfb, the time from a key injected with XTest until the
// changed pixels are on the server.
#include <benchmark/benchmark.h>

#include <dlfcn.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "bench/sample_text.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/x11/x11_backend.h"
#include "platform/kernel/codepage.h"
#include "platform/user/window_manager.h"
#include "platform/user/window_system.h"
#include "platform/windows.h"
#include "tests/platform/backend/x11/xvfb_server.h"

// Last: Xlib's macros would clash with names of the window system.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using namespace win32;

constexpr std::size_t kFullSize = 90'000'000;

// The main window's part: each change notification asks for the length.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        benchmark::DoNotOptimize(SendMessageA(reinterpret_cast<HWND>(lParam), WM_GETTEXTLENGTH, 0, 0));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

struct Reader {
    const std::string* bytes;
    std::size_t at = 0;
};

DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got) {
    auto* r = reinterpret_cast<Reader*>(cookie);
    std::size_t n = std::min(static_cast<std::size_t>(size), r->bytes->size() - r->at);
    std::memcpy(buffer, r->bytes->data() + r->at, n);
    r->at += n;
    *got = static_cast<LONG>(n);
    return 0;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A main window with the editor filling it, as the memo pad has it.
struct Editor {
    HWND main = nullptr;
    HWND edit = nullptr;

    explicit Editor(const std::string& sjis) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = "BenchMain";
        RegisterClassA(&wc);
        main = CreateWindowExA(0, "BenchMain", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 563, 441, nullptr,
                               nullptr, nullptr, nullptr);
        RECT client{};
        GetClientRect(main, &client);
        edit = CreateWindowExA(0, "RICHEDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0,
                               client.right, client.bottom, main, reinterpret_cast<HMENU>(1), nullptr, nullptr);
        SendMessageA(edit, EM_EXLIMITTEXT, 0, 100'000'000);
        SendMessageA(edit, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
        Reader reader{&sjis};
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&reader), 0, Read};
        SendMessageA(edit, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
        SetFocus(edit);
        Pump();
    }
    // The caret in the middle of the text, on screen, as the user's click
    // puts it there.
    void CaretToMiddle() {
        GETTEXTLENGTHEX g{GTL_NUMCHARS, 1200};
        LONG middle = static_cast<LONG>(SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&g), 0)) / 2;
        CHARRANGE r{middle, middle};
        SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
        SendMessageA(edit, WM_CHAR, 'x', 0);
        Pump();
    }
};

const std::string& Document() {
    static const std::string bytes = text::Utf16ToSjis(bench::JapaneseText(kFullSize));
    return bytes;
}

const std::string& OneLineDocument() {
    static const std::string bytes = [] {
        std::u16string text = bench::JapaneseText(kFullSize);
        for (char16_t& c : text) {
            if (c == u'\r' || c == u'\n') c = u' ';
        }
        return text::Utf16ToSjis(text);
    }();
    return bytes;
}

struct Headless {
    Headless() {
        user::ResetWindowSystem();
        backend::Install(std::make_unique<backend::HeadlessBackend>());
        user::ResetWindowSystem();
    }
    ~Headless() {
        user::ResetWindowSystem();
        backend::Install(nullptr);
    }
};

// Typing at the caret; `lineEvery` > 0 types Enter after that many characters.
void TypeAt(benchmark::State& state, const std::string& document, int lineEvery) {
    Headless screen;
    Editor editor(document);
    editor.CaretToMiddle();
    int typed = 0;
    for (auto _ : state) {
        bool enter = lineEvery > 0 && ++typed % lineEvery == 0;
        SendMessageA(editor.edit, WM_CHAR, enter ? '\r' : 0x3042, 0);
        state.PauseTiming();
        Pump();  // the repaint, measured on its own below
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(SendMessageA(editor.edit, EM_GETLINECOUNT, 0, 0));
}

// A typist's lines: sixty characters, then Enter.
void BM_TypeOneCharacterWithNotification(benchmark::State& state) { TypeAt(state, Document(), 60); }

// Characters only: Enter would split the line, and each half is wrapped anew.
void BM_TypeIntoOneLineOf90MillionCharacters(benchmark::State& state) { TypeAt(state, OneLineDocument(), 0); }

void BM_RepaintVisibleLines(benchmark::State& state) {
    Headless screen;
    Editor editor(Document());
    editor.CaretToMiddle();
    for (auto _ : state) {
        InvalidateRect(editor.edit, nullptr, FALSE);
        UpdateWindow(editor.edit);
    }
    RECT r{};
    GetClientRect(editor.edit, &r);
    state.counters["visible_lines"] = static_cast<double>(r.bottom / 12);
}

void BM_RepaintAfterTyping(benchmark::State& state) {
    Headless screen;
    Editor editor(Document());
    editor.CaretToMiddle();
    for (auto _ : state) {
        SendMessageA(editor.edit, WM_CHAR, 0x3044, 0);
        UpdateWindow(editor.edit);
    }
}

// ---- X11: key to pixels ------------------------------------------------------

using FakeKey = int (*)(Display*, unsigned, Bool, unsigned long);

FakeKey LoadXTest() {
    static void* lib = dlopen("libXtst.so.6", RTLD_NOW);
    return lib ? reinterpret_cast<FakeKey>(dlsym(lib, "XTestFakeKeyEvent")) : nullptr;
}

void BM_X11KeyToScreenLatency(benchmark::State& state) {
    static memopad_test::XvfbServer server("1024x768x24");
    FakeKey fakeKey = LoadXTest();
    if (!server.Running() || !fakeKey) {
        state.SkipWithError(!fakeKey ? "no libXtst" : ("no X server: " + server.Reason()).c_str());
        return;
    }
    std::string error;
    auto x11 = backend::x11::X11Backend::Open(backend::x11::X11Options{server.Display(), true}, error);
    if (!x11) {
        state.SkipWithError(error.c_str());
        return;
    }
    backend::x11::X11Backend* backend = x11.get();
    Display* other = XOpenDisplay(server.Display().c_str());
    user::ResetWindowSystem();
    backend::Install(std::move(x11));
    user::ResetWindowSystem();
    {
        Editor editor(Document());
        SetForegroundWindow(editor.main);
        editor.CaretToMiddle();
        // Let the display map the window and give it the keyboard.
        auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
        while (std::chrono::steady_clock::now() < settle) Pump();
        unsigned key = XKeysymToKeycode(other, XK_a);
        GETTEXTLENGTHEX g{GTL_NUMCHARS, 1200};
        double worst = 0;
        for (auto _ : state) {
            LRESULT before = SendMessageA(editor.edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&g), 0);
            auto t0 = std::chrono::steady_clock::now();
            fakeKey(other, key, True, CurrentTime);
            fakeKey(other, key, False, CurrentTime);
            XFlush(other);
            // Until the character is in and its pixels went to the server.
            while (SendMessageA(editor.edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&g), 0) == before ||
                   GetUpdateRect(editor.edit, nullptr, FALSE)) {
                Pump();
            }
            user::PresentAll();
            backend->Sync();
            double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            worst = std::max(worst, ms);
            state.SetIterationTime(ms / 1000.0);
            state.PauseTiming();
            Pump();  // the key release
            state.ResumeTiming();
        }
        state.counters["worst_ms"] = worst;
    }
    user::ResetWindowSystem();
    backend::Install(nullptr);
    XCloseDisplay(other);
}

}  // namespace

BENCHMARK(BM_TypeOneCharacterWithNotification)->Unit(benchmark::kMicrosecond)->Iterations(5000);
BENCHMARK(BM_TypeIntoOneLineOf90MillionCharacters)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_RepaintVisibleLines)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_RepaintAfterTyping)->Unit(benchmark::kMillisecond)->Iterations(500);
BENCHMARK(BM_X11KeyToScreenLatency)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);
