#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "classlib/consts.h"
#include "classlib/printers.h"
#include "tests/platform/print/print_fixture.h"

namespace classlib {
namespace {

using namespace win32;
namespace fs = std::filesystem;

class PrinterTest : public win32::testing::PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        AddQueue("Office_Laser");
        previous_ = SetPrinter(std::make_unique<TPrinter>());
        printer_ = Printer();
    }
    void TearDown() override {
        SetPrinter(std::move(previous_));
        PrintTest::TearDown();
    }

    // Prints the lines, one page each, to `file`.
    void PrintPages(const std::string& file, std::initializer_list<const char*> pages) {
        printer_->SetOutputFile(file);
        printer_->BeginDoc();
        bool first = true;
        for (const char* text : pages) {
            if (!first) printer_->NewPage();
            first = false;
            printer_->Canvas()->TextOut(0, 0, text);
        }
        printer_->EndDoc();
    }

    template <class F>
    std::string PrinterError(F&& f) {
        try {
            f();
        } catch (const EPrinter& e) {
            return e.Message();
        }
        return "(no EPrinter)";
    }

    TPrinter* printer_ = nullptr;
    std::unique_ptr<TPrinter> previous_;
};

TEST_F(PrinterTest, ThePrintersAreListedWithThePdfPrinterAsTheDefault) {
    ASSERT_EQ(printer_->Printers()->Count(), 2);
    EXPECT_EQ(printer_->Printers()->Get(0), kPdfPrinterName);
    EXPECT_EQ(printer_->Printers()->Get(1), "Office_Laser");
    EXPECT_EQ(printer_->PrinterIndex(), 0);
    printer_->SetPrinterIndex(1);
    std::string device, driver, port;
    HGLOBAL mode = nullptr;
    printer_->GetPrinter(device, driver, port, mode);
    EXPECT_EQ(device, "Office_Laser");
    EXPECT_EQ(driver, "winspool");
    EXPECT_EQ(port, "CUPS:");
    ASSERT_NE(mode, nullptr);
    auto* dm = static_cast<DEVMODEA*>(GlobalLock(mode));
    EXPECT_STREQ(dm->dmDeviceName, "Office_Laser");
    GlobalUnlock(mode);
    EXPECT_EQ(PrinterError([&] { printer_->SetPrinterIndex(2); }), SPrinterIndexError);
    EXPECT_EQ(PrinterError([&] { printer_->SetPrinterIndex(-2); }), SPrinterIndexError);
    printer_->SetPrinterIndex(-1);
    EXPECT_EQ(printer_->PrinterIndex(), 0);
}

