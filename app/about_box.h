// The about box: the program's name, version and icon, with two links that
// hand the author's mail address and home page to the shell.
#pragma once

#include "classlib/buttons.h"
#include "classlib/extctrls.h"
#include "classlib/forms.h"
#include "classlib/stdctrls.h"

namespace app {

class TAboutBox : public classlib::TForm {
public:
    explicit TAboutBox(classlib::TComponent* owner);
    ~TAboutBox() override;

    classlib::TPanel* Panel1 = nullptr;
    classlib::TImage* Image1 = nullptr;
    classlib::TLabel* ProductName = nullptr;
    classlib::TLabel* Version = nullptr;
    classlib::TLabel* Copyright = nullptr;
    classlib::TLabel* Label1 = nullptr;
    classlib::TLabel* Label2 = nullptr;
    classlib::TLabel* Comments = nullptr;
    classlib::TLabel* Label3 = nullptr;
    classlib::TBitBtn* OKButton = nullptr;

    // Opens a new mail to the author.
    void Label1Click(classlib::TObject* sender);
    // Opens the author's home page.
    void Label3Click(classlib::TObject* sender);
    void OKButtonClick(classlib::TObject* sender);

    static constexpr const char* kMailAddress = "porari@example.jp";
    static constexpr const char* kHomePage = "http://www.example.com/porari/";
};

}  // namespace app
