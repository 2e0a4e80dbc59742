// The main window on the headless screen: start-up to the first painted
// window, opening a 100 MB Shift-JIS file from the command line to its first
// painted screen, and the character count after a keystroke in a document
// of 90,000,000 characters.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "app/program_files.h"
#include "bench/sample_text.h"
#include "classlib/application.h"
#include "classlib/dialog_platform.h"
#include "classlib/screen.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/kernel/codepage.h"
#include "platform/user/window_system.h"

namespace {

using namespace classlib;
using namespace win32;

// A fresh window system, application and screen, as at program start.
void FreshProgram() {
    backend::Install(std::make_unique<backend::HeadlessBackend>());
    user::ResetWindowSystem();
    delete Application;
    delete Screen;
    Application = new TApplication(nullptr);
    Screen = new TScreen(nullptr);
    dialog_platform::SetMessageBoxHandler([](HWND, const std::string&, const std::string&, UINT) { return IDNO; });
}

void EndProgram() {
    delete Application;
    Application = nullptr;
    user::ResetWindowSystem();
}

// Creates and shows the main window and runs until it has painted.
app::TMainForm* StartWindow(std::vector<std::string> arguments) {
    app::TMainForm* form = nullptr;
    Application->CreateForm(form, std::move(arguments));
    form->Show();
    UpdateWindow(form->Handle());
    Application->ProcessMessages();
    return form;
}

std::string TempFolder() {
    static std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "pmemo-bench.XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    app::SetProgramDirectory(folder);
    return folder;
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
    TempFolder();
    for (auto _ : state) {
        FreshProgram();
        benchmark::DoNotOptimize(StartWindow({}));
        state.PauseTiming();
        EndProgram();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Open100MBFromCommandLine(benchmark::State& state) {
    std::string path = TempFolder() + "/large.txt";
    std::u16string text = bench::JapaneseText(60'000'000);
    std::string sjis = text::Utf16ToSjis(text);
    text.clear();
    while (sjis.size() < 100'000'000) sjis += sjis.substr(0, 100'000'000 - sjis.size());
    { std::ofstream(path, std::ios::binary) << sjis; }
    for (auto _ : state) {
        FreshProgram();
        app::TMainForm* form = StartWindow({path});
        state.PauseTiming();
        if (form->CurrentFile() != path) state.SkipWithError("the file was not opened");
        state.counters["chars"] = form->MainMemo->GetTextLen();
        EndProgram();
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_Open100MBFromCommandLine)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CountAfterKeystrokeAt90M(benchmark::State& state) {
    TempFolder();
    FreshProgram();
    app::TMainForm* form = StartWindow({});
    std::string utf8 = text::Utf16ToUtf8(bench::JapaneseText(90'000'000 - 2));
    form->MainMemo->SetText(utf8);
    utf8.clear();
    form->MainMemo->SetSelStart(45'000'000);
    Application->ProcessMessages();
    HWND editor = form->MainMemo->Handle();
    bool type = true;
    for (auto _ : state) {
        // A typed character, then Backspace: the count refreshes after each.
        SendMessageA(editor, WM_CHAR, type ? 'a' : VK_BACK, 1);
        type = !type;
    }
    std::string shown = form->StatusBar1->Panels()->Items(1)->Text();
    state.SetLabel(shown);
    EndProgram();
}
BENCHMARK(BM_CountAfterKeystrokeAt90M)->Unit(benchmark::kMicrosecond);

}  // namespace
