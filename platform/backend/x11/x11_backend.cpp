#include "platform/backend/x11/x11_backend.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>
#include <langinfo.h>
#include <poll.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <ctime>

#include "platform/backend/x11/x11_clipboard.h"
#include "platform/backend/x11/x11_cursors.h"
#include "platform/backend/x11/x11_display.h"
#include "platform/backend/x11/x11_host_window.h"
#include "platform/backend/x11/x11_input_method.h"
#include "platform/backend/x11/x11_screen_lock.h"

namespace win32::backend::x11 {
namespace {

// Input methods and the UTF-8 lookups need a UTF-8 character type; our text
// is UTF-8 in memory anyway, so nothing else changes meaning.
void UseUtf8CharacterType() {
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    if (current && std::strcmp(current, "C") != 0 && std::strcmp(current, "POSIX") != 0 &&
        std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0)
        return;
    if (std::setlocale(LC_CTYPE, "") && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) std::setlocale(LC_CTYPE, "C");
}

int BitsPerPixelOf(Display* display, int depth) {
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    int bpp = depth > 16 ? 32 : depth > 8 ? 16 : 8;
    for (int i = 0; i < count; ++i)
        if (formats[i].depth == depth) bpp = formats[i].bits_per_pixel;
    if (formats) XFree(formats);
    return bpp;
}

}  // namespace

std::unique_ptr<X11Backend> X11Backend::Open(const X11Options& options, std::string& error) {
    std::unique_ptr<X11Backend> backend(new X11Backend());
    if (!backend->Start(options, error)) return nullptr;
    return backend;
}

bool X11Backend::Start(const X11Options& options, std::string& error) {
    UseUtf8CharacterType();
    InstallErrorHandler();
    Display* d = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    if (!d) {
        error = "cannot open the X display \"" + (options.display.empty() ? std::string(XDisplayName(nullptr))
                                                                          : options.display) + "\"";
        return false;
    }
    x_ = std::make_unique<Connection>();
    x_->display = d;
    x_->screen = DefaultScreen(d);
    x_->root = RootWindow(d, x_->screen);
    x_->atoms.Load(d);

    Visual* visual = DefaultVisual(d, x_->screen);
    if (visual->c_class != TrueColor && visual->c_class != DirectColor) {
        error = "the X display has no true-colour visual";
        return false;
    }
    x_->image.display = d;
    x_->image.visual = visual;
    x_->image.depth = DefaultDepth(d, x_->screen);
    x_->image.format.From(visual, x_->image.depth, BitsPerPixelOf(d, x_->image.depth));
    x_->image.useSharedMemory = options.useSharedMemory && SharedMemoryWorks(d);
    sharedMemory_ = x_->image.useSharedMemory && x_->image.format.direct && ImageByteOrder(d) == LSBFirst;

    XGCValues values{};
    values.graphics_exposures = False;
    x_->gc = XCreateGC(d, x_->root, GCGraphicsExposures, &values);

    XSetWindowAttributes attrs{};
    attrs.event_mask = PropertyChangeMask;
    x_->helper = XCreateWindow(d, x_->root, -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                               CWEventMask, &attrs);

    // Held keys repeat as presses only, as WM_KEYDOWN repeats on Windows.
    Bool detectable = False;
    XkbSetDetectableAutoRepeat(d, True, &detectable);

    int fixesError = 0;
    if (XFixesQueryExtension(d, &xfixesEventBase_, &fixesError)) {
        XFixesSelectSelectionInput(d, x_->helper, x_->atoms.clipboard, XFixesSetSelectionOwnerNotifyMask);
    } else {
        xfixesEventBase_ = -1;
    }
    XAddConnectionWatch(d, &X11Backend::OnConnectionWatch, reinterpret_cast<XPointer>(this));

    inputMethod_ = std::make_unique<InputMethod>(d, [this](Window window, const std::string& text) {
        HostEvent ev;
        ev.type = HostEventType::Composition;
        ev.host = HostOf(window);
        ev.text = text;
        if (ev.host) Push(std::move(ev));
    });
    clipboard_ = std::make_unique<Clipboard>(
        d, x_->atoms, x_->helper,
        [this](XEvent& ev) {
            if (!XFilterEvent(&ev, None)) Dispatch(ev);
        },
        [this]() -> Time { return lastEventTime_; });
    screenLock_ = std::make_unique<ScreenLock>(*x_);
    cursors_ = std::make_unique<Cursors>(d);
    XFlush(d);
    return true;
}

X11Backend::~X11Backend() {
    if (!x_ || !x_->display) return;
    Display* d = x_->display;
    hosts_.clear();
    screenLock_.reset();
    clipboard_.reset();
    inputMethod_.reset();
    cursors_.reset();
    XRemoveConnectionWatch(d, &X11Backend::OnConnectionWatch, reinterpret_cast<XPointer>(this));
    if (x_->helper) XDestroyWindow(d, x_->helper);
    if (x_->gc) XFreeGC(d, x_->gc);
    XCloseDisplay(d);
}

_XDisplay* X11Backend::NativeDisplay() const { return x_ ? x_->display : nullptr; }

void X11Backend::OnConnectionWatch(Display*, XPointer self, int fd, Bool opening, XPointer*) {
    auto* me = reinterpret_cast<X11Backend*>(self);
    auto& fds = me->internalConnections_;
    if (opening) fds.push_back(fd);
    else fds.erase(std::remove(fds.begin(), fds.end(), fd), fds.end());
}

SIZE X11Backend::ScreenSize() const {
    return SIZE{DisplayWidth(x_->display, x_->screen), DisplayHeight(x_->display, x_->screen)};
}

RECT X11Backend::WorkArea() const {
    SIZE s = ScreenSize();
    RECT whole{0, 0, s.cx, s.cy};
    PropertyData data;
    if (!ReadProperty(x_->display, x_->root, x_->atoms.netWorkarea, false, data) || data.format != 32 ||
        data.items < 4)
        return whole;
    const auto* v = reinterpret_cast<const long*>(data.bytes.data());
    RECT area{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[0] + v[2]),
              static_cast<LONG>(v[1] + v[3])};
    if (area.right <= area.left || area.bottom <= area.top) return whole;
    return area;
}

