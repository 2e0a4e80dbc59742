#include "platform/print/printer_list.h"

#include <memory>
#include <optional>

#include "platform/print/print_queues.h"
#include "platform/print/winspool.h"

namespace win32::print {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

namespace {

const PrinterEntry* FindPrinterIn(const std::vector<PrinterEntry>& list, std::string_view name) {
    for (const PrinterEntry& e : list)
        if (SameName(e.name, name)) return &e;
    return nullptr;
}

std::optional<std::vector<PrinterEntry>>& Cached() {
    static std::optional<std::vector<PrinterEntry>> list;
    return list;
}

std::vector<PrinterEntry> Build() {
    std::vector<PrinterEntry> list;
    PrinterEntry pdf;
    pdf.name = kPdfPrinterName;
    pdf.kind = PrinterKind::Pdf;
    pdf.port = "PDF:";
    pdf.driver = "PDF";
    pdf.comment = "印刷した文書を PDF ファイルに保存します";
    pdf.defaultPaper = &DefaultPaper();
    pdf.isDefault = true;
    list.push_back(std::move(pdf));
    for (QueueInfo& q : Queues().List()) {
        // Names stay unique: a queue named like the PDF printer is left out.
        if (FindPrinterIn(list, q.name)) continue;
        PrinterEntry e;
        e.name = std::move(q.name);
        e.kind = PrinterKind::Queue;
        e.port = "CUPS:";
        e.driver = "CUPS";
        e.comment = std::move(q.info);
        e.location = std::move(q.location);
        const PaperInfo* paper = PaperOfMedia(q.media);
        e.defaultPaper = paper ? paper : &DefaultPaper();
        list.push_back(std::move(e));
    }
    return list;
}

}  // namespace

const std::vector<PrinterEntry>& Printers() {
    auto& cached = Cached();
    if (!cached) cached = Build();
    return *cached;
}

const PrinterEntry& DefaultPrinter() { return Printers().front(); }

const PrinterEntry* FindPrinter(std::string_view name) { return FindPrinterIn(Printers(), name); }

void ReloadPrinters() { Cached().reset(); }

}  // namespace win32::print
