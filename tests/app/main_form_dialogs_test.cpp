// The document and search commands through the system's own dialogs,
// answered as a user answers them: a name typed into the file name field,
// a file picked from the list with its preview, a word typed into the find
// dialog.
#include <gtest/gtest.h>

#include "app/set_form.h"
#include "classlib/application.h"
#include "dialogs/text_file_dialogs.h"
#include "platform/comdlg/commdlg.h"
#include "tests/app/main_form_fixture.h"

namespace app::testing {
namespace {

using namespace classlib;
using namespace win32;

class RealDialogTest : public MainFormTest {
protected:
    void Start(std::vector<std::string> arguments = {}) {
        StartPad(std::move(arguments));
        Pad()->realDialogs = true;
    }
    // While the file dialog of `component` is up: runs `look`, types `name`
    // into the file name field and presses the dialog's OK button.
    void WhenFileDialogUp(dialogs::TTextOpenDialog* component, const std::string& name,
                          std::function<void(HWND system)> look = nullptr) {
        headless->AddIdleStep([=, this] {
            HWND system = component->Handle() ? GetParent(component->Handle()) : nullptr;
            if (system == nullptr) {
                ADD_FAILURE() << "no file dialog";
                return;
            }
            if (look) look(system);
            SetDlgItemTextA(system, edt1, name.c_str());
            PostMessageA(system, WM_COMMAND, IDOK, 0);
        });
    }
};

TEST_F(RealDialogTest, SaveAsThroughTheSaveDialogKeepsANameWithoutExtension) {
    Start();
    TypeText("typed text");
    std::string templ;
    bool ticked = false;
    WhenFileDialogUp(Pad()->TextSaveDialog1, Path("memo"), [&](HWND) {
        templ = Pad()->TextSaveDialog1->Template();
        ticked = Pad()->TextSaveDialog1->PreviewCheck() && Pad()->TextSaveDialog1->PreviewCheck()->Checked();
    });
    ChooseMenu("ファイル(&F)", "名前を付けて保存(&A)");
    EXPECT_EQ(templ, "ENHDLG1");
    EXPECT_TRUE(ticked) << "the main window's dialogs preview";
    EXPECT_EQ(ReadFile("memo"), "typed text");
    EXPECT_FALSE(Exists("memo.txt"));
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・" + Path("memo"));
    // The same name again: replaced without a question.
    TypeText("!");
    WhenFileDialogUp(Pad()->TextSaveDialog1, Path("memo"));
    ChooseMenu("ファイル(&F)", "名前を付けて保存(&A)");
    EXPECT_EQ(ReadFile("memo"), "typed text!");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RealDialogTest, OpenThroughTheOpenDialogShowsThePreviewThenTheFile) {
    WriteFile("note.txt", "first line\r\nsecond line");
    Start();
    std::string preview;
    WhenFileDialogUp(Pad()->TextOpenDialog1, Path("note.txt"), [&](HWND system) {
        // Selecting the file shows its start in the pane.
        SetDlgItemTextA(system, edt1, Path("note.txt").c_str());
        Pad()->TextOpenDialog1->UpdatePreview();
        preview = Pad()->TextOpenDialog1->PreviewMemo() ? Pad()->TextOpenDialog1->PreviewMemo()->Text() : "";
    });
    ChooseMenu("ファイル(&F)", "開く(&O)");
    EXPECT_EQ(Text(), "first line\r\nsecond line");
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・" + Path("note.txt"));
    EXPECT_EQ(StatusText(1), "文字数 = 23");
    EXPECT_FALSE(Pad()->Modified());
    EXPECT_EQ(Pad()->TextOpenDialog1->PreviewPanel(), nullptr) << "the pane goes with the dialog";
    EXPECT_EQ(preview, "first line\r\nsecond line");
}

TEST_F(RealDialogTest, CancellingTheOpenDialogKeepsTheDocument) {
    Start();
    TypeText("draft");
    AnswerMessageBox(IDNO);
    headless->AddIdleStep([&] {
        HWND system = GetParent(Pad()->TextOpenDialog1->Handle());
        PostMessageA(system, WM_COMMAND, IDCANCEL, 0);
    });
    ChooseMenu("ファイル(&F)", "開く(&O)");
    EXPECT_EQ(Text(), "draft");
    EXPECT_TRUE(Pad()->Modified());
}

TEST_F(RealDialogTest, WordTypedIntoTheFindDialogIsFoundAndKeptForF3) {
    Start();
    Pad()->MainMemo->SetText("one two one two\r\n");
    Pad()->MainMemo->SetSelStart(0);
    PressCtrlKey('F');
    HWND find = Pad()->FindDialog1->Handle();
    ASSERT_NE(find, nullptr) << "the find dialog is up";
    SetDlgItemTextA(find, edt1, "two");
    SendMessageA(find, WM_COMMAND, IDOK, 0);
    Pump();
    EXPECT_EQ(Pad()->SearchWord(), "two");
    EXPECT_EQ(Pad()->MainMemo->SelStart(), 4);
    EXPECT_FALSE(IsWindowVisible(find) && Pad()->FindDialog1->Handle()) << "the dialog closes after setting the word";
    PressKey(VK_F3);
    EXPECT_EQ(Pad()->MainMemo->SelStart(), 12);
}

TEST_F(RealDialogTest, SignatureSavedInTheSettingsDialogIsUsedAtOnce) {
    Start();
    TSetFm* settings = nullptr;
    Application->CreateForm(settings);
    Pad()->SetSettingsForm(settings);
    headless->AddIdleStep([&] {
        settings->Memo1->SetText("Taro\r\nExample");
        settings->OKBtn->Click();
    });
    ChooseMenu("設定(&A)", "設定(&T)");
    EXPECT_FALSE(settings->Visible());
    EXPECT_EQ(ReadFile("PMemo.sig"), "Taro\r\nExample");
    ChooseMenu("オプション(&O)", "署名の挿入(&S)");
    EXPECT_EQ(Text(), "Taro\r\nExample\r\n");
    // Cancel on the title page stores nothing; the title waits for a restart.
    headless->AddIdleStep([&] {
        settings->Edit1->SetText("ABC");
        settings->Button2->Click();
    });
    ChooseMenu("設定(&A)", "設定(&T)");
    EXPECT_FALSE(Exists("PMemo.ini"));
    headless->AddIdleStep([&] { settings->OKBtn2->Click(); });
    ChooseMenu("設定(&A)", "設定(&T)");
    EXPECT_NE(ReadFile("PMemo.ini").find("MyName=ABC"), std::string::npos);
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・無題") << "the title takes effect at the next start";
}

}  // namespace
}  // namespace app::testing
