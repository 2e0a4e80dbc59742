// The window manager: the one object that holds the state of the window
// system (windows, classes, the message queue, timers, hooks, input state,
// focus, activation and capture) and the helpers the user/ files share.
// It is internal to platform/user; the public face is winuser.h.
//
// Windows are reached by handle only: code that calls out (sends a message,
// runs a hook) looks the window up again afterwards, because the callee may
// have destroyed it.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/gdi/region.h"
#include "platform/handle_table.h"
#include "platform/user/winuser.h"

namespace win32::user {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LPCSTR menuName = nullptr;  // points into menuNameText unless a resource number
    std::string menuNameText;
    std::vector<BYTE> extra;
    int windowCount = 0;
};

struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool tracking = false;
    UINT disabledArrows = 0;
};

struct Window {
    HWND hwnd = nullptr;
    WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // the desktop for top-level windows
    HWND owner = nullptr;
    std::vector<HWND> children;  // z-order, topmost first
    // Both rectangles are in the parent's client coordinates (screen
    // coordinates for top-level windows).
    RECT window{0, 0, 0, 0};
    RECT client{0, 0, 0, 0};
    std::string text;
    UINT_PTR id = 0;  // control identifier, or the HMENU of a window with a menu bar
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;
    std::vector<std::pair<std::string, HANDLE>> props;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;

    bool destroying = false;
    bool created = false;  // WM_NCCREATE accepted
    bool sentPosChanged = false;
    bool redrawOff = false;  // WM_SETREDRAW FALSE
    bool frameActive = false;  // caption drawn as active (WM_NCACTIVATE)

    // Placement kept while minimised or maximised.
    RECT normalRect{0, 0, 0, 0};
    bool maximizeOnRestore = false;

    // Painting: the update region is in client coordinates; the frame and
    // the background are remembered as flags.
    Region update;
    bool ncPaintPending = false;
    bool erasePending = false;
    bool internalPaint = false;
    bool inBeginPaint = false;

    // Top-level windows own a host surface of the backend.
    backend::HostId host = 0;
    HWND lastActivePopup = nullptr;

    ScrollBarState hscroll;
    ScrollBarState vscroll;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT interval = 0;
    TIMERPROC proc = nullptr;
    DWORD due = 0;
};

struct Hook {
    int kind = 0;
    HOOKPROC proc = nullptr;
    bool removed = false;
};

// Raw input waiting to become messages. It is turned into a message only
// when it is taken from the queue, so capture and focus changes made while
// handling an earlier message decide where it goes.
enum class InputKind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Char };

struct InputEvent {
    InputKind kind = InputKind::MouseMove;
    POINT pt{0, 0};
    int button = 0;  // 0 left, 1 right, 2 middle
    int wheelDelta = 0;
    UINT vk = 0;
    UINT scan = 0;
    bool extended = false;
    char32_t ch = 0;     // Char events
    std::string text;    // characters a key event produces
    DWORD time = 0;
};

struct ClickRecord {
    HWND hwnd = nullptr;
    UINT msg = 0;  // the button-down message of the first click
    LRESULT hit = 0;
    POINT pt{0, 0};
    DWORD time = 0;
    bool valid = false;
};

struct TrackedMouse {
    HWND hwnd = nullptr;
    DWORD flags = 0;
    DWORD hoverTime = 0;
    DWORD hoverStart = 0;
    POINT hoverPoint{0, 0};
};

class WindowManager {
public:
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Destroys every window (without messages), class, hook, timer and queued
    // message, and starts again with a fresh desktop window.
    void Reset();

    Window* Find(HWND hwnd) const { return windows_.Get(hwnd); }
    Window* Desktop() const { return windows_.Get(desktop_); }
    HWND DesktopHandle() const { return desktop_; }
    HandleTable<Window>& Windows() { return windows_; }
    // Drops the object of a window whose destruction is complete.
    void RemoveWindow(HWND hwnd) { windows_.Remove(hwnd); }

    backend::Backend* Backend() const { return backend::Current(); }
    DWORD Now() const;
    SIZE ScreenSize() const;

    std::vector<std::unique_ptr<WindowClass>> classes;
    ATOM nextAtom = 0xC000;
    std::map<std::string, UINT> registeredMessages;

    // Queue.
    std::deque<MSG> posted;
    bool quitPending = false;
    int quitCode = 0;
    std::deque<InputEvent> input;
    DWORD messageTime = 0;
    POINT messagePos{0, 0};
    int sendDepth = 0;

    std::vector<Timer> timers;

    HandleTable<Hook> hooks{HandleKind::Hook};
    std::map<int, std::vector<HHOOK>> hookChains;  // newest first
    int hookCallDepth = 0;

