// The spooler's functions: the printer list (EnumPrintersA, GetPrinterA),
// the default printer, printer handles and document properties.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/handle_table.h"
#include "platform/kernel/winbase.h"
#include "platform/print/device_mode.h"
#include "platform/print/printer_list.h"
#include "platform/print/winspool.h"

namespace win32 {
namespace {

using print::PrinterEntry;

struct PrinterHandle {
    PrinterEntry printer;
    print::PrintSettings defaults;
};

HandleTable<PrinterHandle>& Handles() {
    static HandleTable<PrinterHandle> table(HandleKind::Printer);
    return table;
}

// Lays printer information out as the spooler does: the structures first,
// then the strings and device modes they point to. A first pass without a
// buffer only counts.
class Packer {
public:
    Packer(LPBYTE buffer, std::size_t fixed) : buffer_(buffer), used_(fixed) {}

    LPSTR String(const std::string& s) {
        const std::size_t at = used_;
        used_ += s.size() + 1;
        if (!buffer_) return nullptr;
        std::memcpy(buffer_ + at, s.c_str(), s.size() + 1);
        return reinterpret_cast<LPSTR>(buffer_ + at);
    }
    LPDEVMODEA DevMode(const DEVMODEA& dm) {
        used_ = (used_ + 7) & ~std::size_t{7};
        const std::size_t at = used_;
        used_ += sizeof(DEVMODEA);
        if (!buffer_) return nullptr;
        std::memcpy(buffer_ + at, &dm, sizeof dm);
        return reinterpret_cast<LPDEVMODEA>(buffer_ + at);
    }
    std::size_t Used() const { return used_; }

private:
    LPBYTE buffer_;
    std::size_t used_;
};

std::size_t InfoSize(DWORD level) {
    switch (level) {
    case 1: return sizeof(PRINTER_INFO_1A);
    case 2: return sizeof(PRINTER_INFO_2A);
    case 4: return sizeof(PRINTER_INFO_4A);
    case 5: return sizeof(PRINTER_INFO_5A);
    default: return 0;
    }
}

DWORD Attributes(const PrinterEntry& p) {
    DWORD a = PRINTER_ATTRIBUTE_LOCAL;
    if (p.kind == print::PrinterKind::Queue) a |= PRINTER_ATTRIBUTE_QUEUED;
    if (p.isDefault) a |= PRINTER_ATTRIBUTE_DEFAULT;
    return a;
}

// Fills one structure of the level at `slot` (null while counting).
void Describe(const PrinterEntry& p, const print::PrintSettings& settings, DWORD level, LPBYTE slot,
              Packer& pack) {
    switch (level) {
    case 1: {
        PRINTER_INFO_1A info{};
        info.Flags = PRINTER_ENUM_ICON8;
        info.pDescription = pack.String(p.name + "," + p.driver + "," + p.location);
        info.pName = pack.String(p.name);
        info.pComment = pack.String(p.comment);
        if (slot) std::memcpy(slot, &info, sizeof info);
        break;
    }
    case 2: {
        PRINTER_INFO_2A info{};
        info.pServerName = nullptr;
        info.pPrinterName = pack.String(p.name);
        info.pShareName = pack.String("");
        info.pPortName = pack.String(p.port);
        info.pDriverName = pack.String(p.driver);
        info.pComment = pack.String(p.comment);
        info.pLocation = pack.String(p.location);
        DEVMODEA dm;
        print::WriteDevMode(p, settings, dm);
        info.pDevMode = pack.DevMode(dm);
        info.pSepFile = pack.String("");
        info.pPrintProcessor = pack.String("winprint");
        info.pDatatype = pack.String("RAW");
        info.pParameters = pack.String("");
        info.Attributes = Attributes(p);
        info.Priority = 1;
        info.DefaultPriority = 0;
        if (slot) std::memcpy(slot, &info, sizeof info);
        break;
    }
    case 4: {
        PRINTER_INFO_4A info{};
        info.pPrinterName = pack.String(p.name);
        info.pServerName = nullptr;
        info.Attributes = Attributes(p);
        if (slot) std::memcpy(slot, &info, sizeof info);
        break;
    }
    case 5: {
        PRINTER_INFO_5A info{};
        info.pPrinterName = pack.String(p.name);
        info.pPortName = pack.String(p.port);
        info.Attributes = Attributes(p);
        info.DeviceNotSelectedTimeout = 15000;
        info.TransmissionRetryTimeout = 45000;
        if (slot) std::memcpy(slot, &info, sizeof info);
        break;
    }
    default: break;
    }
}

struct Described {
    const PrinterEntry* printer;
    print::PrintSettings settings;
};

// Writes the structures when they fit; the size needed in any case.
BOOL Lay(const std::vector<Described>& printers, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
    const std::size_t fixed = InfoSize(level) * printers.size();
    Packer count(nullptr, fixed);
    for (const Described& d : printers) Describe(*d.printer, d.settings, level, nullptr, count);
    *needed = static_cast<DWORD>(count.Used());
    if (!buffer || size < count.Used()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memset(buffer, 0, count.Used());
    Packer pack(buffer, fixed);
    for (std::size_t i = 0; i < printers.size(); ++i) {
        Describe(*printers[i].printer, printers[i].settings, level, buffer + i * InfoSize(level), pack);
    }
    return TRUE;
}

}  // namespace

BOOL EnumPrintersA(DWORD flags, LPSTR, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
    if (!needed || !returned) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *returned = 0;
    if (InfoSize(level) == 0) {
        *needed = 0;
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    std::vector<Described> list;
    if (flags & PRINTER_ENUM_DEFAULT) {
        const PrinterEntry& p = print::DefaultPrinter();
        list.push_back({&p, print::DefaultSettings(p)});
    } else {
        for (const PrinterEntry& p : print::Printers()) list.push_back({&p, print::DefaultSettings(p)});
    }
    if (!Lay(list, level, buffer, size, needed)) return FALSE;
    *returned = static_cast<DWORD>(list.size());
    return TRUE;
}

BOOL GetDefaultPrinterA(LPSTR buffer, LPDWORD size) {
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string& name = print::DefaultPrinter().name;
    const DWORD need = static_cast<DWORD>(name.size() + 1);
    if (!buffer || *size < need) {
        *size = need;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, name.c_str(), need);
    *size = need;
    return TRUE;
}

BOOL OpenPrinterA(LPSTR printerName, HANDLE* printer, LPPRINTER_DEFAULTSA defaults) {
    if (!printer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *printer = nullptr;
    const PrinterEntry* p = printerName ? print::FindPrinter(printerName) : nullptr;
    if (!p) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    auto h = std::make_unique<PrinterHandle>();
    h->printer = *p;
    h->defaults = print::SettingsFor(*p, defaults ? defaults->pDevMode : nullptr);
    const std::uintptr_t key = Handles().Add(std::move(h));
    if (!key) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    *printer = ToHandle<HANDLE>(key);
    return TRUE;
}

BOOL ClosePrinter(HANDLE printer) {
    if (!Handles().Remove(printer)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL GetPrinterA(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
    PrinterHandle* h = Handles().Get(printer);
    if (!h) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!needed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (InfoSize(level) == 0) {
        *needed = 0;
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    return Lay({{&h->printer, h->defaults}}, level, buffer, size, needed);
}

LONG DocumentPropertiesA(HWND, HANDLE printer, LPSTR deviceName, PDEVMODEA output, PDEVMODEA input, DWORD mode) {
    const PrinterEntry* p = nullptr;
    print::PrintSettings settings;
    if (PrinterHandle* h = Handles().Get(printer)) {
        p = &h->printer;
        settings = h->defaults;
    } else if (deviceName && (p = print::FindPrinter(deviceName)) != nullptr) {
        settings = print::DefaultSettings(*p);
    }
    if (!p) {
        SetLastError(printer ? ERROR_INVALID_HANDLE : ERROR_INVALID_PRINTER_NAME);
        return -1;
    }
    if (mode == 0) return static_cast<LONG>(sizeof(DEVMODEA));
    if ((mode & DM_IN_BUFFER) && input) {
        DEVMODEA copy{};
        const std::size_t n =
            input->dmSize == 0 ? sizeof copy : std::min<std::size_t>(input->dmSize, sizeof copy);
        std::memcpy(&copy, input, n);
        settings = print::MergeDevMode(settings, copy);
    }
    if (mode & DM_OUT_BUFFER) {
        if (!output) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return -1;
        }
        print::WriteDevMode(*p, settings, *output);
    }
    return 1;  // IDOK
}

}  // namespace win32
