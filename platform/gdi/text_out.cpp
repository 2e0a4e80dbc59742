#include "platform/gdi/text_out.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/font_face.h"
#include "platform/gdi/font_object.h"
#include "platform/gdi/text_utf8.h"

namespace win32::gdi {

void MeasureRun(Font& font, std::string_view text, const INT* dx, int charExtra, MeasuredRun& out) {
    out.chars.clear();
    out.advances.clear();
    out.width = 0;
    for (std::size_t i = 0; i < text.size();) {
        DecodedChar d = DecodeUtf8At(text, i);
        int adv = 0;
        if (dx) {
            for (std::size_t k = 0; k < d.length; ++k) adv += dx[i + k];
        } else {
            adv = font.Advance(d.code) + charExtra;
        }
        out.chars.push_back(d.code);
        out.advances.push_back(adv);
        out.width += adv;
        i += d.length;
    }
}

void PlaceText(DeviceContext& dc, int x, int y, std::string_view text, const INT* dx, PlacedText& out) {
    const DcState& s = dc.State();
    std::shared_ptr<Font> logical = LogicalFont(dc);
    out.deviceFont = DeviceFont(dc);
    MeasureRun(*logical, text, dx, s.textCharacterExtra, out.measured);
    const UINT align = s.textAlign;
    const bool updateCp = (align & TA_UPDATECP) != 0;
    if (updateCp) {
        x = s.currentPos.x;
        y = s.currentPos.y;
    }
    const int width = out.measured.width;
    int left = x;
    switch (align & TA_CENTER) {
    case TA_RIGHT: left = x - width; break;
    case TA_CENTER: left = x - width / 2; break;
    default: break;
    }
    if (updateCp) {
        if ((align & TA_CENTER) == TA_LEFT) dc.MoveTo(POINT{x + width, y});
        if ((align & TA_CENTER) == TA_RIGHT) dc.MoveTo(POINT{left, y});
    }
    // The baseline is found in logical units and then mapped, so that text
    // drawn through a scaled mapping lands where a scaled replay of the same
    // text at logical size puts it.
    const TEXTMETRICA& ltm = logical->Metrics();
    int logicalBaseline = y;
    switch (align & TA_BASELINE) {
    case TA_BASELINE: break;
    case TA_BOTTOM: logicalBaseline = y - ltm.tmDescent; break;
    default: logicalBaseline = y + ltm.tmAscent; break;
    }
    const TEXTMETRICA& tm = out.deviceFont->Metrics();
    const POINT origin = dc.ToDevice(POINT{left, logicalBaseline});
    const int baseline = origin.y;
    out.logicalOrigin = POINT{left, logicalBaseline};
    PlacedRun& run = out.run;
    run.chars = out.measured.chars;
    run.penX.resize(run.chars.size());
    run.baselineY = baseline;
    int pen = left;
    for (std::size_t i = 0; i < run.chars.size(); ++i) {
        run.penX[i] = dc.ToDevice(POINT{pen, y}).x;
        pen += out.measured.advances[i];
    }
    run.startX = origin.x;
    run.endX = dc.ToDevice(POINT{pen, y}).x;
    if (run.endX < run.startX) std::swap(run.startX, run.endX);
    out.cell = RECT{run.startX, baseline - tm.tmAscent, run.endX, baseline + tm.tmDescent};
}

}  // namespace win32::gdi

