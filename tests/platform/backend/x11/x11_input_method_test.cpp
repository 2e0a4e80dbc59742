// Japanese input through a real XIM server (uim with Anthy) when the
// machine has one and the Japanese UTF-8 locale it serves.
#include "tests/platform/backend/x11/x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <clocale>
#include <thread>

namespace memopad_test {
namespace {

using win32::POINT;
using win32::RECT;

bool ServerRegistered(Display* d, const char* name) {
    Atom servers = XInternAtom(d, "XIM_SERVERS", False);
    Atom wanted = XInternAtom(d, name, False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, DefaultRootWindow(d), servers, 0, 1024, False, XA_ATOM, &type, &format, &items, &after,
                           &data) != Success ||
        !data)
        return false;
    bool found = false;
    for (unsigned long i = 0; i < items; ++i) found = found || reinterpret_cast<Atom*>(data)[i] == wanted;
    XFree(data);
    return found;
}

class X11JapaneseInputTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        if (std::system("command -v uim-xim >/dev/null 2>&1") != 0) GTEST_SKIP() << "skipped: uim-xim is not installed";
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        savedLocale_ = current ? current : "C";
        if (!std::setlocale(LC_CTYPE, "ja_JP.UTF-8")) GTEST_SKIP() << "skipped: no ja_JP.UTF-8 locale";
        // The server only serves clients of the locales it was started in.
        setenv("LANG", "ja_JP.UTF-8", 1);
        server_ = std::make_unique<Child>(std::vector<std::string>{"uim-xim", "--engine=anthy-utf8"});
        unsetenv("LANG");
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!ServerRegistered(other_, "@server=uim") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(ServerRegistered(other_, "@server=uim")) << "uim-xim did not start";

        setenv("XMODIFIERS", "@im=uim", 1);
        std::string error;
        backend_ = X11Backend::Open(win32::backend::x11::X11Options{SharedXvfb().Display(), true}, error);
        unsetenv("XMODIFIERS");
        ASSERT_TRUE(backend_) << error;
        host_ = MapHost(RECT{100, 100, 500, 400});
        backend_->ActivateHost(host_);
        ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Activated; }));
    }
    void TearDown() override {
        X11Test::TearDown();
        server_.reset();
        if (!savedLocale_.empty()) std::setlocale(LC_CTYPE, savedLocale_.c_str());
    }
    void Tap(KeySym keysym, KeySym modifier = NoSymbol) {
        if (modifier != NoSymbol) XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, modifier), True, CurrentTime);
        XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, keysym), True, CurrentTime);
        XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, keysym), False, CurrentTime);
        if (modifier != NoSymbol) XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, modifier), False, CurrentTime);
        XSync(other_, False);
        Pump(60);
    }

    std::unique_ptr<Child> server_;
    std::string savedLocale_;
    HostId host_ = 0;
};

TEST_F(X11JapaneseInputTest, KanaComposedByTheInputMethodArrivesAsText) {
    std::string style = backend_->InputStyle();
    EXPECT_TRUE(style == "over-the-spot" || style == "root") << style;
    backend_->SetImePosition(host_, POINT{40, 60}, 16);

    // Keys typed with the method off are ordinary keys, Return included.
    Tap(XK_Return);
    HostEvent ev;
    ASSERT_TRUE(Saw([](const HostEvent& e) { return e.type == HostEventType::KeyDown && e.virtualKey == 0x0D; }, &ev));
    EXPECT_EQ(ev.text, "\r");

    events_.clear();
    Tap(XK_space, XK_Shift_L);  // the method's on key
    Tap(XK_a);
    Tap(XK_i);
    // While composing, the keys belong to the method.
    for (const HostEvent& e : events_) EXPECT_NE(e.type, HostEventType::Text);
    Tap(XK_Return);
    ASSERT_TRUE(Saw([](const HostEvent& e) { return e.type == HostEventType::Text; }, &ev));
    EXPECT_EQ(ev.text, "あい");
}

}  // namespace
}  // namespace memopad_test