HostWindow* X11Backend::Find(HostId host) const {
    auto it = hosts_.find(host);
    return it == hosts_.end() ? nullptr : it->second.get();
}

HostWindow* X11Backend::FindByWindow(unsigned long window) const {
    for (const auto& [id, host] : hosts_)
        if (host->window() == window) return host.get();
    return nullptr;
}

unsigned long X11Backend::WindowOf(HostId host) const {
    HostWindow* h = Find(host);
    return h ? h->window() : 0;
}

HostId X11Backend::HostOf(unsigned long window) const {
    HostWindow* h = FindByWindow(window);
    return h ? h->id() : 0;
}

const char* X11Backend::InputStyle() const { return inputMethod_->StyleName(); }

void X11Backend::Sync() { XSync(x_->display, False); }

HostId X11Backend::CreateHost(const HostParams& params) {
    HostId id = nextHost_++;
    HostWindow* owner = Find(params.owner);
    Cursor cursor = cursors_->Get(currentCursor_);
    auto host = std::make_unique<HostWindow>(*x_, id, params, owner ? owner->window() : None, cursor);
    if (params.kind != HostKind::Popup) inputMethod_->Attach(host->window());
    hosts_[id] = std::move(host);
    return id;
}

void X11Backend::DestroyHost(HostId id) {
    HostWindow* host = Find(id);
    if (!host) return;
    if (grabHost_ == id) GrabPointer(0);
    if (focusHost_ == id) focusHost_ = 0;
    if (pendingFocus_ == id) pendingFocus_ = 0;
    inputMethod_->Detach(host->window());
    hosts_.erase(id);
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(), [id](const HostEvent& e) { return e.host == id; }),
                 queue_.end());
    XFlush(x_->display);
}

