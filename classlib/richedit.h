// TRichEdit: the memo on the window system's "RICHEDIT" class in plain-text
// mode, for documents up to its maximum length (the memo pad sets
// 90,000,000 characters). Its lines stream Shift-JIS files in and out
// through the control, save them safely, and tell how many characters code
// page 932 could not hold; it prints itself page by page.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "classlib/edit.h"
#include "classlib/types.h"

namespace classlib {

enum TSearchType { stWholeWord, stMatchCase };
using TSearchTypes = TSet<TSearchType>;

// Where TRichEdit::Print puts its pages: a printer, or any device context
// (a metafile, a bitmap) for previews and tests.
class TRichEditPrintTarget {
public:
    virtual ~TRichEditPrintTarget() = default;
    // Starts the job and returns the DC of its first page.
    virtual win32::HDC BeginDoc(const std::string& title) = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    // The printable page in device units.
    virtual TRect PageRect() = 0;
};

class TRichEditStrings : public TMemoStrings {
public:
    using TMemoStrings::TMemoStrings;

    // Raises EOutOfResources with "RichEdit での行の挿入ｴﾗｰ" when the maximum
    // length cut the line short (what went in stays).
    void Insert(int index, const std::string& s) override;

    // Code page 932 through the control's stream. Loading raises EFOpenError
    // for a file that cannot be opened and EReadError when the stream fails
    // (the text stays as it was); saving raises EFCreateError or EWriteError
    // and leaves an existing file as it was.
    void LoadFromFile(const std::string& fileName) override;
    void SaveToFile(const std::string& fileName) override;
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
};

class TRichEdit : public TCustomMemo {
public:
    explicit TRichEdit(TComponent* owner);

    bool PlainText() const { return plainText_; }
    void SetPlainText(bool plain) { plainText_ = plain; }
    void SetWordWrap(bool wrap) override;
    void SetScrollBars(TScrollStyle style) override;
    int GetTextLen() override;

    // The first occurrence of `text` in [start, start + length), or -1.
    int FindText(const std::string& text, int start, int length, TSearchTypes options);

    // Characters the last save had to write as '?' because code page 932
    // cannot hold them; 0 when the file holds the text exactly.
    int LostCharacters();

    // Prints the whole text as one job titled `caption` on the printer the
    // application set (SetPrinterFactory), or on the given target.
    void Print(const std::string& caption);
    void Print(const std::string& caption, TRichEditPrintTarget& target);
    using PrinterFactory = std::function<std::unique_ptr<TRichEditPrintTarget>()>;
    static void SetPrinterFactory(PrinterFactory factory);

    TNotifyEvent OnSelectionChange;

protected:
    const char* PlatformClass() const override { return "RICHEDIT"; }
    void InitializeWindow() override;
    void Dispatch(TMessage& message) override;
    virtual void SelectionChange();

private:
    void ApplyFont();
    void ApplyStyleBars();
    bool plainText_ = false;
};

}  // namespace classlib
