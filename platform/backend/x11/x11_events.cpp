// Translation of X events into host events.
#include "platform/backend/x11/x11_backend.h"

#include <X11/extensions/Xfixes.h>

#include "platform/backend/x11/x11_clipboard.h"
#include "platform/backend/x11/x11_display.h"
#include "platform/backend/x11/x11_host_window.h"
#include "platform/backend/x11/x11_input_method.h"
#include "platform/backend/x11/x11_keyboard.h"

namespace win32::backend::x11 {

void X11Backend::Pump() {
    Display* d = x_->display;
    while (XPending(d)) {
        XEvent ev;
        XNextEvent(d, &ev);
        // The input method sees every event first and may keep it.
        if (XFilterEvent(&ev, None)) continue;
        Dispatch(ev);
    }
}

void X11Backend::Push(HostEvent event) {
    event.time = Now();
    queue_.push_back(std::move(event));
}

void X11Backend::NoteTime(unsigned long serverTime) {
    if (serverTime != CurrentTime) lastEventTime_ = serverTime;
}

void X11Backend::Dispatch(XEvent& ev) {
    if (xfixesEventBase_ >= 0 && ev.type == xfixesEventBase_ + XFixesSelectionNotify) {
        auto& notify = reinterpret_cast<XFixesSelectionNotifyEvent&>(ev);
        if (notify.selection == x_->atoms.clipboard) {
            HostEvent changed;
            changed.type = HostEventType::ClipboardChanged;
            Push(std::move(changed));
        }
        return;
    }
    bool lost = false;
    if (clipboard_->HandleEvent(ev, lost)) {
        if (lost && xfixesEventBase_ < 0) {
            HostEvent changed;
            changed.type = HostEventType::ClipboardChanged;
            Push(std::move(changed));
        }
        return;
    }
    if (ev.type == MappingNotify) {
        XRefreshKeyboardMapping(&ev.xmapping);
        return;
    }
    HostWindow* host = FindByWindow(ev.xany.window);
    if (!host) return;
    switch (ev.type) {
        case KeyPress:
        case KeyRelease: OnKey(ev, *host); break;
        case ButtonPress:
        case ButtonRelease: OnButton(ev, *host); break;
        case MotionNotify: OnMotion(ev, *host); break;
        case EnterNotify:
        case LeaveNotify: OnCrossing(ev, *host); break;
        case FocusIn:
        case FocusOut: OnFocus(ev, *host); break;
        case Expose:
            host->Repaint(RECT{ev.xexpose.x, ev.xexpose.y, ev.xexpose.x + ev.xexpose.width,
                              ev.xexpose.y + ev.xexpose.height});
            break;
        case ConfigureNotify: OnConfigure(ev, *host); break;
        case MapNotify:
            host->SetMapped(true);
            if (pendingFocus_ == host->id()) ActivateHost(host->id());
            break;
        case UnmapNotify: host->SetMapped(false); break;
        case ReparentNotify: host->SetParent(ev.xreparent.parent); break;
        case ClientMessage: OnClientMessage(ev, *host); break;
        case PropertyNotify: OnProperty(ev, *host); break;
        default: break;
    }
}

void X11Backend::OnKey(XEvent& ev, HostWindow& host) {
    XKeyEvent& key = ev.xkey;
    NoteTime(key.time);
    KeySym base = XLookupKeysym(&key, 0);
    HostEvent out;
    out.host = host.id();
    out.pt = POINT{key.x_root, key.y_root};
    if (ev.type == KeyPress) {
        KeySym keysym = NoSymbol;
        std::string produced;
        InputMethod::Lookup result = inputMethod_->LookupKey(key, keysym, produced);
        if (result == InputMethod::Lookup::Nothing) return;
        // Text an input method commits comes without a key of its own.
        if (result == InputMethod::Lookup::Chars || key.keycode == 0) {
            if (produced.empty()) return;
            out.type = HostEventType::Text;
            out.text = std::move(produced);
            Push(std::move(out));
            return;
        }
        KeyIdentity id = IdentifyKey(key.keycode, base, keysym);
        if (id.virtualKey == 0 && produced.empty()) return;
        out.type = HostEventType::KeyDown;
        out.virtualKey = id.virtualKey;
        out.scanCode = id.scanCode;
        out.extended = id.extended;
        out.text = KeyText(id.virtualKey, produced,
                           KeyModifiers{(key.state & ControlMask) != 0, (key.state & Mod1Mask) != 0});
        Push(std::move(out));
        return;
    }
    char ignored[16];
    KeySym keysym = NoSymbol;
    XLookupString(&key, ignored, sizeof ignored, &keysym, nullptr);
    KeyIdentity id = IdentifyKey(key.keycode, base, keysym);
    if (id.virtualKey == 0) return;
    out.type = HostEventType::KeyUp;
    out.virtualKey = id.virtualKey;
    out.scanCode = id.scanCode;
    out.extended = id.extended;
    Push(std::move(out));
}

void X11Backend::OnButton(XEvent& ev, HostWindow& host) {
    XButtonEvent& b = ev.xbutton;
    NoteTime(b.time);
    HostEvent out;
    out.host = host.id();
    out.pt = POINT{b.x_root, b.y_root};
    if (b.button == Button4 || b.button == Button5) {
        // Wheel notches come as presses of buttons 4 (away from the user)
        // and 5; their releases mean nothing.
        if (ev.type != ButtonPress) return;
        out.type = HostEventType::Wheel;
        out.wheelDelta = b.button == Button4 ? 120 : -120;
        Push(std::move(out));
        return;
    }
    switch (b.button) {
        case Button1: out.button = MouseButton::Left; break;
        case Button2: out.button = MouseButton::Middle; break;
        case Button3: out.button = MouseButton::Right; break;
        default: return;  // horizontal wheel, side buttons
    }
    out.type = ev.type == ButtonPress ? HostEventType::ButtonDown : HostEventType::ButtonUp;
    Push(std::move(out));
}

void X11Backend::OnMotion(XEvent& ev, HostWindow& host) {
    XMotionEvent& m = ev.xmotion;
    NoteTime(m.time);
    POINT pt{m.x_root, m.y_root};
    // Moves nobody has read yet collapse into the latest.
    if (!queue_.empty() && queue_.back().type == HostEventType::MouseMove && queue_.back().host == host.id()) {
        queue_.back().pt = pt;
        queue_.back().time = Now();
        return;
    }
    HostEvent out;
    out.type = HostEventType::MouseMove;
    out.host = host.id();
    out.pt = pt;
    Push(std::move(out));
}

void X11Backend::OnCrossing(XEvent& ev, HostWindow& host) {
    XCrossingEvent& c = ev.xcrossing;
    NoteTime(c.time);
    if (c.mode != NotifyNormal || c.detail == NotifyInferior) return;
    HostEvent out;
    out.type = HostEventType::MouseMove;
    // Leaving for no window of ours is a move over the desktop, unless the
    // pointer is grabbed: then everything belongs to the grabbing host.
    out.host = ev.type == EnterNotify ? host.id() : grabHost_;
    out.pt = POINT{c.x_root, c.y_root};
    Push(std::move(out));
}

bool X11Backend::FocusComesBack() {
    // Is a FocusIn for one of our hosts already waiting? Then focus only
    // moves between our windows and the program stays active.
    struct Search {
        X11Backend* self;
        bool found;
    } search{this, false};
    auto look = [](Display*, XEvent* e, XPointer arg) -> Bool {
        auto* s = reinterpret_cast<Search*>(arg);
        if (e->type == FocusIn && e->xfocus.mode != NotifyGrab && e->xfocus.detail != NotifyPointer &&
            e->xfocus.detail != NotifyInferior && s->self->FindByWindow(e->xfocus.window))
            s->found = true;
        return False;  // leave every event in the queue
    };
    XEvent unused;
    XCheckIfEvent(x_->display, &unused, look, reinterpret_cast<XPointer>(&search));
    return search.found;
}

void X11Backend::OnFocus(XEvent& ev, HostWindow& host) {
    XFocusChangeEvent& f = ev.xfocus;
    if (f.mode == NotifyGrab || f.mode == NotifyUngrab) return;
    if (f.detail == NotifyPointer || f.detail == NotifyInferior || f.detail == NotifyPointerRoot ||
        f.detail == NotifyDetailNone)
        return;
    HostEvent out;
    out.host = host.id();
    if (ev.type == FocusIn) {
        inputMethod_->GainFocus(host.window());
        if (focusHost_ == host.id()) return;
        focusHost_ = host.id();
        out.type = HostEventType::Activated;
        Push(std::move(out));
        return;
    }
    inputMethod_->LoseFocus(host.window());
    if (focusHost_ != host.id()) return;
    focusHost_ = 0;
    if (FocusComesBack()) return;
    out.type = HostEventType::Deactivated;
    Push(std::move(out));
}

void X11Backend::OnConfigure(XEvent& ev, HostWindow& host) {
    RECT bounds;
    if (!host.TakeConfigure(ev.xconfigure, bounds)) return;
    HostEvent out;
    out.type = HostEventType::Moved;
    out.host = host.id();
    out.bounds = bounds;
    Push(std::move(out));
}

void X11Backend::OnProperty(XEvent& ev, HostWindow& host) {
    if (ev.xproperty.atom != x_->atoms.wmState || ev.xproperty.state != PropertyNewValue) return;
    HostWindow::StateChange change = host.TakeWmState(ev.xproperty.serial);
    if (change == HostWindow::StateChange::Unchanged) return;
    HostEvent out;
    out.type = change == HostWindow::StateChange::Minimized ? HostEventType::Minimized : HostEventType::Restored;
    out.host = host.id();
    Push(std::move(out));
}

void X11Backend::OnClientMessage(XEvent& ev, HostWindow& host) {
    XClientMessageEvent& m = ev.xclient;
    if (m.message_type != x_->atoms.wmProtocols || m.format != 32) return;
    Atom protocol = static_cast<Atom>(m.data.l[0]);
    if (protocol == x_->atoms.wmDeleteWindow) {
        NoteTime(static_cast<unsigned long>(m.data.l[1]));
        HostEvent out;
        out.type = HostEventType::CloseRequest;
        out.host = host.id();
        Push(std::move(out));
    } else if (protocol == x_->atoms.netWmPing) {
        // Answer the window manager's "are you alive?" at once.
        XEvent reply = ev;
        reply.xclient.window = x_->root;
        XSendEvent(x_->display, x_->root, False, SubstructureNotifyMask | SubstructureRedirectMask, &reply);
        XFlush(x_->display);
    }
}

}  // namespace win32::backend::x11
