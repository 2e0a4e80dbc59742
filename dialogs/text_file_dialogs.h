// The open and save dialogs of text files: the system's file dialogs with a
// preview pane under their own controls, a check box "内容をプレビューする(&P)"
// and a read-only memo that shows the first kilobyte of the selected file
// (form files ".dfm" and ".~df" in their text form).
//
// The pane's controls live only while the dialog is shown, from DoShow to
// DoClose; Preview, the check box's state, outlives them and each dialog
// object keeps its own.
#pragma once

#include <functional>
#include <string>

#include "classlib/button_controls.h"
#include "classlib/dialogs.h"
#include "classlib/edit.h"
#include "classlib/extctrls.h"

namespace dialogs {

// The name of the child template that leaves room for the pane.
inline constexpr const char* kTextDialogTemplate = "ENHDLG1";
// The placeholder control of that template, where the system lays out its
// own controls.
inline constexpr int kTemplatePlaceholderId = 1119;
// How much of a file (or of a form file's text) the pane shows.
inline constexpr std::size_t kPreviewBytes = 1024;

// Registers "ENHDLG1" with the window system (harmless when repeated).
void RegisterTextDialogTemplate();

// The pane's text for a file's bytes: the first kPreviewBytes, cut at a zero
// byte, as UTF-8 with CR LF line breaks (lone CR and lone LF included).
std::string PreviewTextOfBytes(std::string_view bytes);

class TTextOpenDialog : public classlib::TOpenDialog {
public:
    explicit TTextOpenDialog(classlib::TComponent* owner);
    ~TTextOpenDialog() override;

    bool Execute() override;

    bool Preview() const { return preview_; }
    // Ticks or clears the box to match while the dialog is shown.
    void SetPreview(bool preview);

    classlib::TPanel* PreviewPanel() const { return previewPanel_; }
    classlib::TCheckBox* PreviewCheck() const { return previewCheck_; }
    classlib::TMemo* PreviewMemo() const { return previewMemo_; }

    // The path of the item selected in the system dialog; empty when none.
    // Tests put the pane on a window of their own and answer it themselves.
    using TSelectedPathQuery = std::function<std::string()>;
    void SetSelectedPathQuery(TSelectedPathQuery query) { pathQuery_ = std::move(query); }

    // Builds the pane on `dialog` (the template's child dialog) and runs the
    // inherited notification; DoShow calls it with Handle().
    void ShowPreviewPane(win32::HWND dialog);
    // Frees the pane.
    void ClosePreviewPane();

    void PreviewCheckClick(classlib::TObject* sender);
    void UpdatePreview();

protected:
    void DoShow() override;
    void DoClose() override;
    void DoSelectionChange() override;
    // Chooses the template: "ENHDLG1" for an Explorer-style dialog, none for
    // an old-style one.
    void ChooseTemplate();
    std::string SelectedPath();
    void FillPreview();

private:
    bool preview_ = false;
    classlib::TPanel* previewPanel_ = nullptr;
    classlib::TCheckBox* previewCheck_ = nullptr;
    classlib::TMemo* previewMemo_ = nullptr;
    TSelectedPathQuery pathQuery_;
};

class TTextSaveDialog : public TTextOpenDialog {
public:
    explicit TTextSaveDialog(classlib::TComponent* owner);
    bool Execute() override;
};

}  // namespace dialogs