    // Keyboard: the state as seen by the message being processed, and the
    // state of the devices now.
    BYTE keyState[256] = {};
    BYTE asyncKeyState[256] = {};
    bool altAlone = false;  // Alt went down and nothing else happened since
    DWORD lastKeyTime = 0;
    UINT lastKeyVk = 0;
    std::string lastKeyText;  // text of the last key-down message taken

    // Mouse.
    POINT cursorPos{0, 0};
    HWND capture = nullptr;
    HCURSOR cursor = nullptr;
    int cursorShowCount = 0;
    UINT doubleClickTime = 500;
    ClickRecord lastClick;
    TrackedMouse tracked;

    // Focus and activation.
    HWND focus = nullptr;
    HWND active = nullptr;
    bool appActive = false;

    // Painting.
    HWND lockedWindow = nullptr;

    std::map<backend::HostId, HWND> hosts;

private:
    void CreateDesktop();

    HandleTable<Window> windows_{HandleKind::Window};
    HWND desktop_ = nullptr;
};

WindowManager& Wm();

// ---- Helpers shared by the user/ files ----------------------------------

inline HWND ToHwnd(std::uintptr_t key) { return ToHandle<HWND>(key); }

bool IsTopLevel(const Window* w);
bool IsChildWindow(const Window* w);  // has WS_CHILD and a real parent
// Visible, and every ancestor up to the desktop visible too.
bool IsReallyVisible(const Window* w);
bool IsReallyEnabled(const Window* w);
// The top-level window that contains `hwnd` (itself when top-level).
HWND TopLevelOf(HWND hwnd);
bool IsDescendant(HWND ancestor, HWND hwnd);  // strictly below

// Screen position of a window's top-left corner and of its client area.
POINT WindowOrigin(const Window* w);
POINT ClientOrigin(const Window* w);
RECT ScreenWindowRect(const Window* w);
RECT ScreenClientRect(const Window* w);
// The window's rectangle relative to its own top-left corner.
RECT ClientInWindow(const Window* w);

// The deepest window under a screen point, as mouse input finds it, with
// its hit-test code (null over the bare desktop).
HWND WindowAtPoint(POINT pt, LRESULT* hit);

// Z-order among siblings.
void UnlinkFromParent(Window* w);
void LinkIntoParent(Window* w, HWND insertAfter);  // HWND_TOP/BOTTOM or a sibling
// Top-level stacking changed: tell the backend.
void SyncHostStacking();

// Sends through the hooks and the window procedure.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool IsBroadcast(HWND hwnd);
// Sends or posts to every top-level window.
void BroadcastMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool post);

// Frame geometry (nonclient.cpp).
RECT ComputeClientRect(HWND hwnd, const RECT& window);  // sends WM_NCCALCSIZE
bool HasCaption(DWORD style);
MINMAXINFO DefaultMinMaxInfo(HWND hwnd);
// WM_GETMINMAXINFO answered by the window (defaults filled in first).
MINMAXINFO QueryMinMaxInfo(HWND hwnd);
int FrameWidth(DWORD style, DWORD exStyle);

// Timers and queue internals used by other files.
void KillWindowTimers(HWND hwnd);
void RemovePostedMessages(HWND hwnd);

// Focus/activation internals.
void OnWindowHiddenOrDestroyed(HWND hwnd);
BOOL ActivateWindow(HWND hwnd, WORD how);
void SendActivateApp(bool active);

// Painting internals.
void InvalidateWindowArea(HWND hwnd, const Region* clientRgn, UINT flags);
void InvalidateScreenArea(const RECT& screenRect);
// The part of a window that can be seen, in surface coordinates of its
// top-level window's host (clipped by parents, siblings and children as the
// styles ask). `client` selects the client area instead of the whole window.
Region VisibleRegion(const Window* w, bool client, bool clipChildren, bool clipSiblings);
void PresentAll();
bool FindWindowToPaint(HWND filter, HWND& found);
void ReleaseWindowDCs(HWND hwnd);
void ResetDCs();

// Mouse internals.
void ReleaseCaptureOf(HWND hwnd);
void CancelTrackingOf(HWND hwnd);

// Painting now (RDW_ERASENOW / RDW_UPDATENOW for one window).
void PaintWindowNow(HWND hwnd, bool erase, bool update, bool children);

// System settings (sys_colors.cpp, metrics.cpp, nonclient_metrics.cpp).
void ResetSysColors();
void ResetSystemParameters();
BOOL GetNonClientMetrics(UINT size, void* out);
BOOL GetIconTitleFont(UINT size, void* out);

// Standard cursors are fixed handle values (capture_cursor.cpp).
bool IsStandardCursor(HCURSOR cursor);

// Host events from the backend become input or messages.
void HandleHostEvent(const backend::HostEvent& ev);

}  // namespace win32::user
