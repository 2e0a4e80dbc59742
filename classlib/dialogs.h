// The dialog components: the system's open, save, font, colour, find and
// replace dialogs wrapped as components with the library's properties and
// events. Descendants of the file dialogs reach the dialog while it is up:
// Handle() is the dialog the custom template made (the hook's window), its
// parent the system dialog, and DoShow, DoClose and DoSelectionChange are
// the points to extend.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "classlib/component.h"
#include "classlib/graphics.h"
#include "classlib/strings.h"
#include "classlib/types.h"
#include "platform/windows.h"

namespace classlib {

class TUtilityWindow;

class TCommonDialog : public TComponent {
public:
    explicit TCommonDialog(TComponent* owner);
    ~TCommonDialog() override;

    // Shows the dialog; true when the user confirmed it.
    virtual bool Execute() = 0;

    // The dialog's window while it is shown (for the file dialogs the
    // custom template's child dialog), null otherwise.
    win32::HWND Handle() const { return handle_; }
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool on) { ctl3D_ = on; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    virtual void DoShow();
    virtual void DoClose();
    void SetHandle(win32::HWND handle) { handle_ = handle; }
    // The window the dialog belongs to: the active form, else the main form.
    static win32::HWND OwnerWindow();

private:
    win32::HWND handle_ = nullptr;
    bool ctl3D_ = true;
    int helpContext_ = 0;
};

// ---- Open and save ---------------------------------------------------------------

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
};
using TOpenOptions = TSet<TOpenOption>;

using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;

    bool Execute() override;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name) { fileName_ = name; }
    // "Description|pattern|Description|pattern;pattern".
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter) { filter_ = filter; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& dir) { initialDir_ = dir; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions options) { options_ = options; }
    // The name of a registered dialog template laid into the dialog as its
    // custom child dialog; empty for none.
    const std::string& Template() const { return template_; }
    void SetTemplate(const std::string& name) { template_ = name; }
    // The files chosen (one entry unless ofAllowMultiSelect).
    TStrings* Files() const { return files_.get(); }

    // Whether the platform has Explorer-style dialogs (it always has).
    static bool NewStyleControls() { return true; }

    TNotifyEvent OnSelectionChange;
    TNotifyEvent OnFolderChange;
    TNotifyEvent OnTypeChange;
    TCloseQueryEvent OnCanClose;

    // The conversions Execute makes, for descendants and tests.
    static std::string FilterToSystem(const std::string& filter);
    static win32::DWORD OptionsToFlags(TOpenOptions options);

protected:
    virtual void DoSelectionChange();
    virtual void DoFolderChange();
    virtual void DoTypeChange();
    virtual bool DoCanClose();
    // Runs the system dialog (open or save) on the prepared structure.
    bool DoExecute(bool save);

private:
    static win32::UINT_PTR CALLBACK Hook(win32::HWND hwnd, win32::UINT msg, win32::WPARAM wParam,
                                         win32::LPARAM lParam);
    win32::UINT_PTR HandleHookMessage(win32::HWND hwnd, win32::UINT msg, win32::WPARAM wParam, win32::LPARAM lParam);

    std::string fileName_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string initialDir_;
    std::string defaultExt_;
    std::string title_;
    std::string template_;
    TOpenOptions options_{ofHideReadOnly};
    std::unique_ptr<TStringList> files_;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner);
    bool Execute() override;
};

// ---- Font and colour ---------------------------------------------------------------

enum TFontDialogOption {
    fdAnsiOnly,
    fdTrueTypeOnly,
    fdEffects,
    fdFixedPitchOnly,
    fdForceFontExist,
    fdNoFaceSel,
    fdNoOEMFonts,
    fdNoSimulations,
    fdNoSizeSel,
    fdNoStyleSel,
    fdNoVectorFonts,
    fdShowHelp,
    fdWysiwyg,
    fdLimitSize,
    fdScalableOnly,
    fdApplyButton,
};
using TFontDialogOptions = TSet<TFontDialogOption>;
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };

