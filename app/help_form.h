// The help window: a fixed description of the program in an editable memo
// framed by four margin panels. The memo takes the editor's font and
// background colour once, when the window is made.
#pragma once

#include "classlib/edit.h"
#include "classlib/extctrls.h"
#include "classlib/forms.h"

namespace app {

class THelpFm : public classlib::TForm {
public:
    // `editor` is the control whose font and colour the text is shown in
    // (the main window's editor); null keeps the window's own.
    explicit THelpFm(classlib::TComponent* owner, const classlib::TControl* editor = nullptr);
    ~THelpFm() override;

    classlib::TPanel* Panel1 = nullptr;
    classlib::TPanel* Panel2 = nullptr;
    classlib::TPanel* Panel3 = nullptr;
    classlib::TPanel* Panel4 = nullptr;
    classlib::TMemo* Memo1 = nullptr;

    void FormCreate(classlib::TObject* sender);

    // The help text, CR LF between lines.
    static const char* HelpText();

private:
    const classlib::TControl* editor_;
};

}  // namespace app
