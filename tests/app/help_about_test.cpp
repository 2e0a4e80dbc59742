#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/help_form.h"
#include "tests/app/app_fixture.h"

namespace app {
namespace {

using namespace classlib;

class HelpAboutTest : public testing::AppTest {};

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

}  // namespace
}  // namespace app
