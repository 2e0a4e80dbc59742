// Printing composed pages to PDF: a page of 60 lines of Japanese text
// recorded as a metafile (as page composition records it), replayed onto
// the PDF printer, the document finished and written. Counted in pages.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/print/print_queues.h"
#include "platform/windows.h"

namespace {

using namespace win32;

HENHMETAFILE RecordPage(int width, int height) {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HFONT font = CreateFontA(-75, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    for (int line = 0; line < 60; ++line) {
        RECT r{0, line * 110, width, line * 110 + 110};
        const std::string text = std::to_string(line + 1) + ": 吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。";
        DrawTextA(dc, text.c_str(), -1, &r, 0x2A50);
    }
    MoveToEx(dc, 0, height - 1, nullptr);
    LineTo(dc, width, height - 1);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    return CloseEnhMetaFile(dc);
}

void PrintPages(benchmark::State& state) {
    class NoQueues : public print::QueueService {
        std::vector<print::QueueInfo> List() override { return {}; }
        bool Submit(const std::string&, const std::string&, const std::string&, const print::QueueOptions&,
                    std::string&) override {
            return false;
        }
    };
    print::SetQueueServiceForTesting(std::make_unique<NoQueues>());
    char folder[] = "/tmp/print-bench.XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string file = std::string(folder) + "/bench.pdf";
    HDC dc = CreateDCA(nullptr, kPdfPrinterName, nullptr, nullptr);
    const int w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES);
    HENHMETAFILE page = RecordPage(w, h);
    const int pages = static_cast<int>(state.range(0));
    for (auto _ : state) {
        DOCINFOA info{sizeof(DOCINFOA), "bench", file.c_str(), nullptr, 0};
        StartDocA(dc, &info);
        RECT r{0, 0, w, h};
        for (int i = 0; i < pages; ++i) {
            StartPage(dc);
            PlayEnhMetaFile(dc, page, &r);
            EndPage(dc);
        }
        if (EndDoc(dc) <= 0) state.SkipWithError("the document was not written");
    }
    state.SetItemsProcessed(state.iterations() * pages);
    DeleteEnhMetaFile(page);
    DeleteDC(dc);
    unlink(file.c_str());
    rmdir(folder);
    print::SetQueueServiceForTesting(nullptr);
}
BENCHMARK(PrintPages)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
