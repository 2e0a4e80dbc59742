// Host windows on a real X server: placement, the properties other programs
// read, pixels, exposure and what the window manager's requests become.
#include "tests/platform/backend/x11/x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace memopad_test {
namespace {

using win32::Pixel;
using win32::RECT;

std::string StringProperty(Display* d, Window w, const char* name, Atom* typeOut = nullptr) {
    Atom property = XInternAtom(d, name, False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 1 << 20, False, AnyPropertyType, &type, &format, &items, &after,
                           &data) != Success ||
        !data)
        return {};
    std::string s(reinterpret_cast<char*>(data), items);
    XFree(data);
    if (typeOut) *typeOut = type;
    return s;
}

RECT Geometry(Display* d, Window w) {
    XWindowAttributes attrs;
    XGetWindowAttributes(d, w, &attrs);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return RECT{x, y, x + attrs.width, y + attrs.height};
}

TEST_F(X11Test, HostIsMappedWhereAndAsLargeAsAsked) {
    HostId host = MapHost(RECT{120, 90, 520, 390});
    Window w = backend_->WindowOf(host);
    XWindowAttributes attrs;
    ASSERT_TRUE(XGetWindowAttributes(other_, w, &attrs));
    EXPECT_EQ(attrs.map_state, IsViewable);
    EXPECT_EQ(Geometry(other_, w), (RECT{120, 90, 520, 390}));
    win32::Surface* s = backend_->HostSurface(host);
    EXPECT_EQ(s->Width(), 400);
    EXPECT_EQ(s->Height(), 300);

    // Moving and resizing by the window system reaches the display without
    // coming back as a move of the display's.
    events_.clear();
    backend_->SetHostBounds(host, RECT{50, 60, 350, 260});
    Pump(150);
    EXPECT_EQ(Geometry(other_, w), (RECT{50, 60, 350, 260}));
    EXPECT_EQ(s->Width(), 300);
    for (const HostEvent& e : events_) EXPECT_NE(e.type, HostEventType::Moved);
}

TEST_F(X11Test, PropertiesNameTheProgramAndFollowTheCaption) {
    HostId owner = MapHost(RECT{10, 10, 300, 200});
    win32::backend::HostParams params;
    params.kind = HostKind::Tool;
    params.bounds = RECT{40, 40, 140, 100};
    params.owner = owner;
    HostId tool = backend_->CreateHost(params);
    backend_->SetHostTitle(owner, "ぽらりMEMO・・・無題");
    backend_->Sync();
    Window w = backend_->WindowOf(owner);

    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(other_, w, &hint));
    EXPECT_STREQ(hint.res_name, "PMemo");
    EXPECT_STREQ(hint.res_class, "PMemo");
    XFree(hint.res_name);
    XFree(hint.res_class);

    Atom type = None;
    EXPECT_EQ(StringProperty(other_, w, "_NET_WM_NAME", &type), "ぽらりMEMO・・・無題");
    EXPECT_EQ(type, XInternAtom(other_, "UTF8_STRING", False));
    // WM_NAME carries the same title for older readers.
    XTextProperty name{};
    ASSERT_TRUE(XGetWMName(other_, w, &name));
    char** list = nullptr;
    int count = 0;
    ASSERT_GE(Xutf8TextPropertyToTextList(other_, &name, &list, &count), Success);
    ASSERT_GE(count, 1);
    EXPECT_STREQ(list[0], "ぽらりMEMO・・・無題");
    XFreeStringList(list);
    XFree(name.value);

    Atom protocols = XInternAtom(other_, "WM_DELETE_WINDOW", False);
    Atom* got = nullptr;
    int n = 0;
    ASSERT_TRUE(XGetWMProtocols(other_, w, &got, &n));
    bool found = false;
    for (int i = 0; i < n; ++i) found = found || got[i] == protocols;
    XFree(got);
    EXPECT_TRUE(found);

    Window transientFor = None;
    ASSERT_TRUE(XGetTransientForHint(other_, backend_->WindowOf(tool), &transientFor));
    EXPECT_EQ(transientFor, w);
}

TEST_F(X11Test, PopupsBypassTheWindowManager) {
    HostId popup = MapHost(RECT{200, 200, 300, 260}, HostKind::Popup);
    XWindowAttributes attrs;
    ASSERT_TRUE(XGetWindowAttributes(other_, backend_->WindowOf(popup), &attrs));
    EXPECT_TRUE(attrs.override_redirect);
    HostId normal = MapHost(RECT{200, 300, 300, 360});
    ASSERT_TRUE(XGetWindowAttributes(other_, backend_->WindowOf(normal), &attrs));
    EXPECT_FALSE(attrs.override_redirect);
}

