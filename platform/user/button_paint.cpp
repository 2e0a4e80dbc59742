// The classic look of buttons: raised push buttons with the black frame
// of the default button, sunken check boxes, round radio buttons, etched
// group boxes, etched grey text when disabled, and the dotted focus
// rectangle.
#include <algorithm>

#include "platform/user/button.h"

namespace win32::user::controls {

namespace {

DWORD TypeOf(const ButtonLook& look) { return look.style & BS_TYPEMASK; }

bool IsPushType(DWORD t) {
    return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_USERBUTTON || t == BS_PUSHBOX;
}

// DrawTextA flags for the button's text alignment, with the defaults of
// the kind: centred for push buttons, left and vertically centred for
// check boxes and radio buttons.
UINT TextFormat(const ButtonLook& look, bool push) {
    UINT f = 0;
    DWORD h = look.style & BS_CENTER, v = look.style & BS_VCENTER;
    if (h == BS_LEFT) f |= DT_LEFT;
    else if (h == BS_RIGHT) f |= DT_RIGHT;
    else if (h == BS_CENTER || push) f |= DT_CENTER;
    if (v == BS_TOP) f |= DT_TOP;
    else if (v == BS_BOTTOM) f |= DT_BOTTOM;
    else f |= DT_VCENTER;
    f |= (look.style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    return f;
}

SIZE ImageSize(const ButtonLook& look) {
    if (!look.image) return SIZE{0, 0};
    if (look.style & BS_ICON) {
        ICONINFO info{};
        if (!GetIconInfo(static_cast<HICON>(look.image), &info)) return SIZE{0, 0};
        BITMAP bm{};
        HBITMAP shape = info.hbmColor ? info.hbmColor : info.hbmMask;
        GetObjectA(shape, sizeof bm, &bm);
        int h = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        return SIZE{bm.bmWidth, h};
    }
    BITMAP bm{};
    if (!GetObjectA(look.image, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

void DrawImage(HDC dc, const RECT& area, const ButtonLook& look, UINT format) {
    SIZE s = ImageSize(look);
    int x = area.left, y = area.top;
    if (format & DT_CENTER) x = (area.left + area.right - s.cx) / 2;
    else if (format & DT_RIGHT) x = area.right - s.cx;
    if (format & DT_VCENTER) y = (area.top + area.bottom - s.cy) / 2;
    else if (format & DT_BOTTOM) y = area.bottom - s.cy;
    if (look.style & BS_ICON) {
        DrawIconEx(dc, x, y, static_cast<HICON>(look.image), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, look.image);
    BitBlt(dc, x, y, s.cx, s.cy, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

// The label (text or image) in `area`; returns where the text went, for
// the focus rectangle.
RECT DrawLabel(HDC dc, const RECT& area, const ButtonLook& look, UINT format) {
    if ((look.style & (BS_ICON | BS_BITMAP)) && look.image) {
        DrawImage(dc, area, look, format);
        return area;
    }
    if (look.text.empty()) return RECT{0, 0, 0, 0};
    RECT placed = MeasureControlText(dc, look.text, area, format);
    RECT clipped;
    IntersectRect(&clipped, &placed, &area);
    DrawControlText(dc, look.text, placed, format & ~(DT_VCENTER | DT_BOTTOM), look.enabled);
    return clipped;
}

void PaintPush(HDC dc, const RECT& client, const ButtonLook& look, bool pushed) {
    RECT r = client;
    const bool isDefault = TypeOf(look) == BS_DEFPUSHBUTTON;
    if (isDefault) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (pushed && isDefault) {
        // The pressed default button: a flat shadow line inside the frame.
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT face = r;
        InflateRect(&face, -1, -1);
        FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        RECT edge = r;
        DrawFrameControl(dc, &edge, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    }
    RECT area = r;
    InflateRect(&area, -3, -3);
    if (pushed) OffsetRect(&area, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawLabel(dc, area, look, TextFormat(look, true));
    if (look.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void PaintCheck(HDC dc, const RECT& client, const ButtonLook& look, HBRUSH background) {
    FillRect(dc, &client, background);
    const DWORD t = TypeOf(look);
    const bool radio = t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
    const int side = radio ? kRadioSize : kCheckBoxSize;
    const bool leftText = (look.style & BS_LEFTTEXT) != 0;
    const int height = client.bottom - client.top;

    RECT box;
    box.left = leftText ? client.right - side : client.left;
    DWORD v = look.style & BS_VCENTER;
    if (v == BS_TOP) box.top = client.top;
    else if (v == BS_BOTTOM) box.top = client.bottom - side;
    else box.top = client.top + (height - side) / 2;
    box.right = box.left + side;
    box.bottom = box.top + side;

    UINT state = radio ? DFCS_BUTTONRADIO : (t == BS_3STATE || t == BS_AUTO3STATE) && look.check == BST_INDETERMINATE
                                                ? DFCS_BUTTON3STATE
                                                : DFCS_BUTTONCHECK;
    if (look.check != BST_UNCHECKED) state |= DFCS_CHECKED;
    if (look.pushed) state |= DFCS_PUSHED;
    if (!look.enabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);

    RECT area = client;
    if (leftText) area.right = box.left - 4;
    else area.left = box.right + 4;
    RECT text = DrawLabel(dc, area, look, TextFormat(look, false));
    if (look.focused && text.right > text.left) {
        RECT focus = text;
        InflateRect(&focus, 1, 1);
        IntersectRect(&focus, &focus, &client);
        DrawFocusRect(dc, &focus);
    }
}

void PaintGroup(HDC dc, const RECT& client, const ButtonLook& look, HBRUSH background) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    // The caption's band is cleared so a shorter caption leaves nothing
    // behind; the inside belongs to the controls in the group.
    RECT band{client.left, client.top, client.right, std::min<LONG>(client.bottom, client.top + tm.tmHeight)};
    FillRect(dc, &band, background);
    RECT frame = client;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (look.text.empty()) return;
    RECT area{client.left + 8, client.top, client.right - 8, client.top + tm.tmHeight};
    UINT format = DT_SINGLELINE | DT_TOP;
    DWORD h = look.style & BS_CENTER;
    if (h == BS_CENTER) format |= DT_CENTER;
    else if (h == BS_RIGHT) format |= DT_RIGHT;
    RECT placed = MeasureControlText(dc, look.text, area, format);
    // The frame line stops short of the caption on both sides.
    RECT gap = placed;
    InflateRect(&gap, 2, 0);
    IntersectRect(&gap, &gap, &client);
    FillRect(dc, &gap, background);
    DrawControlText(dc, look.text, placed, format, look.enabled);
}

}  // namespace

void PaintButton(HDC dc, const RECT& client, const ButtonLook& look, HBRUSH background) {
    const DWORD t = TypeOf(look);
    if (IsPushType(t)) {
        PaintPush(dc, client, look, look.pushed);
    } else if (t == BS_GROUPBOX) {
        PaintGroup(dc, client, look, background);
    } else if (look.style & BS_PUSHLIKE) {
        // A check box or radio button that looks like a push button stays
        // down while checked.
        ButtonLook asPush = look;
        asPush.style = (look.style & ~BS_TYPEMASK) | BS_PUSHBUTTON;
        PaintPush(dc, client, asPush, look.pushed || look.check != BST_UNCHECKED);
    } else {
        PaintCheck(dc, client, look, background);
    }
}

}  // namespace win32::user::controls
