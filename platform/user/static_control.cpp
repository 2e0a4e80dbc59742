// The "STATIC" class: text labels (aligned, wrapped or not, with or
// without access-key prefixes), icons and bitmaps, filled and framed
// rectangles, etched lines and frames, in the classic look.
#include "platform/user/control_base.h"

namespace win32 {
namespace user::controls {

namespace {

class Static final : public Control {
public:
    Static(HWND hwnd, const CREATESTRUCTA& create);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    DWORD Type() const { return Style() & SS_TYPEMASK; }
    bool IsText() const;
    bool IsImage() const { return Type() == SS_ICON || Type() == SS_BITMAP; }

    LRESULT OnPaint(HDC given);
    LRESULT OnHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnClick(int code);
    LRESULT OnEnable(BOOL enabled);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(HFONT font, BOOL redraw);
    LRESULT OnSetImage(WPARAM type, HANDLE image);

    void PaintText(HDC dc, const RECT& client);
    void PaintImage(HDC dc, const RECT& client);
    void PaintShape(HDC dc, const RECT& client);
    SIZE ImageSize() const;
    // Icons and bitmaps size the control to the picture unless asked not to.
    void FitToImage();

    HANDLE image_ = nullptr;
    UINT imageType_ = IMAGE_BITMAP;
};

Static::Static(HWND hwnd, const CREATESTRUCTA& create) : Control(hwnd) {
    if (create.style & SS_SUNKEN) {
        LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
        SetWindowLongA(hwnd, GWL_EXSTYLE, ex | static_cast<LONG>(WS_EX_STATICEDGE));
    }
    // An icon or bitmap named by the window text comes from the module.
    DWORD type = create.style & SS_TYPEMASK;
    if ((type == SS_ICON || type == SS_BITMAP) && create.lpszName && *create.lpszName) {
        if (type == SS_ICON) {
            image_ = LoadIconA(create.hInstance, create.lpszName);
            imageType_ = IMAGE_ICON;
        } else {
            image_ = LoadBitmapA(create.hInstance, create.lpszName);
        }
    }
}

bool Static::IsText() const {
    DWORD t = Type();
    return t == SS_LEFT || t == SS_CENTER || t == SS_RIGHT || t == SS_SIMPLE || t == SS_LEFTNOWORDWRAP;
}

LRESULT Static::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            if (IsImage() && image_) FitToImage();
            return Default(msg, wParam, lParam);
        case WM_PAINT: return OnPaint(reinterpret_cast<HDC>(wParam));
        case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wParam));
        case WM_ERASEBKGND: return 1;
        case WM_NCHITTEST: return OnHitTest(wParam, lParam);
        case WM_GETDLGCODE: return DLGC_STATIC;
        case WM_LBUTTONDOWN: return OnClick(STN_CLICKED);
        case WM_LBUTTONDBLCLK: return OnClick(STN_DBLCLK);
        case WM_ENABLE: return OnEnable(static_cast<BOOL>(wParam));
        case WM_SETTEXT: return OnSetText(wParam, lParam);
        case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam));
        case WM_GETFONT: return reinterpret_cast<LRESULT>(Font());
        case STM_SETICON: return OnSetImage(IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
        case STM_GETICON: return imageType_ == IMAGE_ICON ? reinterpret_cast<LRESULT>(image_) : 0;
        case STM_SETIMAGE: return OnSetImage(wParam, reinterpret_cast<HANDLE>(lParam));
        case STM_GETIMAGE: return wParam == imageType_ ? reinterpret_cast<LRESULT>(image_) : 0;
        default: return Default(msg, wParam, lParam);
    }
}

LRESULT Static::OnPaint(HDC given) {
    PAINTSTRUCT ps{};
    HDC dc = given ? given : BeginPaint(Window(), &ps);
    if (!dc) return 0;
    RECT client;
    GetClientRect(Window(), &client);
    if (IsText()) PaintText(dc, client);
    else if (IsImage()) PaintImage(dc, client);
    else PaintShape(dc, client);
    if (!given) EndPaint(Window(), &ps);
    return 0;
}

LRESULT Static::OnHitTest(WPARAM wParam, LPARAM lParam) {
    // Labels let the mouse through to what lies beneath unless they are
    // asked to tell their parent of clicks.
    if (!(Style() & SS_NOTIFY)) return HTTRANSPARENT;
    return Default(WM_NCHITTEST, wParam, lParam);
}

LRESULT Static::OnClick(int code) {
    if (Style() & SS_NOTIFY) Notify(code);
    return 0;
}

LRESULT Static::OnEnable(BOOL enabled) {
    if (Style() & SS_NOTIFY) Notify(enabled ? STN_ENABLE : STN_DISABLE);
    if (Alive()) InvalidateRect(Window(), nullptr, FALSE);
    return 0;
}

LRESULT Static::OnSetText(WPARAM wParam, LPARAM lParam) {
    if (IsImage()) {
        const char* name = reinterpret_cast<const char*>(lParam);
        if (name && *name) {
            HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Window(), GWLP_HINSTANCE));
            if (Type() == SS_ICON) OnSetImage(IMAGE_ICON, LoadIconA(module, name));
            else OnSetImage(IMAGE_BITMAP, LoadBitmapA(module, name));
        }
        return TRUE;
    }
    LRESULT r = Default(WM_SETTEXT, wParam, lParam);
    InvalidateRect(Window(), nullptr, FALSE);
    return r;
}

