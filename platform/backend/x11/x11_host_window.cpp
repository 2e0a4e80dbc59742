#include "platform/backend/x11/x11_host_window.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace win32::backend::x11 {
namespace {

constexpr long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask |
                            FocusChangeMask | PropertyChangeMask;

// X has no empty windows: a host of no width or height is one pixel.
unsigned XExtent(LONG extent) { return extent > 0 ? static_cast<unsigned>(extent) : 1u; }

}  // namespace

HostWindow::HostWindow(const Connection& x, HostId id, const HostParams& params, Window ownerWindow, Cursor cursor)
    : x_(x), id_(id), kind_(params.kind), parent_(x.root), bounds_(params.bounds),
      image_(x.image, params.bounds.right - params.bounds.left, params.bounds.bottom - params.bounds.top) {
    Display* d = x_.display;
    XSetWindowAttributes attrs{};
    attrs.background_pixmap = None;          // no clearing before our pixels arrive
    attrs.bit_gravity = NorthWestGravity;    // a resize keeps the pixels in place
    attrs.border_pixel = 0;
    attrs.event_mask = kEventMask;
    attrs.cursor = cursor;
    attrs.override_redirect = kind_ == HostKind::Popup ? True : False;
    attrs.save_under = kind_ == HostKind::Popup ? True : False;
    unsigned long mask = CWBackPixmap | CWBitGravity | CWBorderPixel | CWEventMask | CWCursor | CWOverrideRedirect |
                         CWSaveUnder;
    window_ = XCreateWindow(d, x_.root, bounds_.left, bounds_.top, XExtent(bounds_.right - bounds_.left),
                            XExtent(bounds_.bottom - bounds_.top), 0, CopyFromParent, InputOutput, CopyFromParent,
                            mask, &attrs);

    XClassHint classHint{const_cast<char*>(kProgramClass), const_cast<char*>(kProgramClass)};
    XSetClassHint(d, window_, &classHint);

    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = kind_ == HostKind::Popup ? False : True;
    hints.initial_state = NormalState;
    XSetWMHints(d, window_, &hints);

    Atom protocols[] = {x_.atoms.wmDeleteWindow, x_.atoms.netWmPing};
    XSetWMProtocols(d, window_, protocols, 2);

    long pid = static_cast<long>(getpid());
    XChangeProperty(d, window_, x_.atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pid), 1);
    char host[256] = {0};
    if (gethostname(host, sizeof host - 1) == 0) {
        char* list[] = {host};
        XTextProperty machine{};
        if (XStringListToTextProperty(list, 1, &machine)) {
            XSetWMClientMachine(d, window_, &machine);
            XFree(machine.value);
        }
    }

    // Our window system draws every frame and caption itself, so the
    // window manager is asked for none (the Motif hints all of them read).
    long motif[5] = {2 /* decorations field is valid */, 0, 0 /* no decorations */, 0, 0};
    XChangeProperty(d, window_, x_.atoms.motifWmHints, x_.atoms.motifWmHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(motif), 5);

    Atom type = x_.atoms.netWmWindowTypeNormal;
    if (kind_ == HostKind::Popup) type = x_.atoms.netWmWindowTypePopupMenu;
    else if (kind_ == HostKind::Tool) type = x_.atoms.netWmWindowTypeUtility;
    else if (ownerWindow != None) type = x_.atoms.netWmWindowTypeDialog;
    XChangeProperty(d, window_, x_.atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&type), 1);

    if (ownerWindow != None && kind_ != HostKind::Popup) XSetTransientForHint(d, window_, ownerWindow);
    // Owned windows stay out of the task bar, as on Windows.
    SetWindowState(params.topmost, ownerWindow != None || kind_ == HostKind::Tool);
    SetSizeHints();
    SetTitle(params.title);
}

HostWindow::~HostWindow() {
    if (window_ != None) XDestroyWindow(x_.display, window_);
}

void HostWindow::SetWindowState(bool topmost, bool skipTaskbar) {
    std::vector<Atom> state;
    if (topmost) state.push_back(x_.atoms.netWmStateAbove);
    if (skipTaskbar) state.push_back(x_.atoms.netWmStateSkipTaskbar);
    XChangeProperty(x_.display, window_, x_.atoms.netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(state.data()), static_cast<int>(state.size()));
}

void HostWindow::SetSizeHints() {
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    // Positions are ours to choose, as a Win32 program's are.
    hints->flags = USPosition | USSize | PPosition | PSize | PWinGravity;
    hints->x = bounds_.left;
    hints->y = bounds_.top;
    hints->width = static_cast<int>(XExtent(bounds_.right - bounds_.left));
    hints->height = static_cast<int>(XExtent(bounds_.bottom - bounds_.top));
    hints->win_gravity = StaticGravity;
    XSetWMNormalHints(x_.display, window_, hints);
    XFree(hints);
}

