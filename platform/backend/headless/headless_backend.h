// The headless backend: a virtual screen in memory on which every visible
// host is composed in stacking order, deterministic injected input, a fake
// clock, and idle steps that tests use to answer modal loops.
//
// Waiting for input (WaitEvent) takes, in this order: an injected event;
// otherwise the next idle step, run now; otherwise, when a timeout is given,
// a jump of the fake clock by that timeout (so timers come due at once);
// otherwise nothing can ever arrive, which is reported on stderr and aborts
// the program instead of hanging a test.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/backend/backend.h"

namespace win32::backend {

class HeadlessBackend : public Backend {
public:
    explicit HeadlessBackend(SIZE screen = SIZE{1024, 768});

    // ---- Backend ------------------------------------------------------------
    const char* Name() const override { return "headless"; }
    SIZE ScreenSize() const override { return SIZE{screen_.Width(), screen_.Height()}; }
    RECT WorkArea() const override { return workArea_; }
    HostId CreateHost(const HostParams& params) override;
    void DestroyHost(HostId host) override;
    Surface* HostSurface(HostId host) override;
    void SetHostBounds(HostId host, const RECT& bounds) override;
    void ShowHost(HostId host, bool visible) override;
    void SetHostTitle(HostId host, const std::string& title) override;
    void SetHostStacking(const std::vector<HostId>& topToBottom) override;
    void ActivateHost(HostId host) override { activeHost_ = host; }
    void Present(HostId host, const RECT& dirty) override;
    Surface* LockScreen(const RECT& area) override;
    void UnlockScreen(const RECT& changed) override;
    bool WaitEvent(HostEvent& event, int timeoutMs) override;
    DWORD Now() const override { return now_; }
    POINT CursorPos() const override { return cursor_; }
    void SetCursorPos(POINT pt) override { cursor_ = pt; }
    void SetCursorShape(CursorShape shape) override { cursorShape_ = shape; }
    void GrabPointer(HostId host) override { grabbedHost_ = host; }
    void SetImePosition(HostId host, POINT caret, int height) override;
    bool SetClipboardText(const std::string& text) override;
    bool GetClipboardText(std::string& text) override;
    bool HasClipboardText() override { return hasClipboard_; }
    void Beep() override { ++beeps_; }

    // ---- Test controls --------------------------------------------------------
    // A new screen size (contents are recomposed) and work area.
    void SetScreenSize(SIZE size);
    void SetWorkArea(const RECT& area) { workArea_ = area; }

    // The fake clock.
    void Advance(DWORD ms) { now_ += ms; }

    // Input, as a person at the screen would give it.
    void Inject(const HostEvent& event);
    void MouseMove(POINT pt);
    void MouseButton(POINT pt, MouseButton button, bool down);
    void Wheel(POINT pt, int delta);
    void Key(unsigned virtualKey, bool down, const std::string& text = {});
    void Text(const std::string& utf8);  // committed by an input method
    void Composition(const std::string& utf8);  // being composed (empty: composition over)
    void CloseRequest(HostId host);
    bool HasPendingEvents() const { return !events_.empty(); }

    // Steps run one by one whenever the program waits with nothing to do.
    void AddIdleStep(std::function<void()> step) { idleSteps_.push_back(std::move(step)); }
    std::size_t PendingIdleSteps() const { return idleSteps_.size(); }
    void ClearIdleSteps() { idleSteps_.clear(); }

    // What is on the screen.
    const Surface& Screen() const { return screen_; }
    Pixel ScreenPixel(int x, int y) const;
    std::vector<HostId> Stacking() const { return stacking_; }
    bool IsHostVisible(HostId host) const;
    RECT HostBounds(HostId host) const;
    std::string HostTitle(HostId host) const;
    HostKind HostKindOf(HostId host) const;
    HostId ActiveHost() const { return activeHost_; }
    HostId GrabbedHost() const { return grabbedHost_; }
    CursorShape Cursor() const { return cursorShape_; }
    // Where the input method was last told to show its window.
    struct ImeSpot {
        HostId host = 0;
        POINT caret{0, 0};
        int height = 0;
    };
    ImeSpot ImePosition() const { return imeSpot_; }
    int Beeps() const { return beeps_; }
    int HostCount() const { return static_cast<int>(hosts_.size()); }

    // PNG files of the screen or of one host's surface.
    bool SaveScreenPng(const std::string& path) const;
    bool SaveHostPng(HostId host, const std::string& path);

private:
    struct Host {
        HostParams params;
        Surface surface;
        bool visible = false;
    };

    void Recompose(const RECT& screenArea);
    RECT ScreenRectOf(const Host& h) const { return h.params.bounds; }

    Surface screen_;
    RECT workArea_;
    std::map<HostId, Host> hosts_;
    std::vector<HostId> stacking_;  // topmost first, every host
    HostId nextHost_ = 1;
    HostId activeHost_ = 0;
    HostId grabbedHost_ = 0;
    DWORD now_ = 1000000;
    DWORD jumpedSinceInput_ = 0;
    POINT cursor_{0, 0};
    CursorShape cursorShape_ = CursorShape::Arrow;
    std::deque<HostEvent> events_;
    std::deque<std::function<void()>> idleSteps_;
    std::string clipboard_;
    bool hasClipboard_ = false;
    int beeps_ = 0;
    ImeSpot imeSpot_;
};

// PNG writing for the headless screen and snapshots.
bool WritePng(const Surface& surface, const std::string& path);

}  // namespace win32::backend
