// Device contexts on surfaces: what the window system asks of GDI when it
// hands out a device context for a window (GetDC, GetWindowDC, BeginPaint) or
// for the desktop.
//
// A surface DC draws onto a Surface. Its device point (0, 0) lies at
// `origin` on the surface (a window's client or window origin inside its
// top-level's backing surface), and drawing never leaves `visible`, a region
// in surface coordinates (the part of the window that may be painted:
// clipped by its parents, minus clipped children and siblings, intersected
// with the update region during painting). The application's own clip
// region (SelectClipRgn and friends) is in device coordinates, relative to
// `origin`, and narrows `visible` further. Every pixel written marks the
// surface dirty (Surface::MarkDirty).
#pragma once

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/windef.h"

namespace win32::gdi {

// A new device context bound to nothing (drawing on it does nothing until
// it is bound).
HDC CreateSurfaceDC();

// Points the DC at a surface with a device origin and a visible region.
// Keeps the DC's other state.
BOOL BindSurfaceDC(HDC dc, Surface* surface, POINT origin, const Region& visible);

// Returns the DC to its default state (stock objects selected, default
// colours and modes, no clip region, zero origins, saved states dropped), as
// a DC taken from the window system's cache must be.
BOOL ResetSurfaceDC(HDC dc);

// The surface and origin a DC is bound to (for the window system's own use,
// e.g. scrolling).
Surface* SurfaceOfDC(HDC dc);

BOOL DeleteSurfaceDC(HDC dc);

}  // namespace win32::gdi
