#include "platform/gdi/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstring>

#include "platform/gdi/wingdi.h"

namespace win32::gdi {
namespace {

// Windows faces and the installed families that stand in for them. The first
// name of each family is the one enumeration reports.
struct Alias {
    const char* windowsName;
    const char* family;
    bool enumerated;
};

constexpr Alias kAliases[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic", true},
    {"MS UI Gothic", "IPAPGothic", true},
    {"MS PGothic", "IPAPGothic", false},
    {"ＭＳ ゴシック", "IPAGothic", true},
    {"MS Gothic", "IPAGothic", false},
    {"ＭＳ 明朝", "IPAMincho", true},
    {"MS Mincho", "IPAMincho", false},
    {"ＭＳ Ｐ明朝", "IPAPMincho", true},
    {"MS PMincho", "IPAPMincho", false},
    // The Western user-interface faces of a Japanese desktop draw their
    // Japanese text with the proportional Gothic; fixed faces with the
    // fixed one.
    {"MS Sans Serif", "IPAPGothic", false},
    {"MS Shell Dlg", "IPAPGothic", false},
    {"MS Shell Dlg 2", "IPAPGothic", false},
    {"Microsoft Sans Serif", "IPAPGothic", false},
    {"System", "IPAPGothic", false},
    {"Tahoma", "IPAPGothic", false},
    {"Arial", "IPAPGothic", false},
    {"Segoe UI", "IPAPGothic", false},
    {"Courier", "IPAGothic", false},
    {"Courier New", "IPAGothic", false},
    {"Fixedsys", "IPAGothic", false},
    {"Terminal", "IPAGothic", false},
    {"Times New Roman", "IPAPMincho", false},
};

// The Windows name under which a stand-in family is reported when a face
// that does not exist was asked for.
const char* WindowsNameOf(std::string_view family) {
    for (const Alias& a : kAliases) {
        if (a.enumerated && family == a.family) return a.windowsName;
    }
    return nullptr;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

const Alias* FindAlias(std::string_view name) {
    for (const Alias& a : kAliases) {
        if (EqualNoCase(name, a.windowsName)) return &a;
    }
    return nullptr;
}

bool IsStandIn(std::string_view family) { return WindowsNameOf(family) != nullptr; }

}  // namespace

FaceCatalog& FaceCatalog::Instance() {
    // Never destroyed: realised fonts hold FreeType sizes of its faces until
    // the very end of the process.
    static FaceCatalog* catalog = new FaceCatalog;
    return *catalog;
}

FaceCatalog::FaceCatalog() {
    FcInit();
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

FaceCatalog::~FaceCatalog() {
    for (auto& e : entries_) {
        if (e->face) FT_Done_Face(e->face);
    }
    if (library_) FT_Done_FreeType(library_);
}

FaceEntry* FaceCatalog::EntryForFile(const std::string& file, int index, const std::string& family) {
    for (auto& e : entries_) {
        if (e->file == file && e->index == index) return e.get();
    }
    auto entry = std::make_unique<FaceEntry>();
    entry->family = family;
    entry->file = file;
    entry->index = index;
    entry->standsInForWindowsFont = IsStandIn(family);
    if (!Open(*entry)) return nullptr;
    entries_.push_back(std::move(entry));
    return entries_.back().get();
}

// Asks fontconfig for a scalable face of the family; returns nullptr unless
// the family is installed under that name (fontconfig would otherwise hand
// back its nearest substitute). An empty family asks for the default
// Japanese sans-serif face and accepts whatever fontconfig offers.
FaceEntry* FaceCatalog::EntryForFamily(std::string_view family) {
    for (auto& e : entries_) {
        if (!family.empty() && EqualNoCase(e->family, family)) return e.get();
    }
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return nullptr;
    std::string name(family.empty() ? "sans-serif" : family);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    if (family.empty()) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return nullptr;
    FaceEntry* found = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        std::string matchedFamily;
        bool exact = family.empty();
        FcChar8* fam = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; ++i) {
            std::string_view f(reinterpret_cast<const char*>(fam));
            if (i == 0) matchedFamily = f;
            if (!family.empty() && EqualNoCase(f, family)) {
                exact = true;
                matchedFamily = f;
            }
        }
        if (exact) found = EntryForFile(reinterpret_cast<const char*>(file), index, matchedFamily);
    }
    FcPatternDestroy(match);
    return found;
}

bool FaceCatalog::Open(FaceEntry& e) {
    if (!library_) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library_, e.file.c_str(), e.index, &face) != 0 || !face) return false;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return false;
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    e.face = face;
    e.unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    const int em = e.unitsPerEm;
    if (os2 && os2->version != 0xFFFF && (os2->usWinAscent + os2->usWinDescent) > 0) {
        e.ascent = os2->usWinAscent;
        e.descent = os2->usWinDescent;
    } else {
        e.ascent = face->ascender;
        e.descent = -face->descender;
    }
    if (hhea) {
        int hheaHeight = hhea->Ascender - hhea->Descender;
        e.externalLeading = std::max(0, hhea->Line_Gap - ((e.ascent + e.descent) - hheaHeight));
        e.maxCharWidth = hhea->advance_Width_Max;
    } else {
        e.maxCharWidth = face->max_advance_width;
    }
    if (e.standsInForWindowsFont) {
        e.ascent = em * 220 / 256;
        e.descent = em - e.ascent;
        e.externalLeading = 0;
    }
    e.avgCharWidth = (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0) ? os2->xAvgCharWidth : em / 2;
    e.underlinePosition = post ? -post->underlinePosition : em / 10;
    e.underlineThickness = post && post->underlineThickness > 0 ? post->underlineThickness : em / 20;
    if (os2 && os2->version != 0xFFFF) {
        e.strikeoutPosition = os2->yStrikeoutPosition;
        e.strikeoutThickness = os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : e.underlineThickness;
        e.weight = os2->usWeightClass > 0 ? os2->usWeightClass : 400;
        e.japanese = (os2->ulCodePageRange1 & (1u << 17)) != 0;
    } else {
        e.strikeoutPosition = em / 4;
        e.strikeoutThickness = e.underlineThickness;
    }
    const unsigned char* panose = os2 && os2->version != 0xFFFF ? os2->panose : nullptr;
    e.fixedPitch = (post && post->isFixedPitch) || (panose && panose[3] == 9) || FT_IS_FIXED_WIDTH(face);
    BYTE fam = FF_SWISS;
    if (e.fixedPitch) {
        fam = FF_MODERN;
    } else if (panose && panose[0] == 2) {
        fam = (panose[1] >= 2 && panose[1] <= 10) ? FF_ROMAN : FF_SWISS;
    } else if (panose && panose[0] == 3) {
        fam = FF_SCRIPT;
    } else if (panose && (panose[0] == 4 || panose[0] == 5)) {
        fam = FF_DECORATIVE;
    }
    e.pitchFamily = fam;
    return true;
}

