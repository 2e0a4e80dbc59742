#include "classlib/print_dialogs.h"

#include <cstring>
#include <string>

#include "classlib/printers.h"
#include "platform/windows.h"

namespace classlib {

using namespace win32;

namespace {

// A copy of a GlobalAlloc block the dialog may free or replace.
HGLOBAL CopyBlock(HGLOBAL source) {
    if (source == nullptr) return nullptr;
    SIZE_T size = GlobalSize(source);
    HGLOBAL copy = size ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    if (copy == nullptr) return nullptr;
    void* from = GlobalLock(source);
    void* to = GlobalLock(copy);
    if (from && to) std::memcpy(to, from, size);
    GlobalUnlock(copy);
    GlobalUnlock(source);
    return copy;
}

HGLOBAL MakeDevNames(const std::string& driver, const std::string& device, const std::string& port) {
    std::size_t size = sizeof(DEVNAMES) + driver.size() + device.size() + port.size() + 3;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (block == nullptr) return nullptr;
    auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
    char* base = reinterpret_cast<char*>(names);
    std::size_t at = sizeof(DEVNAMES);
    auto put = [&](const std::string& s) {
        WORD offset = static_cast<WORD>(at);
        std::memcpy(base + at, s.c_str(), s.size() + 1);
        at += s.size() + 1;
        return offset;
    };
    names->wDriverOffset = put(driver);
    names->wDeviceOffset = put(device);
    names->wOutputOffset = put(port);
    names->wDefault = 0;
    GlobalUnlock(block);
    return block;
}

void TakeDevNames(HGLOBAL block, std::string& driver, std::string& device, std::string& port) {
    if (block == nullptr) return;
    auto* names = static_cast<const DEVNAMES*>(GlobalLock(block));
    if (names == nullptr) return;
    const char* base = reinterpret_cast<const char*>(names);
    driver = base + names->wDriverOffset;
    device = base + names->wDeviceOffset;
    port = base + names->wOutputOffset;
    GlobalUnlock(block);
}

}  // namespace

TPrintDialog::TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}

bool TPrintDialog::Execute() {
    DWORD flags = PD_NOSELECTION | PD_NOPAGENUMS;
    if (options_.Contains(poPrintToFile)) flags |= PD_PRINTTOFILE;
    if (options_.Contains(poDisablePrintToFile)) flags |= PD_DISABLEPRINTTOFILE;
    if (!options_.Contains(poWarning)) flags |= PD_NOWARNING;
    return RunSystemDialog(flags);
}

bool TPrintDialog::RunSystemDialog(DWORD flags) {
    std::string device, driver, port;
    HGLOBAL deviceMode = nullptr;
    Printer()->GetPrinter(device, driver, port, deviceMode);
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = OwnerWindow();
    pd.hDevMode = CopyBlock(deviceMode);
    pd.hDevNames = MakeDevNames(driver, device, port);
    pd.Flags = flags;
    pd.nCopies = static_cast<WORD>(copies_ > 0 ? copies_ : 1);
    pd.nFromPage = pd.nToPage = pd.nMinPage = pd.nMaxPage = 1;
    DoShow();
    BOOL ok = PrintDlgA(&pd);
    DoClose();
    if (ok) {
        TakeDevNames(pd.hDevNames, driver, device, port);
        Printer()->SetPrinter(device, driver, port, pd.hDevMode);  // takes the device mode
        pd.hDevMode = nullptr;
        copies_ = pd.nCopies;
    }
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    if (pd.hDC) DeleteDC(pd.hDC);
    return ok != FALSE;
}

bool TPrinterSetupDialog::Execute() { return RunSystemDialog(PD_PRINTSETUP); }

}  // namespace classlib
