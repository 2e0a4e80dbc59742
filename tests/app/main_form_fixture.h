// The real main window on the headless screen, driven as a user drives it:
// typed text and keys, menu commands chosen with the keyboard, message
// boxes and dialogs answered in turn, and what the user then sees
// (caption, status-bar panels, boxes shown, files on disk).
//
//   StartPad();
//   TypeText("abc");
//   AnswerFileDialog(Path("memo.txt"));
//   ChooseMenu("ファイル(&F)", "上書き保存(&S)");
//   EXPECT_EQ(Caption(), "ぽらりMEMO・・・" + Path("memo.txt"));
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "tests/app/app_fixture.h"

namespace app::testing {

// How a test answers a dialog the window shows: true for OK.
using DialogAnswer = std::function<bool(classlib::TCommonDialog* dialog)>;

// The main window with its dialogs and its shell request answered by the
// test that runs it.
class ScriptedMainForm : public TMainForm {
public:
    using TMainForm::TMainForm;

    std::deque<DialogAnswer> answers;
    // Without a scripted answer, show the real dialog (the test answers it
    // with idle steps) instead of failing.
    bool realDialogs = false;
    std::vector<std::string> dialogsShown;  // class names, in order
    std::vector<std::string> shellRequests;

protected:
    bool RunDialog(classlib::TCommonDialog* dialog) override;
    void SendToShell(const std::string& request) override { shellRequests.push_back(request); }
};

class MainFormTest : public AppTest {
protected:
    void SetUp() override;

    // Creates and shows the window as the program entry does.
    void StartPad(std::vector<std::string> arguments = {});
    ScriptedMainForm* Pad() const { return form_; }

    // Typed text: every "\n" is the Enter key, the rest comes from the
    // input method.
    void TypeText(const std::string& utf8);
    void PressKey(unsigned vk) { Press(vk); }
    void PressCtrlKey(unsigned vk) { PressCtrl(vk); }
    // Opens the top-level menu by its access key and chooses the item (an
    // item of a submenu when `sub` is given) by its access key, or by the
    // arrow keys when it has none.
    void ChooseMenu(const std::string& top, const std::string& item, const std::string& sub = {});
    // Asks the window to close as its close box does.
    void CloseWindow();
    bool Closed() const;

    // The next message box gets this answer (IDYES, IDNO, IDOK...). A box
    // without a queued answer is answered OK when it has only OK, else it
    // fails the test and answers No.
    void AnswerMessageBox(int answer) { boxAnswers_.push_back(answer); }
    // The next file dialog chooses this path / is cancelled.
    void AnswerFileDialog(const std::string& path);
    void CancelDialog();
    void AnswerDialog(DialogAnswer answer) { form_->answers.push_back(std::move(answer)); }

    std::string Caption() const;
    std::string StatusText(int panel) const;
    std::string Text() const;

private:
    ScriptedMainForm* form_ = nullptr;
    std::deque<int> boxAnswers_;
};

}  // namespace app::testing
