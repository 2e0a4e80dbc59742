// Keyboard and mouse input injected through XTest, as the window system
// receives it from the backend.
#include "tests/platform/backend/x11/x11_fixture.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#undef CursorShape  // an Xlib constant named like the backend's enumeration

namespace memopad_test {
namespace {

using win32::POINT;
using win32::RECT;
using win32::backend::MouseButton;

class X11InputTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        host_ = MapHost(RECT{100, 100, 400, 300});
        backend_->ActivateHost(host_);
        ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Activated; }));
        events_.clear();
    }
    void Key(KeySym keysym, bool down) {
        XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, keysym), down ? True : False, CurrentTime);
        XSync(other_, False);
    }
    void Tap(KeySym keysym) {
        Key(keysym, true);
        Key(keysym, false);
    }
    HostEvent NextKey(HostEventType type) {
        HostEvent ev;
        EXPECT_TRUE(WaitFor([type](const HostEvent& e) { return e.type == type; }, &ev));
        return ev;
    }
    void MoveTo(int x, int y) {
        XTestFakeMotionEvent(other_, -1, x, y, CurrentTime);
        XSync(other_, False);
    }
    void Button(unsigned button, bool down) {
        XTestFakeButtonEvent(other_, button, down ? True : False, CurrentTime);
        XSync(other_, False);
    }

    HostId host_ = 0;
};

TEST_F(X11InputTest, LetterKeysCarryVirtualKeyScanCodeAndText) {
    Tap(XK_a);
    HostEvent down = NextKey(HostEventType::KeyDown);
    EXPECT_EQ(down.host, host_);
    EXPECT_EQ(down.virtualKey, 0x41u);  // 'A'
    EXPECT_EQ(down.scanCode, 0x1Eu);
    EXPECT_FALSE(down.extended);
    EXPECT_EQ(down.text, "a");
    HostEvent up = NextKey(HostEventType::KeyUp);
    EXPECT_EQ(up.virtualKey, 0x41u);
    EXPECT_EQ(up.scanCode, 0x1Eu);

    // With Shift the key stays 'A' and types a capital.
    Key(XK_Shift_L, true);
    HostEvent shift = NextKey(HostEventType::KeyDown);
    EXPECT_EQ(shift.virtualKey, 0x10u);
    EXPECT_EQ(shift.scanCode, 0x2Au);
    EXPECT_TRUE(shift.text.empty());
    Tap(XK_a);
    down = NextKey(HostEventType::KeyDown);
    EXPECT_EQ(down.virtualKey, 0x41u);
    EXPECT_EQ(down.text, "A");
    Key(XK_Shift_L, false);

    // Ctrl+C types the control character, as TranslateMessage makes it.
    Key(XK_Control_L, true);
    Tap(XK_c);
    Key(XK_Control_L, false);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::KeyDown && e.virtualKey == 'C'; },
                        &down));
    EXPECT_EQ(down.text, "\x03");
}

TEST_F(X11InputTest, SpecialKeysMapToTheirWindowsCodes) {
    struct Case {
        KeySym keysym;
        unsigned vk;
        unsigned scan;
        bool extended;
        const char* text;
    } cases[] = {
        {XK_Return, 0x0D, 0x1C, false, "\r"},  {XK_BackSpace, 0x08, 0x0E, false, "\b"},
        {XK_Escape, 0x1B, 0x01, false, "\x1b"}, {XK_Tab, 0x09, 0x0F, false, "\t"},
        {XK_Delete, 0x2E, 0x53, true, ""},     {XK_Right, 0x27, 0x4D, true, ""},
        {XK_Home, 0x24, 0x47, true, ""},       {XK_F3, 0x72, 0x3D, false, ""},
        {XK_F10, 0x79, 0x44, false, ""},       {XK_Alt_L, 0x12, 0x38, false, ""},
        {XK_Control_R, 0x11, 0x1D, true, ""},  {XK_KP_Enter, 0x0D, 0x1C, true, "\r"},
        {XK_space, 0x20, 0x39, false, " "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(XKeysymToString(c.keysym));
        Tap(c.keysym);
        HostEvent down = NextKey(HostEventType::KeyDown);
        EXPECT_EQ(down.virtualKey, c.vk);
        EXPECT_EQ(down.scanCode, c.scan);
        EXPECT_EQ(down.extended, c.extended);
        EXPECT_EQ(down.text, c.text);
        HostEvent up = NextKey(HostEventType::KeyUp);
        EXPECT_EQ(up.virtualKey, c.vk);
    }
}

TEST_F(X11InputTest, AltAloneAndAltWithALetterReachTheWindowSystem) {
    // Alt pressed and released alone: the menu loop starts on the release.
    Tap(XK_Alt_L);
    HostEvent ev = NextKey(HostEventType::KeyDown);
    EXPECT_EQ(ev.virtualKey, 0x12u);
    ev = NextKey(HostEventType::KeyUp);
    EXPECT_EQ(ev.virtualKey, 0x12u);
    // Alt+F: the letter arrives with its character, for WM_SYSCHAR.
    Key(XK_Alt_L, true);
    Tap(XK_f);
    Key(XK_Alt_L, false);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::KeyDown && e.virtualKey == 'F'; },
                        &ev));
    EXPECT_EQ(ev.text, "f");
}