Surface* X11Backend::HostSurface(HostId id) {
    HostWindow* host = Find(id);
    return host ? host->surface() : nullptr;
}

void X11Backend::SetHostBounds(HostId id, const RECT& bounds) {
    if (HostWindow* host = Find(id)) host->SetBounds(bounds);
}

void X11Backend::ShowHost(HostId id, bool visible) {
    HostWindow* host = Find(id);
    if (!host) return;
    host->Show(visible);
    if (!visible && grabHost_ == id) GrabPointer(0);
    XFlush(x_->display);
}

void X11Backend::SetHostTitle(HostId id, const std::string& title) {
    if (HostWindow* host = Find(id)) host->SetTitle(title);
}

void X11Backend::SetHostStacking(const std::vector<HostId>& topToBottom) {
    // Windows the window manager has put in frames are its to stack; the
    // others (pop-ups, and every window when no manager runs) are ours.
    std::vector<Window> ours;
    for (HostId id : topToBottom) {
        HostWindow* host = Find(id);
        if (host && host->visible() && host->parent() == x_->root) ours.push_back(host->window());
    }
    if (ours.size() >= 2) XRestackWindows(x_->display, ours.data(), static_cast<int>(ours.size()));
    XFlush(x_->display);
}

bool X11Backend::WindowManagerRunning() const {
    PropertyData data;
    if (!ReadProperty(x_->display, x_->root, x_->atoms.netSupportingWmCheck, false, data) || data.format != 32 ||
        data.items < 1)
        return false;
    Window check = static_cast<Window>(*reinterpret_cast<const long*>(data.bytes.data()));
    PropertyData again;
    ErrorTrap trap(x_->display);  // a stale check window is gone
    bool ok = ReadProperty(x_->display, check, x_->atoms.netSupportingWmCheck, false, again) &&
              again.format == 32 && again.items >= 1 &&
              static_cast<Window>(*reinterpret_cast<const long*>(again.bytes.data())) == check;
    return ok && !trap.Failed();
}

