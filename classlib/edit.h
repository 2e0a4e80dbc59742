// Edit controls on the window system's "EDIT" class: TCustomEdit with the
// selection, clipboard and undo every edit has, TEdit for one line, and
// TCustomMemo / TMemo for several, with their lines as a TStrings.
#pragma once

#include <memory>
#include <string>

#include "classlib/strings.h"
#include "classlib/wincontrol.h"

namespace classlib {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TBorderStyleEdit { bsNoneEdit, bsSingleEdit };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    // The selection in characters (a line break counts two).
    int SelStart();
    void SetSelStart(int start);
    int SelLength();
    void SetSelLength(int length);
    std::string SelText();
    void SetSelText(const std::string& text);
    // Characters of the whole text.
    virtual int GetTextLen();

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool Modified();
    void SetModified(bool modified);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char c);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase charCase);
    TBorderStyleEdit BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyleEdit style);

    bool CanUndo();
    void Undo();
    void ClearUndo();
    void Clear();
    void ClearSelection();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void SelectAll();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void Dispatch(TMessage& message) override;
    // The platform class the control is made of.
    virtual const char* PlatformClass() const { return "EDIT"; }
    virtual void Change();
    // The colours the control paints with, answered to WM_CTLCOLOREDIT.
    void ControlColors(TMessage& m);

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool modifiedBeforeHandle_ = false;
    bool hideSelection_ = true;
    char passwordChar_ = '\0';
    TEditCharCase charCase_ = ecNormal;
    TBorderStyleEdit borderStyle_ = bsSingleEdit;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);
};

class TCustomMemo;

// The lines of a memo, read and written through the control's messages.
// A line entry holds at most 4096 bytes of code page 932 text.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    std::string Text() const override;
    void SetText(const std::string& text) override;

protected:
    void SetUpdateState(bool updating) override;
    TCustomMemo* Memo() const { return memo_; }
    // Inserts text at a position; true when all of it went in.
    bool InsertAt(int position, const std::string& text) const;

private:
    TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return lines_.get(); }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    virtual void SetScrollBars(TScrollStyle style);
    bool WordWrap() const { return wordWrap_; }
    virtual void SetWordWrap(bool wrap);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool want) { wantTabs_ = want; }

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& message) override;
    // The lines object of a derived control, made by its constructor.
    void SetLinesObject(std::unique_ptr<TStrings> lines) { lines_ = std::move(lines); }
    // The properties alone, for controls that change their window in place.
    void SetWordWrapFlag(bool wrap) { wordWrap_ = wrap; }
    void SetScrollBarsFlag(TScrollStyle style) { scrollBars_ = style; }

private:
    std::unique_ptr<TStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};

// The start of a line that fits `limit` bytes of code page 932, whole
// characters only; the line entries of the memo and the rich edit are cut so.
std::string CutToAnsiBytes(const std::string& utf8, std::size_t limit);

}  // namespace classlib
