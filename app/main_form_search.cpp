// Find and replace: the dialogs only set the word; find next, replace the
// marked word and replace all do the work, always forward from the caret.
#include "app/editor_text.h"
#include "app/main_form.h"
#include "classlib/application.h"

namespace app {

void TMainForm::Find2Click(TObject*) { RunDialog(FindDialog1); }
void TMainForm::Replace1Click(TObject*) { RunDialog(ReplaceDialog1); }

void TMainForm::FindDialog1Find(TObject*) { TakeSearchFrom(FindDialog1); }
void TMainForm::ReplaceDialog1Find(TObject*) { TakeSearchFrom(ReplaceDialog1); }

void TMainForm::TakeSearchFrom(TFindDialog* dialog) {
    searchOptions_ = {};
    if (dialog->Options().Contains(frMatchCase)) searchOptions_.Include(stMatchCase);
    if (dialog->Options().Contains(frWholeWord)) searchOptions_.Include(stWholeWord);
    searchWord_ = dialog->FindText();
    dialog->CloseDialog();
    FindNext1Click(this);
}

void TMainForm::FindNext1Click(TObject*) {
    int caret = MainMemo->SelStart() + MainMemo->SelLength();
    MainMemo->SetSelStart(caret);
    // The range stops one short of the end, so a word that ends the text
    // is not found. An empty word is never found, so replace all ends.
    int length = MainMemo->GetTextLen() - caret - 1;
    int found = -1;
    if (!searchWord_.empty() && length > 0) found = MainMemo->FindText(searchWord_, caret, length, searchOptions_);
    searchFound_ = false;
    if (found >= 0) {
        searchFound_ = true;
        MainMemo->SetSelStart(found);
        MainMemo->SetSelLength(EditorLength(searchWord_));
        return;
    }
    Application->MessageBox("「" + searchWord_ + "」 は見つかりません。", Application->Title(), win32::MB_OK);
}

bool TMainForm::ReplaceMarked() {
    // Exact comparison whatever the match-case option says.
    if (searchWord_.empty() || EditorSelectedText(MainMemo) != searchWord_) return false;
    MainMemo->SetSelText(ReplaceDialog1->ReplaceText());
    return true;
}

void TMainForm::RepMark2Click(TObject*) {
    ReplaceMarked();
    FindNext1Click(this);
}

void TMainForm::RepAll1Click(TObject*) {
    do {
        RepMark2Click(this);
    } while (searchFound_);
}

}  // namespace app
