// The papers the printers offer: Windows paper codes with the names the
// print dialogs show and the sizes in tenths of a millimetre (portrait),
// and the media names the print queues know them by.
#pragma once

#include <span>
#include <string_view>

#include "platform/windef.h"

namespace win32::print {

struct PaperInfo {
    SHORT code;        // DMPAPER_ value
    const char* name;  // shown in the print dialogs (UTF-8, < 64 bytes)
    int width;         // 0.1 mm, portrait
    int length;        // 0.1 mm, portrait
    const char* media; // the queue's media name (PWG self-describing name)
};

// The papers in the order the printers list them; A4 is the default.
std::span<const PaperInfo> Papers();
const PaperInfo& DefaultPaper();
// The paper of a code, or null when the printers do not offer it.
const PaperInfo* FindPaper(SHORT code);
// The paper a queue's media option names ("iso_a4_210x297mm", "A4",
// "Letter", ...), or null.
const PaperInfo* PaperOfMedia(std::string_view media);

// The range of user-defined paper sizes, 0.1 mm.
constexpr int kMinPaperExtent = 254;
constexpr int kMaxPaperWidth = 8410;
constexpr int kMaxPaperLength = 11890;

}  // namespace win32::print
