// The "msctls_statusbar32" class: parts given by their right edges (-1
// reaches the end of the bar, or the size grip where it shows), two pixels
// apart below a two-pixel top border, each sunken, raised or plain with its
// text; a simple part that replaces them all; and the size grip in the
// bottom-right corner.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/user/control_base.h"

namespace win32 {
namespace {

struct Part {
    int right = -1;
    std::string text;
    UINT type = 0;
    LPARAM data = 0;
};

class StatusBar final : public user::controls::Control {
public:
    StatusBar(HWND hwnd, const CREATESTRUCTA&) : Control(hwnd) {}

    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_CREATE: Place(); return 0;
            case WM_SIZE: Place(); return 0;
            case WM_PAINT:
            case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wParam));
            case WM_ERASEBKGND: return 1;
            case WM_SETFONT:
                SetFont(reinterpret_cast<HFONT>(wParam));
                if (lParam) InvalidateRect(Window(), nullptr, TRUE);
                return 0;
            case WM_GETFONT: return reinterpret_cast<LRESULT>(Font());
            case WM_SETTEXT: return SetText(0, lParam);
            case WM_GETTEXTLENGTH: return static_cast<LRESULT>(parts_[0].text.size());
            case WM_GETTEXT: {
                auto* out = reinterpret_cast<char*>(lParam);
                if (!out || wParam == 0) return 0;
                std::size_t n = std::min<std::size_t>(parts_[0].text.size(), wParam - 1);
                parts_[0].text.copy(out, n);
                out[n] = '\0';
                return static_cast<LRESULT>(n);
            }
            case WM_NCHITTEST: {
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                ScreenToClient(Window(), &p);
                RECT g = GripRect();
                if (GripShown() && PtInRect(&g, p)) return HTBOTTOMRIGHT;
                return Default(msg, wParam, lParam);
            }
            case WM_NCLBUTTONDOWN:
                // The grip sizes the parent, as the corner of its frame would.
                if (wParam == HTBOTTOMRIGHT && Parent()) return SendMessageA(Parent(), msg, wParam, lParam);
                return Default(msg, wParam, lParam);
            case SB_SETPARTS: {
                const int* rights = reinterpret_cast<const int*>(lParam);
                if (wParam == 0 || wParam > 256 || !rights) return FALSE;
                parts_.resize(wParam);
                for (std::size_t i = 0; i < wParam; ++i) parts_[i].right = rights[i];
                InvalidateRect(Window(), nullptr, TRUE);
                return TRUE;
            }
            case SB_GETPARTS: {
                auto* out = reinterpret_cast<int*>(lParam);
                for (std::size_t i = 0; out && i < parts_.size() && i < wParam; ++i) out[i] = parts_[i].right;
                return static_cast<LRESULT>(parts_.size());
            }
            case SB_SETTEXTA: {
                UINT index = LOBYTE(LOWORD(wParam));
                Part* p = PartAt(index);
                if (!p) return FALSE;
                p->type = static_cast<UINT>(wParam) & 0xFF00;
                if (p->type & SBT_OWNERDRAW) p->data = lParam;
                else p->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
                InvalidateRect(Window(), nullptr, TRUE);
                return TRUE;
            }
            case SB_GETTEXTA:
            case SB_GETTEXTLENGTHA: {
                Part* p = PartAt(static_cast<UINT>(wParam));
                if (!p) return 0;
                if (p->type & SBT_OWNERDRAW) return msg == SB_GETTEXTA ? p->data : 0;
                if (msg == SB_GETTEXTA && lParam) {
                    p->text.copy(reinterpret_cast<char*>(lParam), p->text.size());
                    reinterpret_cast<char*>(lParam)[p->text.size()] = '\0';
                }
                return MAKELONG(static_cast<WORD>(p->text.size()), static_cast<WORD>(p->type));
            }
            case SB_SIMPLE:
                simple_ = wParam != 0;
                InvalidateRect(Window(), nullptr, TRUE);
                return 0;
            case SB_ISSIMPLE: return simple_ ? TRUE : FALSE;
            case SB_SETMINHEIGHT:
                minHeight_ = static_cast<int>(wParam);
                return 0;
            case SB_GETRECT: {
                auto* out = reinterpret_cast<RECT*>(lParam);
                if (!out) return FALSE;
                if (simple_ || wParam == SB_SIMPLEID) {
                    *out = SimpleRect();
                    return TRUE;
                }
                if (wParam >= parts_.size()) return FALSE;
                *out = PartRect(static_cast<int>(wParam));
                return TRUE;
            }
            default: return Default(msg, wParam, lParam);
        }
    }

