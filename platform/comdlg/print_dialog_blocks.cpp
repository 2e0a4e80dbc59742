// The print dialogs' global memory blocks: the caller's DEVMODEA and
// DEVNAMES read at the start and replaced by ones for the printer and
// settings chosen, and the device context PD_RETURNDC asks for.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/comdlg/print_dialog.h"
#include "platform/print/winspool.h"

namespace win32::comdlg {

namespace {

std::string DeviceNameOf(HGLOBAL names) {
    if (!names) return {};
    const auto* dn = static_cast<const DEVNAMES*>(GlobalLock(names));
    if (!dn) return {};
    std::string device;
    SIZE_T size = GlobalSize(names);
    if (dn->wDeviceOffset < size) {
        const char* p = reinterpret_cast<const char*>(dn) + dn->wDeviceOffset;
        device.assign(p, strnlen(p, size - dn->wDeviceOffset));
    }
    GlobalUnlock(names);
    return device;
}

HGLOBAL MakeDevNames(const print::PrinterEntry& printer) {
    const std::string driver = kPrinterDriverName;
    const std::size_t size = sizeof(DEVNAMES) + driver.size() + printer.name.size() + printer.port.size() + 3;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* dn = block ? static_cast<DEVNAMES*>(GlobalLock(block)) : nullptr;
    if (!dn) return block ? GlobalFree(block) : nullptr;
    char* base = reinterpret_cast<char*>(dn);
    std::size_t at = sizeof(DEVNAMES);
    auto put = [&](const std::string& s) {
        WORD offset = static_cast<WORD>(at);
        std::memcpy(base + at, s.c_str(), s.size() + 1);
        at += s.size() + 1;
        return offset;
    };
    dn->wDriverOffset = put(driver);
    dn->wDeviceOffset = put(printer.name);
    dn->wOutputOffset = put(printer.port);
    dn->wDefault = printer.isDefault ? DN_DEFAULTPRN : 0;
    GlobalUnlock(block);
    return block;
}

HGLOBAL MakeDevMode(const print::PrinterEntry& printer, const print::PrintSettings& settings) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
    auto* dm = block ? static_cast<DEVMODEA*>(GlobalLock(block)) : nullptr;
    if (!dm) return block ? GlobalFree(block) : nullptr;
    print::WriteDevMode(printer, settings, *dm);
    GlobalUnlock(block);
    return block;
}

}  // namespace

void TakeCallerBlocks(PrintState& s) {
    PRINTDLGA& pd = *s.pd;
    const DEVMODEA* dm = pd.hDevMode ? static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode)) : nullptr;
    // Only as many bytes as the block holds are read.
    DEVMODEA copy{};
    if (dm) std::memcpy(&copy, dm, std::min<SIZE_T>(sizeof copy, GlobalSize(pd.hDevMode)));
    if (pd.hDevMode) GlobalUnlock(pd.hDevMode);
    std::string name = DeviceNameOf(pd.hDevNames);
    if (name.empty() && dm) name.assign(copy.dmDeviceName, strnlen(copy.dmDeviceName, CCHDEVICENAME));
    s.printer = name.empty() ? nullptr : print::FindPrinter(name);
    if (!s.printer) s.printer = &print::DefaultPrinter();
    // A device mode of another printer says nothing about this one.
    const bool same = dm && print::SameName(std::string(copy.dmDeviceName, strnlen(copy.dmDeviceName, CCHDEVICENAME)),
                                            s.printer->name.substr(0, CCHDEVICENAME - 1));
    s.settings = print::SettingsFor(*s.printer, same ? &copy : nullptr);
}

bool WriteCallerBlocks(PrintState& s) {
    PRINTDLGA& pd = *s.pd;
    HGLOBAL mode = MakeDevMode(*s.printer, s.settings);
    HGLOBAL names = MakeDevNames(*s.printer);
    if (!mode || !names) {
        if (mode) GlobalFree(mode);
        if (names) GlobalFree(names);
        return false;
    }
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    pd.hDevMode = mode;
    pd.hDevNames = names;
    return true;
}

void MakeDeviceContext(PrintState& s) {
    PRINTDLGA& pd = *s.pd;
    if (!(pd.Flags & (PD_RETURNDC | PD_RETURNIC))) return;
    const auto* dm = static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode));
    pd.hDC = (pd.Flags & PD_RETURNDC) ? CreateDCA(kPrinterDriverName, s.printer->name.c_str(), nullptr, dm)
                                       : CreateICA(kPrinterDriverName, s.printer->name.c_str(), nullptr, dm);
    GlobalUnlock(pd.hDevMode);
}

}  // namespace win32::comdlg