TEST_F(PrinterTest, PagesDrawnOnTheCanvasArePrintedWithTheTitle) {
    if (!win32::testing::HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
    const std::string file = Path("canvas.pdf");
    printer_->SetTitle("キャンバスの印刷");
    printer_->Canvas()->Font()->SetName("ＭＳ 明朝");
    printer_->Canvas()->Font()->SetSize(12);
    EXPECT_FALSE(printer_->Printing());
    EXPECT_EQ(printer_->PageNumber(), 0);
    printer_->SetOutputFile(file);
    printer_->BeginDoc();
    EXPECT_TRUE(printer_->Printing());
    EXPECT_EQ(printer_->PageNumber(), 1);
    // The font keeps its points at the printer's 600 dpi.
    EXPECT_EQ(printer_->Canvas()->Font()->Height(), -100);
    printer_->Canvas()->TextOut(0, 0, "一枚目の文字");
    printer_->NewPage();
    EXPECT_EQ(printer_->PageNumber(), 2);
    printer_->Canvas()->TextOut(0, printer_->PageHeight() - 200, "二枚目の下の端");
    printer_->EndDoc();
    EXPECT_FALSE(printer_->Printing());
    EXPECT_EQ(printer_->PageNumber(), 0);

    EXPECT_NE(win32::testing::PdfText(file, 1).find("一枚目の文字"), std::string::npos);
    EXPECT_NE(win32::testing::PdfText(file, 2).find("二枚目の下の端"), std::string::npos);
    auto info = win32::testing::PdfInfo(file);
    EXPECT_EQ(info["Pages"], "2");
    EXPECT_EQ(info["Title"], "キャンバスの印刷");
}

TEST_F(PrinterTest, MisuseOfTheJobRaisesThePrinterErrors) {
    EXPECT_EQ(PrinterError([&] { printer_->Canvas()->TextOut(0, 0, "x"); }), SNotPrinting);
    EXPECT_EQ(PrinterError([&] { printer_->EndDoc(); }), SNotPrinting);
    EXPECT_EQ(PrinterError([&] { printer_->NewPage(); }), SNotPrinting);
    EXPECT_EQ(PrinterError([&] { printer_->Abort(); }), SNotPrinting);
    // Measuring needs no job.
    EXPECT_GT(printer_->Canvas()->TextWidth("幅"), 0);
    printer_->SetOutputFile(Path("misuse.pdf"));
    printer_->BeginDoc();
    EXPECT_EQ(PrinterError([&] { printer_->BeginDoc(); }), SPrinting);
    EXPECT_EQ(PrinterError([&] { printer_->SetPrinterIndex(1); }), SPrinting);
    EXPECT_EQ(PrinterError([&] { printer_->SetOrientation(poLandscape); }), SPrinting);
    printer_->EndDoc();
}

TEST_F(PrinterTest, AJobThatCannotStartRaisesItsReasonAndLeavesNothing) {
    printer_->SetOutputFile(Path("missing/folder/out.pdf"));
    const std::string message = PrinterError([&] { printer_->BeginDoc(); });
    EXPECT_EQ(message, FormatResource(SPrintStartError, {SysErrorMessage(ERROR_PATH_NOT_FOUND)}));
    EXPECT_FALSE(printer_->Printing());
    EXPECT_FALSE(fs::exists(Path("missing")));
    // The printer is usable again at once.
    PrintPages(Path("after.pdf"), {"後で"});
    EXPECT_TRUE(fs::exists(Path("after.pdf")));
}

TEST_F(PrinterTest, APrinterThatDoesNotExistIsAnInvalidPrinter) {
    printer_->SetPrinter("消えたプリンター", "winspool", "CUPS:", nullptr);
    EXPECT_EQ(printer_->Printers()->Count(), 3) << "a named printer joins the list";
    EXPECT_EQ(printer_->PrinterIndex(), 2);
    EXPECT_EQ(PrinterError([&] { printer_->BeginDoc(); }), SInvalidPrinter);
    EXPECT_EQ(PrinterError([&] { printer_->PageWidth(); }), SInvalidPrinter);
    EXPECT_FALSE(printer_->Printing());
    printer_->SetPrinterIndex(0);
    EXPECT_GT(printer_->PageWidth(), 0);
}

TEST_F(PrinterTest, AbortAndDestructionThrowTheDocumentAway) {
    const std::string file = Path("aborted.pdf");
    printer_->SetOutputFile(file);
    printer_->BeginDoc();
    printer_->Canvas()->TextOut(0, 0, "捨てる");
    printer_->Abort();
    EXPECT_TRUE(printer_->Aborted());
    EXPECT_FALSE(printer_->Printing());
    EXPECT_FALSE(fs::exists(file));
    printer_->BeginDoc();
    EXPECT_FALSE(printer_->Aborted());
    printer_->Canvas()->TextOut(0, 0, "途中");
    SetPrinter(std::make_unique<TPrinter>());  // the running job's printer goes
    printer_ = Printer();
    EXPECT_FALSE(fs::exists(file));
    for (const auto& e : fs::directory_iterator(dir_.path())) EXPECT_EQ(e.path().filename(), "home");
}

TEST_F(PrinterTest, AQueueThatRefusesTheJobRaisesAtTheEnd) {
    printer_->SetPrinterIndex(1);
    Queues().refuse = true;
    printer_->BeginDoc();
    printer_->Canvas()->TextOut(0, 0, "拒否");
    const std::string message = PrinterError([&] { printer_->EndDoc(); });
    EXPECT_EQ(message.rfind("印刷を完了できません", 0), 0u) << message;
    EXPECT_FALSE(printer_->Printing());
}

TEST_F(PrinterTest, OrientationAndTheDeviceModeOfTheSetupDialogChangeThePage) {
    const int width = printer_->PageWidth(), height = printer_->PageHeight();
    EXPECT_EQ(printer_->Orientation(), poPortrait);
    printer_->SetOrientation(poLandscape);
    EXPECT_EQ(printer_->Orientation(), poLandscape);
    EXPECT_EQ(printer_->PageWidth(), height);
    EXPECT_EQ(printer_->PageHeight(), width);
    EXPECT_GT(printer_->PageWidth(), printer_->PageHeight());

    // What the printer-setup dialog does: a copy of the device mode, B5,
    // handed back with SetPrinter.
    std::string device, driver, port;
    HGLOBAL mode = nullptr;
    printer_->GetPrinter(device, driver, port, mode);
    HGLOBAL copy = GlobalAlloc(GHND, GlobalSize(mode));
    std::memcpy(GlobalLock(copy), GlobalLock(mode), GlobalSize(mode));
    GlobalUnlock(mode);
    auto* dm = static_cast<DEVMODEA*>(GlobalLock(copy));
    dm->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
    dm->dmPaperSize = DMPAPER_B5;
    dm->dmOrientation = DMORIENT_PORTRAIT;
    GlobalUnlock(copy);
    printer_->SetPrinter(device, driver, port, copy);
    HGLOBAL now = nullptr;
    printer_->GetPrinter(device, driver, port, now);
    EXPECT_EQ(now, copy);
    EXPECT_EQ(GlobalSize(mode), 0u) << "the device mode it replaced is freed";
    EXPECT_EQ(printer_->PageWidth(), 4299 - 200);
    EXPECT_EQ(printer_->Orientation(), poPortrait);
    EXPECT_EQ(printer_->PrinterIndex(), 0);
}

TEST_F(PrinterTest, FontsListThePrinterFacesOnce) {
    TStrings* fonts = printer_->Fonts();
    ASSERT_GT(fonts->Count(), 0);
    EXPECT_GE(fonts->IndexOf("ＭＳ 明朝"), 0);
    EXPECT_GE(fonts->IndexOf("ＭＳ Ｐゴシック"), 0);
    for (int i = 1; i < fonts->Count(); ++i) EXPECT_NE(fonts->Get(i), fonts->Get(i - 1));
}

}  // namespace
}  // namespace classlib