void X11Backend::ActivateHost(HostId id) {
    HostWindow* host = Find(id);
    if (!host || !host->visible()) return;
    if (!host->mapped()) {
        pendingFocus_ = id;  // focus can only go to a viewable window
        return;
    }
    pendingFocus_ = 0;
    Display* d = x_->display;
    if (host->kind() != HostKind::Popup && WindowManagerRunning()) {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = host->window();
        ev.xclient.message_type = x_->atoms.netActiveWindow;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = 1;  // asked by an application
        ev.xclient.data.l[1] = static_cast<long>(lastEventTime_);
        HostWindow* active = Find(focusHost_);
        ev.xclient.data.l[2] = active ? static_cast<long>(active->window()) : 0;
        XSendEvent(d, x_->root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    } else {
        ErrorTrap trap(d);  // the window may have been unmapped meanwhile
        XSetInputFocus(d, host->window(), RevertToParent, CurrentTime);
    }
    XFlush(d);
}

void X11Backend::MinimizeHost(HostId id) {
    HostWindow* host = Find(id);
    if (!host) return;
    if (grabHost_ == id) GrabPointer(0);
    host->Minimize(WindowManagerRunning());
    XFlush(x_->display);
}

void X11Backend::Present(HostId id, const RECT& dirty) {
    HostWindow* host = Find(id);
    if (!host) return;
    host->Present(dirty);
    XFlush(x_->display);
}

Surface* X11Backend::LockScreen(const RECT& area) { return screenLock_->Lock(area); }

void X11Backend::UnlockScreen(const RECT& changed) { screenLock_->Unlock(changed); }

DWORD X11Backend::Now() const {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<DWORD>(static_cast<unsigned long long>(ts.tv_sec) * 1000ull +
                              static_cast<unsigned long long>(ts.tv_nsec) / 1000000ull);
}

bool X11Backend::WaitEvent(HostEvent& event, int timeoutMs) {
    DWORD start = Now();
    // Drawing on the desktop shows while the program waits between steps.
    screenLock_->Flush();
    for (;;) {
        Pump();
        if (!queue_.empty()) {
            event = std::move(queue_.front());
            queue_.pop_front();
            return true;
        }
        clipboard_->ExpireTransfers();
        int wait = -1;
        if (timeoutMs >= 0) {
            DWORD elapsed = Now() - start;
            if (elapsed >= static_cast<DWORD>(timeoutMs)) return false;
            wait = timeoutMs - static_cast<int>(elapsed);
        }
        int expiry = clipboard_->MillisecondsToNextExpiry();
        if (expiry >= 0 && (wait < 0 || expiry < wait)) wait = expiry;

        std::vector<pollfd> fds;
        fds.push_back(pollfd{ConnectionNumber(x_->display), POLLIN, 0});
        for (int fd : internalConnections_) fds.push_back(pollfd{fd, POLLIN, 0});
        XFlush(x_->display);
        if (XEventsQueued(x_->display, QueuedAlready) > 0) continue;
        poll(fds.data(), fds.size(), wait);
        for (std::size_t i = 1; i < fds.size(); ++i)
            if (fds[i].revents & POLLIN) XProcessInternalConnection(x_->display, fds[i].fd);
    }
}

POINT X11Backend::CursorPos() const {
    Window root = None, child = None;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(x_->display, x_->root, &root, &child, &rx, &ry, &wx, &wy, &mask);
    return POINT{rx, ry};
}

void X11Backend::SetCursorPos(POINT pt) {
    XWarpPointer(x_->display, None, x_->root, 0, 0, 0, 0, pt.x, pt.y);
    XFlush(x_->display);
}

void X11Backend::SetCursorShape(CursorShape shape) {
    if (shape == currentCursor_) return;
    currentCursor_ = shape;
    Cursor cursor = cursors_->Get(shape);
    for (auto& [id, host] : hosts_) XDefineCursor(x_->display, host->window(), cursor);
    if (grabHost_)
        XChangeActivePointerGrab(x_->display, ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                                                  EnterWindowMask | LeaveWindowMask,
                                 cursor, CurrentTime);
    XFlush(x_->display);
}

void X11Backend::GrabPointer(HostId id) {
    Display* d = x_->display;
    if (id == 0) {
        if (grabHost_) XUngrabPointer(d, CurrentTime);
        grabHost_ = 0;
        XFlush(d);
        return;
    }
    HostWindow* host = Find(id);
    if (!host) return;
    // Events over our other windows still go to them (the window system
    // routes them to the capture); the rest come to the grabbing host.
    int status = XGrabPointer(d, host->window(), True,
                              ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                                  LeaveWindowMask,
                              GrabModeAsync, GrabModeAsync, None, cursors_->Get(currentCursor_), CurrentTime);
    grabHost_ = status == GrabSuccess ? id : 0;
}

void X11Backend::SetImePosition(HostId id, POINT caret, int height) {
    if (HostWindow* host = Find(id)) inputMethod_->SetSpot(host->window(), caret.x, caret.y, height);
}

bool X11Backend::SetClipboardText(const std::string& text) {
    bool ok = clipboard_->SetText(text);
    if (ok && xfixesEventBase_ < 0) {
        HostEvent ev;
        ev.type = HostEventType::ClipboardChanged;
        Push(std::move(ev));
    }
    return ok;
}

bool X11Backend::GetClipboardText(std::string& text) { return clipboard_->GetText(text); }

bool X11Backend::HasClipboardText() { return clipboard_->HasText(); }

void X11Backend::Beep() {
    XBell(x_->display, 0);
    XFlush(x_->display);
}

}  // namespace win32::backend::x11
