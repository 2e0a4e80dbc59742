#include "app/set_form.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/text_file.h"
#include "tests/app/app_fixture.h"

namespace app {
namespace {

using namespace classlib;

class SetFormTest : public testing::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        form = new TSetFm(Application);
        form->AfterConstruction();
    }
    void TearDown() override {
        delete form;
        AppTest::TearDown();
    }
    // Shows the dialog modally and runs `steps` while it is up; the result.
    int RunModal(std::function<void()> steps) {
        headless->AddIdleStep(std::move(steps));
        return form->ShowModal();
    }
    void TypeInto(TWinControl* control, const std::string& text) {
        control->SetFocus();
        Pump();
        headless->Text(text);
        Pump();
    }
    TSetFm* form = nullptr;
};

TEST_F(SetFormTest, BuildsBothPagesWithTheFilesContents) {
    delete form;
    WriteFile("PMemo.ini", "[Option]\r\nMyName=My pad\r\n");
    WriteFile("PMemo.sig", "line one\nline two\rthree");
    form = new TSetFm(Application);
    form->AfterConstruction();
    EXPECT_EQ(form->Caption(), "ぽらりMEMOの設定");
    EXPECT_EQ(form->Width(), 283);
    EXPECT_EQ(form->Height(), 210);
    EXPECT_FALSE(form->BorderIcons().Contains(biMaximize));
    EXPECT_EQ(form->Edit1->Text(), "My pad");
    EXPECT_EQ(form->Memo1->Text(), "line one\r\nline two\r\nthree");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet1);
    // The memo fills its page above the button panel.
    EXPECT_EQ(form->Memo1->Width(), form->TabSheet1->ClientWidth());
    EXPECT_EQ(form->Memo1->Height() + form->Panel1->Height(), form->TabSheet1->ClientHeight());
    EXPECT_EQ(form->Panel1->Height(), 41);
}

TEST_F(SetFormTest, ThePagesTurnByTheirTabsAndKeepTheirLayout) {
    const char* out = std::getenv("MEMOPAD_BINARY_DIR");
    const std::string shots = out != nullptr ? out : ".";
    form->Memo1->SetText("ぽらり\r\nhttp://example.invalid/");
    RunModal([&] {
        // The memo's page is the display area of the tabs below the caption.
        EXPECT_EQ(form->Memo1->Width(), 267);
        EXPECT_EQ(form->Memo1->Height(), 115);
        EXPECT_EQ(form->TabSheet1->Left(), 4);
        headless->SaveScreenPng(shots + "/settings_dialog_signature.png");
        TRect tab = form->PageControl1->TabRect(1);
        Click(form->PageControl1->ClientToScreen(Point((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2)));
        EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet2);
        EXPECT_TRUE(form->Edit1->Showing());
        EXPECT_FALSE(form->TabSheet1->Visible());
        TypeInto(form->Edit1, "My pad");
        headless->SaveScreenPng(shots + "/settings_dialog_title.png");
        // Ctrl+Tab from inside a page turns back to the other.
        PressCtrl(win32::VK_TAB);
        EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet1);
        form->SetModalResult(mrCancel);
    });
}

TEST_F(SetFormTest, WithoutFilesBothPagesStartEmpty) {
    EXPECT_EQ(form->Edit1->Text(), "") << "the main window's default title is not shown here";
    EXPECT_EQ(form->Memo1->Text(), "");
}

