// The print and printer-setup dialog components: the system's print dialog
// on the library's current printer (Printer()), which takes the printer and
// paper chosen there when the user confirms.
#pragma once

#include "classlib/dialogs.h"

namespace classlib {

enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
using TPrintDialogOptions = TSet<TPrintDialogOption>;
enum TPrintRange { prAllPages, prSelection, prPageNums };

class TPrintDialog : public TCommonDialog {
public:
    explicit TPrintDialog(TComponent* owner);

    // Shows the dialog on the current printer; on OK the printer chosen
    // becomes current. False when the user cancelled or the dialog failed.
    bool Execute() override;

    int Copies() const { return copies_; }
    void SetCopies(int copies) { copies_ = copies; }
    TPrintDialogOptions Options() const { return options_; }
    void SetOptions(TPrintDialogOptions options) { options_ = options; }
    TPrintRange PrintRange() const { return printRange_; }
    void SetPrintRange(TPrintRange range) { printRange_ = range; }

protected:
    // Runs PrintDlgA with `flags` added and takes the printer chosen.
    bool RunSystemDialog(win32::DWORD flags);

private:
    int copies_ = 0;
    TPrintDialogOptions options_;
    TPrintRange printRange_ = prAllPages;
};

class TPrinterSetupDialog : public TPrintDialog {
public:
    using TPrintDialog::TPrintDialog;
    bool Execute() override;
};

}  // namespace classlib
