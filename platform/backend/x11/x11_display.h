// What every part of the X11 backend shares: the connection, the atoms it
// speaks, and a way to catch the protocol errors of requests that may fail
// (a requestor window that vanished, a shared-memory segment the server
// cannot attach). Only files of this folder include it: it pulls in Xlib,
// whose macros must not leak into the rest of the window system.
#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// X.h names a constant of XQueryBestSize like the window system's cursor
// enumeration; nothing here uses the constant.
#undef CursorShape

#include <string>

namespace win32::backend::x11 {

struct Atoms {
    Atom wmProtocols;
    Atom wmDeleteWindow;
    Atom wmState;
    Atom netWmPing;
    Atom netWmName;
    Atom netWmIconName;
    Atom netWmPid;
    Atom netWmWindowType;
    Atom netWmWindowTypeNormal;
    Atom netWmWindowTypeDialog;
    Atom netWmWindowTypeUtility;
    Atom netWmWindowTypePopupMenu;
    Atom netWmState;
    Atom netWmStateAbove;
    Atom netWmStateSkipTaskbar;
    Atom netWmStateHidden;
    Atom netActiveWindow;
    Atom netWorkarea;
    Atom netSupportingWmCheck;
    Atom motifWmHints;
    Atom utf8String;
    Atom compoundText;
    Atom text;
    Atom textPlainUtf8;
    Atom clipboard;
    Atom targets;
    Atom timestamp;
    Atom multiple;
    Atom incr;
    Atom selectionData;  // where conversions of a selection we ask for land
    Atom timeProbe;      // touched to learn the server's current time

    void Load(Display* display);
};

// Counts the protocol errors of the requests made while it lives. Xlib's
// default handler ends the process, which no mishap of a foreign window
// should do; errors outside a trap are reported on stderr and ignored.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits until the server has handled every request so far and tells
    // whether any of them failed.
    bool Failed();

private:
    Display* display_;
    int savedErrors_;
};

// Installs the process-wide error handler that ErrorTrap relies on.
void InstallErrorHandler();

// The server time of the display's latest event, obtained by touching a
// property of `window` (which must select PropertyChangeMask) and waiting
// for the notification.
Time QueryServerTime(Display* display, Window window, Atom probe);

// Reads a whole property; returns false when it does not exist.
struct PropertyData {
    Atom type = None;
    int format = 0;
    std::string bytes;            // raw items as Xlib returns them
    unsigned long items = 0;
};
bool ReadProperty(Display* display, Window window, Atom property, bool remove, PropertyData& out);

// Converts between the visual's pixel values and 0x00RRGGBB.
struct PixelFormat {
    unsigned long redMask = 0xFF0000, greenMask = 0xFF00, blueMask = 0xFF;
    int redShift = 16, greenShift = 8, blueShift = 0;   // of the mask's lowest bit
    int redBits = 8, greenBits = 8, blueBits = 8;
    // The visual stores pixels exactly as our surfaces do (32 bits, 0x00RRGGBB).
    bool direct = true;

    void From(const Visual* visual, int depth, int bitsPerPixel);
    unsigned long ToVisual(unsigned pixel) const;
    unsigned FromVisual(unsigned long value) const;
};

// What a host image needs to know of the display.
struct ImageTarget {
    Display* display = nullptr;
    Visual* visual = nullptr;
    int depth = 24;
    PixelFormat format;
    bool useSharedMemory = false;
};

// The connection and what every part of the backend reaches through it.
struct Connection {
    Display* display = nullptr;
    int screen = 0;
    Window root = None;
    Window helper = None;  // unmapped: owns the clipboard, learns server times
    GC gc = nullptr;
    Atoms atoms{};
    ImageTarget image;
};

}  // namespace win32::backend::x11
