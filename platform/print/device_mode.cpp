#include "platform/print/device_mode.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace win32::print {
namespace {

// Copies UTF-8 text into a fixed field, cut at a whole character.
void CopyName(char* field, std::size_t size, const std::string& text) {
    std::size_t n = std::min(text.size(), size - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), n);
}

int NearestResolution(int dpi) {
    int best = kResolutions[0];
    for (int r : kResolutions)
        if (std::abs(r - dpi) < std::abs(best - dpi)) best = r;
    return best;
}

int ResolutionOfQuality(SHORT quality) {
    switch (quality) {
    case DMRES_DRAFT:
    case DMRES_LOW: return 300;
    case DMRES_MEDIUM: return 600;
    case DMRES_HIGH: return 1200;
    default: return quality > 0 ? NearestResolution(quality) : kDefaultResolution;
    }
}

void UsePaper(PrintSettings& s, const PaperInfo& paper) {
    s.paperCode = paper.code;
    s.paperWidth = paper.width;
    s.paperLength = paper.length;
}

int Pixels(int tenthsOfMm, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(tenthsOfMm) * dpi / 254.0));
}

}  // namespace

PrintSettings DefaultSettings(const PrinterEntry& printer) {
    PrintSettings s;
    UsePaper(s, printer.defaultPaper ? *printer.defaultPaper : DefaultPaper());
    return s;
}

PrintSettings MergeDevMode(PrintSettings s, const DEVMODEA& dm) {
    const DWORD f = dm.dmFields;
    if ((f & DM_ORIENTATION) && (dm.dmOrientation == DMORIENT_PORTRAIT || dm.dmOrientation == DMORIENT_LANDSCAPE))
        s.orientation = dm.dmOrientation;
    if (f & DM_PAPERSIZE) {
        if (const PaperInfo* paper = FindPaper(dm.dmPaperSize)) UsePaper(s, *paper);
    }
    // A width or length of the caller's own overrides the paper code's.
    const bool width = (f & DM_PAPERWIDTH) && dm.dmPaperWidth > 0;
    const bool length = (f & DM_PAPERLENGTH) && dm.dmPaperLength > 0;
    if (width || length) {
        int w = width ? std::clamp<int>(dm.dmPaperWidth, kMinPaperExtent, kMaxPaperWidth) : s.paperWidth;
        int l = length ? std::clamp<int>(dm.dmPaperLength, kMinPaperExtent, kMaxPaperLength) : s.paperLength;
        s.paperCode = DMPAPER_USER;
        s.paperWidth = w;
        s.paperLength = l;
        for (const PaperInfo& p : Papers()) {
            if (p.width == w && p.length == l) UsePaper(s, p);
        }
    }
    if (f & DM_COPIES) s.copies = static_cast<SHORT>(std::clamp<int>(dm.dmCopies, 1, kMaxCopies));
    if (f & DM_PRINTQUALITY) s.dpi = ResolutionOfQuality(dm.dmPrintQuality);
    if ((f & DM_COLOR) && (dm.dmColor == DMCOLOR_MONOCHROME || dm.dmColor == DMCOLOR_COLOR)) s.color = dm.dmColor;
    if ((f & DM_DUPLEX) && dm.dmDuplex >= DMDUP_SIMPLEX && dm.dmDuplex <= DMDUP_HORIZONTAL) s.duplex = dm.dmDuplex;
    if ((f & DM_COLLATE) && (dm.dmCollate == DMCOLLATE_FALSE || dm.dmCollate == DMCOLLATE_TRUE))
        s.collate = dm.dmCollate;
    return s;
}

PrintSettings SettingsFor(const PrinterEntry& printer, const DEVMODEA* devMode) {
    PrintSettings s = DefaultSettings(printer);
    if (!devMode) return s;
    DEVMODEA copy{};
    std::size_t size = devMode->dmSize == 0 ? sizeof copy : std::min<std::size_t>(devMode->dmSize, sizeof copy);
    // Without its fields word a device mode says nothing.
    if (size < offsetof(DEVMODEA, dmFields) + sizeof(DWORD)) return s;
    std::memcpy(&copy, devMode, size);
    return MergeDevMode(s, copy);
}

void WriteDevMode(const PrinterEntry& printer, const PrintSettings& s, DEVMODEA& dm) {
    std::memset(&dm, 0, sizeof dm);
    CopyName(dm.dmDeviceName, sizeof dm.dmDeviceName, printer.name);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmDriverVersion = 0x0100;
    dm.dmSize = sizeof(DEVMODEA);
    dm.dmDriverExtra = 0;
    dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_SCALE | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY |
                  DM_COLOR | DM_DUPLEX | DM_YRESOLUTION | DM_TTOPTION | DM_COLLATE;
    dm.dmOrientation = s.orientation;
    dm.dmPaperSize = s.paperCode;
    dm.dmPaperWidth = static_cast<SHORT>(s.paperWidth);
    dm.dmPaperLength = static_cast<SHORT>(s.paperLength);
    if (s.paperCode == DMPAPER_USER) {
        dm.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
    } else if (const PaperInfo* paper = FindPaper(s.paperCode)) {
        dm.dmFields |= DM_FORMNAME;
        CopyName(dm.dmFormName, sizeof dm.dmFormName, paper->name);
    }
    dm.dmScale = 100;
    dm.dmCopies = s.copies;
    dm.dmDefaultSource = DMBIN_AUTO;
    dm.dmPrintQuality = static_cast<SHORT>(s.dpi);
    dm.dmYResolution = static_cast<SHORT>(s.dpi);
    dm.dmColor = s.color;
    dm.dmDuplex = s.duplex;
    dm.dmTTOption = DMTT_DOWNLOAD;
    dm.dmCollate = s.collate;
}

PageGeometry GeometryOf(const PrintSettings& s) {
    PageGeometry g;
    g.dpi = s.dpi;
    const int dpi = s.dpi;
    // Borders of the portrait sheet: left, top, right, bottom.
    const int left = (dpi + 3) / 6, top = (dpi + 2) / 5, right = (dpi + 3) / 6, bottom = (dpi + 2) / 4;
    const int w = Pixels(s.paperWidth, dpi), h = Pixels(s.paperLength, dpi);
    const double wPt = s.paperWidth * 72.0 / 254.0, hPt = s.paperLength * 72.0 / 254.0;
    if (s.Landscape()) {
        g.physicalWidth = h;
        g.physicalHeight = w;
        g.offsetX = top;
        g.offsetY = left;
        g.printableWidth = h - top - bottom;
        g.printableHeight = w - left - right;
        g.sheetWidthPt = hPt;
        g.sheetHeightPt = wPt;
    } else {
        g.physicalWidth = w;
        g.physicalHeight = h;
        g.offsetX = left;
        g.offsetY = top;
        g.printableWidth = w - left - right;
        g.printableHeight = h - top - bottom;
        g.sheetWidthPt = wPt;
        g.sheetHeightPt = hPt;
    }
    g.printableWidth = std::max(1, g.printableWidth);
    g.printableHeight = std::max(1, g.printableHeight);
    return g;
}

}  // namespace win32::print