// ---------------------------------------------------------------------------
// The C functions.
namespace win32 {

using gdi::DeviceContext;
using gdi::FindDC;

namespace {

// A count of -1 means a NUL-terminated string in the functions that allow
// it; any other negative count, or text missing where a count asks for it,
// is an error.
bool TextArgs(LPCSTR text, int count, bool allowTerminated, std::string_view& out) {
    if (count == -1 && allowTerminated) {
        if (!text) return false;
        out = std::string_view(text);
        return true;
    }
    if (count < 0) return false;
    if (count > 0 && !text) return false;
    out = std::string_view(text ? text : "", static_cast<std::size_t>(count));
    return true;
}

}  // namespace

HFONT CreateFontIndirectA(const LOGFONTA* lf) {
    if (!lf) return nullptr;
    return static_cast<HFONT>(gdi::AddObject(std::make_unique<gdi::FontObject>(*lf)));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic != 0);
    lf.lfUnderline = static_cast<BYTE>(underline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* tm) {
    DeviceContext* d = FindDC(dc);
    if (!d || !tm) return FALSE;
    *tm = gdi::LogicalFont(*d)->Metrics();
    return TRUE;
}

int GetTextFaceA(HDC dc, int count, LPSTR faceName) {
    DeviceContext* d = FindDC(dc);
    if (!d) return 0;
    const std::string& name = gdi::LogicalFont(*d)->FaceName();
    if (!faceName) return static_cast<int>(name.size()) + 1;
    if (count <= 0) return 0;
    // Cut at a character boundary so the copy stays valid UTF-8.
    std::size_t n = std::min(name.size(), static_cast<std::size_t>(count - 1));
    while (n > 0 && n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
    std::memcpy(faceName, name.data(), n);
    faceName[n] = '\0';
    return static_cast<int>(n) + 1;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size) {
    DeviceContext* d = FindDC(dc);
    std::string_view s;
    if (!d || !size || !TextArgs(text, count, false, s)) return FALSE;
    auto font = gdi::LogicalFont(*d);
    gdi::MeasuredRun run;
    gdi::MeasureRun(*font, s, nullptr, d->State().textCharacterExtra, run);
    size->cx = run.width;
    size->cy = font->Metrics().tmHeight;
    return TRUE;
}

BOOL GetTextExtentPointA(HDC dc, LPCSTR text, int count, SIZE* size) {
    return GetTextExtentPoint32A(dc, text, count, size);
}

BOOL GetTextExtentExPointA(HDC dc, LPCSTR text, int count, int maxExtent, LPINT fit, LPINT dx, SIZE* size) {
    DeviceContext* d = FindDC(dc);
    std::string_view s;
    if (!d || !size || !TextArgs(text, count, false, s)) return FALSE;
    auto font = gdi::LogicalFont(*d);
    const int extra = d->State().textCharacterExtra;
    int extent = 0;
    int fitted = 0;
    bool fitting = true;
    for (std::size_t i = 0; i < s.size();) {
        gdi::DecodedChar c = gdi::DecodeUtf8At(s, i);
        extent += font->Advance(c.code) + extra;
        if (fitting && fit && extent > maxExtent) fitting = false;
        if (fitting) fitted += static_cast<int>(c.length);
        // Every byte of a character carries the extent at its end.
        if (dx) {
            for (std::size_t k = 0; k < c.length; ++k) dx[i + k] = extent;
        }
        i += c.length;
    }
    if (fit) *fit = fitted;
    size->cx = extent;
    size->cy = font->Metrics().tmHeight;
    return TRUE;
}

BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, LPINT widths) {
    DeviceContext* d = FindDC(dc);
    if (!d || !widths || last < first) return FALSE;
    auto font = gdi::LogicalFont(*d);
    for (UINT c = first;; ++c) {
        widths[c - first] = font->Advance(static_cast<char32_t>(c));
        if (c == last) break;
    }
    return TRUE;
}

BOOL GetCharWidthA(HDC dc, UINT first, UINT last, LPINT widths) { return GetCharWidth32A(dc, first, last, widths); }

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
    DeviceContext* d = FindDC(dc);
    std::string_view s;
    if (!d || !TextArgs(text, count, false, s)) return FALSE;
    return d->ExtTextOut(x, y, 0, nullptr, s, nullptr);
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx) {
    DeviceContext* d = FindDC(dc);
    std::string_view s;
    if (!d || count > 0x7FFFFFFF || !TextArgs(text, static_cast<int>(count), false, s)) return FALSE;
    // The rectangle only matters with the options that use it.
    if (!(options & (ETO_OPAQUE | ETO_CLIPPED))) rect = nullptr;
    return d->ExtTextOut(x, y, options, rect, s, dx);
}

