// The "msctls_updown32" class: two arrow halves, drawn as the classic
// scroll arrows, that step a position within a range. A press steps once
// at once and, held, again after a delay and then at a steady rate, with
// the increments of the acceleration table growing as the hold goes on.
// With UDS_ARROWKEYS the buddy's window procedure is wrapped, so the Up
// and Down keys typed into the buddy step the position too.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/kernel/winbase.h"
#include "platform/user/control_base.h"

namespace win32 {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelay = 500;  // before a held arrow repeats
constexpr UINT kRepeatDelay = 100;

enum class Half { None, Up, Down };

// Where a wrapped buddy keeps its own procedure and its up-down control.
constexpr char kBuddyProcProp[] = "msctls_updown32.BuddyProc";
constexpr char kBuddyOwnerProp[] = "msctls_updown32.Owner";

LRESULT CALLBACK BuddyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class UpDown final : public user::controls::Control {
public:
    UpDown(HWND hwnd, const CREATESTRUCTA&) : Control(hwnd) {}

    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_CREATE:
                if (Style() & UDS_AUTOBUDDY) SetBuddy(GetWindow(Window(), GW_HWNDPREV));
                return 0;
            case WM_DESTROY:
                ReleaseBuddy();
                return Default(msg, wParam, lParam);
            case WM_PAINT:
            case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wParam));
            case WM_ERASEBKGND: return 1;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: return OnButtonDown(PointOf(lParam));
            case WM_MOUSEMOVE: return OnMouseMove(PointOf(lParam));
            case WM_LBUTTONUP: Stop(); return 0;
            case WM_CAPTURECHANGED:
                if (reinterpret_cast<HWND>(lParam) != Window()) Stop();
                return 0;
            case WM_TIMER: return OnTimer(wParam);
            case WM_KEYDOWN: return OnKeyDown(wParam);
            case WM_GETDLGCODE: return (Style() & UDS_ARROWKEYS) ? DLGC_WANTARROWS : 0;
            case WM_ENABLE:
                if (!wParam) Stop();
                InvalidateRect(Window(), nullptr, FALSE);
                return 0;
            case UDM_SETRANGE: return SetRange(static_cast<short>(HIWORD(lParam)), static_cast<short>(LOWORD(lParam)));
            case UDM_GETRANGE:
                return MAKELONG(static_cast<WORD>(static_cast<short>(upper_)), static_cast<WORD>(static_cast<short>(lower_)));
            case UDM_SETRANGE32: return SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
            case UDM_GETRANGE32:
                if (wParam) *reinterpret_cast<int*>(wParam) = lower_;
                if (lParam) *reinterpret_cast<int*>(lParam) = upper_;
                return 0;
            case UDM_SETPOS: return SetPos(static_cast<short>(LOWORD(lParam)));
            case UDM_GETPOS: {
                bool error = !ReadBuddy();
                return MAKELONG(static_cast<WORD>(static_cast<short>(pos_)), error ? 1 : 0);
            }
            case UDM_SETPOS32: return SetPos(static_cast<int>(lParam));
            case UDM_GETPOS32: {
                bool ok = ReadBuddy();
                if (lParam) *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
                return pos_;
            }
            case UDM_SETBUDDY: return SetBuddy(reinterpret_cast<HWND>(wParam));
            case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(buddy_);
            case UDM_SETACCEL: return SetAccel(static_cast<UINT>(wParam), reinterpret_cast<const UDACCEL*>(lParam));
            case UDM_GETACCEL: {
                auto* out = reinterpret_cast<UDACCEL*>(lParam);
                for (std::size_t i = 0; out && i < accel_.size() && i < wParam; ++i) out[i] = accel_[i];
                return static_cast<LRESULT>(accel_.size());
            }
            case UDM_SETBASE: {
                if (wParam != 10 && wParam != 16) return 0;
                int old = base_;
                base_ = static_cast<int>(wParam);
                ShowInBuddy();
                return old;
            }
            case UDM_GETBASE: return base_;
            default: return Default(msg, wParam, lParam);
        }
    }

    // A key in the wrapped buddy: true when it was one of the arrows.
    bool BuddyKey(UINT msg, WPARAM key) {
        if (key != VK_UP && key != VK_DOWN) return false;
        Half h = key == VK_UP ? Half::Up : Half::Down;
        if (msg == WM_KEYUP) {
            if (keyHeld_ != Half::None) {
                keyHeld_ = Half::None;
                InvalidateRect(Window(), nullptr, FALSE);
                SendScroll(SB_ENDSCROLL);
            }
            return true;
        }
        if (!IsWindowEnabled(Window())) return true;
        if (keyHeld_ != h) {
            keyHeld_ = h;
            InvalidateRect(Window(), nullptr, FALSE);
        }
        Step(h, accel_.empty() ? 1 : accel_[0].nInc);
        return true;
    }

    // The buddy's window goes: it is no longer ours to wrap or to write to.
    void BuddyGone() {
        buddy_ = nullptr;
        keyHeld_ = Half::None;
    }

