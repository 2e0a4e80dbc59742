// What a device mode says about a print job, checked and completed: the
// settings a printer DC prints with, their device-mode form, and the page
// geometry GetDeviceCaps reports.
#pragma once

#include "platform/print/paper.h"
#include "platform/print/printer_list.h"
#include "platform/print/wingdi_printing.h"

namespace win32::print {

struct PrintSettings {
    SHORT paperCode = DMPAPER_A4;  // DMPAPER_USER for a size of the caller's
    int paperWidth = 2100;         // 0.1 mm, portrait
    int paperLength = 2970;        // 0.1 mm, portrait
    SHORT orientation = DMORIENT_PORTRAIT;
    SHORT copies = 1;
    int dpi = 600;
    SHORT color = DMCOLOR_COLOR;
    SHORT duplex = DMDUP_SIMPLEX;
    SHORT collate = DMCOLLATE_TRUE;

    bool Landscape() const { return orientation == DMORIENT_LANDSCAPE; }
};

// The resolutions the printers render at; 600 dpi unless asked otherwise.
inline constexpr int kResolutions[] = {300, 600, 1200};
inline constexpr int kDefaultResolution = 600;
inline constexpr int kMaxCopies = 999;

PrintSettings DefaultSettings(const PrinterEntry& printer);
// The fields the device mode marks in dmFields, taken over `base`; a value
// a printer cannot honour gives way to the nearest it can (or is ignored).
PrintSettings MergeDevMode(PrintSettings base, const DEVMODEA& devMode);
// The settings a printer prints with when the caller hands it a device
// mode (or none): the printer's defaults with the device mode merged. Only
// the dmSize bytes the caller declares are read (all of them when dmSize is
// 0, as callers that fill the structure themselves often leave it).
PrintSettings SettingsFor(const PrinterEntry& printer, const DEVMODEA* devMode);
// The device mode that describes the settings, every field it knows marked.
void WriteDevMode(const PrinterEntry& printer, const PrintSettings& settings, DEVMODEA& out);

// The page as the printer DC lays it out, in device pixels, with the sheet
// size in PDF points (both already turned for landscape). The printable
// area leaves a small border that is not the same on every side, as a real
// printer's does: a sixth of an inch at the left and right, a fifth at the
// top and a quarter at the bottom of a portrait sheet; landscape swaps the
// axes, so the offsets trade places with the sizes.
struct PageGeometry {
    int dpi = kDefaultResolution;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    double sheetWidthPt = 0;
    double sheetHeightPt = 0;
};

PageGeometry GeometryOf(const PrintSettings& settings);

}  // namespace win32::print