ResolvedFace FaceCatalog::Resolve(std::string_view requested, BYTE charSet, BYTE pitchAndFamily) {
    // Trailing blanks of a face name do not count, as on Windows.
    while (!requested.empty() && requested.back() == ' ') requested.remove_suffix(1);
    if (const Alias* alias = requested.empty() ? nullptr : FindAlias(requested)) {
        if (FaceEntry* e = EntryForFamily(alias->family)) return {e, alias->windowsName};
    } else if (!requested.empty()) {
        if (FaceEntry* e = EntryForFamily(requested)) return {e, e->family};
    }
    // Not installed: choose by character set, then pitch and family.
    const char* family = "IPAPGothic";
    const BYTE pitch = pitchAndFamily & 0x0F;
    const BYTE fam = pitchAndFamily & 0xF0;
    if (charSet == SHIFTJIS_CHARSET && !requested.empty()) {
        family = "IPAGothic";
    } else if (pitch == FIXED_PITCH || fam == FF_MODERN) {
        family = "IPAGothic";
    } else if (fam == FF_ROMAN) {
        family = "IPAPMincho";
    }
    FaceEntry* e = EntryForFamily(family);
    if (!e) e = EntryForFamily("");
    if (!e) return {};
    const char* windowsName = WindowsNameOf(e->family);
    return {e, windowsName ? windowsName : e->family};
}

const std::vector<EnumeratedFace>& FaceCatalog::Enumerate() {
    if (enumeratedBuilt_) return enumerated_;
    enumeratedBuilt_ = true;
    // The stand-ins first, under their Windows names.
    for (const Alias& a : kAliases) {
        if (!a.enumerated) continue;
        if (FaceEntry* e = EntryForFamily(a.family)) {
            enumerated_.push_back({a.windowsName, e, {SHIFTJIS_CHARSET, ANSI_CHARSET}});
        }
    }
    // Then every other installed scalable family once.
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_STYLE, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    std::vector<std::string> seen;
    if (set) {
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* fam = nullptr;
            FcChar8* file = nullptr;
            int index = 0;
            if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &fam) != FcResultMatch) continue;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
            FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
            std::string family(reinterpret_cast<const char*>(fam));
            if (IsStandIn(family)) continue;
            if (std::find(seen.begin(), seen.end(), family) != seen.end()) continue;
            seen.push_back(family);
        }
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    std::sort(seen.begin(), seen.end());
    for (const std::string& family : seen) {
        if (FaceEntry* e = EntryForFamily(family)) {
            std::vector<BYTE> sets{ANSI_CHARSET};
            if (e->japanese) sets.insert(sets.begin(), SHIFTJIS_CHARSET);
            enumerated_.push_back({family, e, sets});
        }
    }
    return enumerated_;
}

}  // namespace win32::gdi

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MEMOPAD_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(MEMOPAD_ADDRESS_SANITIZER)
// Fontconfig loses a few bytes while it parses its configuration files; the
// leak checker is told so, since nothing here can free them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
