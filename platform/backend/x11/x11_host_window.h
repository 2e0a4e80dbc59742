// One host: a top-level X window with the properties window managers and
// task bars read (class, title in UTF-8, type, transient owner, no
// decoration), its pixels, and what the display tells about it (mapping,
// parent after reparenting by the window manager, configuration).
#pragma once

#include <string>

#include "platform/backend/backend.h"
#include "platform/backend/x11/x11_display.h"
#include "platform/backend/x11/x11_host_image.h"

namespace win32::backend::x11 {

// The name window managers and task bars know the program by.
inline constexpr const char* kProgramClass = "PMemo";

class HostWindow {
public:
    HostWindow(const Connection& x, HostId id, const HostParams& params, Window ownerWindow, Cursor cursor);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HostId id() const { return id_; }
    Window window() const { return window_; }
    HostKind kind() const { return kind_; }
    const RECT& bounds() const { return bounds_; }
    Surface* surface() { return image_.surface(); }
    bool SharedMemory() const { return image_.SharedMemory(); }

    // Requests of the window system.
    void SetBounds(const RECT& bounds);
    void Show(bool visible);
    void SetTitle(const std::string& title);
    void Present(const RECT& dirty);
    // Iconifies through the window manager, or just unmaps without one;
    // Show(true) restores.
    void Minimize(bool windowManagerRunning);

    // What the display reports.
    bool visible() const { return visible_; }
    bool mapped() const { return mapped_; }
    void SetMapped(bool mapped) { mapped_ = mapped; }
    Window parent() const { return parent_; }
    void SetParent(Window parent) { parent_ = parent; }
    // Takes a ConfigureNotify; true, with the new screen bounds in
    // `bounds`, when it moved or resized the host in a way we did not ask
    // for (the window manager, the user through it).
    bool TakeConfigure(const XConfigureEvent& ev, RECT& bounds);
    // Repaints an exposed part from the surface.
    void Repaint(const RECT& r);
    // Reads the WM_STATE the window manager set; tells whether the user
    // minimised or restored the host through it.
    enum class StateChange { Unchanged, Minimized, Restored };
    StateChange TakeWmState(unsigned long serial);
    bool iconic() const { return iconic_; }

private:
    void SetSizeHints();
    void SetWindowState(bool topmost, bool skipTaskbar);

    const Connection& x_;
    HostId id_;
    HostKind kind_;
    Window window_ = None;
    Window parent_ = None;
    RECT bounds_;
    HostImage image_;
    bool visible_ = false;
    bool mapped_ = false;
    bool iconic_ = false;
    unsigned long configureSerial_ = 0;  // of our latest move or resize
    unsigned long stateSerial_ = 0;      // of our latest minimise or restore
};

}  // namespace win32::backend::x11
