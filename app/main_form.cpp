// The main window's construction, its hint display, its minimum size and
// its close sequence.
#include "app/main_form.h"

#include "app/about_box.h"
#include "classlib/application.h"
#include "dialogs/text_file_dialogs.h"

namespace app {

namespace {

constexpr int kMinWidth = 563;
constexpr int kMinHeight = 350;
constexpr int kCountPanelWidth = 120;
constexpr int kMaxDocumentLength = 90000000;
constexpr const char* kTextFilter = "Text  (*.txt)|*.txt|RichText  (*.rtf)|*.rtf|All  (*.*)|*.*";
constexpr const char* kUntitled = "無題";

void SetWindowFont(TFont* font, const char* face, int height) {
    font->SetName(face);
    font->SetHeight(height);
    font->SetCharset(win32::SHIFTJIS_CHARSET);
}

}  // namespace

TMainForm::TMainForm(TComponent* owner, std::vector<std::string> arguments)
    : TForm(owner), arguments_(std::move(arguments)) {
    SetName("MainForm");
    SetBounds(0, 0, 563, 441);
    SetPosition(poScreenCenter);
    SetWindowFont(Font(), "ＭＳ Ｐゴシック", -12);
    SetConstraints(TSizeConstraints{kMinWidth, kMinHeight, 0, 0});
    CreateControls();
    CreateDialogs();
    CreateMenu();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnResize = [this](TObject* sender) { FormResize(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

TMainForm::~TMainForm() {
    if (Application != nullptr) Application->OnHint = nullptr;
}

void TMainForm::CreateControls() {
    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetName("StatusBar1");
    StatusBar1->SetParent(this);
    StatusBar1->SetHeight(19);
    StatusBar1->SetAlign(alBottom);
    StatusBar1->SetSimplePanel(false);
    StatusBar1->Panels()->Add()->SetWidth(50);
    StatusBar1->Panels()->Add()->SetWidth(kCountPanelWidth);

    MainMemo = new TRichEdit(this);
    MainMemo->SetName("MainMemo");
    MainMemo->SetParent(this);
    MainMemo->SetPlainText(true);
    MainMemo->SetMaxLength(kMaxDocumentLength);
    MainMemo->SetScrollBars(ssVertical);
    MainMemo->SetWordWrap(true);
    MainMemo->SetParentFont(false);
    MainMemo->OnChange = [this](TObject* sender) { MainMemoChange(sender); };
    MainMemo->OnSelectionChange = [this](TObject* sender) { MainMemoSelectionChange(sender); };

    // Never shown: it only reads the signature file.
    Memo1 = new TMemo(this);
    Memo1->SetName("Memo1");
    Memo1->SetVisible(false);
    Memo1->SetParent(this);
    Memo1->SetBounds(0, 0, 53, 53);
}

void TMainForm::CreateDialogs() {
    TextOpenDialog1 = new dialogs::TTextOpenDialog(this);
    TextOpenDialog1->SetName("TextOpenDialog1");
    TextOpenDialog1->SetFilter(kTextFilter);
    TextOpenDialog1->SetPreview(true);
    TextSaveDialog1 = new dialogs::TTextSaveDialog(this);
    TextSaveDialog1->SetName("TextSaveDialog1");
    TextSaveDialog1->SetFilter(kTextFilter);
    TextSaveDialog1->SetPreview(true);

    FindDialog1 = new TFindDialog(this);
    FindDialog1->SetName("FindDialog1");
    FindDialog1->SetOptions({frDown, frHideUpDown});
    FindDialog1->OnFind = [this](TObject* sender) { FindDialog1Find(sender); };
    ReplaceDialog1 = new TReplaceDialog(this);
    ReplaceDialog1->SetName("ReplaceDialog1");
    ReplaceDialog1->OnFind = [this](TObject* sender) { ReplaceDialog1Find(sender); };

    FontDialog1 = new TFontDialog(this);
    FontDialog1->SetName("FontDialog1");
    SetWindowFont(FontDialog1->Font(), "ＭＳ Ｐゴシック", -12);
    ColorDialog1 = new TColorDialog(this);
    ColorDialog1->SetName("ColorDialog1");
    ColorDialog1->SetCtl3D(true);
    PrintDialog1 = new TPrintDialog(this);
    PrintDialog1->SetName("PrintDialog1");
    PrinterSetupDialog1 = new TPrinterSetupDialog(this);
    PrinterSetupDialog1->SetName("PrinterSetupDialog1");
}

void TMainForm::FormCreate(TObject*) {
    // An error stops the steps that follow; the window then opens with the
    // state reached so far.
    try {
        LoadSettings();
        MainMemo->SetAlign(alClient);
        MainMemo->SetWordWrap(true);
        N4->SetChecked(true);
        aboutBox_ = new TAboutBox(this);
        Application->OnHint = [this](TObject* sender) { ShowAppHint(sender); };
        SetTitledCaption(kUntitled);
        ClearDocument();
        LoadFromCommandLine();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TMainForm::ShowAppHint(TObject*) {
    StatusBar1->Panels()->Items(0)->SetText(Application->Hint());
}

void TMainForm::FormResize(TObject*) {
    if (Width() < kMinWidth) SetWidth(kMinWidth);
    if (Height() < kMinHeight) SetHeight(kMinHeight);
    StatusBar1->Panels()->Items(0)->SetWidth(StatusBar1->Width() - StatusBar1->Panels()->Items(1)->Width());
}

void TMainForm::FormClose(TObject*, TCloseAction&) {
    // A failed save of the document abandons the close (the exception goes
    // on); a settings file that cannot be written is reported but never
    // keeps the user from quitting.
    AskSaveChanges();
    try {
        SaveSettings();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TMainForm::Exit1Click(TObject*) { Close(); }

bool TMainForm::RunDialog(TCommonDialog* dialog) { return dialog->Execute(); }

void TMainForm::SetTitledCaption(const std::string& second) { SetCaption(appTitle_ + "・・・" + second); }

}  // namespace app
