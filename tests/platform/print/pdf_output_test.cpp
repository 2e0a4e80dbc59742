#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/print/print_job.h"
#include "tests/platform/print/print_fixture.h"

namespace win32 {
namespace {

using testing::PdfInfo;
using testing::PdfPrinterDC;
using testing::PdfText;
using testing::PrintTest;

namespace fs = std::filesystem;

class PdfOutputTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        if (!testing::HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
    }

    // A 10.5-point "ＭＳ 明朝" at the printer's resolution.
    static HFONT PrinterFont(HDC dc, int points = 12, const char* face = "ＭＳ 明朝") {
        const int height = -points * GetDeviceCaps(dc, LOGPIXELSY) / 72;
        return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
    }

    static void PrintLines(HDC dc, std::initializer_list<const char*> lines, int top = 0) {
        HFONT font = PrinterFont(dc);
        HGDIOBJ old = SelectObject(dc, font);
        int y = top;
        for (const char* line : lines) {
            TextOutA(dc, 0, y, line, static_cast<int>(std::strlen(line)));
            y += 150;
        }
        SelectObject(dc, old);
        DeleteObject(font);
    }

    std::vector<std::string> Files(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(PdfOutputTest, JapaneseTextIsReadBackFromThePrintedFile) {
    HDC dc = PdfPrinterDC();
    const std::string file = Path("memo.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "/home/user/メモ.txt", file.c_str(), nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    PrintLines(dc, {"吾輩は猫である。名前はまだ無い。", "ＡＢＣ abc 123 ｶﾀｶﾅ"});
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(StartPage(dc), 0);
    PrintLines(dc, {"二ページ目の本文"});
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);
    DeleteDC(dc);

    const std::string text = PdfText(file);
    EXPECT_NE(text.find("吾輩は猫である。名前はまだ無い。"), std::string::npos) << text;
    EXPECT_NE(text.find("ＡＢＣ abc 123 ｶﾀｶﾅ"), std::string::npos) << text;
    EXPECT_NE(PdfText(file, 2).find("二ページ目の本文"), std::string::npos);
    EXPECT_EQ(PdfText(file, 1).find("二ページ目"), std::string::npos);

    auto info2 = PdfInfo(file);
    EXPECT_EQ(info2["Pages"], "2");
    EXPECT_EQ(info2["Title"], "/home/user/メモ.txt");
    EXPECT_NE(info2["Page size"].find("595.276 x 841.89 pts (A4)"), std::string::npos) << info2["Page size"];
    // The fonts travel with the document.
    const std::string fonts = testing::Run("pdffonts " + testing::Quote(file));
    EXPECT_NE(fonts.find("IPA"), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find(" no "), std::string::npos) << "every font is embedded:\n" << fonts;
}

TEST_F(PdfOutputTest, TheDeviceModesPaperAndOrientationMakeThePageSize) {
    struct Case {
        SHORT paper;
        SHORT orientation;
        const char* size;
    } cases[] = {{DMPAPER_B5, DMORIENT_PORTRAIT, "515.906 x 728.504"},
                 {DMPAPER_A3, DMORIENT_LANDSCAPE, "1190.55 x 841.89"},
                 {DMPAPER_LETTER, DMORIENT_PORTRAIT, "612 x 792"},
                 {DMPAPER_JAPANESE_POSTCARD, DMORIENT_PORTRAIT, "283.465 x 419.528"}};
    for (const Case& c : cases) {
        HDC dc = PdfPrinterDC(c.paper, c.orientation);
        const std::string file = Path("size.pdf");
        DOCINFOA info{sizeof(DOCINFOA), "size", file.c_str(), nullptr, 0};
        ASSERT_GT(StartDocA(dc, &info), 0);
        for (int page = 0; page < 3; ++page) {
            StartPage(dc);
            PrintLines(dc, {"ページ"});
            EndPage(dc);
        }
        ASSERT_GT(EndDoc(dc), 0);
        DeleteDC(dc);
        auto info2 = PdfInfo(file);
        EXPECT_EQ(info2["Pages"], "3");
        EXPECT_NE(info2["Page size"].find(c.size), std::string::npos) << c.size << " vs " << info2["Page size"];
    }
}

TEST_F(PdfOutputTest, TextLandsWhereTheDeviceCoordinatesPutIt) {
    HDC dc = PdfPrinterDC();
    const std::string file = Path("place.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "place", file.c_str(), nullptr, 0};
    StartDocA(dc, &info);
    StartPage(dc);
    HFONT font = PrinterFont(dc, 20, "ＭＳ ゴシック");
    SelectObject(dc, font);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    // One inch right and two down from the printable area's corner.
    TextOutA(dc, 600, 1200, "■", 3);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    EndPage(dc);
    EndDoc(dc);
    DeleteDC(dc);
    // Rendered at 100 dpi the corner of the printable area is at (16.7, 20)
    // and the square starts an inch and two inches from it.
    testing::PageImage page = testing::RenderPage(file, 1, 100, dir_.path());
    ASSERT_GT(page.width, 0);
    RECT ink = page.InkBox(0, 0, page.width, page.height);
    // The glyph's own side bearing and depth allow a few pixels.
    EXPECT_NEAR(ink.left, 16.7 + 100, 5);
    EXPECT_NEAR(ink.bottom, 20 + 200, 5);
    EXPECT_GT(ink.right - ink.left, 15);
}

TEST_F(PdfOutputTest, WithoutAFileTheDocumentGoesToTheDocumentsFolderUnderItsTitle) {
    auto print = [&](const char* title) {
        HDC dc = PdfPrinterDC();
        DOCINFOA info{sizeof(DOCINFOA), title, nullptr, nullptr, 0};
        EXPECT_GT(StartDocA(dc, &info), 0);
        StartPage(dc);
        PrintLines(dc, {title ? title : "無題"});
        EndPage(dc);
        EXPECT_GT(EndDoc(dc), 0);
        DeleteDC(dc);
        return print::LastDeliveredDocument();
    };
    testing::WriteBytes(Documents() + "/memo.txt.pdf", "someone else's");
    EXPECT_EQ(print("/home/user/memo.txt"), Documents() + "/memo.txt (2).pdf");
    EXPECT_EQ(print("/home/user/memo.txt"), Documents() + "/memo.txt (3).pdf");
    EXPECT_EQ(testing::ReadBytes(Documents() + "/memo.txt.pdf"), "someone else's") << "never overwritten";
    EXPECT_EQ(print(nullptr), Documents() + "/無題.pdf");
    EXPECT_EQ(print("a:b*c?<d>|\"e"), Documents() + "/a_b_c__d___e.pdf");
    EXPECT_EQ(print("C:\\文書\\手紙.txt"), Documents() + "/手紙.txt.pdf");
    EXPECT_EQ(print(".."), Documents() + "/無題 (2).pdf");
    EXPECT_EQ(PdfText(Documents() + "/memo.txt (2).pdf").find("/home/user/memo.txt") != std::string::npos, true);
    // No temporary file is left beside them.
    for (const std::string& name : Files(Documents())) EXPECT_NE(name.front(), '.') << name;
    // Without a documents folder the home folder takes them.
    fs::remove_all(Documents());
    EXPECT_EQ(print("x"), Path("home") + "/x.pdf");
}

TEST_F(PdfOutputTest, AJobThatCannotWriteItsOutputFailsAtTheStartAndLeavesNothing) {
    // A folder without write permission; the superuser writes everywhere
    // but in the kernel's own folders.
    std::string locked = Path("locked");
    fs::create_directories(locked);
    chmod(locked.c_str(), 0500);
    if (geteuid() == 0) locked = "/sys";
    HDC dc = PdfPrinterDC();
    const std::string file = locked + "/out.pdf";
    DOCINFOA info{sizeof(DOCINFOA), "locked", file.c_str(), nullptr, 0};
    SetLastError(0);
    EXPECT_EQ(StartDocA(dc, &info), SP_ERROR);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(StartPage(dc), SP_ERROR) << "no job was started";
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_EQ(std::count_if(fs::directory_iterator(locked), fs::directory_iterator(),
                            [](const fs::directory_entry& e) { return e.path().filename().string().find("out.pdf") !=
                                                                      std::string::npos; }),
              0);

    const std::string missing = Path("no/such/folder/out.pdf");
    info.lpszOutput = missing.c_str();
    EXPECT_EQ(StartDocA(dc, &info), SP_ERROR);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    DeleteDC(dc);
}

TEST_F(PdfOutputTest, AbortDocAndDeletingTheDcRemoveWhatWasWritten) {
    const std::string file = Path("aborted.pdf");
    testing::WriteBytes(file, "the old document");
    HDC dc = PdfPrinterDC();
    DOCINFOA info{sizeof(DOCINFOA), "aborted", file.c_str(), nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    PrintLines(dc, {"書きかけ"});
    EndPage(dc);
    StartPage(dc);
    EXPECT_GT(AbortDoc(dc), 0);
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_EQ(testing::ReadBytes(file), "the old document") << "an abandoned job replaces nothing";
    EXPECT_EQ(Files(dir_.path()), (std::vector<std::string>{"aborted.pdf", "home"}));

    // A DC deleted in the middle of a job ends the job on its way out.
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    PrintLines(dc, {"途中"});
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(Files(dir_.path()), (std::vector<std::string>{"aborted.pdf", "home"}));

    // An abort procedure that says no stops the job after the page.
    dc = PdfPrinterDC();
    SetAbortProc(dc, [](HDC, int) -> BOOL { return FALSE; });
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    EXPECT_EQ(EndPage(dc), SP_APPABORT);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_EQ(testing::ReadBytes(file), "the old document");
    DeleteDC(dc);
}

TEST_F(PdfOutputTest, APrintedFileReplacesTheOneTheUserNamed) {
    const std::string file = Path("named.pdf");
    testing::WriteBytes(file, "old");
    HDC dc = PdfPrinterDC();
    DOCINFOA info{sizeof(DOCINFOA), "named", file.c_str(), nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    PrintLines(dc, {"新しい文書"});
    EndPage(dc);
    ASSERT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
    EXPECT_NE(PdfText(file).find("新しい文書"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0044, 0044u) << "readable as an ordinary new file";
}

TEST_F(PdfOutputTest, AJobWithoutPagesDeliversNothing) {
    HDC dc = PdfPrinterDC();
    const std::string file = Path("empty.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "empty", file.c_str(), nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_FALSE(fs::exists(file));
    DeleteDC(dc);
}

TEST_F(PdfOutputTest, AQueueGetsThePdfWithTitleCopiesAndMediaAndNoTemporaryFileStays) {
    AddQueue("Office_Laser");
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_COPIES | DM_PAPERSIZE;
    dm.dmCopies = 3;
    dm.dmPaperSize = DMPAPER_B5;
    HDC dc = CreateDCA(nullptr, "Office_Laser", nullptr, &dm);
    ASSERT_NE(dc, nullptr);
    DOCINFOA info{sizeof(DOCINFOA), "報告書", nullptr, nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    PrintLines(dc, {"キューへ"});
    EndPage(dc);
    ASSERT_GT(EndDoc(dc), 0);
    ASSERT_EQ(Queues().jobs.size(), 1u);
    const auto& job = Queues().jobs[0];
    EXPECT_EQ(job.queue, "Office_Laser");
    EXPECT_EQ(job.title, "報告書");
    EXPECT_EQ(job.document.compare(0, 5, "%PDF-"), 0);
    EXPECT_FALSE(fs::exists(job.file)) << "the spooled file is removed";
    EXPECT_NE(std::find(job.options.begin(), job.options.end(), print::QueueOptions::value_type{"copies", "3"}),
              job.options.end());
    EXPECT_NE(std::find(job.options.begin(), job.options.end(),
                        print::QueueOptions::value_type{"media", "jis_b5_182x257mm"}),
              job.options.end());

    // A queue that refuses the job makes EndDoc fail, and still nothing is
    // left behind.
    Queues().refuse = true;
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    EndPage(dc);
    SetLastError(0);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(Queues().jobs.size(), 1u);
    DeleteDC(dc);
}

}  // namespace
}  // namespace win32
