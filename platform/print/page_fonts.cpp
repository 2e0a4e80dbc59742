#include "platform/print/page_fonts.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/gdi/font_face.h"

namespace win32::print {
namespace {

// The shear of the font engine's oblique simulation (0x0366A / 0x10000).
constexpr double kObliqueShear = 0x0366A / 65536.0;

using FaceKey = std::tuple<std::string, int, bool>;

std::map<FaceKey, cairo_font_face_t*>& Faces() {
    static auto* faces = new std::map<FaceKey, cairo_font_face_t*>;
    return *faces;
}

}  // namespace

cairo_font_face_t* PageFontFace(const gdi::Font& font) {
    const gdi::FaceEntry* entry = font.Face();
    if (!entry || entry->file.empty()) return nullptr;
    const bool bold = font.SyntheticBoldPixels() > 0;
    const FaceKey key{entry->file, entry->index, bold};
    auto& faces = Faces();
    if (auto it = faces.find(key); it != faces.end()) return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(entry->file.c_str()));
    FcPatternAddInteger(pattern, FC_INDEX, entry->index);
    // Glyphs are placed where the font engine placed them; hinting would
    // only move their outlines.
    FcPatternAddBool(pattern, FC_HINTING, FcFalse);
    // Part of the pattern, not a setting of the face: cairo shares one face
    // among equal patterns, so the regular face must not turn bold.
    FcPatternAddBool(pattern, FC_EMBOLDEN, bold ? FcTrue : FcFalse);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        return nullptr;
    }
    faces.emplace(key, face);
    return face;
}

cairo_matrix_t PageFontMatrix(const gdi::Font& font) {
    cairo_matrix_t m;
    const double sx = font.PixelsPerEmX(), sy = font.PixelsPerEm();
    cairo_matrix_init(&m, sx, 0, font.Oblique() ? -kObliqueShear * sy : 0, sy, 0, 0);
    return m;
}

}  // namespace win32::print
