// The backend is where pixels go and where input comes from. It is a small
// interface: host surfaces for top-level windows, presenting changed
// rectangles, waiting for host events, the clipboard, the cursor shape, the
// screen size and the input-method position. Everything else of the window
// system (window tree, z-order, focus, capture, menus, modal loops) lives
// above it and is the same whatever the backend.
//
// Two implementations exist: `headless` (a virtual screen in memory, used by
// every automated test) and `x11` (Xlib). `SelectBackend` picks one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/windef.h"

namespace win32::backend {

using HostId = std::uint32_t;  // 0 is never a valid host

// What a host window is, so a real display can treat it as such.
enum class HostKind {
    Overlapped,  // a main window or dialog: has a frame of our own drawing
    Popup,       // pop-up menu, tool tip, hint window: no decoration, above all
    Tool,        // floating tool window or modeless dialog: transient for its owner
};

struct HostParams {
    HostKind kind = HostKind::Overlapped;
    RECT bounds{0, 0, 0, 0};  // screen coordinates, whole window
    HostId owner = 0;         // host of the owner window, for transient hints
    std::string title;        // UTF-8 caption
    bool topmost = false;
};

enum class CursorShape {
    Arrow,
    IBeam,
    Wait,
    Cross,
    UpArrow,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    Hand,
    AppStarting,
    Help,
    Hidden,
};

enum class HostEventType {
    MouseMove,    // pt
    ButtonDown,   // pt, button
    ButtonUp,     // pt, button
    Wheel,        // pt, wheelDelta (multiples of 120, positive away from the user)
    KeyDown,      // virtualKey, scanCode, extended, text (characters the key produces, UTF-8)
    KeyUp,        // virtualKey, scanCode, extended
    Text,         // text committed by an input method (UTF-8), not tied to a key
    Composition,  // text being composed by an input method (UTF-8, may be empty when it ends)
    CloseRequest, // the user asked the host to close the window (window manager close box)
    Moved,        // the host was moved or resized by the display: bounds
    Activated,    // the host became the active window of the display
    Deactivated,  // the host lost activation
    Exposed,      // the display lost part of the host's pixels: bounds (host coordinates)
    ClipboardChanged,
    Minimized,    // the display minimised the host (task bar, window manager): SC_MINIMIZE
    Restored,     // the display restored a minimised host: SC_RESTORE
};

enum class MouseButton { Left = 0, Right = 1, Middle = 2 };

struct HostEvent {
    HostEventType type = HostEventType::MouseMove;
    HostId host = 0;          // host the event belongs to (0: none, e.g. pointer over the desktop)
    POINT pt{0, 0};           // screen coordinates
    MouseButton button = MouseButton::Left;
    int wheelDelta = 0;
    unsigned virtualKey = 0;  // VK_ code
    unsigned scanCode = 0;
    bool extended = false;
    std::string text;
    RECT bounds{0, 0, 0, 0};
    DWORD time = 0;           // milliseconds on the backend's clock
};

class Backend {
public:
    virtual ~Backend() = default;

    virtual const char* Name() const = 0;

    // Screen.
    virtual SIZE ScreenSize() const = 0;
    // Work area: the screen minus task bars and panels.
    virtual RECT WorkArea() const = 0;

    // Host windows. A host is created hidden. Its surface always has the size
    // of its bounds; SetHostBounds resizes it keeping the overlapping pixels.
    virtual HostId CreateHost(const HostParams& params) = 0;
    virtual void DestroyHost(HostId host) = 0;
    virtual Surface* HostSurface(HostId host) = 0;
    virtual void SetHostBounds(HostId host, const RECT& bounds) = 0;
    virtual void ShowHost(HostId host, bool visible) = 0;
    virtual void SetHostTitle(HostId host, const std::string& title) = 0;
    // The stacking order of all visible hosts, topmost first.
    virtual void SetHostStacking(const std::vector<HostId>& topToBottom) = 0;
    // Asks the display to give keyboard focus to the host (activation).
    virtual void ActivateHost(HostId host) = 0;
    // Minimises a shown host to the task bar; ShowHost(host, true) restores
    // it. A display without a task bar may do nothing.
    virtual void MinimizeHost(HostId host) { (void)host; }
    // Makes the pixels of `dirty` (host coordinates) visible on the display.
    virtual void Present(HostId host, const RECT& dirty) = 0;

    // Drawing on the desktop (drag outlines). LockScreen returns a surface
    // holding the current screen pixels of at least `area` in screen
    // coordinates; UnlockScreen puts back the pixels of `changed`.
    virtual Surface* LockScreen(const RECT& area) = 0;
    virtual void UnlockScreen(const RECT& changed) = 0;

    // Events. Waits at most `timeoutMs` milliseconds (negative: no limit)
    // for a host event; returns false when none arrived.
    virtual bool WaitEvent(HostEvent& event, int timeoutMs) = 0;
    // The clock of messages and timers, in milliseconds.
    virtual DWORD Now() const = 0;

    // Pointer.
    virtual POINT CursorPos() const = 0;
    virtual void SetCursorPos(POINT pt) = 0;
    virtual void SetCursorShape(CursorShape shape) = 0;
    // Keeps pointer events coming to `host` even outside it (0 releases).
    virtual void GrabPointer(HostId host) = 0;

    // Input method: where composition is shown (host client coordinates of
    // the caret and its height).
    virtual void SetImePosition(HostId host, POINT caret, int height) = 0;

    // Clipboard, as UTF-8 text.
    virtual bool SetClipboardText(const std::string& text) = 0;
    virtual bool GetClipboardText(std::string& text) = 0;
    virtual bool HasClipboardText() = 0;

    virtual void Beep() = 0;
};

// The backend in use; nullptr before one is installed.
Backend* Current();
// Installs a backend (replacing and destroying the previous one).
void Install(std::unique_ptr<Backend> backend);

}  // namespace win32::backend
