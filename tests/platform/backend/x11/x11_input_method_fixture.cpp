#include "tests/platform/backend/x11/x11_input_method_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <thread>

namespace memopad_test {
namespace {

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
    // A server that has ended leaves its name in the list; only a live one
    // owns the selection of that name.
    return found && XGetSelectionOwner(d, wanted) != None;
}

}  // namespace

void X11JapaneseInputTest::SetUp() {
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
    if (!mapsHost_) return;
    host_ = MapHost(win32::RECT{100, 100, 500, 400});
    backend_->ActivateHost(host_);
    ASSERT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::Activated; }));
}

void X11JapaneseInputTest::TearDown() {
    X11Test::TearDown();
    server_.reset();
    if (!savedLocale_.empty()) std::setlocale(LC_CTYPE, savedLocale_.c_str());
}

void X11JapaneseInputTest::Press(unsigned long keysym, unsigned long modifier) {
    if (modifier != 0) XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, modifier), True, CurrentTime);
    XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, keysym), True, CurrentTime);
    XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, keysym), False, CurrentTime);
    if (modifier != 0) XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, modifier), False, CurrentTime);
    XSync(other_, False);
}

void X11JapaneseInputTest::Tap(unsigned long keysym, unsigned long modifier) {
    Press(keysym, modifier);
    Pump(60);
}

}  // namespace memopad_test
