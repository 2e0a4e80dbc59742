// Drawing on the desktop: an outline inverted twice leaves the screen as
// it was, over our windows and others'.
#include "tests/platform/backend/x11/x11_fixture.h"

#include <X11/Xlib.h>

namespace memopad_test {
namespace {

using win32::Pixel;
using win32::RECT;

// Inverts a checkered frame `thickness` pixels wide, as a drag outline
// drawn with PATINVERT and a checkerboard brush does.
void InvertFrame(win32::Surface& s, const RECT& r, int thickness) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            bool inFrame = x < r.left + thickness || x >= r.right - thickness || y < r.top + thickness ||
                           y >= r.bottom - thickness;
            if (inFrame && ((x + y) & 1) == 0) s.Set(x, y, s.At(x, y) ^ 0xFFFFFF);
        }
    s.MarkDirty(r);
}

void DrawOutline(X11Backend& backend, const RECT& r) {
    win32::Surface* screen = backend.LockScreen(r);
    ASSERT_NE(screen, nullptr);
    InvertFrame(*screen, r, 3);
    backend.UnlockScreen(r);
}

TEST_F(X11Test, DragOutlineDrawnTwiceLeavesTheScreenUnchanged) {
    HostId host = MapHost(RECT{100, 100, 400, 300});
    win32::Surface* s = backend_->HostSurface(host);
    for (int y = 0; y < s->Height(); ++y)
        for (int x = 0; x < s->Width(); ++x) s->Set(x, y, static_cast<Pixel>((x * 7) << 16 | (y * 5) << 8 | (x ^ y)));
    backend_->Present(host, RECT{0, 0, s->Width(), s->Height()});
    // A window of another program lies partly under the outline as well.
    XSetWindowAttributes attrs{};
    attrs.background_pixel = 0x336699;
    attrs.override_redirect = True;
    Window other = XCreateWindow(other_, DefaultRootWindow(other_), 350, 250, 120, 90, 0, CopyFromParent,
                                 InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attrs);
    XMapRaised(other_, other);
    XSync(other_, False);
    Pump(50);

    RECT area{50, 50, 500, 400};
    RECT outline{80, 120, 420, 330};
    std::vector<Pixel> before = Capture(area);
    DrawOutline(*backend_, outline);
    std::vector<Pixel> drawn = Capture(area);
    EXPECT_NE(drawn, before);
    // The outline shows above both windows: its corner over the other
    // program's window is inverted there.
    int w = area.right - area.left;
    auto at = [&](const std::vector<Pixel>& p, int x, int y) { return p[(y - area.top) * w + (x - area.left)]; };
    EXPECT_EQ(at(drawn, 418, 328), at(before, 418, 328) ^ 0xFFFFFFu);
    EXPECT_EQ(at(drawn, 200, 120), at(before, 200, 120) ^ 0xFFFFFFu);
    EXPECT_EQ(at(drawn, 200, 200), at(before, 200, 200));  // inside the frame: untouched

    DrawOutline(*backend_, outline);
    EXPECT_EQ(Capture(area), before);
    XDestroyWindow(other_, other);
    XSync(other_, False);
}

// The window system's way: the whole screen locked for a drag loop, the
// outline drawn at each step and shown while the loop waits for input.
TEST_F(X11Test, OutlineShowsDuringALongLockAndGoesWhenDrawnAgain) {
    for (bool shared : {true, false}) {
        SCOPED_TRACE(shared ? "shared memory" : "plain");
        std::string error;
        backend_ = X11Backend::Open(win32::backend::x11::X11Options{SharedXvfb().Display(), shared}, error);
        ASSERT_TRUE(backend_) << error;
        HostId host = MapHost(RECT{200, 150, 500, 400});
        Paint(host, 0x808000);
        RECT area{0, 0, 1024, 768};
        std::vector<Pixel> before = Capture(area);

        win32::Surface* screen = backend_->LockScreen(area);
        ASSERT_NE(screen, nullptr);
        RECT first{220, 170, 320, 260}, second{260, 200, 380, 300};
        InvertFrame(*screen, first, 4);
        Pump(20);  // waiting for input shows the outline
        EXPECT_EQ(ScreenPixel(220, 170), 0x808000u ^ 0xFFFFFFu);
        InvertFrame(*screen, first, 4);  // moved: old one off, new one on
        InvertFrame(*screen, second, 4);
        Pump(20);
        EXPECT_EQ(ScreenPixel(220, 170), 0x808000u);
        EXPECT_EQ(ScreenPixel(260, 200), 0x808000u ^ 0xFFFFFFu);
        InvertFrame(*screen, second, 4);
        backend_->UnlockScreen(screen->TakeDirty());
        EXPECT_EQ(Capture(area), before);
        backend_->DestroyHost(host);
        backend_->Sync();
    }
}

TEST_F(X11Test, LockingOffScreenAreasIsHarmless) {
    win32::Surface* screen = backend_->LockScreen(RECT{-50, -50, 20, 20});
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->Width(), 1024);
    backend_->UnlockScreen(RECT{-50, -50, 2000, 2000});
    backend_->UnlockScreen(RECT{0, 0, 10, 10});  // not locked: nothing happens
    backend_->Sync();
}

}  // namespace
}  // namespace memopad_test
