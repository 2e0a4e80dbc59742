// The catalogue of font faces: fontconfig finds the installed faces, FreeType
// opens them, and the Windows face names the program asks for are mapped to
// the faces that stand in for them ("ＭＳ Ｐゴシック" to IPAPGothic, ...).
//
// A face entry carries the numbers GDI derives its text metrics from, in
// font units. The faces that stand in for the Japanese Windows fonts report
// those fonts' vertical proportions (ascent 220/256, descent 36/256 of the
// em), so a -12 "ＭＳ Ｐゴシック" is twelve pixels high as on Windows.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace win32::gdi {

struct FaceEntry {
    std::string family;       // family name as installed ("IPAPGothic")
    std::string file;         // font file
    int index = 0;            // face index inside the file
    FT_FaceRec_* face = nullptr;  // opened on first use, kept open

    // Metrics in font units, filled when the face is opened.
    int unitsPerEm = 2048;
    int ascent = 0;            // GDI's ascent (above the baseline)
    int descent = 0;           // GDI's descent (below the baseline)
    int externalLeading = 0;
    int avgCharWidth = 0;
    int maxCharWidth = 0;
    int underlinePosition = 0;   // below the baseline, positive downwards
    int underlineThickness = 0;
    int strikeoutPosition = 0;   // above the baseline
    int strikeoutThickness = 0;
    int weight = 400;
    bool fixedPitch = false;
    BYTE pitchFamily = 0;  // FF_ROMAN, FF_SWISS, FF_MODERN, ... (high nibble)
    bool japanese = false;     // covers the Shift-JIS repertoire
    bool standsInForWindowsFont = false;
};

// What a requested face name and character set resolve to.
struct ResolvedFace {
    FaceEntry* entry = nullptr;
    std::string faceName;  // the name GetTextFaceA reports
};

// One name that font enumeration reports.
struct EnumeratedFace {
    std::string name;
    FaceEntry* entry = nullptr;
    std::vector<BYTE> charSets;
};

class FaceCatalog {
public:
    static FaceCatalog& Instance();

    FaceCatalog(const FaceCatalog&) = delete;
    FaceCatalog& operator=(const FaceCatalog&) = delete;
    ~FaceCatalog();

    // Maps a LOGFONTA's face name, character set and pitch and family to a
    // face. Never fails while any scalable face is installed; returns an
    // entry without a face only on a machine without fonts.
    ResolvedFace Resolve(std::string_view requested, BYTE charSet, BYTE pitchAndFamily);

    // The faces to enumerate, under their Windows names where they stand in
    // for a Windows font.
    const std::vector<EnumeratedFace>& Enumerate();

    FT_LibraryRec_* Library() const { return library_; }

private:
    FaceCatalog();
    FaceEntry* EntryForFamily(std::string_view family);
    FaceEntry* EntryForFile(const std::string& file, int index, const std::string& family);
    bool Open(FaceEntry& entry);

    FT_LibraryRec_* library_ = nullptr;
    std::vector<std::unique_ptr<FaceEntry>> entries_;
    std::vector<EnumeratedFace> enumerated_;
    bool enumeratedBuilt_ = false;
};

}  // namespace win32::gdi