class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(TComponent* owner);
    ~TFontDialog() override;

    bool Execute() override;

    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* font);
    TFontDialogDevice Device() const { return device_; }
    void SetDevice(TFontDialogDevice device) { device_ = device; }
    int MinFontSize() const { return minFontSize_; }
    void SetMinFontSize(int size) { minFontSize_ = size; }
    int MaxFontSize() const { return maxFontSize_; }
    void SetMaxFontSize(int size) { maxFontSize_ = size; }
    TFontDialogOptions Options() const { return options_; }
    void SetOptions(TFontDialogOptions options) { options_ = options; }

    // The font as the dialog takes and gives it.
    static win32::LOGFONTA ToLogFont(const TFont& font);
    static void FromLogFont(const win32::LOGFONTA& lf, TFont& font);

private:
    std::unique_ptr<TFont> font_;
    TFontDialogDevice device_ = fdScreen;
    int minFontSize_ = 0;
    int maxFontSize_ = 0;
    TFontDialogOptions options_{fdEffects};
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent* owner);
    ~TColorDialog() override;

    bool Execute() override;

    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    // "ColorA=RRGGBB" ... "ColorP=RRGGBB" in hexadecimal, as the library
    // stores them; missing entries are white.
    TStrings* CustomColors() const { return customColors_.get(); }
    TColorDialogOptions Options() const { return options_; }
    void SetOptions(TColorDialogOptions options) { options_ = options; }

private:
    TColor color_ = clBlack;
    std::unique_ptr<TStringList> customColors_;
    TColorDialogOptions options_;
};

// ---- Find and replace ---------------------------------------------------------------

enum TFindOption {
    frDown,
    frFindNext,
    frHideMatchCase,
    frHideWholeWord,
    frHideUpDown,
    frMatchCase,
    frDisableMatchCase,
    frDisableUpDown,
    frDisableWholeWord,
    frReplace,
    frReplaceAll,
    frWholeWord,
    frShowHelp,
};
using TFindOptions = TSet<TFindOption>;

// Modeless: Execute shows the dialog (or brings it to the front) and
// returns at once; OnFind runs each time the user asks for the next match.
class TFindDialog : public TCommonDialog {
public:
    explicit TFindDialog(TComponent* owner);
    ~TFindDialog() override;

    bool Execute() override;
    void CloseDialog();

    const std::string& FindText() const { return findText_; }
    void SetFindText(const std::string& text);
    TFindOptions Options() const { return options_; }
    void SetOptions(TFindOptions options) { options_ = options; }
    // Screen position of the dialog; negative for the system's choice.
    int Left() const { return left_; }
    int Top() const { return top_; }
    void SetLeft(int left) { left_ = left; }
    void SetTop(int top) { top_ = top; }

    TNotifyEvent OnFind;
    TNotifyEvent OnReplace;

    static win32::DWORD OptionsToFlags(TFindOptions options);
    static TFindOptions FlagsToOptions(win32::DWORD flags, TFindOptions keep);

protected:
    // Makes the system dialog from the prepared structure.
    virtual win32::HWND CreateSystemDialog(win32::FINDREPLACEA& fr);
    // Takes the texts the dialog wrote into the structure's buffers.
    virtual void TakeTexts(const win32::FINDREPLACEA& fr);
    virtual void DoFind();
    virtual void DoReplace();

private:
    void OnOwnerMessage(TMessage& m);
    static win32::UINT_PTR CALLBACK Hook(win32::HWND hwnd, win32::UINT msg, win32::WPARAM wParam,
                                         win32::LPARAM lParam);

    std::string findText_;
    TFindOptions options_{frDown};
    int left_ = -1;
    int top_ = -1;
    win32::FINDREPLACEA fr_{};
    std::array<char, 256> findBuffer_{};
    std::unique_ptr<TUtilityWindow> owner_;
};

class TReplaceDialog : public TFindDialog {
public:
    explicit TReplaceDialog(TComponent* owner);

    // While the dialog is up, what its replacement field holds now.
    std::string ReplaceText() const;
    void SetReplaceText(const std::string& text);

protected:
    win32::HWND CreateSystemDialog(win32::FINDREPLACEA& fr) override;
    void TakeTexts(const win32::FINDREPLACEA& fr) override;

private:
    std::string replaceText_;
    std::array<char, 256> replaceBuffer_{};
};

}  // namespace classlib
