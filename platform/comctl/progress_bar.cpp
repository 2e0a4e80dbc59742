// The "msctls_progress32" class: a position within a range shown as a
// well that fills along the bar, in blocks two thirds as long as the bar
// is thick with two pixels between them, or as one smooth bar. The well
// has the thin sunken border of the classic look and a pixel of the
// background between the border and the bar.
#include <algorithm>
#include <utility>

#include "platform/comctl/commctrl.h"
#include "platform/user/control_base.h"

namespace win32 {
namespace {

constexpr int kBlockGap = 2;

// A brush of a colour set by message; CLR_DEFAULT takes the system's.
struct ColorBrush {
    ColorBrush(COLORREF color, int sysColor)
        : owned(color != CLR_DEFAULT), brush(owned ? CreateSolidBrush(color) : GetSysColorBrush(sysColor)) {}
    ~ColorBrush() {
        if (owned) DeleteObject(brush);
    }
    ColorBrush(const ColorBrush&) = delete;
    ColorBrush& operator=(const ColorBrush&) = delete;
    bool owned;
    HBRUSH brush;
};

class ProgressBar final : public user::controls::Control {
public:
    ProgressBar(HWND hwnd, const CREATESTRUCTA&) : Control(hwnd) {
        LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
        SetWindowLongA(hwnd, GWL_EXSTYLE, ex | static_cast<LONG>(WS_EX_STATICEDGE));
    }

    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_PAINT:
            case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wParam));
            case WM_ERASEBKGND: return 1;
            case PBM_SETRANGE: return SetRange(LOWORD(lParam), HIWORD(lParam));
            case PBM_SETRANGE32: return SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
            case PBM_GETRANGE: return GetRange(wParam != 0, reinterpret_cast<PBRANGE*>(lParam));
            case PBM_SETPOS: return SetPos(static_cast<int>(wParam));
            case PBM_DELTAPOS: return SetPos(static_cast<long long>(pos_) + static_cast<int>(wParam));
            case PBM_SETSTEP: return std::exchange(step_, static_cast<int>(wParam));
            case PBM_STEPIT: return StepIt();
            case PBM_GETPOS: return pos_;
            case PBM_SETBARCOLOR: return SetColor(bar_, static_cast<COLORREF>(lParam));
            case PBM_SETBKCOLOR: return SetColor(back_, static_cast<COLORREF>(lParam));
            case PBM_GETBARCOLOR: return static_cast<LRESULT>(bar_);
            case PBM_GETBKCOLOR: return static_cast<LRESULT>(back_);
            default: return Default(msg, wParam, lParam);
        }
    }

private:
    // The range may run either way; positions stay between its ends.
    int Lowest() const { return std::min(low_, high_); }
    int Highest() const { return std::max(low_, high_); }

    // The previous range, packed as PBM_SETRANGE packs it.
    LRESULT SetRange(int low, int high) {
        LRESULT previous = MAKELONG(static_cast<WORD>(low_), static_cast<WORD>(high_));
        low_ = low;
        high_ = high;
        SetPos(pos_);
        InvalidateRect(Window(), nullptr, TRUE);
        return previous;
    }

    LRESULT GetRange(bool lowEnd, PBRANGE* out) const {
        if (out) *out = PBRANGE{low_, high_};
        return lowEnd ? low_ : high_;
    }

    LRESULT SetPos(long long pos) {
        int previous = pos_;
        pos_ = static_cast<int>(std::clamp<long long>(pos, Lowest(), Highest()));
        if (pos_ != previous) InvalidateRect(Window(), nullptr, TRUE);
        return previous;
    }

    // A step past an end starts again from the other.
    LRESULT StepIt() {
        long long next = static_cast<long long>(pos_) + step_;
        long long lo = Lowest(), hi = Highest(), span = hi - lo;
        if (span == 0) next = lo;
        else if (next > hi) next = lo + (next - lo) % span;
        else if (next < lo) next = hi - (lo - next) % span;
        return SetPos(next);
    }

    LRESULT SetColor(COLORREF& slot, COLORREF color) {
        COLORREF previous = std::exchange(slot, color);
        InvalidateRect(Window(), nullptr, TRUE);
        return static_cast<LRESULT>(previous);
    }

    // How far along the well the bar reaches, in pixels out of `length`.
    int Filled(int length) const {
        long long span = static_cast<long long>(high_) - low_;
        if (span == 0 || length <= 0) return 0;
        long long done = static_cast<long long>(pos_) - low_;
        return static_cast<int>(std::clamp<long long>(length * done / span, 0, length));
    }

    void PaintBar(HDC dc, const RECT& well, HBRUSH brush) {
        bool vertical = (Style() & PBS_VERTICAL) != 0;
        int length = vertical ? well.bottom - well.top : well.right - well.left;
        int thickness = vertical ? well.right - well.left : well.bottom - well.top;
        int filled = Filled(length);
        if (filled <= 0) return;
        // Blocks: every block that starts within the filled part, whole
        // except where the well ends.
        bool smooth = (Style() & PBS_SMOOTH) != 0;
        int block = smooth ? filled : std::max(2, thickness * 2 / 3);
        int gap = smooth ? 0 : kBlockGap;
        for (int at = 0; at < filled; at += block + gap) {
            int end = std::min(at + block, length);
            RECT r = vertical ? RECT{well.left, well.bottom - end, well.right, well.bottom - at}
                              : RECT{well.left + at, well.top, well.left + end, well.bottom};
            FillRect(dc, &r, brush);
        }
    }

    LRESULT OnPaint(HDC given) {
        PAINTSTRUCT ps{};
        HDC dc = given ? given : BeginPaint(Window(), &ps);
        RECT c{};
        GetClientRect(Window(), &c);
        ColorBrush back(back_, COLOR_BTNFACE);
        FillRect(dc, &c, back.brush);
        RECT well = c;
        InflateRect(&well, -1, -1);
        ColorBrush bar(bar_, COLOR_HIGHLIGHT);
        PaintBar(dc, well, bar.brush);
        if (!given) EndPaint(Window(), &ps);
        return 0;
    }

    int low_ = 0;
    int high_ = 100;
    int pos_ = 0;
    int step_ = 10;
    COLORREF bar_ = CLR_DEFAULT;
    COLORREF back_ = CLR_DEFAULT;
};

std::unique_ptr<user::controls::Control> MakeProgressBar(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<ProgressBar>(hwnd, create);
}

LRESULT CALLBACK ProgressBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return user::controls::Control::Dispatch(hwnd, msg, wParam, lParam, MakeProgressBar);
}

}  // namespace

void RegisterProgressBarClass() {
    user::controls::RegisterControlClass(PROGRESS_CLASSA, ProgressBarProc, CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
}

}  // namespace win32