private:
    Part* PartAt(UINT index) {
        if (index == SB_SIMPLEID) return &simplePart_;
        return index < parts_.size() ? &parts_[index] : nullptr;
    }

    RECT Client() const {
        RECT r{};
        GetClientRect(Window(), &r);
        return r;
    }
    // Where a part that reaches the end of the bar stops: short of the grip.
    int EndOfParts() const { return Client().right - (GripShown() ? GetSystemMetrics(SM_CXVSCROLL) : 0); }
    RECT SimpleRect() const {
        RECT r = Client();
        r.top = 2;
        r.right = EndOfParts();
        return r;
    }
    RECT PartRect(int i) const {
        RECT r = Client();
        r.top = 2;
        int end = EndOfParts();
        r.left = i == 0 ? 0 : (parts_[i - 1].right < 0 ? end : parts_[i - 1].right + 2);
        r.right = parts_[i].right >= 0 ? parts_[i].right : end;
        return r;
    }
    bool GripShown() const {
        HWND parent = Parent();
        return (Style() & SBARS_SIZEGRIP) && !(parent && IsZoomed(parent));
    }
    RECT GripRect() const {
        RECT c = Client();
        return RECT{c.right - GetSystemMetrics(SM_CXVSCROLL), c.bottom - GetSystemMetrics(SM_CYHSCROLL), c.right, c.bottom};
    }
    HFONT TextFont() const { return Font() ? Font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

    // Along the parent's top or bottom at the parent's width, tall enough
    // for a line of text, unless told to keep its own size and place.
    void Place() {
        DWORD s = Style();
        HWND parent = Parent();
        if ((s & CCS_NORESIZE) || !parent || placing_) return;
        RECT pc{};
        GetClientRect(parent, &pc);
        HDC dc = GetDC(Window());
        int h = 0;
        {
            user::controls::FontScope scope(dc, TextFont());
            TEXTMETRICA tm{};
            GetTextMetricsA(dc, &tm);
            h = tm.tmHeight + 7;
        }
        ReleaseDC(Window(), dc);
        h = std::max(h, minHeight_);
        RECT wr{};
        GetWindowRect(Window(), &wr);
        POINT at{wr.left, wr.top};
        ScreenToClient(parent, &at);
        int y = (s & CCS_NOPARENTALIGN) ? at.y : ((s & CCS_BOTTOM) == CCS_TOP ? 0 : pc.bottom - h);
        placing_ = true;
        SetWindowPos(Window(), nullptr, 0, y, pc.right, h, SWP_NOZORDER | SWP_NOACTIVATE);
        placing_ = false;
    }

    void DrawPart(HDC dc, RECT r, const Part& p, int index) {
        if (!(p.type & SBT_NOBORDERS)) {
            RECT frame = r;
            DrawEdge(dc, &frame, (p.type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        }
        if (p.type & SBT_OWNERDRAW) {
            // The parent draws inside the border, which stays.
            if (!(p.type & SBT_NOBORDERS)) InflateRect(&r, -1, -1);
            DRAWITEMSTRUCT di{};
            di.CtlID = static_cast<UINT>(Id());
            di.itemID = static_cast<UINT>(index);
            di.hwndItem = Window();
            di.hDC = dc;
            di.rcItem = r;
            di.itemData = static_cast<ULONG_PTR>(p.data);
            int saved = SaveDC(dc);
            SendMessageA(Parent(), WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
            RestoreDC(dc, saved);
            return;
        }
        // A tab before the text centres it, two put it at the right.
        std::string text = p.text;
        UINT align = DT_LEFT;
        if (text.rfind("\t\t", 0) == 0) {
            align = DT_RIGHT;
            text.erase(0, 2);
        } else if (text.rfind('\t', 0) == 0) {
            align = DT_CENTER;
            text.erase(0, 1);
        }
        InflateRect(&r, -2, -1);
        DrawTextA(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
    }

    LRESULT OnPaint(HDC given) {
        PAINTSTRUCT ps{};
        HDC dc = given ? given : BeginPaint(Window(), &ps);
        RECT c = Client();
        FillRect(dc, &c, GetSysColorBrush(COLOR_BTNFACE));
        user::controls::FontScope scope(dc, TextFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        if (simple_) {
            DrawPart(dc, SimpleRect(), simplePart_, SB_SIMPLEID);
        } else {
            for (std::size_t i = 0; i < parts_.size(); ++i) DrawPart(dc, PartRect(static_cast<int>(i)), parts_[i], static_cast<int>(i));
        }
        if (GripShown()) {
            RECT g = GripRect();
            DrawFrameControl(dc, &g, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        }
        if (!given) EndPaint(Window(), &ps);
        return 0;
    }

    LRESULT SetText(UINT index, LPARAM text) {
        Part* p = PartAt(index);
        if (!p) return FALSE;
        p->text = text ? reinterpret_cast<const char*>(text) : "";
        InvalidateRect(Window(), nullptr, TRUE);
        return TRUE;
    }

    std::vector<Part> parts_{Part{}};
    Part simplePart_;
    bool simple_ = false;
    bool placing_ = false;
    int minHeight_ = 0;
};

std::unique_ptr<user::controls::Control> MakeStatusBar(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<StatusBar>(hwnd, create);
}

LRESULT CALLBACK StatusBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return user::controls::Control::Dispatch(hwnd, msg, wParam, lParam, MakeStatusBar);
}

}  // namespace

void RegisterStatusBarClass() {
    user::controls::RegisterControlClass(STATUSCLASSNAMEA, StatusBarProc, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace win32
