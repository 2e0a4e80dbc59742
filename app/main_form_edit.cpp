// The edit and view commands: undo and the clipboard with the rule that
// enables them, the toggles, the size presets, font and colour, printing,
// and the commands that show the other windows.
#include "app/main_form.h"

#include <algorithm>

#include "app/about_box.h"
#include "app/help_form.h"
#include "app/set_form.h"
#include "classlib/screen.h"

namespace app {

void TMainForm::Undo1Click(TObject*) {
    if (MainMemo->HandleAllocated()) MainMemo->Undo();
}

void TMainForm::Cut1Click(TObject*) { MainMemo->CutToClipboard(); }
void TMainForm::Copy1Click(TObject*) { MainMemo->CopyToClipboard(); }
void TMainForm::Paste1Click(TObject*) { MainMemo->PasteFromClipboard(); }
void TMainForm::SelectAll1Click(TObject*) { MainMemo->SelectAll(); }

void TMainForm::Edit1Click(TObject*) {
    Undo1->SetEnabled(MainMemo->CanUndo());
    bool selected = MainMemo->SelLength() > 0;
    Cut1->SetEnabled(selected);
    Copy1->SetEnabled(selected);
    Paste1->SetEnabled(win32::IsClipboardFormatAvailable(win32::CF_TEXT) != 0);
    SelectAll1->SetEnabled(MainMemo->GetTextLen() > 0);
    Save1->SetEnabled(modified_);
}

void TMainForm::MainMemoSelectionChange(TObject* sender) { Edit1Click(sender); }

// The toolbars come with the dock; until then the command keeps only its
// check mark.
void TMainForm::T1Click(TObject*) { T1->SetChecked(!T1->Checked()); }

void TMainForm::S1Click(TObject*) {
    bool show = !StatusBar1->Visible();
    S1->SetChecked(show);
    StatusBar1->SetVisible(show);
}

void TMainForm::N4Click(TObject*) {
    if (MainMemo->WordWrap()) {
        MainMemo->SetWordWrap(false);
        N4->SetChecked(false);
        MainMemo->SetScrollBars(ssBoth);
    } else {
        MainMemo->SetWordWrap(true);
        N4->SetChecked(true);
        MainMemo->SetScrollBars(ssVertical);
    }
}

void TMainForm::SetSizePreset(int height, int width) {
    SetHeight(height);
    SetWidth(width);
    SetPosition(poScreenCenter);
    // Centred anew with the size the resize rule left.
    int x = std::max(0, (Screen->Width() - Width()) / 2);
    int y = std::max(0, (Screen->Height() - Height()) / 2);
    SetBounds(x, y, Width(), Height());
}

void TMainForm::S4Click(TObject*) { SetSizePreset(437, 430); }
void TMainForm::M1Click(TObject*) { SetSizePreset(600, 800); }
void TMainForm::B1Click(TObject*) { SetSizePreset(700, 900); }

void TMainForm::Font1Click(TObject*) {
    FontDialog1->Font()->Assign(MainMemo->Font());
    if (RunDialog(FontDialog1)) MainMemo->Font()->Assign(FontDialog1->Font());
}

void TMainForm::Color1Click(TObject*) {
    ColorDialog1->SetColor(MainMemo->Color());
    if (RunDialog(ColorDialog1)) MainMemo->SetColor(ColorDialog1->Color());
}

void TMainForm::S2Click(TObject*) { RunDialog(PrinterSetupDialog1); }

void TMainForm::Print1Click(TObject*) {
    if (RunDialog(PrintDialog1)) MainMemo->Print(currentFile_);
}

// The strings printer brings the preview; until it exists the command does nothing.
void TMainForm::PreviewClick(TObject*) {}

void TMainForm::Set1Click(TObject*) {
    if (setForm_ != nullptr) setForm_->ShowModal();
}

void TMainForm::Help2Click(TObject*) {
    if (helpForm_ != nullptr) helpForm_->ShowModal();
}

void TMainForm::About1Click(TObject*) {
    if (aboutBox_ != nullptr) aboutBox_->ShowModal();
}

}  // namespace app