void HostWindow::SetBounds(const RECT& bounds) {
    if (bounds == bounds_) return;
    bounds_ = bounds;
    image_.Resize(bounds.right - bounds.left, bounds.bottom - bounds.top);
    configureSerial_ = NextRequest(x_.display);
    XMoveResizeWindow(x_.display, window_, bounds.left, bounds.top, XExtent(bounds.right - bounds.left),
                      XExtent(bounds.bottom - bounds.top));
    SetSizeHints();
}

void HostWindow::Show(bool visible) {
    if (visible && iconic_) {
        // Mapping an iconic window is how ICCCM restores it.
        iconic_ = false;
        stateSerial_ = NextRequest(x_.display);
        XMapRaised(x_.display, window_);
        return;
    }
    if (visible == visible_) return;
    visible_ = visible;
    iconic_ = false;
    if (visible) {
        SetSizeHints();
        XMapRaised(x_.display, window_);
    } else if (kind_ == HostKind::Popup) {
        XUnmapWindow(x_.display, window_);
    } else {
        XWithdrawWindow(x_.display, window_, x_.screen);
    }
}

void HostWindow::Minimize(bool windowManagerRunning) {
    if (!visible_ || iconic_) return;
    iconic_ = true;  // set first, so the window manager's echo is no news
    stateSerial_ = NextRequest(x_.display);
    if (windowManagerRunning) XIconifyWindow(x_.display, window_, x_.screen);
    else XUnmapWindow(x_.display, window_);
}

HostWindow::StateChange HostWindow::TakeWmState(unsigned long serial) {
    // A change made before our latest request tells of a state we left.
    if (serial < stateSerial_) return StateChange::Unchanged;
    PropertyData data;
    if (!ReadProperty(x_.display, window_, x_.atoms.wmState, false, data) || data.format != 32 || data.items < 1)
        return StateChange::Unchanged;
    long state = *reinterpret_cast<const long*>(data.bytes.data());
    if (state == IconicState && !iconic_ && visible_) {
        iconic_ = true;
        return StateChange::Minimized;
    }
    if (state == NormalState && iconic_) {
        iconic_ = false;
        return StateChange::Restored;
    }
    return StateChange::Unchanged;
}

void HostWindow::SetTitle(const std::string& title) {
    Display* d = x_.display;
    auto bytes = reinterpret_cast<const unsigned char*>(title.data());
    int length = static_cast<int>(title.size());
    XChangeProperty(d, window_, x_.atoms.netWmName, x_.atoms.utf8String, 8, PropModeReplace, bytes, length);
    XChangeProperty(d, window_, x_.atoms.netWmIconName, x_.atoms.utf8String, 8, PropModeReplace, bytes, length);
    // Older readers get WM_NAME, as STRING when Latin-1 holds the title and
    // as COMPOUND_TEXT otherwise.
    char* list[] = {const_cast<char*>(title.c_str())};
    XTextProperty text{};
    if (Xutf8TextListToTextProperty(d, list, 1, XStdICCTextStyle, &text) >= Success) {
        XSetWMName(d, window_, &text);
        XSetWMIconName(d, window_, &text);
        XFree(text.value);
    }
}

void HostWindow::Present(const RECT& dirty) {
    if (!mapped_) return;  // the expose after mapping shows the whole surface
    image_.Put(window_, x_.gc, dirty);
}

void HostWindow::Repaint(const RECT& r) { image_.Put(window_, x_.gc, r); }

bool HostWindow::TakeConfigure(const XConfigureEvent& ev, RECT& bounds) {
    // A notification that predates our latest request describes a state we
    // already left.
    if (ev.serial < configureSerial_) return false;
    int x = ev.x, y = ev.y;
    if (!ev.send_event && parent_ != x_.root) {
        // Inside a window manager's frame the event is relative to the
        // frame; only the window manager's own notices give the root.
        Window child = None;
        XTranslateCoordinates(x_.display, window_, x_.root, 0, 0, &x, &y, &child);
    }
    LONG w = ev.width, h = ev.height;
    LONG ourW = bounds_.right - bounds_.left, ourH = bounds_.bottom - bounds_.top;
    // One pixel stands for our empty extents.
    if (w == 1 && ourW <= 0) w = ourW;
    if (h == 1 && ourH <= 0) h = ourH;
    RECT next{x, y, x + w, y + h};
    if (next == bounds_) return false;
    bounds_ = next;
    image_.Resize(w, h);
    bounds = next;
    return true;
}

}  // namespace win32::backend::x11
