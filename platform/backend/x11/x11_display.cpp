#include "platform/backend/x11/x11_display.h"

#include <poll.h>

#include <chrono>
#include <cstdio>

namespace win32::backend::x11 {
namespace {

int trapDepth = 0;
int trappedErrors = 0;

int OnXError(Display* display, XErrorEvent* error) {
    if (trapDepth > 0) {
        ++trappedErrors;
        return 0;
    }
    char text[256] = {0};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d.%d)\n", text, error->request_code, error->minor_code);
    return 0;
}

int Shift(unsigned long mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

int Bits(unsigned long mask) {
    int n = 0;
    for (; mask; mask >>= 1) n += static_cast<int>(mask & 1);
    return n;
}

// Scales an 8-bit channel to `bits` bits and back.
unsigned long Narrow(unsigned v, int bits) { return bits >= 8 ? v << (bits - 8) : v >> (8 - bits); }
unsigned Widen(unsigned long v, int bits) {
    if (bits >= 8) return static_cast<unsigned>(v >> (bits - 8));
    if (bits <= 0) return 0;
    unsigned max = (1u << bits) - 1;
    return static_cast<unsigned>((v * 255 + max / 2) / max);
}

}  // namespace

void Atoms::Load(Display* display) {
    static const char* const names[] = {
        "WM_PROTOCOLS",
        "WM_DELETE_WINDOW",
        "WM_STATE",
        "_NET_WM_PING",
        "_NET_WM_NAME",
        "_NET_WM_ICON_NAME",
        "_NET_WM_PID",
        "_NET_WM_WINDOW_TYPE",
        "_NET_WM_WINDOW_TYPE_NORMAL",
        "_NET_WM_WINDOW_TYPE_DIALOG",
        "_NET_WM_WINDOW_TYPE_UTILITY",
        "_NET_WM_WINDOW_TYPE_POPUP_MENU",
        "_NET_WM_STATE",
        "_NET_WM_STATE_ABOVE",
        "_NET_WM_STATE_SKIP_TASKBAR",
        "_NET_WM_STATE_HIDDEN",
        "_NET_ACTIVE_WINDOW",
        "_NET_WORKAREA",
        "_NET_SUPPORTING_WM_CHECK",
        "_MOTIF_WM_HINTS",
        "UTF8_STRING",
        "COMPOUND_TEXT",
        "TEXT",
        "text/plain;charset=utf-8",
        "CLIPBOARD",
        "TARGETS",
        "TIMESTAMP",
        "MULTIPLE",
        "INCR",
        "PMEMO_SELECTION",
        "PMEMO_TIME",
    };
    constexpr int count = sizeof names / sizeof names[0];
    static_assert(count * sizeof(Atom) == sizeof(Atoms), "one name per atom");
    Atom values[count];
    XInternAtoms(display, const_cast<char**>(names), count, False, values);
    Atom* fields = &wmProtocols;
    for (int i = 0; i < count; ++i) fields[i] = values[i];
}

ErrorTrap::ErrorTrap(Display* display) : display_(display), savedErrors_(trappedErrors) {
    XSync(display_, False);
    ++trapDepth;
}

ErrorTrap::~ErrorTrap() {
    XSync(display_, False);
    --trapDepth;
}

bool ErrorTrap::Failed() {
    XSync(display_, False);
    return trappedErrors != savedErrors_;
}

void InstallErrorHandler() { XSetErrorHandler(OnXError); }

Time QueryServerTime(Display* display, Window window, Atom probe) {
    unsigned char nothing = 0;
    XChangeProperty(display, window, probe, XA_STRING, 8, PropModeAppend, &nothing, 0);
    XFlush(display);
    struct Wanted {
        Window window;
        Atom atom;
    } wanted{window, probe};
    auto matches = [](Display*, XEvent* ev, XPointer arg) -> Bool {
        auto* w = reinterpret_cast<Wanted*>(arg);
        return ev->type == PropertyNotify && ev->xproperty.window == w->window && ev->xproperty.atom == w->atom;
    };
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    XEvent ev;
    while (std::chrono::steady_clock::now() < deadline) {
        if (XCheckIfEvent(display, &ev, matches, reinterpret_cast<XPointer>(&wanted))) return ev.xproperty.time;
        pollfd pfd{ConnectionNumber(display), POLLIN, 0};
        poll(&pfd, 1, 10);
    }
    return CurrentTime;
}

bool ReadProperty(Display* display, Window window, Atom property, bool remove, PropertyData& out) {
    out = PropertyData{};
    long offset = 0;
    for (;;) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        // Read in pieces of 1 MiB (in 32-bit units) so a huge property does
        // not need one huge reply.
        if (XGetWindowProperty(display, window, property, offset, 0x40000, False, AnyPropertyType, &type,
                               &format, &items, &after, &data) != Success) {
            return false;
        }
        if (type == None) {
            if (data) XFree(data);
            return offset > 0;
        }
        out.type = type;
        out.format = format;
        std::size_t unit = format == 8 ? 1 : format == 16 ? sizeof(short) : sizeof(long);
        out.bytes.append(reinterpret_cast<const char*>(data), items * unit);
        out.items += items;
        XFree(data);
        // Offsets count 32-bit units of the property whatever its format.
        offset += static_cast<long>(items * static_cast<unsigned long>(format) / 32);
        if (after == 0) break;
    }
    if (remove) XDeleteProperty(display, window, property);
    return true;
}

void PixelFormat::From(const Visual* visual, int depth, int bitsPerPixel) {
    redMask = visual->red_mask;
    greenMask = visual->green_mask;
    blueMask = visual->blue_mask;
    redShift = Shift(redMask);
    greenShift = Shift(greenMask);
    blueShift = Shift(blueMask);
    redBits = Bits(redMask);
    greenBits = Bits(greenMask);
    blueBits = Bits(blueMask);
    direct = (depth == 24 || depth == 32) && bitsPerPixel == 32 && redMask == 0xFF0000 && greenMask == 0xFF00 &&
             blueMask == 0xFF;
}

unsigned long PixelFormat::ToVisual(unsigned pixel) const {
    if (direct) return pixel & 0xFFFFFF;
    return (Narrow((pixel >> 16) & 0xFF, redBits) << redShift) | (Narrow((pixel >> 8) & 0xFF, greenBits) << greenShift) |
           (Narrow(pixel & 0xFF, blueBits) << blueShift);
}

unsigned PixelFormat::FromVisual(unsigned long value) const {
    if (direct) return static_cast<unsigned>(value & 0xFFFFFF);
    unsigned r = Widen((value & redMask) >> redShift, redBits);
    unsigned g = Widen((value & greenMask) >> greenShift, greenBits);
    unsigned b = Widen((value & blueMask) >> blueShift, blueBits);
    return (r << 16) | (g << 8) | b;
}

}  // namespace win32::backend::x11
