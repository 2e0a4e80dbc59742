// Find next, replace the marked word and replace all, forward from the
// caret, on the texts a user meets.
#include <gtest/gtest.h>

#include "tests/app/main_form_fixture.h"

namespace app::testing {
namespace {

using namespace classlib;
using namespace win32;

class SearchTest : public MainFormTest {
protected:
    // The find dialog's find-next button with this word and options.
    void SetWordByFindDialog(const std::string& word, TFindOptions extra = {}) {
        Pad()->FindDialog1->SetFindText(word);
        Pad()->FindDialog1->SetOptions(Pad()->FindDialog1->Options() + extra);
        Pad()->FindDialog1->OnFind(Pad()->FindDialog1);
        Pump();
    }
    void SetWordByReplaceDialog(const std::string& word, const std::string& replacement) {
        Pad()->ReplaceDialog1->SetFindText(word);
        Pad()->ReplaceDialog1->SetReplaceText(replacement);
        Pad()->ReplaceDialog1->OnFind(Pad()->ReplaceDialog1);
        Pump();
    }
    void StartWith(const std::string& text, int caret = 0) {
        StartPad();
        Pad()->MainMemo->SetText(text);
        Pad()->MainMemo->SetSelStart(caret);
        Pump();
    }
    std::string Selected() { return Pad()->MainMemo->SelText(); }
    int SelStart() { return Pad()->MainMemo->SelStart(); }
};

TEST_F(SearchTest, F3WalksForwardAndEndsWithTheNotFoundMessage) {
    StartWith("abc abc\r\n");
    SetWordByFindDialog("abc");
    EXPECT_EQ(SelStart(), 0);
    EXPECT_EQ(Selected(), "abc");
    PressKey(VK_F3);
    EXPECT_EQ(SelStart(), 4);
    EXPECT_TRUE(Pad()->SearchFound());
    PressKey(VK_F3);
    EXPECT_FALSE(Pad()->SearchFound());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "「abc」 は見つかりません。");
    EXPECT_EQ(boxes[0].caption, Application->Title());
    EXPECT_EQ(boxes[0].flags, UINT(MB_OK));
    EXPECT_EQ(SelStart(), 7) << "the caret stays after the last match";
    EXPECT_EQ(Pad()->MainMemo->SelLength(), 0);
}

TEST_F(SearchTest, AWordThatEndsTheTextIsNotFound) {
    StartWith("xx end");
    SetWordByFindDialog("end");
    EXPECT_FALSE(Pad()->SearchFound());
    EXPECT_EQ(boxes.size(), 1u);
    Pad()->MainMemo->SetText("xx end\r\n");
    Pad()->MainMemo->SetSelStart(0);
    PressKey(VK_F3);
    EXPECT_TRUE(Pad()->SearchFound());
    EXPECT_EQ(SelStart(), 3);
}

TEST_F(SearchTest, FullWidthWordIsSelectedWhole) {
    StartWith("あいう日本語えお\r\n");
    SetWordByFindDialog("日本語");
    EXPECT_EQ(Selected(), "日本語");
}

TEST_F(SearchTest, F4ComparesExactlyAndReplaceAllStopsAtTheEnd) {
    StartWith("ABC abc\r\n");
    SetWordByReplaceDialog("abc", "x");
    EXPECT_EQ(Selected(), "ABC") << "case is ignored by the search";
    PressKey(VK_F4);
    EXPECT_EQ(Pad()->MainMemo->Text(), "ABC abc\r\n") << "but not by the replacement";
    EXPECT_EQ(Selected(), "abc");
    PressKey(VK_F4);
    EXPECT_EQ(Pad()->MainMemo->Text(), "ABC x\r\n");
    EXPECT_TRUE(Pad()->Modified());

    Pad()->MainMemo->SetText("ABC abc\r\n");
    Pad()->MainMemo->SetSelStart(0);
    boxes.clear();
    ChooseMenu("検索(&S)", "すべて置換(&A)");
    EXPECT_EQ(Pad()->MainMemo->Text(), "ABC x\r\n");
    EXPECT_EQ(boxes.size(), 1u) << "one not-found message at the end";
}

TEST_F(SearchTest, ReplaceAllLeavesWhatIsBeforeTheCaretAndDoesNotLoopOverItsOutput) {
    StartWith("a a\r\n");
    SetWordByReplaceDialog("a", "aa");
    Pad()->MainMemo->SetSelStart(0);
    ChooseMenu("検索(&S)", "すべて置換(&A)");
    EXPECT_EQ(Pad()->MainMemo->Text(), "aa aa\r\n");

    Pad()->MainMemo->SetText("b b b b\r\n");
    SetWordByReplaceDialog("b", "c");
    Pad()->MainMemo->SetSelStart(3);
    ChooseMenu("検索(&S)", "すべて置換(&A)");
    EXPECT_EQ(Pad()->MainMemo->Text(), "b b c c\r\n");
}

TEST_F(SearchTest, AnEmptyWordIsNeverFoundAndReplaceAllEnds) {
    StartWith("text\r\n");
    PressKey(VK_F3);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "「」 は見つかりません。");
    ChooseMenu("検索(&S)", "すべて置換(&A)");
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(Pad()->MainMemo->Text(), "text\r\n");
}

TEST_F(SearchTest, TheReplaceDialogsWordIsNamedWhenMissingAndKeptAfterwards) {
    StartWith("one two\r\n");
    SetWordByReplaceDialog("three", "3");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "「three」 は見つかりません。");
    EXPECT_EQ(Pad()->SearchWord(), "three");
}

TEST_F(SearchTest, WholeWordAndMatchCaseOptionsReachTheSearch) {
    StartWith("cat concat Cat\r\n");
    SetWordByFindDialog("Cat", {frMatchCase, frWholeWord});
    EXPECT_EQ(SelStart(), 11);
}

TEST_F(SearchTest, MenuCommandsShowTheDialogs) {
    StartPad();
    AnswerDialog([](TCommonDialog* d) { return d->Name() == "FindDialog1"; });
    PressCtrlKey('F');
    AnswerDialog([](TCommonDialog* d) { return d->Name() == "ReplaceDialog1"; });
    PressCtrlKey('R');
    EXPECT_EQ(Pad()->dialogsShown, (std::vector<std::string>{"FindDialog1", "ReplaceDialog1"}));
    EXPECT_TRUE(Pad()->FindDialog1->Options().Contains(frHideUpDown));
}

}  // namespace
}  // namespace app::testing
