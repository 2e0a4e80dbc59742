// Internals of the open and save dialogs shared by the file_dialog*.cpp
// files: what one running dialog knows, the standard template, how a custom
// child dialog is laid in, the hook's notifications and messages, and the
// browsing and choosing a person does.
#pragma once

#include <string>
#include <vector>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_dialog_model.h"

namespace win32::comdlg {

struct FileDialogState {
    OPENFILENAMEA* ofn = nullptr;
    bool save = false;
    bool explorer = true;
    const DLGTEMPLATE* childTemplate = nullptr;  // the caller's, when it has one
    HWND dialog = nullptr;
    HWND child = nullptr;  // the custom template's dialog, or the hook's empty one

    std::vector<Filter> filters;
    int filterIndex = 0;                // into filters
    std::vector<std::string> typedPatterns;  // a wildcard the user typed, in place of the filter's
    std::string folder;
    std::vector<FolderEntry> entries;  // what the list shows, in its order
    // The item the dialog has selected: the list's choice, or what was
    // typed into the name field; empty when nothing is.
    std::string selection;
    bool settingName = false;  // the name field is being filled by the dialog itself
    DWORD error = 0;
};

// ---- The standard controls (file_dialog_layout.cpp) ---------------------------------

DLGTEMPLATE StandardTemplate(const FileDialogState& state);
// Makes the child dialog (custom template or the hook's empty one), lays
// the standard controls into its placeholder and sizes the dialog to hold
// both. False when the child could not be made.
bool CreateChildDialog(FileDialogState& state);
// Centres the finished dialog over its owner, on the screen.
void PlaceDialog(HWND dialog, HWND owner);

// ---- The hook (file_dialog_notify.cpp) --------------------------------------------

// Sends WM_NOTIFY with OFNOTIFYA to the child dialog; returns the answer
// (for CDN_FILEOK nonzero refuses the choice).
LRESULT NotifyHook(FileDialogState& state, UINT code);
// CDM_* sent by the hook to the dialog; false when `msg` is not one.
bool HandleCdm(FileDialogState& state, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
// The child dialog's procedure: the caller's hook behind it.
INT_PTR CALLBACK ChildDialogProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Browsing (file_dialog_browse.cpp) ------------------------------------------------

void FillTypes(FileDialogState& state);
void FillFolders(FileDialogState& state);
// Lists the folder and tells the hook; `folder` must exist.
void GoToFolder(FileDialogState& state, const std::string& folder, bool notify = true);
void Relist(FileDialogState& state);
void OnTypeChosen(FileDialogState& state);
void OnFolderChosen(FileDialogState& state);
void OnListSelection(FileDialogState& state);
void OnListDoubleClick(FileDialogState& state);
void OnNameEdited(FileDialogState& state);
void SetNameField(FileDialogState& state, const std::string& text);
std::string NameField(const FileDialogState& state);
const std::vector<std::string>& CurrentPatterns(const FileDialogState& state);
// The list entry selected, or null.
const FolderEntry* SelectedEntry(const FileDialogState& state);

// ---- Owner-drawn items (file_dialog_draw.cpp) ---------------------------------------

void MeasureFileItem(MEASUREITEMSTRUCT& mi);
void DrawFileItem(const FileDialogState& state, const DRAWITEMSTRUCT& di);

// ---- Choosing (file_dialog_accept.cpp) --------------------------------------------------

// The OK button: enters a folder, applies a wildcard, or checks the name
// and ends the dialog with it.
void OnAccept(FileDialogState& state);

}  // namespace win32::comdlg
