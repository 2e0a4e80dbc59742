// The C functions for device contexts and their state.
#include "platform/gdi/dc.h"
#include "platform/gdi/surface_device.h"

namespace win32 {

using namespace gdi;

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !FindDC(dc)) return nullptr;
    return RegisterDC(std::make_unique<SurfaceDC>(SurfaceDC::Kind::Memory));
}

BOOL DeleteDC(HDC dc) {
    DeviceContext* d = FindDC(dc);
    // Window DCs belong to the window system (ReleaseDC); metafile DCs are
    // closed with CloseEnhMetaFile.
    if (!d || !d->DeletableByDeleteDC()) return FALSE;
    return DestroyDC(dc) ? TRUE : FALSE;
}

int SaveDC(HDC dc) {
    DeviceContext* d = FindDC(dc);
    return d ? d->Save() : 0;
}

BOOL RestoreDC(HDC dc, int saved) {
    DeviceContext* d = FindDC(dc);
    return d && d->Restore(saved) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* d = FindDC(dc);
    if (!d) return nullptr;
    if (RegionObject* r = FindRegion(object)) {
        int type = d->SelectClip(&r->Value(), RGN_COPY);
        return reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(type));
    }
    return d->Select(object);
}

int GetDeviceCaps(HDC dc, int index) {
    DeviceContext* d = FindDC(dc);
    return d ? d->DeviceCaps(index) : 0;
}

#define DC_OR(fail)            \
    DeviceContext* d = FindDC(dc); \
    if (!d) return fail

COLORREF SetTextColor(HDC dc, COLORREF c) {
    DC_OR(CLR_INVALID);
    return d->SetTextColor(c);
}
COLORREF GetTextColor(HDC dc) {
    DC_OR(CLR_INVALID);
    return d->State().textColor;
}
COLORREF SetBkColor(HDC dc, COLORREF c) {
    DC_OR(CLR_INVALID);
    return d->SetBkColor(c);
}
COLORREF GetBkColor(HDC dc) {
    DC_OR(CLR_INVALID);
    return d->State().bkColor;
}
int SetBkMode(HDC dc, int mode) {
    DC_OR(0);
    return d->SetBkMode(mode);
}
int GetBkMode(HDC dc) {
    DC_OR(0);
    return d->State().bkMode;
}
COLORREF SetDCBrushColor(HDC dc, COLORREF c) {
    DC_OR(CLR_INVALID);
    return d->SetDcBrushColor(c);
}
COLORREF GetDCBrushColor(HDC dc) {
    DC_OR(CLR_INVALID);
    return d->State().dcBrushColor;
}
COLORREF SetDCPenColor(HDC dc, COLORREF c) {
    DC_OR(CLR_INVALID);
    return d->SetDcPenColor(c);
}
COLORREF GetDCPenColor(HDC dc) {
    DC_OR(CLR_INVALID);
    return d->State().dcPenColor;
}
int SetROP2(HDC dc, int rop2) {
    DC_OR(0);
    return d->SetRop2(rop2);
}
int GetROP2(HDC dc) {
    DC_OR(0);
    return d->State().rop2;
}
int SetPolyFillMode(HDC dc, int mode) {
    DC_OR(0);
    return d->SetPolyFillMode(mode);
}
int GetPolyFillMode(HDC dc) {
    DC_OR(0);
    return d->State().polyFillMode;
}
int SetStretchBltMode(HDC dc, int mode) {
    DC_OR(0);
    return d->SetStretchMode(mode);
}
int GetStretchBltMode(HDC dc) {
    DC_OR(0);
    return d->State().stretchMode;
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT old) {
    DC_OR(FALSE);
    POINT o = d->SetBrushOrg(POINT{x, y});
    if (old) *old = o;
    return TRUE;
}
BOOL GetBrushOrgEx(HDC dc, LPPOINT org) {
    DC_OR(FALSE);
    if (!org) return FALSE;
    *org = d->State().brushOrg;
    return TRUE;
}

int SetMapMode(HDC dc, int mode) {
    DC_OR(0);
    return d->SetMapMode(mode);
}
int GetMapMode(HDC dc) {
    DC_OR(0);
    return d->State().mapMode;
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old) {
    DC_OR(FALSE);
    POINT o = d->SetWindowOrg(POINT{x, y});
    if (old) *old = o;
    return TRUE;
}
BOOL GetWindowOrgEx(HDC dc, LPPOINT org) {
    DC_OR(FALSE);
    if (!org) return FALSE;
    *org = d->State().windowOrg;
    return TRUE;
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old) {
    DC_OR(FALSE);
    POINT o = d->SetViewportOrg(POINT{x, y});
    if (old) *old = o;
    return TRUE;
}
BOOL GetViewportOrgEx(HDC dc, LPPOINT org) {
    DC_OR(FALSE);
    if (!org) return FALSE;
    *org = d->State().viewportOrg;
    return TRUE;
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT old) {
    DC_OR(FALSE);
    POINT o = d->State().windowOrg;
    d->SetWindowOrg(POINT{o.x + dx, o.y + dy});
    if (old) *old = o;
    return TRUE;
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT old) {
    DC_OR(FALSE);
    POINT o = d->State().viewportOrg;
    d->SetViewportOrg(POINT{o.x + dx, o.y + dy});
    if (old) *old = o;
    return TRUE;
}
BOOL SetWindowExtEx(HDC dc, int x, int y, LPSIZE old) {
    DC_OR(FALSE);
    return d->SetWindowExt(SIZE{x, y}, old) ? TRUE : FALSE;
}
BOOL GetWindowExtEx(HDC dc, LPSIZE ext) {
    DC_OR(FALSE);
    if (!ext) return FALSE;
    *ext = d->State().windowExt;
    return TRUE;
}
BOOL SetViewportExtEx(HDC dc, int x, int y, LPSIZE old) {
    DC_OR(FALSE);
    return d->SetViewportExt(SIZE{x, y}, old) ? TRUE : FALSE;
}
BOOL GetViewportExtEx(HDC dc, LPSIZE ext) {
    DC_OR(FALSE);
    if (!ext) return FALSE;
    *ext = d->State().viewportExt;
    return TRUE;
}
BOOL LPtoDP(HDC dc, LPPOINT points, int count) {
    DC_OR(FALSE);
    if (!points || count < 0) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = d->ToDevice(points[i]);
    return TRUE;
}
BOOL DPtoLP(HDC dc, LPPOINT points, int count) {
    DC_OR(FALSE);
    if (!points || count < 0) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = d->ToLogical(points[i]);
    return TRUE;
}
BOOL GetDCOrgEx(HDC dc, LPPOINT org) {
    DC_OR(FALSE);
    if (!org) return FALSE;
    *org = d->SurfaceOrigin();
    return TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT old) {
    DC_OR(FALSE);
    POINT o = d->MoveTo(POINT{x, y});
    if (old) *old = o;
    return TRUE;
}
BOOL GetCurrentPositionEx(HDC dc, LPPOINT pos) {
    DC_OR(FALSE);
    if (!pos) return FALSE;
    *pos = d->State().currentPos;
    return TRUE;
}

#undef DC_OR

}  // namespace win32
