// Test support for printing: a fixture with a private output folder and a
// print queue service of its own (so no test talks to the machine's
// printers), and the poppler tools that read a printed PDF back.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/print/print_queues.h"
#include "platform/print/printer_list.h"
#include "platform/print/winspool.h"
#include "platform/windows.h"
#include "tests/platform/kernel/temp_dir.h"

namespace win32::testing {

// Queues that exist only in the test; submitted jobs are recorded with a
// copy of their document.
class FakeQueues : public print::QueueService {
public:
    struct Job {
        std::string queue;
        std::string title;
        print::QueueOptions options;
        std::string document;  // the file's bytes
        std::string file;      // where it was handed over
    };
    std::vector<print::QueueInfo> queues;
    std::vector<Job> jobs;
    bool refuse = false;

    std::vector<print::QueueInfo> List() override { return queues; }
    bool Submit(const std::string& queue, const std::string& file, const std::string& title,
                const print::QueueOptions& options, std::string& error) override {
        if (refuse) {
            error = "the queue is stopped";
            return false;
        }
        jobs.push_back({queue, title, options, ReadBytes(file), file});
        return true;
    }
};

// The output of a command (stderr dropped), or nullopt-like empty text with
// ok false when it cannot run.
inline std::string Run(const std::string& command, bool* ok = nullptr) {
    std::string out;
    FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
    if (!p) {
        if (ok) *ok = false;
        return out;
    }
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int status = pclose(p);
    if (ok) *ok = status == 0;
    return out;
}

inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') q += "'\\''";
        else q += c;
    }
    return q + "'";
}

inline bool HavePoppler() {
    bool ok = false;
    Run("pdfinfo -v", &ok);
    return ok || Run("command -v pdfinfo").size() > 0;
}

inline std::string PdfText(const std::string& pdf, int page = 0) {
    std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return Run("pdftotext -enc UTF-8 -layout" + range + " " + Quote(pdf) + " -");
}

// pdfinfo's "Key: value" lines.
inline std::map<std::string, std::string> PdfInfo(const std::string& pdf, int page = 0) {
    std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    std::map<std::string, std::string> info;
    std::istringstream in(Run("pdfinfo -enc UTF-8" + range + " " + Quote(pdf)));
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        info[line.substr(0, colon)] = value;
    }
    return info;
}

// A page rendered by pdftoppm: grey levels, or RGB triples with `colour`.
struct PageImage {
    int width = 0;
    int height = 0;
    int channels = 1;
    std::vector<unsigned char> pixels;
    unsigned char At(int x, int y, int channel = 0) const {
        return pixels[(static_cast<std::size_t>(y) * width + x) * channels + channel];
    }
    COLORREF Colour(int x, int y) const { return RGB(At(x, y, 0), At(x, y, 1), At(x, y, 2)); }
    // The box of pixels darker than `threshold` inside [x0, x1) x [y0, y1).
    RECT InkBox(int x0, int y0, int x1, int y1, int threshold = 128) const {
        RECT box{x1, y1, x0, y0};
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (At(x, y) < threshold) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
};

inline PageImage RenderPage(const std::string& pdf, int page, int dpi, const std::string& scratch,
                            bool colour = false) {
    PageImage image;
    const std::string prefix = scratch + "/page";
    Run("pdftoppm -singlefile " + std::string(colour ? "" : "-gray ") + "-r " + std::to_string(dpi) + " -f " +
        std::to_string(page) + " -l " + std::to_string(page) + " " + Quote(pdf) + " " + Quote(prefix));
    std::ifstream in(prefix + (colour ? ".ppm" : ".pgm"), std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();
    image.channels = colour ? 3 : 1;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * image.channels);
    in.read(reinterpret_cast<char*>(image.pixels.data()), static_cast<std::streamsize>(image.pixels.size()));
    if (!in) return PageImage{};
    return image;
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<FakeQueues>();
        queues_ = fake.get();
        print::SetQueueServiceForTesting(std::move(fake));
        // Documents printed without a file name go to the test's own home.
        const char* home = std::getenv("HOME");
        savedHome_ = home ? home : "";
        hadHome_ = home != nullptr;
        std::filesystem::create_directories(dir_ / "home/Documents");
        setenv("HOME", (dir_ / "home").c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override {
        if (hadHome_) setenv("HOME", savedHome_.c_str(), 1);
        else unsetenv("HOME");
        print::SetQueueServiceForTesting(nullptr);
        // The next test program asks the machine again.
        print::ReloadPrinters();
    }

    FakeQueues& Queues() { return *queues_; }
    // Adds queues before the printer list is first read.
    void AddQueue(const std::string& name, const std::string& media = "") {
        print::QueueInfo q;
        q.name = name;
        q.media = media;
        q.info = name + " の説明";
        queues_->queues.push_back(q);
        print::ReloadPrinters();
    }
    std::string Path(const std::string& name) const { return dir_ / name; }
    std::string Documents() const { return dir_ / "home/Documents"; }

    TempDir dir_;

private:
    FakeQueues* queues_ = nullptr;
    std::string savedHome_;
    bool hadHome_ = false;
};

// A printer DC of the PDF printer with the paper and orientation asked for.
inline HDC PdfPrinterDC(SHORT paper = DMPAPER_A4, SHORT orientation = DMORIENT_PORTRAIT) {
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
    dm.dmPaperSize = paper;
    dm.dmOrientation = orientation;
    return CreateDCA("WINSPOOL", kPdfPrinterName, nullptr, &dm);
}

}  // namespace win32::testing
