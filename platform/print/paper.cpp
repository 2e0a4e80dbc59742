#include "platform/print/paper.h"

#include <array>
#include <cctype>
#include <string>

#include "platform/print/wingdi_printing.h"

namespace win32::print {
namespace {

// B4 and B5 are the Japanese (JIS) sizes, as Japanese printers give them
// for these codes.
constexpr std::array<PaperInfo, 15> kPapers{{
    {DMPAPER_A3, "A3", 2970, 4200, "iso_a3_297x420mm"},
    {DMPAPER_A4, "A4", 2100, 2970, "iso_a4_210x297mm"},
    {DMPAPER_A5, "A5", 1480, 2100, "iso_a5_148x210mm"},
    {DMPAPER_A6, "A6", 1050, 1480, "iso_a6_105x148mm"},
    {DMPAPER_B4, "B4 (JIS)", 2570, 3640, "jis_b4_257x364mm"},
    {DMPAPER_B5, "B5 (JIS)", 1820, 2570, "jis_b5_182x257mm"},
    {DMPAPER_B6_JIS, "B6 (JIS)", 1280, 1820, "jis_b6_128x182mm"},
    {DMPAPER_JAPANESE_POSTCARD, "はがき", 1000, 1480, "jpn_hagaki_100x148mm"},
    {DMPAPER_DBL_JAPANESE_POSTCARD, "往復はがき", 2000, 1480, "jpn_oufuku_148x200mm"},
    {DMPAPER_JENV_CHOU3, "長形 3 号", 1200, 2350, "jpn_chou3_120x235mm"},
    {DMPAPER_JENV_KAKU2, "角形 2 号", 2400, 3320, "jpn_kaku2_240x332mm"},
    {DMPAPER_LETTER, "レター", 2159, 2794, "na_letter_8.5x11in"},
    {DMPAPER_LEGAL, "リーガル", 2159, 3556, "na_legal_8.5x14in"},
    {DMPAPER_TABLOID, "タブロイド", 2794, 4318, "na_ledger_11x17in"},
    {DMPAPER_EXECUTIVE, "エグゼクティブ", 1842, 2667, "na_executive_7.25x10.5in"},
}};

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::span<const PaperInfo> Papers() { return kPapers; }

const PaperInfo& DefaultPaper() { return kPapers[1]; }

const PaperInfo* FindPaper(SHORT code) {
    for (const PaperInfo& p : kPapers)
        if (p.code == code) return &p;
    return nullptr;
}

const PaperInfo* PaperOfMedia(std::string_view media) {
    const std::string m = Lower(media);
    if (m.empty()) return nullptr;
    for (const PaperInfo& p : kPapers) {
        const std::string pwg = Lower(p.media);
        if (m == pwg) return &p;
        // The short names the queues also use: "a4", "letter", "b5" ...
        const std::size_t first = pwg.find('_');
        const std::size_t second = pwg.find('_', first + 1);
        if (first != std::string::npos && second != std::string::npos &&
            m == pwg.substr(first + 1, second - first - 1)) {
            return &p;
        }
    }
    return nullptr;
}

}  // namespace win32::print
