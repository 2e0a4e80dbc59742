// The document commands as a user meets them: the unsaved-changes
// questions, the caption, the character count and the files on disk.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "dialogs/text_file_dialogs.h"
#include "tests/app/main_form_fixture.h"

namespace app::testing {
namespace {

using namespace classlib;
using namespace win32;

constexpr const char* kSaveQuestion = "ファイルが保存されていません。保存しますか。";
constexpr const char* kOpenWarning = "データは変更されています\r保存しますか？";

TEST_F(MainFormTest, CountsCharactersWithLineBreaksAsTwo) {
    StartPad();
    TypeText("a");
    EXPECT_EQ(StatusText(1), "文字数 = 1");
    EXPECT_TRUE(Pad()->Modified());
    EXPECT_TRUE(Pad()->Save1->Enabled());
    PressKey(VK_BACK);
    TypeText("あいう\nabc");
    EXPECT_EQ(StatusText(1), "文字数 = 8");
    Pad()->MainMemo->SetText(std::string(1234, 'x'));
    Pump();
    EXPECT_EQ(StatusText(1), "文字数 = 1,234");
}

TEST_F(MainFormTest, SaveOfAnUntitledDocumentAsksForANameWithoutAddingAnExtension) {
    StartPad();
    TypeText("memo text");
    AnswerDialog([&](TCommonDialog* d) {
        auto* save = dynamic_cast<dialogs::TTextSaveDialog*>(d);
        EXPECT_NE(save, nullptr);
        EXPECT_EQ(save->Filter(), "Text(*.txt)|*.txt|All(*.*)|*.*");
        EXPECT_EQ(save->FileName(), "") << "never pre-filled with the current file";
        EXPECT_TRUE(save->Preview());
        save->SetFileName(Path("memo"));
        return true;
    });
    ChooseMenu("ファイル(&F)", "上書き保存(&S)");
    EXPECT_EQ(ReadFile("memo"), "memo text");
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・" + Path("memo"));
    EXPECT_FALSE(Pad()->Modified());
    EXPECT_EQ(Pad()->dialogsShown, std::vector<std::string>{"TextSaveDialog1"});
    // Named now: the next Save writes without a dialog, replacing the file.
    TypeText("!");
    ChooseMenu("ファイル(&F)", "上書き保存(&S)");
    EXPECT_EQ(ReadFile("memo"), "memo text!");
    EXPECT_EQ(Pad()->dialogsShown.size(), 1u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainFormTest, SaveAsReplacesAnExistingFileWithoutAQuestionAndKeepsItsPermissions) {
    WriteFile("old.txt", "old content that is longer");
    ::chmod(Path("old.txt").c_str(), 0640);
    StartPad();
    TypeText("new");
    AnswerFileDialog(Path("old.txt"));
    ChooseMenu("ファイル(&F)", "名前を付けて保存(&A)");
    EXPECT_EQ(ReadFile("old.txt"), "new");
    struct stat st {};
    ::stat(Path("old.txt").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainFormTest, FailedSaveAsLeavesTheCaptionAndTheFlag) {
    StartPad();
    TypeText("replacement");
    AnswerFileDialog(Path("no such folder/keep.txt"));
    ChooseMenu("ファイル(&F)", "名前を付けて保存(&A)");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "ﾌｧｲﾙ " + Path("no such folder/keep.txt") + " を作成できません.");
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・無題");
    EXPECT_EQ(Pad()->CurrentFile(), "");
    EXPECT_TRUE(Pad()->Modified());
}

TEST_F(MainFormTest, NewAsksOnceAndNoDiscardsTheText) {
    StartPad();
    TypeText("draft");
    AnswerMessageBox(IDNO);
    ChooseMenu("ファイル(&F)", "新規作成(&N)");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kSaveQuestion);
    EXPECT_EQ(boxes[0].caption, "確認");
    EXPECT_EQ(boxes[0].flags, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(Pad()->Modified());
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・無題");
    // Untitled again: Save asks for a name.
    TypeText("x");
    CancelDialog();
    ChooseMenu("ファイル(&F)", "上書き保存(&S)");
    EXPECT_EQ(Pad()->dialogsShown, std::vector<std::string>{"TextSaveDialog1"});
}

TEST_F(MainFormTest, NewAnsweredYesSavesANamedDocumentFirst) {
    WriteFile("doc.txt", "abc");
    StartPad({Path("doc.txt")});
    TypeText("d");
    AnswerMessageBox(IDYES);
    ChooseMenu("ファイル(&F)", "新規作成(&N)");
    EXPECT_EQ(ReadFile("doc.txt"), "dabc");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・無題") << "the caption follows the new document";
    EXPECT_EQ(Pad()->CurrentFile(), "");
}

TEST_F(MainFormTest, OpenOfAModifiedNamedDocumentOffersSaveAsThenOpens) {
    WriteFile("a.txt", "first");
    WriteFile("b.txt", "second\r\nline");
    StartPad({Path("a.txt")});
    TypeText("+");
    AnswerMessageBox(IDYES);
    AnswerFileDialog(Path("copy.txt"));  // the Save As dialog, not a silent save
    AnswerDialog([&](TCommonDialog* d) {
        auto* open = dynamic_cast<dialogs::TTextOpenDialog*>(d);
        EXPECT_NE(open, nullptr);
        EXPECT_EQ(open->Filter(), "Text  (*.txt)|*.txt|RichText  (*.rtf)|*.rtf|All  (*.*)|*.*");
        open->SetFileName(Path("b.txt"));
        return true;
    });
    ChooseMenu("ファイル(&F)", "開く(&O)");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kOpenWarning);
    EXPECT_EQ(boxes[0].caption, "警告");
    EXPECT_EQ(boxes[0].flags, UINT(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON1));
    EXPECT_EQ(ReadFile("a.txt"), "first");
    EXPECT_EQ(ReadFile("copy.txt"), "+first");
    EXPECT_EQ(Text(), "second\r\nline");
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・" + Path("b.txt"));
    EXPECT_EQ(StatusText(1), "文字数 = 12");
    EXPECT_FALSE(Pad()->Modified());
}

TEST_F(MainFormTest, OpenCancelledKeepsEverythingAndAMissingFileIsReported) {
    StartPad();
    TypeText("keep");
    AnswerMessageBox(IDNO);
    CancelDialog();
    ChooseMenu("ファイル(&F)", "開く(&O)");
    EXPECT_EQ(Text(), "keep");
    EXPECT_TRUE(Pad()->Modified());
    AnswerMessageBox(IDNO);
    AnswerFileDialog(Path("gone.txt"));
    ChooseMenu("ファイル(&F)", "開く(&O)");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, "ﾌｧｲﾙ " + Path("gone.txt") + " は開けません.");
    EXPECT_EQ(Text(), "keep");
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・無題");
    EXPECT_TRUE(Pad()->Modified());
}

TEST_F(MainFormTest, OpenedAndSavedWithoutEditsIsByteIdentical) {
    // Shift-JIS text, a lone byte that is no character, and rich-text markup.
    std::string bytes = "{\\rtf1 \x93\xfa\x96\x7b}\r\n\x81\r\nend";
    WriteFile("doc.rtf", bytes);
    StartPad();
    AnswerFileDialog(Path("doc.rtf"));
    ChooseMenu("ファイル(&F)", "開く(&O)");
    EXPECT_EQ(Text().substr(0, 7), "{\\rtf1 ");
    AnswerFileDialog(Path("again.rtf"));
    ChooseMenu("ファイル(&F)", "名前を付けて保存(&A)");
    EXPECT_EQ(ReadFile("again.rtf"), bytes);
}

TEST_F(MainFormTest, ClosingAModifiedDocumentAsksAndYesWithCancelStillCloses) {
    StartPad();
    TypeText("unsaved");
    AnswerMessageBox(IDYES);
    CancelDialog();
    CloseWindow();
    EXPECT_EQ(boxes.at(0).text, kSaveQuestion);
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(Exists("PMemo.ini"));
}

TEST_F(MainFormTest, AFailedSaveAtCloseKeepsTheWindowOpen) {
    std::filesystem::create_directory(Path("folder.txt"));
    WriteFile("folder.txt/x", "");
    StartPad();
    TypeText("unsaved");
    AnswerMessageBox(IDYES);
    AnswerFileDialog(Path("folder.txt"));  // a folder cannot be replaced by a file
    CloseWindow();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "ﾌｧｲﾙ " + Path("folder.txt") + " を作成できません.");
    EXPECT_FALSE(Closed());
    EXPECT_FALSE(Exists("PMemo.ini")) << "the settings wait for a close that goes ahead";
    EXPECT_EQ(Text(), "unsaved");
}

}  // namespace
}  // namespace app::testing
