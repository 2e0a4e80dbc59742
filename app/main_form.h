// TMainForm: the memo pad's main window. One plain-text document in
// MainMemo, the main menu with every command, the status bar with the hint
// and the character count, the settings read at start-up and written at
// close. The commands live in files of their own:
//   main_form.cpp         construction, hints, resizing, closing
//   main_form_menu.cpp    the menu tree and the item-image table
//   main_form_file.cpp    New, Open, Save, Save As, the character count
//   main_form_edit.cpp    clipboard, toggles, size presets, font, colour, printing
//   main_form_search.cpp  find and replace
//   main_form_stamp.cpp   date stamp, signature, mail transfer
//   settings.cpp          LoadSettings, SaveSettings and the files' places
#pragma once

#include <string>
#include <vector>

#include "classlib/comctrls.h"
#include "classlib/dialogs.h"
#include "classlib/edit.h"
#include "classlib/forms.h"
#include "classlib/menus.h"
#include "classlib/richedit.h"
#include "classlib/print_dialogs.h"

namespace dialogs {
class TTextOpenDialog;
class TTextSaveDialog;
}  // namespace dialogs

namespace app {

class TAboutBox;
class TSetFm;
class THelpFm;

using namespace classlib;

// One binding of a menu item to a picture and a hint, the data the menu
// decoration takes; the hint is stored with a leading "|".
struct TItemImageEntry {
    const char* itemName;
    int imageIndex;
    const char* hint;
};
// The 32 bindings of the main menu, in order.
const std::vector<TItemImageEntry>& MainItemImages();

class TMainForm : public TForm {
public:
    // `arguments` are the command-line arguments after the program's name.
    TMainForm(TComponent* owner, std::vector<std::string> arguments = {});
    ~TMainForm() override;

    // The parts a user sees, for the program entry and its tests.
    TRichEdit* MainMemo = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TMemo* Memo1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    dialogs::TTextOpenDialog* TextOpenDialog1 = nullptr;
    dialogs::TTextSaveDialog* TextSaveDialog1 = nullptr;
    TFindDialog* FindDialog1 = nullptr;
    TReplaceDialog* ReplaceDialog1 = nullptr;
    TFontDialog* FontDialog1 = nullptr;
    TColorDialog* ColorDialog1 = nullptr;
    TPrintDialog* PrintDialog1 = nullptr;
    TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;

    TMenuItem *File1, *New1, *Open1, *Save1, *SaveAs1, *N1, *S2, *Preview, *Print1, *N6, *M2, *N11, *Exit1;
    TMenuItem *Edit1, *Undo1, *N8, *Cut1, *Copy1, *Paste1, *N2, *SelectAll1;
    TMenuItem *Show1, *T1, *S1, *N3, *N4;
    TMenuItem *Find1, *Find2, *Replace1, *FindNext1, *RepMark2, *RepAll1;
    TMenuItem *A1, *F1, *Color1, *N5, *Set1;
    TMenuItem *O1, *D1, *S3, *N9, *N10, *S4, *M1, *B1;
    TMenuItem *Help1, *Help2, *About1;

    const std::string& AppTitle() const { return appTitle_; }
    const std::string& CurrentFile() const { return currentFile_; }
    bool Modified() const { return modified_; }
    const std::string& SearchWord() const { return searchWord_; }
    bool SearchFound() const { return searchFound_; }
    TAboutBox* AboutBox() const { return aboutBox_; }

    // The settings dialog and the help window, which the program entry
    // makes after the main window; their commands do nothing until then.
    void SetSettingsForm(TSetFm* form) { setForm_ = form; }
    void SetHelpForm(THelpFm* form) { helpForm_ = form; }

    // Document commands.
    void New1Click(TObject* sender);
    void Open1Click(TObject* sender);
    void Save1Click(TObject* sender);
    void SaveAs1Click(TObject* sender);
    void Exit1Click(TObject* sender);
    // Edit and view commands.
    void Undo1Click(TObject* sender);
    void Cut1Click(TObject* sender);
    void Copy1Click(TObject* sender);
    void Paste1Click(TObject* sender);
    void SelectAll1Click(TObject* sender);
    void Edit1Click(TObject* sender);
    void T1Click(TObject* sender);
    void S1Click(TObject* sender);
    void N4Click(TObject* sender);
    void S4Click(TObject* sender);
    void M1Click(TObject* sender);
    void B1Click(TObject* sender);
    void Font1Click(TObject* sender);
    void Color1Click(TObject* sender);
    void S2Click(TObject* sender);
    void Print1Click(TObject* sender);
    void PreviewClick(TObject* sender);
    void Set1Click(TObject* sender);
    void Help2Click(TObject* sender);
    void About1Click(TObject* sender);
    // Find and replace.
    void Find2Click(TObject* sender);
    void Replace1Click(TObject* sender);
    void FindDialog1Find(TObject* sender);
    void ReplaceDialog1Find(TObject* sender);
    void FindNext1Click(TObject* sender);
    void RepMark2Click(TObject* sender);
    void RepAll1Click(TObject* sender);
    // Date stamp, signature and mail.
    void D1Click(TObject* sender);
    void S3Click(TObject* sender);
    void M2Click(TObject* sender);

protected:
    // Every dialog the window shows goes through here, so a run without a
    // person (a test) can give the dialog's answer in its place.
    virtual bool RunDialog(TCommonDialog* dialog);
    // Hands the mail request to the shell; a test may look at it instead.
    virtual void SendToShell(const std::string& request);

private:
    void CreateControls();
    void CreateDialogs();
    void CreateMenu();
    TMenuItem* AddItem(TMenuItem* parent, const char* name, const char* caption, const char* hint = "",
                       TShortCut shortCut = scNone, void (TMainForm::*handler)(TObject*) = nullptr);

    void FormCreate(TObject* sender);
    void FormResize(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void ShowAppHint(TObject* sender);
    void MainMemoChange(TObject* sender);
    void MainMemoSelectionChange(TObject* sender);

    void LoadSettings();
    void SaveSettings();

    void AskSaveChanges();
    void ClearDocument();
    void UpdateCount();
    void SetTitledCaption(const std::string& second);
    void LoadFromCommandLine();
    void SetSizePreset(int height, int width);

    void TakeSearchFrom(TFindDialog* dialog);
    bool ReplaceMarked();
    void AppendLine(const std::string& text);

    std::vector<std::string> arguments_;
    std::string appTitle_;
    std::string currentFile_;
    bool modified_ = false;
    std::string searchWord_;
    TSearchTypes searchOptions_;
    bool searchFound_ = false;
    TAboutBox* aboutBox_ = nullptr;
    TSetFm* setForm_ = nullptr;
    THelpFm* helpForm_ = nullptr;
};

}  // namespace app
