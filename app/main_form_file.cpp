// The document commands: New, Open, Save and Save As, the unsaved-changes
// questions, the caption after each, and the character count.
#include "app/main_form.h"

#include "classlib/application.h"
#include "classlib/sysutils.h"
#include "dialogs/text_file_dialogs.h"

namespace app {

namespace {

constexpr const char* kSaveFilter = "Text(*.txt)|*.txt|All(*.*)|*.*";
constexpr const char* kUntitled = "無題";

bool AskYesNo(const char* text, const char* caption, win32::UINT icon) {
    return Application->MessageBox(text, caption, win32::MB_YESNO | win32::MB_DEFBUTTON1 | icon) == win32::IDYES;
}

}  // namespace

void TMainForm::MainMemoChange(TObject* sender) {
    modified_ = true;
    Edit1Click(sender);
    UpdateCount();
}

void TMainForm::UpdateCount() {
    // The editor's own count: a line break is its CR and its LF.
    StatusBar1->Panels()->Items(1)->SetText("文字数 = " + FormatFloat("#,##0", MainMemo->GetTextLen()));
}

void TMainForm::AskSaveChanges() {
    if (!modified_) return;
    if (!AskYesNo("ファイルが保存されていません。保存しますか。", "確認", win32::MB_ICONQUESTION)) return;
    if (!currentFile_.empty()) {
        MainMemo->Lines()->SaveToFile(currentFile_);
    } else {
        SaveAs1Click(this);
    }
}

void TMainForm::ClearDocument() {
    AskSaveChanges();
    MainMemo->Clear();
    currentFile_.clear();
    modified_ = false;
    Repaint();
}

void TMainForm::New1Click(TObject*) {
    ClearDocument();
    // The caption follows the document: a new one is untitled.
    SetTitledCaption(kUntitled);
}

void TMainForm::Open1Click(TObject*) {
    if (modified_ && AskYesNo("データは変更されています\r保存しますか？", "警告", win32::MB_ICONEXCLAMATION)) {
        SaveAs1Click(this);
    }
    if (!RunDialog(TextOpenDialog1)) return;
    std::string path = TextOpenDialog1->FileName();
    MainMemo->Lines()->LoadFromFile(path);
    currentFile_ = path;
    SetTitledCaption(currentFile_);
    UpdateCount();
    // Last: loading ran the change handler, which set the flag.
    modified_ = false;
}

void TMainForm::Save1Click(TObject*) {
    if (currentFile_.empty()) {
        SaveAs1Click(this);
        return;
    }
    MainMemo->Lines()->SaveToFile(currentFile_);
    modified_ = false;
}

void TMainForm::SaveAs1Click(TObject*) {
    TextSaveDialog1->SetFilter(kSaveFilter);
    if (!RunDialog(TextSaveDialog1)) return;
    std::string path = TextSaveDialog1->FileName();
    MainMemo->Lines()->SaveToFile(path);
    modified_ = false;
    currentFile_ = path;
    SetTitledCaption(currentFile_);
}

void TMainForm::LoadFromCommandLine() {
    if (arguments_.empty()) return;
    const std::string& path = arguments_.front();
    MainMemo->Lines()->LoadFromFile(path);
    currentFile_ = path;  // as typed, not made absolute
    SetTitledCaption(currentFile_);
    UpdateCount();
    modified_ = false;
}

}  // namespace app
