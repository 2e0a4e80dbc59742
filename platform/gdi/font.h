// A font realised at a device size: the LOGFONTA of an HFONT, mapped to a
// face and scaled to device pixels, with its text metrics, cached glyph
// advances and cached grey-scale glyph images.
//
// Realised fonts are shared: `RealizeFont` returns the same object for the
// same LOGFONTA while it is cached. Callers keep the shared pointer only as
// long as they use it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/gdi/wingdi.h"

struct FT_SizeRec_;

namespace win32::gdi {

struct FaceEntry;

// A rendered glyph: an 8-bit coverage image placed relative to the pen
// position on the baseline (left is added to x, top is subtracted from y).
struct GlyphImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;  // width * height, rows top-down
};

class Font {
public:
    Font(const LOGFONTA& lf, FaceEntry* face, std::string faceName);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const LOGFONTA& LogFont() const { return logFont_; }
    const TEXTMETRICA& Metrics() const { return metrics_; }
    // The face name GetTextFaceA reports.
    const std::string& FaceName() const { return faceName_; }
    // Em height (and width, which lfWidth may change) in device pixels.
    int PixelsPerEm() const { return ppemY_; }
    int PixelsPerEmX() const { return ppemX_; }
    // The face the font was mapped to (its file, for renderers of their own
    // such as the PDF printer), and the simulations applied to it.
    const FaceEntry* Face() const { return face_; }
    int SyntheticBoldPixels() const { return boldExtra_; }
    bool Oblique() const { return oblique_; }

    // Advance of one character in device pixels (synthetic bold included).
    int Advance(char32_t c) {
        if (c < 0x10000) {
            const Page* page = pages_[c >> 8].get();
            if (page) {
                int a = page->advance[c & 0xFF];
                if (a >= 0) return a;
            }
        }
        return SlowAdvance(c);
    }

    // The glyph of a character (the face's missing-glyph box when it has
    // none); nullptr when nothing can be rendered.
    const GlyphImage* Glyph(char32_t c);

    // Line decorations, in device pixels relative to the baseline.
    int UnderlineOffset() const { return underlineOffset_; }  // below, downwards
    int UnderlineThickness() const { return underlineThickness_; }
    int StrikeoutOffset() const { return strikeoutOffset_; }  // above, upwards
    int StrikeoutThickness() const { return strikeoutThickness_; }

private:
    struct Page {
        std::array<std::int16_t, 256> advance;
        std::array<std::uint32_t, 256> glyph;
    };
    std::uint32_t GlyphIndex(char32_t c);
    int SlowAdvance(char32_t c);
    bool Activate();
    void ComputeMetrics();

    LOGFONTA logFont_;
    FaceEntry* face_;
    FT_SizeRec_* size_ = nullptr;
    std::string faceName_;
    TEXTMETRICA metrics_{};
    int ppemY_ = 12;
    int ppemX_ = 12;
    int boldExtra_ = 0;  // pixels added to every advance by synthetic bold
    bool oblique_ = false;
    int underlineOffset_ = 1;
    int underlineThickness_ = 1;
    int strikeoutOffset_ = 3;
    int strikeoutThickness_ = 1;
    std::array<std::unique_ptr<Page>, 256> pages_;
    std::unordered_map<char32_t, int> farAdvances_;
    std::unordered_map<std::uint32_t, GlyphImage> glyphs_;
    std::size_t glyphBytes_ = 0;
};

// Realises a LOGFONTA at device size (its height already in device pixels).
// Never returns null: a font that cannot be found falls back to the default
// face, as Win32 does.
std::shared_ptr<Font> RealizeFont(const LOGFONTA& lf);

// The LOGFONTA scaled by a device mapping (height by sy, width by sx),
// rounded as GDI rounds.
LOGFONTA ScaleLogFont(const LOGFONTA& lf, double sx, double sy);

// The LOGFONTA of the default GUI font of this desktop ("MS UI Gothic",
// height -12, Shift-JIS), and of the other stock fonts by stock index.
LOGFONTA StockLogFont(int stockIndex);

}  // namespace win32::gdi