UINT SetTextAlign(HDC dc, UINT align) {
    DeviceContext* d = FindDC(dc);
    if (!d) return GDI_ERROR;
    return d->SetTextAlign(align & TA_MASK);
}

UINT GetTextAlign(HDC dc) {
    DeviceContext* d = FindDC(dc);
    return d ? d->State().textAlign : GDI_ERROR;
}

int SetTextCharacterExtra(HDC dc, int extra) {
    DeviceContext* d = FindDC(dc);
    if (!d) return static_cast<int>(0x80000000);
    return d->SetTextCharacterExtra(extra);
}

int GetTextCharacterExtra(HDC dc) {
    DeviceContext* d = FindDC(dc);
    return d ? d->State().textCharacterExtra : static_cast<int>(0x80000000);
}

int EnumFontFamiliesExA(HDC dc, LOGFONTA* filter, FONTENUMPROCA proc, LPARAM lParam, DWORD) {
    if (!FindDC(dc) || !proc) return 0;
    const BYTE wantSet = filter ? filter->lfCharSet : DEFAULT_CHARSET;
    std::string wantName;
    if (filter) {
        filter->lfFaceName[LF_FACESIZE - 1] = '\0';
        wantName = filter->lfFaceName;
    }
    int result = 1;
    for (const gdi::EnumeratedFace& face : gdi::FaceCatalog::Instance().Enumerate()) {
        if (!wantName.empty() && wantName != face.name) continue;
        for (BYTE set : face.charSets) {
            if (wantSet != DEFAULT_CHARSET && wantSet != set) continue;
            ENUMLOGFONTEXA elf{};
            LOGFONTA& lf = elf.elfLogFont;
            lf.lfHeight = -12;
            lf.lfWeight = FW_NORMAL;
            lf.lfCharSet = set;
            lf.lfOutPrecision = OUT_STROKE_PRECIS;
            lf.lfClipPrecision = CLIP_STROKE_PRECIS;
            lf.lfQuality = DRAFT_QUALITY;
            lf.lfPitchAndFamily =
                static_cast<BYTE>(face.entry->pitchFamily | (face.entry->fixedPitch ? FIXED_PITCH : VARIABLE_PITCH));
            std::strncpy(lf.lfFaceName, face.name.c_str(), LF_FACESIZE - 1);
            std::strncpy(reinterpret_cast<char*>(elf.elfFullName), face.name.c_str(), LF_FULLFACESIZE - 1);
            std::strncpy(reinterpret_cast<char*>(elf.elfStyle), "Regular", LF_FACESIZE - 1);
            std::strncpy(reinterpret_cast<char*>(elf.elfScript), set == SHIFTJIS_CHARSET ? "日本語" : "欧文",
                         LF_FACESIZE - 1);
            NEWTEXTMETRICEXA ntm{};
            TEXTMETRICA tm = gdi::RealizeFont(lf)->Metrics();
            std::memcpy(&ntm.ntmTm, &tm, sizeof tm);
            ntm.ntmTm.ntmFlags = NTM_REGULAR;
            ntm.ntmTm.ntmSizeEM = static_cast<UINT>(face.entry->unitsPerEm);
            ntm.ntmTm.ntmCellHeight = static_cast<UINT>(face.entry->ascent + face.entry->descent);
            ntm.ntmTm.ntmAvgWidth = static_cast<UINT>(face.entry->avgCharWidth);
            result = proc(&elf.elfLogFont, reinterpret_cast<const TEXTMETRICA*>(&ntm), TRUETYPE_FONTTYPE, lParam);
            if (result == 0) return 0;
        }
    }
    return result;
}

}  // namespace win32
