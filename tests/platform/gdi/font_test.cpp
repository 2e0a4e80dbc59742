#include "platform/gdi/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/gdi/font_face.h"

namespace win32::gdi {
namespace {

LOGFONTA Make(const char* face, LONG height, BYTE charSet = SHIFTJIS_CHARSET, LONG weight = FW_NORMAL) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = charSet;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

TEST(FontFaces, WindowsNamesMapToTheirStandIns) {
    FaceCatalog& catalog = FaceCatalog::Instance();
    struct Case {
        const char* requested;
        BYTE charSet;
        const char* family;
        const char* reported;
    } cases[] = {
        {"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, "IPAPGothic", "ＭＳ Ｐゴシック"},
        {"MS PGothic", SHIFTJIS_CHARSET, "IPAPGothic", "MS PGothic"},
        {"MS UI Gothic", SHIFTJIS_CHARSET, "IPAPGothic", "MS UI Gothic"},
        {"ＭＳ ゴシック", SHIFTJIS_CHARSET, "IPAGothic", "ＭＳ ゴシック"},
        {"ms gothic", ANSI_CHARSET, "IPAGothic", "MS Gothic"},
        {"ＭＳ 明朝", SHIFTJIS_CHARSET, "IPAMincho", "ＭＳ 明朝"},
        {"ＭＳ Ｐ明朝", SHIFTJIS_CHARSET, "IPAPMincho", "ＭＳ Ｐ明朝"},
        {"MS Sans Serif", ANSI_CHARSET, "IPAPGothic", "MS Sans Serif"},
        {"No Such Face", SHIFTJIS_CHARSET, "IPAGothic", "ＭＳ ゴシック"},
        {"No Such Face", ANSI_CHARSET, "IPAPGothic", "ＭＳ Ｐゴシック"},
        {"", DEFAULT_CHARSET, "IPAPGothic", "ＭＳ Ｐゴシック"},
    };
    for (const Case& c : cases) {
        ResolvedFace r = catalog.Resolve(c.requested, c.charSet, 0);
        ASSERT_NE(r.entry, nullptr) << c.requested;
        EXPECT_EQ(r.entry->family, c.family) << c.requested;
        EXPECT_EQ(r.faceName, c.reported) << c.requested;
    }
}

TEST(FontFaces, EnumerationListsStandInsUnderWindowsNames) {
    const auto& faces = FaceCatalog::Instance().Enumerate();
    auto has = [&](const char* name) {
        return std::any_of(faces.begin(), faces.end(), [&](const EnumeratedFace& f) { return f.name == name; });
    };
    EXPECT_TRUE(has("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(has("ＭＳ ゴシック"));
    EXPECT_TRUE(has("ＭＳ 明朝"));
    EXPECT_TRUE(has("MS UI Gothic"));
    EXPECT_FALSE(has("IPAPGothic"));
}

TEST(Fonts, JapaneseFaceMetricsAtTwelvePixels) {
    auto font = RealizeFont(Make("ＭＳ Ｐゴシック", -12));
    const TEXTMETRICA& tm = font->Metrics();
    EXPECT_EQ(tm.tmHeight, 12);
    EXPECT_EQ(tm.tmAscent, 10);
    EXPECT_EQ(tm.tmDescent, 2);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmExternalLeading, 0);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_SWISS);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // set means variable pitch
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_EQ(font->Advance(U'あ') > 6, true);

    auto fixed = RealizeFont(Make("ＭＳ ゴシック", -12));
    EXPECT_EQ(fixed->Advance(U'漢'), 12);
    EXPECT_EQ(fixed->Advance(U'a'), 6);
    EXPECT_EQ(fixed->Metrics().tmPitchAndFamily & (0xF0 | TMPF_FIXED_PITCH), FF_MODERN);
}

TEST(Fonts, PositiveHeightIsTheCellHeight) {
    auto cell = RealizeFont(Make("ＭＳ ゴシック", 16));
    EXPECT_EQ(cell->Metrics().tmHeight, 16);
    EXPECT_EQ(cell->PixelsPerEm(), 16);
    auto em = RealizeFont(Make("DejaVu Sans", -20, ANSI_CHARSET));
    // A face with internal leading: the cell is taller than the em.
    EXPECT_GT(em->Metrics().tmHeight, 20);
    EXPECT_EQ(em->Metrics().tmInternalLeading, em->Metrics().tmHeight - 20);
    auto cell2 = RealizeFont(Make("DejaVu Sans", em->Metrics().tmHeight, ANSI_CHARSET));
    EXPECT_EQ(cell2->Metrics().tmHeight, em->Metrics().tmHeight);
}

TEST(Fonts, SyntheticBoldWidensAndWidthScales) {
    auto normal = RealizeFont(Make("ＭＳ ゴシック", -12));
    auto bold = RealizeFont(Make("ＭＳ ゴシック", -12, SHIFTJIS_CHARSET, FW_BOLD));
    EXPECT_EQ(bold->Advance(U'a'), normal->Advance(U'a') + 1);
    EXPECT_EQ(bold->Metrics().tmWeight, FW_BOLD);
    LOGFONTA wide = Make("ＭＳ ゴシック", -12);
    wide.lfWidth = 12;
    auto w = RealizeFont(wide);
    EXPECT_EQ(w->Metrics().tmAveCharWidth, 12);
    EXPECT_EQ(w->Advance(U'a'), 12);
}

TEST(Fonts, GlyphsHaveInkAndBlanksNone) {
    auto font = RealizeFont(Make("ＭＳ Ｐゴシック", -12));
    const GlyphImage* g = font->Glyph(U'漢');
    ASSERT_NE(g, nullptr);
    EXPECT_GT(g->width, 4);
    EXPECT_LE(g->top, 11);
    int ink = 0;
    for (auto v : g->coverage) ink += v > 128;
    EXPECT_GT(ink, 10);
    // A character the face lacks still measures and renders (its box).
    EXPECT_GT(font->Advance(0x10FFFD), 0);
    EXPECT_NE(font->Glyph(0x10FFFD), nullptr);
}

TEST(Fonts, HugeAndZeroHeightsStayUsable) {
    auto huge = RealizeFont(Make("ＭＳ ゴシック", -2000000000));
    EXPECT_LE(huge->PixelsPerEm(), 2048);
    auto zero = RealizeFont(Make("ＭＳ ゴシック", 0));
    EXPECT_GT(zero->Metrics().tmHeight, 0);
    LOGFONTA lf = Make("ＭＳ ゴシック", -12);
    EXPECT_EQ(ScaleLogFont(lf, 6.25, 6.25).lfHeight, -75);
    EXPECT_EQ(ScaleLogFont(lf, 0.01, 0.01).lfHeight, -1);
}

}  // namespace
}  // namespace win32::gdi
