// The open and save dialogs with their preview pane.
#include "dialogs/text_file_dialogs.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "classlib/consts.h"
#include "classlib/streams.h"
#include "classlib/sysutils.h"
#include "classlib/text_file.h"
#include "classlib/wincontrol.h"
#include "dialogs/form_text.h"
#include "platform/windows.h"

namespace dialogs {

using namespace classlib;
using namespace win32;

namespace {

// The longest path the system dialog hands out for the selection.
constexpr int kMaxPath = 260;

std::string LowerExtension(const std::string& path) {
    std::size_t dot = path.rfind('.');
    std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return ext;
}

bool IsFormFile(const std::string& path) {
    std::string ext = LowerExtension(path);
    return ext == ".dfm" || ext == ".~df";
}

// At most `limit` bytes from the start of the file, which others may go on
// reading and writing meanwhile.
std::string ReadFileStart(const std::string& path, std::int64_t limit) {
    TFileStream stream(path, fmOpenRead | fmShareDenyNone);
    std::int64_t size = stream.Size();
    if (limit >= 0) size = std::min(size, limit);
    std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return bytes;
}

}  // namespace

void RegisterTextDialogTemplate() {
    static const bool registered = [] {
        DLGTEMPLATE t;
        t.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT;
        t.cx = 200;
        t.cy = 100;
        t.pointSize = 8;
        t.typeface = "MS Sans Serif";
        DLGITEMTEMPLATE placeholder;
        placeholder.style = WS_CHILD;
        placeholder.id = kTemplatePlaceholderId;
        placeholder.windowClass = "STATIC";
        placeholder.cx = 200;
        placeholder.cy = 20;
        t.items.push_back(placeholder);
        RegisterDialogTemplate(kTextDialogTemplate, t);
        return true;
    }();
    (void)registered;
}

std::string PreviewTextOfBytes(std::string_view bytes) {
    bytes = bytes.substr(0, std::min(bytes.size(), kPreviewBytes));
    std::size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);
    std::string lines;
    lines.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r') {
            lines += "\r\n";
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            lines += "\r\n";
        } else {
            lines.push_back(c);
        }
    }
    return Utf8FromAnsi(lines);
}

// ---- TTextOpenDialog --------------------------------------------------------------

TTextOpenDialog::TTextOpenDialog(TComponent* owner) : TOpenDialog(owner) { RegisterTextDialogTemplate(); }

TTextOpenDialog::~TTextOpenDialog() { ClosePreviewPane(); }

void TTextOpenDialog::ChooseTemplate() {
    if (NewStyleControls() && !Options().Contains(ofOldStyleDialog)) SetTemplate(kTextDialogTemplate);
    else SetTemplate("");
}

bool TTextOpenDialog::Execute() {
    ChooseTemplate();
    return TOpenDialog::Execute();
}

void TTextOpenDialog::SetPreview(bool preview) {
    if (preview == preview_) return;
    preview_ = preview;
    // Ticking the box runs its click handler, which refreshes the pane.
    if (previewCheck_) previewCheck_->SetChecked(preview);
}

void TTextOpenDialog::DoShow() {
    ShowPreviewPane(Handle());
}

void TTextOpenDialog::ShowPreviewPane(HWND dialog) {
    ClosePreviewPane();
    RECT preview{};
    GetClientRect(dialog, &preview);
    RECT placeholder = preview;
    if (!Options().Contains(ofOldStyleDialog)) {
        if (HWND item = GetDlgItem(dialog, kTemplatePlaceholderId)) {
            GetWindowRect(item, &placeholder);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placeholder), 2);
        }
    }
    preview.top = placeholder.bottom - 10;

    previewPanel_ = new TPanel(this);
    previewPanel_->SetBevelOuter(bvNone);
    previewPanel_->SetCaption("");
    previewPanel_->SetBounds(preview.left, preview.top, preview.right - preview.left, preview.bottom - preview.top);
    previewPanel_->SetParentWindow(dialog);

    previewCheck_ = new TCheckBox(this);
    previewCheck_->SetParent(previewPanel_);
    previewCheck_->SetBounds(5, 2, 200, 25);
    previewCheck_->SetCaption("内容をプレビューする(&P)");
    previewCheck_->SetChecked(preview_);
    previewCheck_->OnClick = [this](TObject* sender) { PreviewCheckClick(sender); };

    previewMemo_ = new TMemo(this);
    previewMemo_->SetParent(previewPanel_);
    previewMemo_->SetBounds(5, 25, std::max(0, static_cast<int>(preview.right - preview.left) - 10),
                            std::max(0, static_cast<int>(preview.bottom - preview.top) - 30));
    previewMemo_->Font()->SetName("ＭＳ ゴシック");
    previewMemo_->Font()->SetHeight(-12);
    previewMemo_->Font()->SetCharset(SHIFTJIS_CHARSET);
    previewMemo_->SetReadOnly(true);
    previewMemo_->SetWordWrap(false);
    previewMemo_->SetScrollBars(ssBoth);

    TOpenDialog::DoShow();
}

void TTextOpenDialog::DoClose() {
    ClosePreviewPane();
    TOpenDialog::DoClose();
}

void TTextOpenDialog::ClosePreviewPane() {
    delete previewMemo_;
    previewMemo_ = nullptr;
    delete previewCheck_;
    previewCheck_ = nullptr;
    delete previewPanel_;
    previewPanel_ = nullptr;
}

void TTextOpenDialog::DoSelectionChange() {
    TOpenDialog::DoSelectionChange();
    UpdatePreview();
}

void TTextOpenDialog::PreviewCheckClick(TObject*) {
    if (!previewCheck_) return;
    preview_ = previewCheck_->Checked();
    UpdatePreview();
}

std::string TTextOpenDialog::SelectedPath() {
    if (pathQuery_) return pathQuery_();
    if (!Handle()) return {};
    HWND system = GetParent(Handle());
    std::vector<char> buffer(kMaxPath + 1, '\0');
    LRESULT n = SendMessageA(system, CDM_GETFILEPATH, kMaxPath, reinterpret_cast<LPARAM>(buffer.data()));
    if (n <= 0) return {};
    return buffer.data();
}

void TTextOpenDialog::UpdatePreview() {
    if (!previewMemo_) return;
    previewMemo_->Clear();
    if (!previewCheck_ || !previewCheck_->Checked()) return;
    // A file that cannot be read or converted is reported; the pane stays
    // empty and the dialog goes on.
    try {
        FillPreview();
    } catch (const std::exception&) {
        if (previewMemo_) previewMemo_->Clear();
        ReportException(this);
    }
}

void TTextOpenDialog::FillPreview() {
    std::string path = SelectedPath();
    std::error_code ec;
    // Only plain files: a folder, a device or a pipe has nothing to show
    // (and reading a pipe would wait for a writer).
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return;
    std::string bytes;
    if (IsFormFile(path)) {
        bytes = ConvertFormFile(ReadFileStart(path, -1), kPreviewBytes);
    } else {
        bytes = ReadFileStart(path, static_cast<std::int64_t>(kPreviewBytes));
    }
    previewMemo_->Lines()->SetText(PreviewTextOfBytes(bytes));
}

// ---- TTextSaveDialog --------------------------------------------------------------

TTextSaveDialog::TTextSaveDialog(TComponent* owner) : TTextOpenDialog(owner) {}

bool TTextSaveDialog::Execute() {
    ChooseTemplate();
    return DoExecute(true);
}

}  // namespace dialogs
