#include "platform/gdi/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_SIZES_H

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/font_face.h"

namespace win32::gdi {
namespace {

// Em sizes beyond this are drawn at this size; larger text is not useful on
// any device we have and its glyph images would be enormous.
constexpr int kMaxPixelsPerEm = 2048;
// Glyph images kept per font before its cache starts over, and fonts kept
// realised: together they bound the memory text can take.
constexpr std::size_t kMaxGlyphBytes = 4u << 20;
constexpr std::size_t kMaxCachedFonts = 32;

int RoundDiv(long long num, long long den) {
    if (den <= 0) return 0;
    if (num >= 0) return static_cast<int>((num + den / 2) / den);
    return -static_cast<int>((-num + den / 2) / den);
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

Font::Font(const LOGFONTA& lf, FaceEntry* face, std::string faceName)
    : logFont_(lf), face_(face), faceName_(std::move(faceName)) {
    if (face_ && face_->face && FT_New_Size(face_->face, &size_) != 0) size_ = nullptr;
    ComputeMetrics();
}

Font::~Font() {
    if (size_) FT_Done_Size(size_);
}

bool Font::Activate() {
    if (!size_) return false;
    return FT_Activate_Size(size_) == 0;
}

void Font::ComputeMetrics() {
    const int em = face_ ? face_->unitsPerEm : 2048;
    const int ascentUnits = face_ ? face_->ascent : em * 220 / 256;
    const int descentUnits = face_ ? face_->descent : em - ascentUnits;
    const int cellUnits = std::max(1, ascentUnits + descentUnits);
    const long long height = logFont_.lfHeight;

    TEXTMETRICA& tm = metrics_;
    if (height > 0) {
        long long cell = std::min<long long>(height, kMaxPixelsPerEm);
        ppemY_ = Clamp(RoundDiv(cell * em, cellUnits), 1, kMaxPixelsPerEm);
        tm.tmAscent = RoundDiv(cell * ascentUnits, cellUnits);
        tm.tmDescent = static_cast<LONG>(cell) - tm.tmAscent;
    } else {
        long long ppem = height < 0 ? -height : 12;
        ppemY_ = static_cast<int>(std::min<long long>(std::max<long long>(ppem, 1), kMaxPixelsPerEm));
        tm.tmAscent = RoundDiv(static_cast<long long>(ascentUnits) * ppemY_, em);
        tm.tmDescent = RoundDiv(static_cast<long long>(descentUnits) * ppemY_, em);
    }
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0, static_cast<int>(tm.tmHeight) - ppemY_);
    tm.tmExternalLeading = face_ ? RoundDiv(static_cast<long long>(face_->externalLeading) * ppemY_, em) : 0;

    const int avgUnits = face_ && face_->avgCharWidth > 0 ? face_->avgCharWidth : em / 2;
    ppemX_ = ppemY_;
    if (logFont_.lfWidth != 0) {
        long long w = std::llabs(static_cast<long long>(logFont_.lfWidth));
        ppemX_ = Clamp(RoundDiv(std::min<long long>(w, kMaxPixelsPerEm) * em, avgUnits), 1, kMaxPixelsPerEm);
    }

    const int requestedWeight = logFont_.lfWeight == FW_DONTCARE ? FW_NORMAL : logFont_.lfWeight;
    const int faceWeight = face_ ? face_->weight : FW_NORMAL;
    boldExtra_ = (requestedWeight >= FW_SEMIBOLD && faceWeight < FW_SEMIBOLD) ? std::max(1, (ppemY_ + 12) / 24) : 0;
    oblique_ = logFont_.lfItalic != 0;

    tm.tmAveCharWidth = RoundDiv(static_cast<long long>(avgUnits) * ppemX_, em) + boldExtra_;
    tm.tmMaxCharWidth =
        RoundDiv(static_cast<long long>(face_ ? face_->maxCharWidth : em) * ppemX_, em) + boldExtra_;
    tm.tmWeight = requestedWeight;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = logFont_.lfItalic ? 255 : 0;
    tm.tmUnderlined = logFont_.lfUnderline ? 255 : 0;
    tm.tmStruckOut = logFont_.lfStrikeOut ? 255 : 0;
    const bool fixed = face_ && face_->fixedPitch;
    tm.tmPitchAndFamily = static_cast<BYTE>((face_ ? face_->pitchFamily : FF_SWISS) | TMPF_TRUETYPE | TMPF_VECTOR |
                                            (fixed ? 0 : TMPF_FIXED_PITCH));
    const bool japanese = face_ && face_->japanese;
    tm.tmCharSet = japanese ? (logFont_.lfCharSet == ANSI_CHARSET ? ANSI_CHARSET : SHIFTJIS_CHARSET) : ANSI_CHARSET;

    if (face_) {
        underlineThickness_ = std::max(1, RoundDiv(static_cast<long long>(face_->underlineThickness) * ppemY_, em));
        underlineOffset_ = std::max(1, RoundDiv(static_cast<long long>(face_->underlinePosition) * ppemY_, em));
        strikeoutThickness_ = std::max(1, RoundDiv(static_cast<long long>(face_->strikeoutThickness) * ppemY_, em));
        strikeoutOffset_ = std::max(1, RoundDiv(static_cast<long long>(face_->strikeoutPosition) * ppemY_, em));
    }
    // Keep the underline inside the character cell.
    underlineOffset_ = std::min(underlineOffset_, std::max(0, static_cast<int>(tm.tmDescent) - underlineThickness_));

    if (Activate()) FT_Set_Char_Size(face_->face, ppemX_ * 64, ppemY_ * 64, 72, 72);
}

std::uint32_t Font::GlyphIndex(char32_t c) {
    if (!face_ || !face_->face) return 0;
    return FT_Get_Char_Index(face_->face, c);
}

int Font::SlowAdvance(char32_t c) {
    if (c >= 0x10000) {
        auto it = farAdvances_.find(c);
        if (it != farAdvances_.end()) return it->second;
    }
    int advance = ppemX_ / 2;
    std::uint32_t glyph = GlyphIndex(c);
    if (Activate()) {
        FT_Fixed adv = 0;
        if (FT_Get_Advance(face_->face, glyph, FT_LOAD_NO_HINTING, &adv) == 0) {
            advance = static_cast<int>((adv + 0x8000) >> 16);
        }
    }
    advance += boldExtra_;
    advance = Clamp(advance, 0, 32767);
    if (c < 0x10000) {
        std::unique_ptr<Page>& page = pages_[c >> 8];
        if (!page) {
            page = std::make_unique<Page>();
            page->advance.fill(-1);
            page->glyph.fill(0);
        }
        page->advance[c & 0xFF] = static_cast<std::int16_t>(advance);
        page->glyph[c & 0xFF] = glyph;
    } else {
        farAdvances_[c] = advance;
    }
    return advance;
}

const GlyphImage* Font::Glyph(char32_t c) {
    std::uint32_t glyph;
    if (c < 0x10000) {
        Advance(c);  // fills the page with the glyph index
        glyph = pages_[c >> 8]->glyph[c & 0xFF];
    } else {
        glyph = GlyphIndex(c);
    }
    auto it = glyphs_.find(glyph);
    if (it != glyphs_.end()) return &it->second;
    if (!Activate()) return nullptr;
    FT_Face face = face_->face;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) return nullptr;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (boldExtra_ > 0) FT_Outline_EmboldenXY(&slot->outline, boldExtra_ * 64, 0);
        if (oblique_) {
            // A shear of about twelve degrees, leaning right.
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return nullptr;
    const FT_Bitmap& bm = slot->bitmap;
    GlyphImage image;
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.width = static_cast<int>(bm.width);
    image.height = static_cast<int>(bm.rows);
    image.coverage.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* src = bm.pitch >= 0 ? bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch
                                                 : bm.buffer + static_cast<std::ptrdiff_t>(image.height - 1 - y) * -bm.pitch;
        std::memcpy(image.coverage.data() + static_cast<std::size_t>(y) * image.width, src,
                    static_cast<std::size_t>(image.width));
    }
    if (glyphBytes_ + image.coverage.size() > kMaxGlyphBytes) {
        glyphs_.clear();
        glyphBytes_ = 0;
    }
    glyphBytes_ += image.coverage.size();
    return &glyphs_.emplace(glyph, std::move(image)).first->second;
}

namespace {

std::string FontKey(const LOGFONTA& lf) {
    LOGFONTA n = lf;
    n.lfFaceName[LF_FACESIZE - 1] = '\0';
    std::size_t len = std::strlen(n.lfFaceName);
    std::memset(n.lfFaceName + len, 0, LF_FACESIZE - len);
    // Escapement and orientation do not change the rendering.
    n.lfEscapement = n.lfOrientation = 0;
    n.lfOutPrecision = n.lfClipPrecision = n.lfQuality = 0;
    return std::string(reinterpret_cast<const char*>(&n), sizeof n);
}

struct FontCache {
    struct Entry {
        std::shared_ptr<Font> font;
        unsigned long long lastUse = 0;
    };
    std::unordered_map<std::string, Entry> fonts;
    unsigned long long clock = 0;
    std::string lastKey;
    std::shared_ptr<Font> last;
};

FontCache& Cache() {
    // Never destroyed, like the face catalogue its fonts depend on.
    static FontCache* cache = new FontCache;
    return *cache;
}

}  // namespace

std::shared_ptr<Font> RealizeFont(const LOGFONTA& lf) {
    FontCache& cache = Cache();
    std::string key = FontKey(lf);
    if (cache.last && key == cache.lastKey) return cache.last;
    auto it = cache.fonts.find(key);
    if (it == cache.fonts.end()) {
        if (cache.fonts.size() >= kMaxCachedFonts) {
            auto oldest = cache.fonts.begin();
            for (auto i = cache.fonts.begin(); i != cache.fonts.end(); ++i) {
                if (i->second.lastUse < oldest->second.lastUse) oldest = i;
            }
            cache.fonts.erase(oldest);
        }
        LOGFONTA copy = lf;
        copy.lfFaceName[LF_FACESIZE - 1] = '\0';
        ResolvedFace resolved = FaceCatalog::Instance().Resolve(copy.lfFaceName, copy.lfCharSet, copy.lfPitchAndFamily);
        auto font = std::make_shared<Font>(copy, resolved.entry, resolved.faceName);
        it = cache.fonts.emplace(key, FontCache::Entry{std::move(font), 0}).first;
    }
    it->second.lastUse = ++cache.clock;
    cache.lastKey = std::move(key);
    cache.last = it->second.font;
    return cache.last;
}

LOGFONTA ScaleLogFont(const LOGFONTA& lf, double sx, double sy) {
    LOGFONTA out = lf;
    const auto scale = [](LONG v, double s) {
        double r = std::nearbyint(static_cast<double>(v) * std::fabs(s));
        if (r > 1e6) r = 1e6;
        if (r < -1e6) r = -1e6;
        LONG n = static_cast<LONG>(r);
        // A font never shrinks to nothing: height 0 would mean the default size.
        if (n == 0 && v != 0) n = v < 0 ? -1 : 1;
        return n;
    };
    out.lfHeight = lf.lfHeight == 0 ? scale(-12, sy) : scale(lf.lfHeight, sy);
    out.lfWidth = scale(lf.lfWidth, sx);
    return out;
}

LOGFONTA StockLogFont(int stockIndex) {
    LOGFONTA lf{};
    const auto set = [&lf](LONG height, LONG weight, BYTE charSet, BYTE pitch, const char* face) {
        lf.lfHeight = height;
        lf.lfWeight = weight;
        lf.lfCharSet = charSet;
        lf.lfPitchAndFamily = pitch;
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    };
    switch (stockIndex) {
    case 10:  // OEM_FIXED_FONT
        set(12, FW_NORMAL, OEM_CHARSET, FIXED_PITCH | FF_MODERN, "Terminal");
        break;
    case 11:  // ANSI_FIXED_FONT
        set(12, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN, "Courier");
        break;
    case 12:  // ANSI_VAR_FONT
        set(12, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
        break;
    case 16:  // SYSTEM_FIXED_FONT
        set(16, FW_NORMAL, SHIFTJIS_CHARSET, FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック");
        break;
    case 13:  // SYSTEM_FONT
    case 14:  // DEVICE_DEFAULT_FONT
        set(16, FW_NORMAL, SHIFTJIS_CHARSET, VARIABLE_PITCH | FF_SWISS, "System");
        break;
    case 17:  // DEFAULT_GUI_FONT
    default:
        set(-12, FW_NORMAL, SHIFTJIS_CHARSET, VARIABLE_PITCH | FF_SWISS, "MS UI Gothic");
        break;
    }
    return lf;
}

}  // namespace win32::gdi
