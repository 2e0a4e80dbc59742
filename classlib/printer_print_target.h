// The program's printer as the page target of TRichEdit::Print: the
// editor's pages become one job on Printer(). A job the editor leaves
// unfinished (an error on the way) is abandoned when the target goes.
#pragma once

#include <memory>

#include "classlib/printers.h"
#include "classlib/richedit.h"

namespace classlib {

class TPrinterPrintTarget : public TRichEditPrintTarget {
public:
    explicit TPrinterPrintTarget(TPrinter* printer) : printer_(printer) {}
    ~TPrinterPrintTarget() override;

    win32::HDC BeginDoc(const std::string& title) override;
    void NewPage() override;
    void EndDoc() override;
    TRect PageRect() override;

private:
    TPrinter* printer_;
    bool started_ = false;
};

// For TRichEdit::SetPrinterFactory: a target on Printer().
std::unique_ptr<TRichEditPrintTarget> MakePrinterPrintTarget();

}  // namespace classlib
