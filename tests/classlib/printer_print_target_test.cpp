// The editor printing itself on the program's printer: EM_FORMATRANGE pages
// on the PDF printer's device context, one job titled with the document.
#include <gtest/gtest.h>

#include <filesystem>

#include "classlib/forms.h"
#include "classlib/printer_print_target.h"
#include "tests/classlib/ui_fixture.h"
#include "tests/platform/print/print_fixture.h"

namespace classlib {
namespace {

using namespace win32;

class EditorPrintTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        print::SetQueueServiceForTesting(std::make_unique<win32::testing::FakeQueues>());
        previous = SetPrinter(std::make_unique<TPrinter>());
        Application->CreateForm(form);
        form->SetBounds(50, 50, 420, 300);
        memo = new TRichEdit(form);
        memo->SetParent(form);
        memo->SetPlainText(true);
        memo->SetAlign(alClient);
        form->Show();
        Pump();
    }
    void TearDown() override {
        delete form;
        SetPrinter(std::move(previous));
        print::SetQueueServiceForTesting(nullptr);
        UiTest::TearDown();
    }

    TForm* form = nullptr;
    TRichEdit* memo = nullptr;
    std::unique_ptr<TPrinter> previous;
    win32::testing::TempDir dir;
};

TEST_F(EditorPrintTest, TheEditorsTextIsPrintedPageByPageAsOneJob) {
    if (!win32::testing::HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
    for (int i = 1; i <= 120; ++i) memo->Lines()->Add("印刷の試験 " + std::to_string(i) + " 行目");
    const std::string file = dir / "editor.pdf";
    Printer()->SetOutputFile(file);
    {
        TPrinterPrintTarget target(Printer());
        memo->Print("/home/user/試験.txt", target);
    }
    EXPECT_FALSE(Printer()->Printing());
    auto info = win32::testing::PdfInfo(file);
    EXPECT_EQ(info["Title"], "/home/user/試験.txt");
    EXPECT_GE(std::stoi(info["Pages"]), 2) << "120 lines do not fit one A4 page";
    const std::string text = win32::testing::PdfText(file);
    EXPECT_NE(text.find("印刷の試験 1 行目"), std::string::npos) << text.substr(0, 400);
    EXPECT_NE(text.find("印刷の試験 120 行目"), std::string::npos);
}

TEST_F(EditorPrintTest, AJobTheEditorLeavesOpenIsAbandonedWithTheTarget) {
    const std::string file = dir / "left.pdf";
    Printer()->SetOutputFile(file);
    {
        TPrinterPrintTarget target(Printer());
        target.BeginDoc("途中で終わる");
        EXPECT_TRUE(Printer()->Printing());
    }
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace classlib