TEST_F(SetFormTest, EachOkSavesItsOwnPageOnly) {
    int result = RunModal([&] {
        TypeInto(form->Memo1, "署名一行目");
        headless->Key(win32::VK_RETURN, true);
        headless->Key(win32::VK_RETURN, false);
        Pump();
        headless->Text("second");
        Pump();
        form->PageControl1->SetActivePage(form->TabSheet2);
        Pump();
        TypeInto(form->Edit1, "Title");
        form->PageControl1->SetActivePage(form->TabSheet1);
        Pump();
        Click(form->OKBtn);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(ReadFile("PMemo.sig"), classlib::AnsiFromUtf8("署名一行目\r\nsecond")) << "no line break added";
    EXPECT_FALSE(Exists("PMemo.ini")) << "the signature OK never writes the title";

    std::remove(Path("PMemo.sig").c_str());
    result = RunModal([&] {
        form->PageControl1->SetActivePage(form->TabSheet2);
        Pump();
        Click(form->OKBtn2);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_NE(ReadFile("PMemo.ini").find("MyName=Title"), std::string::npos);
    EXPECT_FALSE(Exists("PMemo.sig")) << "the title OK never writes the signature";
}

TEST_F(SetFormTest, CancelWritesNothingAndKeepsWhatWasTyped) {
    WriteFile("PMemo.sig", "old");
    int result = RunModal([&] {
        TypeInto(form->Memo1, "typed");
        Click(form->CancelBtn);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(ReadFile("PMemo.sig"), "old");
    EXPECT_FALSE(Exists("PMemo.ini"));
    EXPECT_EQ(form->Memo1->Text(), "typed");

    // The title page's Cancel and the close box are Cancel too; Escape and
    // Enter do nothing.
    result = RunModal([&] {
        form->PageControl1->SetActivePage(form->TabSheet2);
        Pump();
        TypeInto(form->Edit1, "T");
        Press(win32::VK_ESCAPE);
        Press(win32::VK_RETURN);
        EXPECT_EQ(form->ModalResult(), mrNone);
        Click(form->Button2);
    });
    EXPECT_EQ(result, mrCancel);
    result = RunModal([&] { win32::PostMessageA(form->Handle(), win32::WM_CLOSE, 0, 0); });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(form->Edit1->Text(), "T");
    EXPECT_FALSE(Exists("PMemo.ini"));
    EXPECT_EQ(ReadFile("PMemo.sig"), "old");
}

TEST_F(SetFormTest, AnEmptyTitleKeepsTheStoredOneAndAnEmptySignatureEmptiesTheFile) {
    WriteFile("PMemo.ini", "[Option]\r\nMyName=Kept\r\n");
    WriteFile("PMemo.sig", "something");
    form->Edit1->SetText("");
    form->Memo1->Clear();
    RunModal([&] { form->OKBtn2Click(form); });
    EXPECT_NE(ReadFile("PMemo.ini").find("MyName=Kept"), std::string::npos);
    RunModal([&] { form->OKBtnClick(form); });
    EXPECT_TRUE(Exists("PMemo.sig"));
    EXPECT_EQ(ReadFile("PMemo.sig"), "");
}

TEST_F(SetFormTest, ASignatureThatCannotBeWrittenIsReportedAndTheDialogStaysOpen) {
    form->Memo1->SetText("keep me");
    SetProgramDirectory(dir + "/missing");
    int result = RunModal([&] {
        Click(form->OKBtn);
        EXPECT_EQ(form->ModalResult(), mrNone);
        form->SetModalResult(mrCancel);
    });
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "ﾌｧｲﾙ " + Path("missing/PMemo.sig") + " を作成できません.");
    EXPECT_EQ(form->Memo1->Text(), "keep me");
}

TEST_F(SetFormTest, ATitleTheSettingsFileRefusesIsReportedAndTheDialogStaysOpen) {
    form->Edit1->SetText("Title");
    SetProgramDirectory(dir + "/missing");
    int result = RunModal([&] {
        form->PageControl1->SetActivePage(form->TabSheet2);
        Pump();
        Click(form->OKBtn2);
        EXPECT_EQ(form->ModalResult(), mrNone);
        form->SetModalResult(mrCancel);
    });
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Path("missing/PMemo.ini") + " に書き込めません.");
    EXPECT_EQ(form->Edit1->Text(), "Title");
}

}  // namespace
}  // namespace app
