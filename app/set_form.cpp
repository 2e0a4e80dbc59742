#include "app/set_form.h"

#include <filesystem>
#include <string>
#include <vector>

#include "app/program_files.h"
#include "classlib/consts.h"
#include "classlib/exceptions.h"
#include "classlib/inifiles.h"
#include "classlib/streams.h"
#include "classlib/sysutils.h"
#include "classlib/text_file.h"
#include "platform/kernel/winbase.h"

namespace app {

using namespace classlib;

namespace {

constexpr const char* kSection = "Option";
constexpr const char* kTitleKey = "MyName";

// Every line break of the file (CR LF, lone CR, lone LF) as CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

TButton* MakeButton(TForm* form, TWinControl* parent, const char* caption, int left) {
    auto* button = new TButton(form);
    button->SetParent(parent);
    button->SetBounds(left, 8, 89, 25);
    button->SetCaption(caption);
    return button;
}

TPanel* MakeButtonPanel(TForm* form, TWinControl* sheet) {
    auto* panel = new TPanel(form);
    panel->SetParent(sheet);
    panel->SetHeight(41);
    panel->SetAlign(alBottom);
    panel->SetCaption("");
    return panel;
}

}  // namespace

TSetFm::TSetFm(TComponent* owner) : TForm(owner) {
    SetCaption("ぽらりMEMOの設定");
    SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
    SetPosition(poDesigned);
    SetBounds(202, 107, 283, 210);
    Font()->SetName("ＭＳ Ｐゴシック");
    Font()->SetHeight(-12);

    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);

    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetPageControl(PageControl1);
    TabSheet1->SetCaption("署名");

    Panel1 = MakeButtonPanel(this, TabSheet1);
    OKBtn = MakeButton(this, Panel1, "OK(&O)", 40);
    CancelBtn = MakeButton(this, Panel1, "Cancel(&X)", 136);

    Memo1 = new TMemo(this);
    Memo1->SetParent(TabSheet1);
    Memo1->SetAlign(alClient);
    Memo1->SetWordWrap(true);
    Memo1->SetScrollBars(ssNone);

    TabSheet2 = new TTabSheet(this);
    TabSheet2->SetPageControl(PageControl1);
    TabSheet2->SetCaption("タイトル編集");

    Label1 = new TLabel(this);
    Label1->SetParent(TabSheet2);
    Label1->SetBounds(36, 20, 0, 0);
    Label1->SetCaption("バータイトルをオリジナルに変更できます。");
    Label2 = new TLabel(this);
    Label2->SetParent(TabSheet2);
    Label2->SetBounds(36, 36, 0, 0);
    Label2->SetCaption("次回起動時より変更されます");

    Edit1 = new TEdit(this);
    Edit1->SetParent(TabSheet2);
    Edit1->SetBounds(40, 64, 177, 20);

    Panel2 = MakeButtonPanel(this, TabSheet2);
    OKBtn2 = MakeButton(this, Panel2, "OK(&O)", 40);
    Button2 = MakeButton(this, Panel2, "Cancel(&X)", 136);

    PageControl1->SetActivePage(TabSheet1);

    OKBtn->OnClick = [this](TObject* sender) { OKBtnClick(sender); };
    CancelBtn->OnClick = [this](TObject* sender) { CancelBtnClick(sender); };
    OKBtn2->OnClick = [this](TObject* sender) { OKBtn2Click(sender); };
    Button2->OnClick = [this](TObject* sender) { CancelBtnClick(sender); };
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

TSetFm::~TSetFm() = default;

void TSetFm::FormCreate(TObject*) {
    LoadTitle();
    // A signature the memo cannot hold is reported; the dialog is still made.
    try {
        LoadSignature();
    } catch (const std::exception&) {
        Memo1->Clear();
        ReportException(this);
    }
}

void TSetFm::LoadTitle() {
    std::vector<char> buffer(1024, '\0');
    win32::GetPrivateProfileStringA(kSection, kTitleKey, "", buffer.data(), static_cast<win32::DWORD>(buffer.size()),
                                    SettingsFileName().c_str());
    Edit1->SetText(buffer.data());
}

void TSetFm::SaveTitle() {
    std::string title = Edit1->Text();
    // An empty field leaves the stored title as it is: the title can be
    // changed here, not removed.
    if (title.empty()) return;
    std::string path = SettingsFileName();
    if (!win32::WritePrivateProfileStringA(kSection, kTitleKey, title.c_str(), path.c_str())) {
        throw EIniFileException(Format(SIniFileWriteError, {path}));
    }
}

void TSetFm::LoadSignature() {
    std::string path = SignatureFileName();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return;
    TFileStream stream(path, fmOpenRead | fmShareDenyWrite);
    std::string bytes(static_cast<std::size_t>(stream.Size()), '\0');
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    Memo1->Lines()->SetText(WithCrLf(Utf8FromAnsi(bytes)));
}

void TSetFm::SaveSignature() { SaveTextFile(SignatureFileName(), AnsiFromUtf8(Memo1->Text())); }

void TSetFm::OKBtnClick(TObject*) {
    SaveSignature();
    if (FormState().Contains(fsModal)) SetModalResult(mrOk);
    else Close();
}

void TSetFm::OKBtn2Click(TObject*) {
    SaveTitle();
    if (FormState().Contains(fsModal)) SetModalResult(mrOk);
    else Close();
}

void TSetFm::CancelBtnClick(TObject*) { Close(); }

}  // namespace app
