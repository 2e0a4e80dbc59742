#include "classlib/printer_print_target.h"

namespace classlib {

TPrinterPrintTarget::~TPrinterPrintTarget() {
    if (started_ && printer_->Printing()) printer_->Abort();
}

win32::HDC TPrinterPrintTarget::BeginDoc(const std::string& title) {
    printer_->SetTitle(title);
    printer_->BeginDoc();
    started_ = true;
    return printer_->Handle();
}

void TPrinterPrintTarget::NewPage() { printer_->NewPage(); }

void TPrinterPrintTarget::EndDoc() {
    started_ = false;
    printer_->EndDoc();
}

TRect TPrinterPrintTarget::PageRect() { return TRect{0, 0, printer_->PageWidth(), printer_->PageHeight()}; }

std::unique_ptr<TRichEditPrintTarget> MakePrinterPrintTarget() {
    return std::make_unique<TPrinterPrintTarget>(Printer());
}

}  // namespace classlib