private:
    static POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }
    bool Horizontal() const { return (Style() & UDS_HORZ) != 0; }

    RECT HalfRect(Half half) const {
        RECT r;
        GetClientRect(Window(), &r);
        if (Horizontal()) {
            // Left arrow steps down, right arrow up.
            int mid = r.right / 2;
            if (half == Half::Down) r.right = mid;
            else r.left = mid;
        } else {
            int mid = r.bottom / 2;
            if (half == Half::Up) r.bottom = mid;
            else r.top = mid;
        }
        return r;
    }

    Half HalfAt(POINT pt) const {
        for (Half h : {Half::Up, Half::Down}) {
            RECT r = HalfRect(h);
            if (PtInRect(&r, pt)) return h;
        }
        return Half::None;
    }

    LRESULT OnPaint(HDC given) {
        PAINTSTRUCT ps{};
        HDC dc = given ? given : BeginPaint(Window(), &ps);
        const bool enabled = IsWindowEnabled(Window()) != FALSE;
        for (Half h : {Half::Up, Half::Down}) {
            RECT r = HalfRect(h);
            const bool pushed = (pressed_ == h && inside_) || keyHeld_ == h;
            DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
            // The arrows keep the classic 5 x 3 glyph however flat the
            // halves are (the scroll-bar arrow would shrink to a dot).
            const int shift = pushed ? 1 : 0;
            if (enabled) {
                DrawArrow(dc, r, h, shift, GetSysColorBrush(COLOR_BTNTEXT));
            } else {
                DrawArrow(dc, r, h, 1, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
                DrawArrow(dc, r, h, 0, GetSysColorBrush(COLOR_BTNSHADOW));
            }
        }
        if (!given) EndPaint(Window(), &ps);
        return 0;
    }

    void DrawArrow(HDC dc, const RECT& r, Half h, int shift, HBRUSH brush) const {
        const int base = std::max(1, std::min({5, static_cast<int>(r.right - r.left) - 6, static_cast<int>(r.bottom - r.top) - 2}) | 1);
        const int depth = (base + 1) / 2;
        const bool horizontal = Horizontal();
        const int w = horizontal ? depth : base, hgt = horizontal ? base : depth;
        const int x0 = r.left + (r.right - r.left - w) / 2 + shift;
        const int y0 = r.top + (r.bottom - r.top - hgt) / 2 + shift;
        for (int i = 0; i < depth; ++i) {
            const int len = base - 2 * i;
            RECT run;
            if (!horizontal) {
                const int y = h == Half::Up ? y0 + depth - 1 - i : y0 + i;
                run = RECT{x0 + i, y, x0 + i + len, y + 1};
            } else {
                const int x = h == Half::Up ? x0 + i : x0 + depth - 1 - i;
                run = RECT{x, y0 + i, x + 1, y0 + i + len};
            }
            FillRect(dc, &run, brush);
        }
    }

    // +1 or -1: the up (right) arrow moves toward the upper end of the
    // range, which for a reversed range is the smaller number.
    int Direction(Half h) const {
        int d = h == Half::Up ? 1 : -1;
        return lower_ > upper_ ? -d : d;
    }

    LRESULT OnButtonDown(POINT pt) {
        if (!IsWindowEnabled(Window())) return 0;
        Half h = HalfAt(pt);
        if (h == Half::None) return 0;
        if (buddy_ && IsWindow(buddy_) && GetFocus() != buddy_) SetFocus(buddy_);
        pressed_ = h;
        inside_ = true;
        heldSince_ = GetTickCount();
        SetCapture(Window());
        InvalidateRect(Window(), nullptr, FALSE);
        Step(h, CurrentIncrement());
        if (!Alive() || pressed_ == Half::None) return 0;
        SetTimer(Window(), kRepeatTimer, kFirstDelay, nullptr);
        return 0;
    }

    LRESULT OnMouseMove(POINT pt) {
        if (pressed_ == Half::None) return 0;
        RECT r = HalfRect(pressed_);
        bool inside = PtInRect(&r, pt) != FALSE;
        if (inside != inside_) {
            inside_ = inside;
            InvalidateRect(Window(), nullptr, FALSE);
        }
        return 0;
    }

    LRESULT OnTimer(WPARAM id) {
        if (id != kRepeatTimer) return Default(WM_TIMER, id, 0);
        if (pressed_ == Half::None) {
            KillTimer(Window(), kRepeatTimer);
            return 0;
        }
        SetTimer(Window(), kRepeatTimer, kRepeatDelay, nullptr);
        // Held outside the arrow, the repeat waits for the pointer's return.
        if (inside_) Step(pressed_, CurrentIncrement());
        return 0;
    }

    LRESULT OnKeyDown(WPARAM key) {
        if (!(Style() & UDS_ARROWKEYS)) return 0;
        if (key == VK_UP || (Horizontal() && key == VK_RIGHT)) Step(Half::Up, accel_.empty() ? 1 : accel_[0].nInc);
        if (key == VK_DOWN || (Horizontal() && key == VK_LEFT)) Step(Half::Down, accel_.empty() ? 1 : accel_[0].nInc);
        return 0;
    }

    UINT CurrentIncrement() const {
        UINT held = (GetTickCount() - heldSince_) / 1000;
        UINT inc = 1;
        for (const UDACCEL& a : accel_) {
            if (a.nSec <= held) inc = a.nInc;
        }
        return inc;
    }

    void Stop() {
        bool was = pressed_ != Half::None;
        pressed_ = Half::None;
        inside_ = false;
        KillTimer(Window(), kRepeatTimer);
        if (GetCapture() == Window()) ReleaseCapture();
        if (!was || !Alive()) return;
        InvalidateRect(Window(), nullptr, FALSE);
        SendScroll(SB_ENDSCROLL);
    }

    void Step(Half h, UINT increment) {
        ReadBuddy();
        int delta = Direction(h) * static_cast<int>(increment);
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = Window();
        nm.hdr.idFrom = static_cast<UINT_PTR>(Id());
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = pos_;
        nm.iDelta = delta;
        HWND parent = Parent();
        if (parent && SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&nm))) {
            return;  // the parent refused the step
        }
        if (!Alive()) return;
        delta = nm.iDelta;
        const int lo = std::min(lower_, upper_);
        const int hi = std::max(lower_, upper_);
        long long next = static_cast<long long>(pos_) + delta;
        if (next > hi || next < lo) {
            if ((Style() & UDS_WRAP) && hi > lo) next = next > hi ? lo : hi;
            else next = std::clamp<long long>(next, lo, hi);
        }
        if (static_cast<int>(next) == pos_) return;
        pos_ = static_cast<int>(next);
        ShowInBuddy();
        InvalidateRect(Window(), nullptr, FALSE);
        SendScroll(SB_THUMBPOSITION);
    }

    void SendScroll(WORD code) {
        HWND parent = Parent();
        if (!parent) return;
        WPARAM w = MAKEWPARAM(code, static_cast<WORD>(static_cast<short>(pos_)));
        SendMessageA(parent, Horizontal() ? WM_HSCROLL : WM_VSCROLL, w, reinterpret_cast<LPARAM>(Window()));
    }

    LRESULT SetRange(int lower, int upper) {
        lower_ = lower;
        upper_ = upper;
        InvalidateRect(Window(), nullptr, FALSE);
        return 0;
    }

    LRESULT SetPos(int pos) {
        int old = pos_;
        pos_ = std::clamp(pos, std::min(lower_, upper_), std::max(lower_, upper_));
        ShowInBuddy();
        InvalidateRect(Window(), nullptr, FALSE);
        return old;
    }

    LRESULT SetAccel(UINT count, const UDACCEL* accel) {
        if (!accel || count == 0) return FALSE;
        accel_.assign(accel, accel + count);
        std::sort(accel_.begin(), accel_.end(), [](const UDACCEL& a, const UDACCEL& b) { return a.nSec < b.nSec; });
        return TRUE;
    }

    LRESULT SetBuddy(HWND buddy) {
        HWND old = buddy_;
        ReleaseBuddy();
        buddy_ = buddy && IsWindow(buddy) ? buddy : nullptr;
        if (buddy_ && (Style() & UDS_ARROWKEYS)) WrapBuddy();
        if (buddy_ && (Style() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) AlignToBuddy();
        ShowInBuddy();
        return reinterpret_cast<LRESULT>(old);
    }

    void WrapBuddy() {
        if (GetPropA(buddy_, kBuddyOwnerProp)) return;  // another up-down's already
        auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(buddy_, GWLP_WNDPROC));
        if (!old || old == BuddyProc) return;
        SetPropA(buddy_, kBuddyProcProp, reinterpret_cast<HANDLE>(old));
        SetPropA(buddy_, kBuddyOwnerProp, Window());
        SetWindowLongPtrA(buddy_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BuddyProc));
    }

    // Gives the buddy its own procedure back, unless someone has wrapped
    // it again since; then the wrapper only stops stepping.
    void ReleaseBuddy() {
        keyHeld_ = Half::None;
        if (!buddy_ || !IsWindow(buddy_) || GetPropA(buddy_, kBuddyOwnerProp) != Window()) return;
        RemovePropA(buddy_, kBuddyOwnerProp);
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(buddy_, GWLP_WNDPROC)) != BuddyProc) return;
        auto old = reinterpret_cast<WNDPROC>(RemovePropA(buddy_, kBuddyProcProp));
        if (old) SetWindowLongPtrA(buddy_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    }

    // Stands beside the buddy, as tall as it, taking the room from its width.
    void AlignToBuddy() {
        HWND parent = Parent();
        RECT b;
        GetWindowRect(buddy_, &b);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&b), 2);
        RECT me;
        GetWindowRect(Window(), &me);
        int width = me.right - me.left;
        if (width <= 0 || width >= b.right - b.left) width = GetSystemMetrics(SM_CXVSCROLL);
        int x;
        if (Style() & UDS_ALIGNRIGHT) {
            x = b.right - width;
            SetWindowPos(buddy_, nullptr, b.left, b.top, b.right - b.left - width, b.bottom - b.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            x = b.left;
            SetWindowPos(buddy_, nullptr, b.left + width, b.top, b.right - b.left - width, b.bottom - b.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SetWindowPos(Window(), nullptr, x, b.top, width, b.bottom - b.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void ShowInBuddy() {
        if (!(Style() & UDS_SETBUDDYINT) || !buddy_ || !IsWindow(buddy_)) return;
        SetWindowTextA(buddy_, Format(pos_).c_str());
    }

    std::string Format(int value) const {
        if (base_ == 16) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(value));
            return buf;
        }
        const std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
        const bool groups = !(Style() & UDS_NOTHOUSANDS);
        std::string out = value < 0 ? "-" : "";
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (groups && i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
            out.push_back(digits[i]);
        }
        return out;
    }

    // Takes the buddy's number as the position; false when there is a buddy
    // whose text is no number.
    bool ReadBuddy() {
        if (!(Style() & UDS_SETBUDDYINT) || !buddy_ || !IsWindow(buddy_)) return true;
        char buf[64] = {};
        GetWindowTextA(buddy_, buf, sizeof buf);
        std::string text;
        for (const char* p = buf; *p; ++p) {
            if (*p != ',') text += *p;
        }
        if (text.empty()) return false;
        char* end = nullptr;
        long long v = std::strtoll(text.c_str(), &end, base_ == 16 ? 16 : 10);
        if (end == nullptr || *end != '\0') return false;
        pos_ = static_cast<int>(std::clamp<long long>(v, std::min(lower_, upper_), std::max(lower_, upper_)));
        return true;
    }

    // The control's default range runs from 100 at the bottom to 0 at the top.
    int lower_ = 100;
    int upper_ = 0;
    int pos_ = 0;
    int base_ = 10;
    HWND buddy_ = nullptr;
    std::vector<UDACCEL> accel_{{0, 1}, {2, 5}, {5, 20}};
    Half pressed_ = Half::None;
    Half keyHeld_ = Half::None;  // an arrow key held in the buddy
    bool inside_ = false;
    DWORD heldSince_ = 0;
};

LRESULT CALLBACK BuddyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto own = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kBuddyProcProp));
    auto* owner = reinterpret_cast<HWND>(GetPropA(hwnd, kBuddyOwnerProp));
    auto* upDown = owner ? dynamic_cast<UpDown*>(user::controls::Control::FromWindow(owner)) : nullptr;
    if ((msg == WM_KEYDOWN || msg == WM_KEYUP) && upDown && upDown->BuddyKey(msg, wParam)) return 0;
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kBuddyProcProp);
        RemovePropA(hwnd, kBuddyOwnerProp);
        if (own) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        if (upDown) upDown->BuddyGone();
    }
    return own ? CallWindowProcA(own, hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::unique_ptr<user::controls::Control> MakeUpDown(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<UpDown>(hwnd, create);
}

LRESULT CALLBACK UpDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return user::controls::Control::Dispatch(hwnd, msg, wParam, lParam, MakeUpDown);
}

}  // namespace

void RegisterUpDownClass() { user::controls::RegisterControlClass(UPDOWN_CLASSA, UpDownProc, 0, IDC_ARROW); }

HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id, HINSTANCE instance,
                         HWND buddy, int upper, int lower, int pos) {
    HWND h = CreateWindowExA(0, UPDOWN_CLASSA, "", style, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!h) return nullptr;
    SendMessageA(h, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
    SendMessageA(h, UDM_SETPOS32, 0, pos);
    if (buddy) SendMessageA(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    return h;
}

}  // namespace win32