class X11PresentTest : public X11Test, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        if (!GetParam()) {
            std::string error;
            backend_ = X11Backend::Open(win32::backend::x11::X11Options{SharedXvfb().Display(), false}, error);
            ASSERT_TRUE(backend_) << error;
        }
    }
};

TEST_P(X11PresentTest, PresentSendsOnlyTheDirtyRectangle) {
    bool shared = GetParam();
    EXPECT_EQ(backend_->UsesSharedMemory(), shared);
    HostId host = MapHost(RECT{300, 200, 500, 350});
    Paint(host, 0x0000FF);
    EXPECT_EQ(ScreenPixel(310, 210), 0x0000FFu);

    win32::Surface* s = backend_->HostSurface(host);
    s->Fill(0xFF8000);  // changes every pixel, but only one rectangle is presented
    backend_->Present(host, RECT{10, 20, 30, 40});
    EXPECT_EQ(ScreenPixel(300 + 10, 200 + 20), 0xFF8000u);
    EXPECT_EQ(ScreenPixel(300 + 29, 200 + 39), 0xFF8000u);
    EXPECT_EQ(ScreenPixel(300 + 30, 200 + 40), 0x0000FFu);
    EXPECT_EQ(ScreenPixel(300 + 5, 200 + 5), 0x0000FFu);

    // A resize keeps the pixels both sizes share and presents still work.
    backend_->SetHostBounds(host, RECT{300, 200, 600, 400});
    EXPECT_EQ(s->Width(), 300);
    EXPECT_EQ(s->At(15, 25), 0xFF8000u);
    s->Fill(RECT{250, 150, 300, 200}, 0x00FF00);
    backend_->Present(host, RECT{250, 150, 300, 200});
    Pump(50);
    EXPECT_EQ(ScreenPixel(300 + 260, 200 + 160), 0x00FF00u);
}

INSTANTIATE_TEST_SUITE_P(SharedMemoryAndPlain, X11PresentTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "SharedMemory" : "PutImage"; });

TEST_F(X11Test, ExposedPixelsComeBackFromTheSurfaceWithoutAnEvent) {
    HostId host = MapHost(RECT{100, 100, 300, 250});
    Paint(host, 0x123456);
    ASSERT_EQ(ScreenPixel(150, 150), 0x123456u);

    // Another program's window covers ours and goes away again.
    XSetWindowAttributes attrs{};
    attrs.background_pixel = 0xFFFFFF;
    attrs.override_redirect = True;
    Window cover = XCreateWindow(other_, DefaultRootWindow(other_), 120, 120, 100, 80, 0, CopyFromParent,
                                 InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attrs);
    XMapRaised(other_, cover);
    XSync(other_, False);
    EXPECT_EQ(ScreenPixel(150, 150), 0xFFFFFFu);
    XDestroyWindow(other_, cover);
    XSync(other_, False);
    events_.clear();
    Pump(150);
    EXPECT_EQ(ScreenPixel(150, 150), 0x123456u);
    for (const HostEvent& e : events_) EXPECT_NE(e.type, HostEventType::Exposed);
}

TEST_F(X11Test, WindowManagerMovesArriveAsMoved) {
    HostId host = MapHost(RECT{100, 100, 300, 250});
    XMoveResizeWindow(other_, backend_->WindowOf(host), 140, 130, 260, 180);
    XSync(other_, False);
    HostEvent moved;
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Moved; }, &moved));
    EXPECT_EQ(moved.host, host);
    EXPECT_EQ(moved.bounds, (RECT{140, 130, 400, 310}));
    EXPECT_EQ(backend_->HostSurface(host)->Width(), 260);
    EXPECT_EQ(backend_->HostSurface(host)->Height(), 180);
}

TEST_F(X11Test, CloseBoxOfTheWindowManagerArrivesAsCloseRequest) {
    HostId host = MapHost(RECT{100, 100, 300, 250});
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = backend_->WindowOf(host);
    ev.xclient.message_type = XInternAtom(other_, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(other_, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(other_, ev.xclient.window, False, NoEventMask, &ev);
    XSync(other_, False);
    HostEvent close;
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::CloseRequest; }, &close));
    EXPECT_EQ(close.host, host);
}

