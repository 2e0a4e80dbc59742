// The edit and view commands: which are enabled when, the toggles, and the
// commands that show the other windows and dialogs.
#include <gtest/gtest.h>

#include "app/about_box.h"
#include "tests/app/main_form_fixture.h"

namespace app::testing {
namespace {

using namespace classlib;
using namespace win32;

TEST_F(MainFormTest, EditCommandsFollowSelectionTextAndSaves) {
    StartPad();
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    Pad()->Edit1->Click();
    EXPECT_FALSE(Pad()->SelectAll1->Enabled()) << "empty document";
    EXPECT_FALSE(Pad()->Cut1->Enabled());
    EXPECT_FALSE(Pad()->Copy1->Enabled());
    EXPECT_FALSE(Pad()->Paste1->Enabled());
    EXPECT_FALSE(Pad()->Undo1->Enabled());
    TypeText("hello");
    EXPECT_TRUE(Pad()->SelectAll1->Enabled());
    EXPECT_TRUE(Pad()->Undo1->Enabled());
    EXPECT_TRUE(Pad()->Save1->Enabled());
    PressKey(VK_HOME);
    Key(VK_SHIFT, true);
    PressKey(VK_RIGHT);
    Key(VK_SHIFT, false);
    Pump();
    EXPECT_TRUE(Pad()->Cut1->Enabled()) << "one character selected";
    EXPECT_TRUE(Pad()->Copy1->Enabled());
    PressCtrlKey('X');
    EXPECT_EQ(Text(), "ello");
    EXPECT_TRUE(Pad()->Paste1->Enabled());
    PressKey(VK_END);
    PressCtrlKey('P');
    EXPECT_EQ(Text(), "elloh") << "Ctrl+P pastes";
    AnswerFileDialog(Path("saved.txt"));
    PressKey(VK_LEFT);  // a selection change refreshes the states after the save
    ChooseMenu("ファイル(&F)", "上書き保存(&S)");
    PressKey(VK_LEFT);
    EXPECT_FALSE(Pad()->Save1->Enabled());
    TypeText("!");
    EXPECT_TRUE(Pad()->Save1->Enabled());
    ChooseMenu("編集(&E)", "元に戻す(&U)");
    EXPECT_EQ(Text(), "elloh");
    ChooseMenu("編集(&E)", "すべて選択(&D)");
    EXPECT_EQ(Pad()->MainMemo->SelLength(), Pad()->MainMemo->GetTextLen());
}

TEST_F(MainFormTest, StatusBarAndWrapToggles) {
    StartPad();
    ChooseMenu("表示(&V)", "ステータスバー(&S)");
    EXPECT_FALSE(Pad()->StatusBar1->Visible());
    EXPECT_FALSE(Pad()->S1->Checked());
    ChooseMenu("表示(&V)", "ステータスバー(&S)");
    EXPECT_TRUE(Pad()->StatusBar1->Visible());
    EXPECT_TRUE(Pad()->S1->Checked());

    Pad()->MainMemo->SetText(std::string(300, 'w'));
    Pump();
    LRESULT wrappedLines = SendMessageA(Pad()->MainMemo->Handle(), EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(wrappedLines, 1);
    ChooseMenu("表示(&V)", "右端で折り返す");
    Pump();
    EXPECT_EQ(SendMessageA(Pad()->MainMemo->Handle(), EM_GETLINECOUNT, 0, 0), 1) << "the long line stays one line";
    EXPECT_FALSE(Pad()->MainMemo->WordWrap());
    EXPECT_FALSE(Pad()->N4->Checked());
    EXPECT_EQ(Pad()->MainMemo->ScrollBars(), ssBoth);
    LONG style = GetWindowLongA(Pad()->MainMemo->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL) << "a horizontal bar for the long line";
    ChooseMenu("表示(&V)", "右端で折り返す");
    EXPECT_TRUE(Pad()->MainMemo->WordWrap());
    EXPECT_EQ(Pad()->MainMemo->ScrollBars(), ssVertical);

    ChooseMenu("表示(&V)", "ツールバー(&T)");
    EXPECT_FALSE(Pad()->T1->Checked());
    ChooseMenu("表示(&V)", "ツールバー(&T)");
    EXPECT_TRUE(Pad()->T1->Checked());
}

TEST_F(MainFormTest, AboutShowsTheWindowsOwnAboutBox) {
    StartPad();
    ASSERT_NE(Pad()->AboutBox(), nullptr);
    EXPECT_EQ(Pad()->AboutBox()->Owner(), Pad());
    bool shown = false;
    headless->AddIdleStep([&] {
        shown = Pad()->AboutBox()->Visible();
        Pad()->AboutBox()->SetModalResult(mrOk);
    });
    ChooseMenu("ヘルプ(&H)", "ﾊﾞｰｼﾞｮﾝ情報(&V)");
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Pad()->AboutBox()->Visible());
}

TEST_F(MainFormTest, PrintGoesThroughThePrintDialogAndCancelPrintsNothing) {
    StartPad();
    TypeText("text");
    CancelDialog();
    ChooseMenu("ファイル(&F)", "印刷(&p)");
    AnswerDialog([](TCommonDialog*) { return false; });
    ChooseMenu("ファイル(&F)", "プリンターの設定(&S)");
    EXPECT_EQ(Pad()->dialogsShown, (std::vector<std::string>{"PrintDialog1", "PrinterSetupDialog1"}));
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace app::testing
