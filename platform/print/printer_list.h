// The printer list: the built-in PDF printer first (the default), then the
// machine's print queues. The list is read once and kept; printers do not
// come and go while the program runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/print/paper.h"

namespace win32::print {

enum class PrinterKind { Pdf, Queue };

struct PrinterEntry {
    std::string name;
    PrinterKind kind = PrinterKind::Pdf;
    std::string port;      // "PDF:" or "CUPS:"
    std::string driver;    // the driver name shown in the printer's details
    std::string comment;
    std::string location;
    const PaperInfo* defaultPaper = nullptr;
    bool isDefault = false;
};

const std::vector<PrinterEntry>& Printers();
const PrinterEntry& DefaultPrinter();
// The printer of that name, compared without regard to ASCII case; null
// when there is none.
const PrinterEntry* FindPrinter(std::string_view name);
// Printer names compare without regard to ASCII case, as on Win32.
bool SameName(std::string_view a, std::string_view b);
// Forgets the list; the next question reads it again.
void ReloadPrinters();

}  // namespace win32::print
