#include "platform/backend/headless/headless_backend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace win32::backend {

namespace {

constexpr Pixel kDesktop = 0x008080;  // the classic teal desktop
// Fake time the clock may jump with no input at all before the wait counts
// as hung (timers firing forever with nobody to stop them).
constexpr DWORD kLongestIdleJump = 60u * 60u * 1000u;

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return RECT{0, 0, 0, 0};
    return r;
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

HeadlessBackend::HeadlessBackend(SIZE screen) : screen_(screen.cx, screen.cy), workArea_{0, 0, screen.cx, screen.cy} {
    screen_.Fill(kDesktop);
}

void HeadlessBackend::SetScreenSize(SIZE size) {
    screen_.Resize(size.cx, size.cy, kDesktop);
    screen_.Fill(kDesktop);
    workArea_ = RECT{0, 0, size.cx, size.cy};
    Recompose(RECT{0, 0, size.cx, size.cy});
}

HostId HeadlessBackend::CreateHost(const HostParams& params) {
    HostId id = nextHost_++;
    Host& h = hosts_[id];
    h.params = params;
    h.surface.Resize(params.bounds.right - params.bounds.left, params.bounds.bottom - params.bounds.top, 0xFFFFFF);
    stacking_.insert(stacking_.begin(), id);
    return id;
}

void HeadlessBackend::DestroyHost(HostId host) {
    auto it = hosts_.find(host);
    if (it == hosts_.end()) return;
    RECT r = ScreenRectOf(it->second);
    bool visible = it->second.visible;
    hosts_.erase(it);
    stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), host), stacking_.end());
    if (activeHost_ == host) activeHost_ = 0;
    if (grabbedHost_ == host) grabbedHost_ = 0;
    if (visible) Recompose(r);
}

Surface* HeadlessBackend::HostSurface(HostId host) {
    auto it = hosts_.find(host);
    return it == hosts_.end() ? nullptr : &it->second.surface;
}

void HeadlessBackend::SetHostBounds(HostId host, const RECT& bounds) {
    auto it = hosts_.find(host);
    if (it == hosts_.end()) return;
    RECT old = it->second.params.bounds;
    it->second.params.bounds = bounds;
    it->second.surface.Resize(bounds.right - bounds.left, bounds.bottom - bounds.top, 0xFFFFFF);
    if (it->second.visible) {
        Recompose(old);
        Recompose(bounds);
    }
}

void HeadlessBackend::ShowHost(HostId host, bool visible) {
    auto it = hosts_.find(host);
    if (it == hosts_.end() || it->second.visible == visible) return;
    it->second.visible = visible;
    Recompose(it->second.params.bounds);
}

void HeadlessBackend::SetHostTitle(HostId host, const std::string& title) {
    auto it = hosts_.find(host);
    if (it != hosts_.end()) it->second.params.title = title;
}

void HeadlessBackend::SetHostStacking(const std::vector<HostId>& topToBottom) {
    std::vector<HostId> order;
    for (HostId id : topToBottom) {
        if (hosts_.count(id)) order.push_back(id);
    }
    // Hosts not named (hidden ones) keep their places below.
    for (HostId id : stacking_) {
        if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    }
    if (order == stacking_) return;
    stacking_ = order;
    Recompose(RECT{0, 0, screen_.Width(), screen_.Height()});
}

void HeadlessBackend::Present(HostId host, const RECT& dirty) {
    auto it = hosts_.find(host);
    if (it == hosts_.end() || !it->second.visible) return;
    const RECT& b = it->second.params.bounds;
    Recompose(RECT{b.left + dirty.left, b.top + dirty.top, b.left + dirty.right, b.top + dirty.bottom});
}

void HeadlessBackend::Recompose(const RECT& area) {
    RECT clip = Intersect(area, RECT{0, 0, screen_.Width(), screen_.Height()});
    if (Empty(clip)) return;
    screen_.Fill(clip, kDesktop);
    for (auto it = stacking_.rbegin(); it != stacking_.rend(); ++it) {
        const Host& h = hosts_.at(*it);
        if (!h.visible) continue;
        RECT r = Intersect(clip, h.params.bounds);
        if (Empty(r)) continue;
        for (int y = r.top; y < r.bottom; ++y) {
            const Pixel* src = h.surface.Row(y - h.params.bounds.top) + (r.left - h.params.bounds.left);
            Pixel* dst = screen_.Row(y) + r.left;
            std::copy(src, src + (r.right - r.left), dst);
        }
    }
    screen_.MarkDirty(clip);
}

Surface* HeadlessBackend::LockScreen(const RECT&) { return &screen_; }

void HeadlessBackend::UnlockScreen(const RECT&) {}

