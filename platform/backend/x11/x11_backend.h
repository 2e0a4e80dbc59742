// The backend on a real X display, through Xlib. Every host is a top-level
// X window: overlapped hosts are managed windows without the window
// manager's decoration (our window system draws their caption, frame and
// menu bar, as on the headless screen, so they look and behave the same
// everywhere); pop-ups are override-redirect; tool hosts are transient for
// their owner. Pixels go out with MIT-SHM when the display can attach our
// memory, with XPutImage otherwise, and an exposed part of a host is
// repainted from its surface without asking the window system.
//
// Coordinates: HostEvent::pt is in screen coordinates; SetImePosition takes
// host coordinates (from the host's top-left corner). Event::host is the
// host the display delivered the event to; while a button is held or the
// pointer is grabbed that is the pressed or grabbing host even when the
// pointer is outside it, so the window system finds the window under the
// pointer from pt.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "platform/backend/backend.h"

union _XEvent;
struct _XDisplay;

namespace win32::backend::x11 {

class HostWindow;
class InputMethod;
class Clipboard;
class ScreenLock;
class Cursors;
struct Connection;

struct X11Options {
    std::string display;           // empty: $DISPLAY
    bool useSharedMemory = true;   // false forces XPutImage (tests of that path)
};

class X11Backend final : public Backend {
public:
    // Opens the display; nullptr, with a message for the user in `error`,
    // when it cannot be opened or cannot show our pixels.
    static std::unique_ptr<X11Backend> Open(const X11Options& options, std::string& error);
    ~X11Backend() override;

    const char* Name() const override { return "x11"; }

    SIZE ScreenSize() const override;
    RECT WorkArea() const override;

    HostId CreateHost(const HostParams& params) override;
    void DestroyHost(HostId host) override;
    Surface* HostSurface(HostId host) override;
    void SetHostBounds(HostId host, const RECT& bounds) override;
    void ShowHost(HostId host, bool visible) override;
    void SetHostTitle(HostId host, const std::string& title) override;
    void SetHostStacking(const std::vector<HostId>& topToBottom) override;
    void ActivateHost(HostId host) override;
    void MinimizeHost(HostId host) override;
    void Present(HostId host, const RECT& dirty) override;

    Surface* LockScreen(const RECT& area) override;
    void UnlockScreen(const RECT& changed) override;

    bool WaitEvent(HostEvent& event, int timeoutMs) override;
    DWORD Now() const override;

    POINT CursorPos() const override;
    void SetCursorPos(POINT pt) override;
    void SetCursorShape(CursorShape shape) override;
    void GrabPointer(HostId host) override;

    void SetImePosition(HostId host, POINT caret, int height) override;

    bool SetClipboardText(const std::string& text) override;
    bool GetClipboardText(std::string& text) override;
    bool HasClipboardText() override;

    void Beep() override;

    // For tests and benchmarks.
    unsigned long WindowOf(HostId host) const;  // the host's X window, 0 if none
    HostId HostOf(unsigned long window) const;
    bool UsesSharedMemory() const { return sharedMemory_; }
    const char* InputStyle() const;
    // Waits until the display has carried out every request made so far.
    void Sync();
    _XDisplay* NativeDisplay() const;

private:
    X11Backend() = default;
    bool Start(const X11Options& options, std::string& error);

    HostWindow* Find(HostId host) const;
    HostWindow* FindByWindow(unsigned long window) const;

    // Event translation (x11_events.cpp).
    void Pump();
    void Dispatch(_XEvent& ev);
    void OnKey(_XEvent& ev, HostWindow& host);
    void OnButton(_XEvent& ev, HostWindow& host);
    void OnMotion(_XEvent& ev, HostWindow& host);
    void OnCrossing(_XEvent& ev, HostWindow& host);
    void OnFocus(_XEvent& ev, HostWindow& host);
    void OnConfigure(_XEvent& ev, HostWindow& host);
    void OnClientMessage(_XEvent& ev, HostWindow& host);
    void OnProperty(_XEvent& ev, HostWindow& host);
    void Push(HostEvent event);
    void NoteTime(unsigned long serverTime);
    bool WindowManagerRunning() const;
    bool FocusComesBack();

    static void OnConnectionWatch(_XDisplay* display, char* self, int fd, int opening, char** data);

    std::unique_ptr<Connection> x_;
    int xfixesEventBase_ = -1;
    bool sharedMemory_ = false;
    std::vector<int> internalConnections_;  // of the input method, beside the display's own
    std::unique_ptr<InputMethod> inputMethod_;
    std::unique_ptr<Clipboard> clipboard_;
    std::unique_ptr<ScreenLock> screenLock_;
    std::unique_ptr<Cursors> cursors_;
    std::map<HostId, std::unique_ptr<HostWindow>> hosts_;
    HostId nextHost_ = 1;
    HostId grabHost_ = 0;
    HostId focusHost_ = 0;
    HostId pendingFocus_ = 0;
    CursorShape currentCursor_ = CursorShape::Arrow;  // asked to activate before the display mapped it
    unsigned long lastEventTime_ = 0;
    std::deque<HostEvent> queue_;
};

}  // namespace win32::backend::x11