LRESULT Static::OnSetFont(HFONT font, BOOL redraw) {
    SetFont(font);
    if (redraw) InvalidateRect(Window(), nullptr, FALSE);
    return 0;
}

LRESULT Static::OnSetImage(WPARAM type, HANDLE image) {
    if (type != IMAGE_ICON && type != IMAGE_BITMAP && type != IMAGE_CURSOR) return 0;
    HANDLE old = image_;
    image_ = image;
    imageType_ = type == IMAGE_CURSOR ? IMAGE_ICON : static_cast<UINT>(type);
    if (image_) FitToImage();
    InvalidateRect(Window(), nullptr, TRUE);
    return reinterpret_cast<LRESULT>(old);
}

SIZE Static::ImageSize() const {
    if (!image_) return SIZE{0, 0};
    if (imageType_ == IMAGE_ICON) {
        ICONINFO info{};
        if (!GetIconInfo(static_cast<HICON>(image_), &info)) return SIZE{0, 0};
        BITMAP bm{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        SIZE s{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        return s;
    }
    BITMAP bm{};
    if (!GetObjectA(image_, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

void Static::FitToImage() {
    if (Style() & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) return;
    SIZE s = ImageSize();
    if (s.cx <= 0 || s.cy <= 0) return;
    RECT w{0, 0, s.cx, s.cy};
    AdjustWindowRectEx(&w, Style(), FALSE, static_cast<DWORD>(GetWindowLongA(Window(), GWL_EXSTYLE)));
    SetWindowPos(Window(), nullptr, 0, 0, w.right - w.left, w.bottom - w.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Static::PaintText(HDC dc, const RECT& client) {
    HBRUSH brush = ControlColor(dc, WM_CTLCOLORSTATIC);
    const DWORD style = Style();
    const DWORD t = Type();
    FontScope font(dc, Font());
    UINT format = DT_EXPANDTABS;
    if (t == SS_CENTER) format |= DT_CENTER;
    else if (t == SS_RIGHT) format |= DT_RIGHT;
    if (t == SS_SIMPLE) format |= DT_SINGLELINE | DT_NOCLIP;
    else if (t != SS_LEFTNOWORDWRAP) format |= DT_WORDBREAK;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    if ((style & SS_CENTERIMAGE) && t != SS_SIMPLE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    switch (style & SS_ELLIPSISMASK) {
        case SS_ENDELLIPSIS: format = (format & ~DT_WORDBREAK) | DT_END_ELLIPSIS | DT_SINGLELINE; break;
        case SS_PATHELLIPSIS: format = (format & ~DT_WORDBREAK) | DT_PATH_ELLIPSIS | DT_SINGLELINE; break;
        case SS_WORDELLIPSIS: format = (format & ~DT_WORDBREAK) | DT_WORD_ELLIPSIS | DT_SINGLELINE; break;
        default: break;
    }
    if (brush) FillRect(dc, &client, brush);
    std::string text = Text();
    if (text.empty()) return;
    RECT r = client;
    if (format & DT_VCENTER) r = MeasureControlText(dc, text, client, format);
    DrawControlText(dc, text, r, format & ~DT_VCENTER, IsWindowEnabled(Window()) != FALSE);
}

void Static::PaintImage(HDC dc, const RECT& client) {
    HBRUSH brush = ControlColor(dc, WM_CTLCOLORSTATIC);
    if (brush) FillRect(dc, &client, brush);
    if (!image_) return;
    SIZE s = ImageSize();
    int x = client.left, y = client.top;
    if (Style() & SS_CENTERIMAGE) {
        x = (client.left + client.right - s.cx) / 2;
        y = (client.top + client.bottom - s.cy) / 2;
    }
    if (imageType_ == IMAGE_ICON) {
        DrawIconEx(dc, x, y, static_cast<HICON>(image_), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, image_);
    BitBlt(dc, x, y, s.cx, s.cy, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void Static::PaintShape(HDC dc, const RECT& client) {
    RECT r = client;
    switch (Type()) {
        case SS_BLACKRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
        case SS_GRAYRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); break;
        case SS_WHITERECT: FillRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); break;
        case SS_BLACKFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
        case SS_GRAYFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); break;
        case SS_WHITEFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); break;
        case SS_ETCHEDHORZ: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); break;
        case SS_ETCHEDVERT: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); break;
        case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); break;
        case SS_OWNERDRAW: {
            HWND parent = Parent();
            if (!parent) break;
            ControlColor(dc, WM_CTLCOLORSTATIC);
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_STATIC;
            dis.CtlID = static_cast<UINT>(Id());
            dis.itemAction = ODA_DRAWENTIRE;
            if (!IsWindowEnabled(Window())) dis.itemState |= ODS_DISABLED;
            dis.hwndItem = Window();
            dis.hDC = dc;
            dis.rcItem = client;
            FontScope font(dc, Font());
            SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            break;
        }
        default: break;  // SS_USERITEM, SS_ENHMETAFILE: nothing of their own
    }
}

std::unique_ptr<Control> MakeStatic(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<Static>(hwnd, create);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Control::Dispatch(hwnd, msg, wParam, lParam, MakeStatic);
}

}  // namespace
}  // namespace user::controls

void RegisterStaticClass() {
    user::controls::RegisterControlClass("STATIC", user::controls::StaticProc, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace win32