bool HeadlessBackend::WaitEvent(HostEvent& event, int timeoutMs) {
    for (;;) {
        if (!events_.empty()) {
            event = events_.front();
            events_.pop_front();
            if (!event.time) event.time = now_;
            jumpedSinceInput_ = 0;
            return true;
        }
        if (timeoutMs == 0) return false;
        if (!idleSteps_.empty()) {
            std::function<void()> step = std::move(idleSteps_.front());
            idleSteps_.pop_front();
            jumpedSinceInput_ = 0;
            step();
            // The step may have posted messages instead of injecting input:
            // the caller looks at its queue again.
            if (events_.empty()) return false;
            continue;
        }
        if (timeoutMs > 0) {
            jumpedSinceInput_ += static_cast<DWORD>(timeoutMs);
            if (jumpedSinceInput_ > kLongestIdleJump) {
                std::fprintf(stderr, "headless: timers keep firing but no input or idle step ever comes\n");
                std::abort();
            }
            now_ += static_cast<DWORD>(timeoutMs);
            return false;
        }
        std::fprintf(stderr,
                     "headless: the program waits for input that can never arrive "
                     "(no event injected, no idle step, no timer)\n");
        std::abort();
    }
}

void HeadlessBackend::SetImePosition(HostId host, POINT caret, int height) { imeSpot_ = ImeSpot{host, caret, height}; }

bool HeadlessBackend::SetClipboardText(const std::string& text) {
    clipboard_ = text;
    hasClipboard_ = true;
    return true;
}

bool HeadlessBackend::GetClipboardText(std::string& text) {
    if (!hasClipboard_) return false;
    text = clipboard_;
    return true;
}

void HeadlessBackend::Inject(const HostEvent& event) { events_.push_back(event); }

void HeadlessBackend::MouseMove(POINT pt) {
    cursor_ = pt;
    HostEvent e;
    e.type = HostEventType::MouseMove;
    e.pt = pt;
    Inject(e);
}

void HeadlessBackend::MouseButton(POINT pt, enum MouseButton button, bool down) {
    if (pt.x != cursor_.x || pt.y != cursor_.y) MouseMove(pt);
    HostEvent e;
    e.type = down ? HostEventType::ButtonDown : HostEventType::ButtonUp;
    e.pt = pt;
    e.button = button;
    Inject(e);
}

void HeadlessBackend::Wheel(POINT pt, int delta) {
    HostEvent e;
    e.type = HostEventType::Wheel;
    e.pt = pt;
    e.wheelDelta = delta;
    Inject(e);
}

void HeadlessBackend::Key(unsigned virtualKey, bool down, const std::string& text) {
    HostEvent e;
    e.type = down ? HostEventType::KeyDown : HostEventType::KeyUp;
    e.virtualKey = virtualKey;
    e.pt = cursor_;
    if (down) e.text = text;
    Inject(e);
}

void HeadlessBackend::Text(const std::string& utf8) {
    HostEvent e;
    e.type = HostEventType::Text;
    e.text = utf8;
    e.pt = cursor_;
    Inject(e);
}

void HeadlessBackend::Composition(const std::string& utf8) {
    HostEvent e;
    e.type = HostEventType::Composition;
    e.text = utf8;
    e.pt = cursor_;
    Inject(e);
}

void HeadlessBackend::CloseRequest(HostId host) {
    HostEvent e;
    e.type = HostEventType::CloseRequest;
    e.host = host;
    Inject(e);
}

Pixel HeadlessBackend::ScreenPixel(int x, int y) const {
    if (!screen_.Contains(x, y)) return 0;
    return screen_.At(x, y) & 0x00FFFFFF;
}

bool HeadlessBackend::IsHostVisible(HostId host) const {
    auto it = hosts_.find(host);
    return it != hosts_.end() && it->second.visible;
}

RECT HeadlessBackend::HostBounds(HostId host) const {
    auto it = hosts_.find(host);
    return it == hosts_.end() ? RECT{0, 0, 0, 0} : it->second.params.bounds;
}

std::string HeadlessBackend::HostTitle(HostId host) const {
    auto it = hosts_.find(host);
    return it == hosts_.end() ? std::string() : it->second.params.title;
}

HostKind HeadlessBackend::HostKindOf(HostId host) const {
    auto it = hosts_.find(host);
    return it == hosts_.end() ? HostKind::Overlapped : it->second.params.kind;
}

bool HeadlessBackend::SaveScreenPng(const std::string& path) const { return WritePng(screen_, path); }

bool HeadlessBackend::SaveHostPng(HostId host, const std::string& path) {
    Surface* s = HostSurface(host);
    return s && WritePng(*s, path);
}

}  // namespace win32::backend