TEST_F(X11InputTest, MouseButtonsAndWheelArriveInScreenCoordinates) {
    MoveTo(150, 160);
    HostEvent ev;
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::MouseMove && e.host != 0; }, &ev));
    EXPECT_EQ(ev.host, host_);
    // Moves not read yet collapse into the last one.
    for (int i = 0; i < 20; ++i) XTestFakeMotionEvent(other_, -1, 160 + i, 170, CurrentTime);
    XSync(other_, False);
    Pump(100);
    int moves = 0;
    for (const HostEvent& e : events_) moves += e.type == HostEventType::MouseMove;
    EXPECT_LT(moves, 20);
    EXPECT_EQ(events_.back().pt, (POINT{179, 170}));

    events_.clear();
    Button(1, true);
    Button(1, false);
    Button(3, true);
    Button(3, false);
    Button(2, true);
    Button(2, false);
    Button(4, true);
    Button(4, false);
    Button(5, true);
    Button(5, false);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Wheel && e.wheelDelta < 0; }));
    std::vector<HostEvent> buttons;
    for (const HostEvent& e : events_)
        if (e.type != HostEventType::MouseMove) buttons.push_back(e);
    ASSERT_EQ(buttons.size(), 8u);
    EXPECT_EQ(buttons[0].type, HostEventType::ButtonDown);
    EXPECT_EQ(buttons[0].button, MouseButton::Left);
    EXPECT_EQ(buttons[0].pt, (POINT{179, 170}));
    EXPECT_EQ(buttons[1].type, HostEventType::ButtonUp);
    EXPECT_EQ(buttons[2].button, MouseButton::Right);
    EXPECT_EQ(buttons[4].button, MouseButton::Middle);
    EXPECT_EQ(buttons[6].type, HostEventType::Wheel);
    EXPECT_EQ(buttons[6].wheelDelta, 120);
    EXPECT_EQ(buttons[7].wheelDelta, -120);
}

TEST_F(X11InputTest, LeavingOurWindowsIsAMoveOverTheDesktop) {
    MoveTo(150, 150);
    ASSERT_TRUE(WaitFor([this](const HostEvent& e) { return e.type == HostEventType::MouseMove && e.host == host_; }));
    MoveTo(700, 600);
    HostEvent ev;
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::MouseMove && e.host == 0; }, &ev));
    EXPECT_EQ(ev.pt, (POINT{700, 600}));
}

TEST_F(X11InputTest, GrabKeepsPointerEventsComingFromOutside) {
    MoveTo(150, 150);
    Pump(50);
    backend_->GrabPointer(host_);
    events_.clear();
    MoveTo(800, 650);
    HostEvent ev;
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::MouseMove && e.pt.x == 800; }, &ev));
    EXPECT_EQ(ev.host, host_);
    Button(1, true);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::ButtonDown; }, &ev));
    EXPECT_EQ(ev.host, host_);
    EXPECT_EQ(ev.pt, (POINT{800, 650}));
    Button(1, false);
    Pump(30);

    // Released, the pointer outside reaches us no more.
    backend_->GrabPointer(0);
    Pump(30);
    events_.clear();
    MoveTo(820, 660);
    Button(1, true);
    Button(1, false);
    Pump(100);
    for (const HostEvent& e : events_) EXPECT_NE(e.type, HostEventType::ButtonDown);
}

TEST_F(X11InputTest, KeyboardWorksWithoutAnInputMethodServer) {
    // XMODIFIERS names a server that does not exist: the backend falls back
    // and keys still type.
    setenv("XMODIFIERS", "@im=nothing-here", 1);
    std::string error;
    backend_ = X11Backend::Open(win32::backend::x11::X11Options{SharedXvfb().Display(), true}, error);
    unsetenv("XMODIFIERS");
    ASSERT_TRUE(backend_) << error;
    host_ = MapHost(RECT{100, 100, 400, 300});
    backend_->ActivateHost(host_);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Activated; }));
    Tap(XK_z);
    HostEvent down = NextKey(HostEventType::KeyDown);
    EXPECT_EQ(down.virtualKey, 0x5Au);
    EXPECT_EQ(down.text, "z");
    backend_->SetImePosition(host_, POINT{20, 30}, 16);  // harmless without a method
}

TEST_F(X11InputTest, CursorPositionIsTheScreenPointer) {
    backend_->SetCursorPos(POINT{333, 222});
    EXPECT_EQ(backend_->CursorPos(), (POINT{333, 222}));
    backend_->SetCursorShape(win32::backend::CursorShape::IBeam);
    backend_->SetCursorShape(win32::backend::CursorShape::Hidden);
    backend_->SetCursorShape(win32::backend::CursorShape::Arrow);
    backend_->Sync();
}

}  // namespace
}  // namespace memopad_test
