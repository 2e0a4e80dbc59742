// Appending a date stamp or the stored signature as a new last line, and
// handing the whole text to the mail program.
#include "app/editor_text.h"
#include "app/main_form.h"
#include "app/program_files.h"
#include "classlib/application.h"
#include "classlib/consts.h"
#include "classlib/graphics.h"
#include "classlib/sysutils.h"
#include "platform/shell/shellapi.h"

namespace app {

namespace {

constexpr const char* kNoSignature = "署名が登録されていません。";

// Every line break, CR LF or a lone CR or LF, as CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

void TMainForm::AppendLine(const std::string& text) {
    int length = MainMemo->GetTextLen();
    bool startsLine = length == 0 || EditorTextRange(MainMemo, length - 2, length) == "\r\n";
    std::string inserted = startsLine ? text + "\r\n" : "\r\n" + text;
    MainMemo->SetSelStart(length);
    MainMemo->SetSelText(inserted);
    // The editor cuts an insertion at its maximum length; say so.
    if (MainMemo->GetTextLen() - length < EditorLength(inserted)) throw EOutOfResources(SRichEditInsertError);
}

void TMainForm::D1Click(TObject*) { AppendLine(FormatDateTime("yyyy/mmm/dd     AM/PMhh:nn", Now())); }

void TMainForm::S3Click(TObject*) {
    std::string path = SignatureFileName();
    if (!FileExists(path)) {
        Application->MessageBox(kNoSignature, Application->Title(), win32::MB_OK);
        return;
    }
    Memo1->Lines()->LoadFromFile(path);
    std::string signature = WithCrLf(Memo1->Text());
    if (signature.empty()) {
        Application->MessageBox(kNoSignature, Application->Title(), win32::MB_OK);
        return;
    }
    AppendLine(signature);
}

void TMainForm::M2Click(TObject*) {
    std::string request = "mailto:?";
    std::string text = MainMemo->Text();
    request += text.empty() ? "body=" : "body=" + text + "&";
    SendToShell(request);
}

void TMainForm::SendToShell(const std::string& request) {
    win32::ShellExecuteA(Application->Handle(), "open", request.c_str(), nullptr, nullptr, win32::SW_SHOW);
}

}  // namespace app
