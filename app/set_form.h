// The settings dialog: a signature page whose text is kept in the signature
// file, and a title page whose text becomes the first part of every window
// caption from the next start on. Each page's OK saves that page alone;
// Cancel and the close box keep what was typed for the next showing.
#pragma once

#include <string>

#include "classlib/button_controls.h"
#include "classlib/edit.h"
#include "classlib/extctrls.h"
#include "classlib/forms.h"
#include "classlib/pagecontrol.h"
#include "classlib/stdctrls.h"

namespace app {

class TSetFm : public classlib::TForm {
public:
    // Builds the controls; FormCreate (run by AfterConstruction, which
    // Application->CreateForm calls) fills them from the files.
    explicit TSetFm(classlib::TComponent* owner);
    ~TSetFm() override;

    classlib::TPageControl* PageControl1 = nullptr;
    classlib::TTabSheet* TabSheet1 = nullptr;
    classlib::TMemo* Memo1 = nullptr;
    classlib::TPanel* Panel1 = nullptr;
    classlib::TButton* OKBtn = nullptr;
    classlib::TButton* CancelBtn = nullptr;
    classlib::TTabSheet* TabSheet2 = nullptr;
    classlib::TLabel* Label1 = nullptr;
    classlib::TLabel* Label2 = nullptr;
    classlib::TEdit* Edit1 = nullptr;
    classlib::TPanel* Panel2 = nullptr;
    classlib::TButton* OKBtn2 = nullptr;
    classlib::TButton* Button2 = nullptr;

    void FormCreate(classlib::TObject* sender);
    // Writes the memo's text to the signature file, then closes.
    void OKBtnClick(classlib::TObject* sender);
    // Stores a non-empty title, then closes.
    void OKBtn2Click(classlib::TObject* sender);
    void CancelBtnClick(classlib::TObject* sender);

private:
    void LoadTitle();
    void SaveTitle();
    void LoadSignature();
    void SaveSignature();
};

}  // namespace app