TEST_F(X11Test, ActivationFollowsTheKeyboardFocus) {
    HostId first = MapHost(RECT{10, 10, 200, 200});
    HostId second = MapHost(RECT{300, 10, 500, 200});
    backend_->ActivateHost(first);
    HostEvent ev;
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Activated; }, &ev));
    EXPECT_EQ(ev.host, first);

    // Focus moving between our windows keeps the program active: no
    // deactivation in between.
    events_.clear();
    backend_->ActivateHost(second);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Activated; }, &ev));
    EXPECT_EQ(ev.host, second);
    for (const HostEvent& e : events_) EXPECT_NE(e.type, HostEventType::Deactivated);

    // Focus going to another program deactivates.
    XSetWindowAttributes attrs{};
    Window stranger = XCreateWindow(other_, DefaultRootWindow(other_), 600, 10, 50, 50, 0, CopyFromParent,
                                    InputOutput, CopyFromParent, 0, &attrs);
    XMapWindow(other_, stranger);
    XSync(other_, False);
    Pump(50);
    XSetInputFocus(other_, stranger, RevertToParent, CurrentTime);
    XSync(other_, False);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Deactivated; }, &ev));
    EXPECT_EQ(ev.host, second);
    XDestroyWindow(other_, stranger);
    XSync(other_, False);
}

TEST_F(X11Test, DestroyedHostsAreForgottenAndStaleIdsIgnored) {
    HostId host = MapHost(RECT{10, 10, 100, 100});
    Window w = backend_->WindowOf(host);
    backend_->DestroyHost(host);
    backend_->Sync();
    EXPECT_EQ(backend_->HostSurface(host), nullptr);
    EXPECT_EQ(backend_->WindowOf(host), 0u);
    // Every call on the stale id does nothing.
    backend_->ShowHost(host, true);
    backend_->Present(host, RECT{0, 0, 10, 10});
    backend_->SetHostBounds(host, RECT{0, 0, 5, 5});
    backend_->ActivateHost(host);
    backend_->GrabPointer(host);
    backend_->DestroyHost(host);
    XWindowAttributes attrs;
    XSync(other_, False);
    auto old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    EXPECT_FALSE(XGetWindowAttributes(other_, w, &attrs));
    XSetErrorHandler(old);
}

TEST_F(X11Test, EmptyHostsAreAllowed) {
    win32::backend::HostParams params;
    params.bounds = RECT{10, 10, 10, 10};
    HostId host = backend_->CreateHost(params);
    backend_->ShowHost(host, true);
    Pump(50);
    EXPECT_EQ(backend_->HostSurface(host)->Width(), 0);
    backend_->Present(host, RECT{0, 0, 10, 10});
    backend_->SetHostBounds(host, RECT{10, 10, 60, 40});
    EXPECT_EQ(backend_->HostSurface(host)->Width(), 50);
    Pump(50);
    for (const HostEvent& e : events_) EXPECT_NE(e.type, HostEventType::Moved);
}

// The test plays a window manager: it iconifies and restores the way one
// does, by unmapping and setting WM_STATE.
void SetWmState(Display* d, Window w, long state) {
    Atom wmState = XInternAtom(d, "WM_STATE", False);
    long value[2] = {state, 0};
    XChangeProperty(d, w, wmState, wmState, 32, PropModeReplace, reinterpret_cast<unsigned char*>(value), 2);
    XSync(d, False);
}

TEST_F(X11Test, MinimisingThroughTheDisplayIsReportedOnce) {
    HostId host = MapHost(RECT{100, 100, 300, 250});
    Window w = backend_->WindowOf(host);
    XUnmapWindow(other_, w);
    SetWmState(other_, w, IconicState);
    HostEvent ev;
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Minimized; }, &ev));
    EXPECT_EQ(ev.host, host);
    XMapWindow(other_, w);
    SetWmState(other_, w, NormalState);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Restored; }, &ev));
    EXPECT_EQ(ev.host, host);

    // Minimising asked by the window system itself is no news to it.
    events_.clear();
    backend_->MinimizeHost(host);
    Pump(50);
    XWindowAttributes attrs;
    ASSERT_TRUE(XGetWindowAttributes(other_, w, &attrs));
    EXPECT_NE(attrs.map_state, IsViewable);
    SetWmState(other_, w, IconicState);
    backend_->ShowHost(host, true);
    Pump(50);
    SetWmState(other_, w, NormalState);
    Pump(50);
    ASSERT_TRUE(XGetWindowAttributes(other_, w, &attrs));
    EXPECT_EQ(attrs.map_state, IsViewable);
    for (const HostEvent& e : events_) {
        EXPECT_NE(e.type, HostEventType::Minimized);
        EXPECT_NE(e.type, HostEventType::Restored);
    }
}

}  // namespace
}  // namespace memopad_test
