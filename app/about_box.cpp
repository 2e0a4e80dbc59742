#include "app/about_box.h"

#include <string>

#include "classlib/application.h"
#include "classlib/icon.h"
#include "platform/gdi/wingdi.h"
#include "platform/shell/shellapi.h"
#include "platform/user/winuser.h"

namespace app {

using namespace classlib;

namespace {

TLabel* MakeLabel(TForm* form, TWinControl* parent, int left, int top, const std::string& caption) {
    auto* label = new TLabel(form);
    label->SetParent(parent);
    label->SetBounds(left, top, 0, 0);
    label->SetCaption(caption);
    return label;
}

// A label that reads as a link: blue, underlined, with the hand cursor.
void MakeLink(TLabel* label, const std::string& hint) {
    label->Font()->SetColor(clBlue);
    label->Font()->SetStyle(TFontStyles{fsUnderline});
    label->SetCursor(crHandPoint);
    label->SetHint(hint);
    label->SetShowHint(true);
}

// Hands an address to the shell; whether anything opens it is the desktop's
// affair, so the result is not examined.
void OpenWithShell(const std::string& address) {
    win32::HWND owner = Application != nullptr ? Application->Handle() : nullptr;
    win32::ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, win32::SW_SHOW);
}

}  // namespace

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
    SetCaption("ぽらりMEMOについて");
    SetBorderStyle(bsDialog);
    SetBounds(0, 0, 289, 205);
    SetPosition(poScreenCenter);
    Font()->SetName("ＭＳ Ｐゴシック");
    Font()->SetHeight(-12);

    Panel1 = new TPanel(this);
    Panel1->SetParent(this);
    Panel1->SetBounds(4, 4, 273, 169);
    Panel1->SetBevelInner(bvRaised);
    Panel1->SetBevelOuter(bvLowered);
    Panel1->SetCaption("");

    Image1 = new TImage(this);
    Image1->SetParent(Panel1);
    Image1->SetBounds(40, 32, 32, 32);
    if (win32::HICON icon = win32::LoadIconA(win32::GetModuleHandleA(nullptr), "MAINICON")) {
        Image1->Picture()->Icon()->SetHandle(icon);
    }

    ProductName = MakeLabel(this, Panel1, 96, 20, "ぽらりMEMO");
    ProductName->Font()->SetHeight(-21);
    ProductName->Font()->SetStyle(TFontStyles{fsBold});
    Version = MakeLabel(this, Panel1, 156, 44, "Version  1.0");
    Version->Font()->SetHeight(-16);
    Copyright = MakeLabel(this, Panel1, 56, 80, "Author");
    Label1 = MakeLabel(this, Panel1, 120, 80, "porari");
    MakeLink(Label1, "MailTo:");
    Label2 = MakeLabel(this, Panel1, 156, 80, "1999/05/01");
    Comments = MakeLabel(this, Panel1, 56, 100, "HomePage");
    Label3 = MakeLabel(this, Panel1, 120, 100, "ぽらりの部屋");
    MakeLink(Label3, "ぽらりの部屋へジャンプ");

    OKButton = new TBitBtn(this);
    OKButton->SetParent(Panel1);
    OKButton->SetKind(bkOK);
    OKButton->SetBounds(76, 124, 125, 29);

    Label1->OnClick = [this](TObject* sender) { Label1Click(sender); };
    Label3->OnClick = [this](TObject* sender) { Label3Click(sender); };
    OKButton->OnClick = [this](TObject* sender) { OKButtonClick(sender); };
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::Label1Click(TObject*) { OpenWithShell(std::string("mailto:") + kMailAddress); }

void TAboutBox::Label3Click(TObject*) { OpenWithShell(kHomePage); }

void TAboutBox::OKButtonClick(TObject*) {
    if (FormState().Contains(fsModal)) SetModalResult(mrOk);
    else Close();
}

}  // namespace app
