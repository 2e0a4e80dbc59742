#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/about_box.h"
#include "app/help_form.h"
#include "classlib/controls.h"
#include "tests/app/app_fixture.h"

namespace app {
namespace {

using namespace classlib;

class HelpAboutTest : public testing::AppTest {
protected:
    // A stand-in for the desktop's opener on PATH that records its
    // arguments, one per line.
    void InstallOpener() {
        record = Path("opened");
        WriteFile("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"" + record + "\"\n");
        ::chmod(Path("xdg-open").c_str(), 0755);
        const char* old = std::getenv("PATH");
        savedPath = old ? old : "";
        ::setenv("PATH", (dir + ":" + savedPath).c_str(), 1);
    }
    void TearDown() override {
        if (!record.empty()) ::setenv("PATH", savedPath.c_str(), 1);
        AppTest::TearDown();
    }
    // The lines the opener has written once `count` requests arrived.
    std::string Opened(std::size_t count) {
        for (int i = 0; i < 500; ++i) {
            std::string all = ReadFile("opened");
            if (static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) >= count) return all;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return ReadFile("opened");
    }
    std::string record, savedPath;
};

TEST_F(HelpAboutTest, HelpTextTakesTheEditorsFontAndColourOnceAtCreation) {
    auto* editorForm = new TForm(Application);
    auto* editor = new TMemo(editorForm);
    editor->SetParent(editorForm);
    editor->SetColor(0xFFFFD7);
    editor->Font()->SetName("ＭＳ 明朝");
    editor->Font()->SetSize(14);
    editor->Font()->SetColor(0xFF0000);
    editor->Font()->SetStyle(TFontStyles{fsBold, fsItalic});

    auto* help = new THelpFm(Application, editor);
    help->AfterConstruction();
    EXPECT_EQ(help->Memo1->Color(), TColor(0xFFFFD7));
    EXPECT_EQ(help->Memo1->Font()->Name(), "ＭＳ 明朝");
    EXPECT_EQ(help->Memo1->Font()->Size(), 14);
    EXPECT_EQ(help->Memo1->Font()->Color(), TColor(0xFF0000));
    EXPECT_EQ(help->Memo1->Font()->Style(), (TFontStyles{fsBold, fsItalic}));

    // A later choice in the editor does not reach the help window.
    editor->Font()->SetName("ＭＳ ゴシック");
    editor->SetColor(clWhite);
    EXPECT_EQ(help->Memo1->Font()->Name(), "ＭＳ 明朝");
    EXPECT_EQ(help->Memo1->Color(), TColor(0xFFFFD7));
    delete help;
    delete editorForm;
}

TEST_F(HelpAboutTest, AboutBoxShowsNameAndVersion) {
    auto* about = new TAboutBox(Application);
    about->AfterConstruction();
    EXPECT_EQ(about->Caption(), "ぽらりMEMOについて");
    EXPECT_EQ(about->ProductName->Caption(), "ぽらりMEMO");
    EXPECT_EQ(about->Version->Caption(), "Version  1.0");
    delete about;
}

TEST_F(HelpAboutTest, AboutLinksGoToTheShellAndOkCloses) {
    InstallOpener();
    auto* about = new TAboutBox(Application);
    about->AfterConstruction();
    EXPECT_EQ(about->Label1->Cursor(), crHandPoint);
    EXPECT_EQ(about->Label1->Hint(), "MailTo:");
    EXPECT_EQ(about->Label3->Hint(), "ぽらりの部屋へジャンプ");
    EXPECT_TRUE(about->Label1->Font()->Style().Contains(fsUnderline));
    EXPECT_EQ(about->Label3->Font()->Color(), clBlue);
    headless->AddIdleStep([&] {
        Click(about->Label1);
        Click(about->Label3);
        Click(about->OKButton);
    });
    EXPECT_EQ(about->ShowModal(), mrOk);
    EXPECT_EQ(Opened(2), "mailto:porari@example.jp\nhttp://www.example.com/porari/\n");
    delete about;
}

TEST_F(HelpAboutTest, ALinkWithNoOpenerInstalledDoesNothingVisible) {
    InstallOpener();
    std::remove(Path("xdg-open").c_str());
    ::setenv("PATH", dir.c_str(), 1);  // no opener anywhere
    auto* about = new TAboutBox(Application);
    about->AfterConstruction();
    headless->AddIdleStep([&] {
        Click(about->Label1);
        Click(about->OKButton);
    });
    EXPECT_EQ(about->ShowModal(), mrOk);
    EXPECT_TRUE(boxes.empty());
    delete about;
}

}  // namespace
}  // namespace app
