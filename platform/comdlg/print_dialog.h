// Internals of PrintDlgA shared by the print_dialog*.cpp files: the
// printer and settings one running dialog works on, and the two templates
// (print, and printer setup).
#pragma once

#include "platform/comdlg/comdlg_internal.h"
#include "platform/print/device_mode.h"

namespace win32::comdlg {

struct PrintState {
    PRINTDLGA* pd = nullptr;
    bool setup = false;
    const print::PrinterEntry* printer = nullptr;
    print::PrintSettings settings;
};

DLGTEMPLATE PrintTemplate(DWORD flags);
DLGTEMPLATE PrintSetupTemplate();

// The printer and settings the caller's blocks name (the default printer
// when they name none or one that is gone).
void TakeCallerBlocks(PrintState& s);
// Replaces the caller's blocks with ones for the chosen printer and
// settings; false when memory ran out.
bool WriteCallerBlocks(PrintState& s);
// The device context asked for with PD_RETURNDC or PD_RETURNIC.
void MakeDeviceContext(PrintState& s);

}  // namespace win32::comdlg
