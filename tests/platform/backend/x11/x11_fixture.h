// The fixture of the X11 backend's tests: one private Xvfb for the whole
// test program, a backend on it, and a second connection that plays the
// other programs on the desktop (a window manager, a screenshot tool).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/x11/x11_backend.h"
#include "tests/platform/backend/x11/xvfb_server.h"

struct _XDisplay;

namespace memopad_test {

using win32::backend::HostEvent;
using win32::backend::HostEventType;
using win32::backend::HostId;
using win32::backend::HostKind;
using win32::backend::x11::X11Backend;

XvfbServer& SharedXvfb();

class X11Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates a host, shows it and waits until the display has mapped it.
    HostId MapHost(const win32::RECT& bounds, HostKind kind = HostKind::Overlapped, HostId owner = 0);
    // Reads events until one matches (true) or `ms` pass (false); every
    // event read lands in events_.
    bool WaitFor(const std::function<bool(const HostEvent&)>& match, HostEvent* found = nullptr, int ms = 3000);
    // Like WaitFor, but an event already read counts too.
    bool Saw(const std::function<bool(const HostEvent&)>& match, HostEvent* found = nullptr, int ms = 3000);
    // Reads events for `ms` milliseconds.
    void Pump(int ms);
    // The pixels of a rectangle of the screen as another program sees them.
    std::vector<win32::Pixel> Capture(const win32::RECT& r);
    win32::Pixel ScreenPixel(int x, int y);
    // Fills the host's surface and presents it.
    void Paint(HostId host, win32::Pixel colour);

    std::unique_ptr<X11Backend> backend_;
    _XDisplay* other_ = nullptr;
    std::vector<HostEvent> events_;
};

// A program started with pipes on stdin and stdout, which the backend can
// serve while it runs.
class Child {
public:
    explicit Child(const std::vector<std::string>& argv);
    ~Child();
    bool Started() const { return pid_ > 0; }
    int Pid() const { return pid_; }
    void Write(const std::string& data);  // then closes stdin
    // Pumps `backend` until the program ends or `ms` pass; collects stdout.
    bool Finish(X11Backend& backend, int ms, int* status = nullptr);
    const std::string& Output() const { return output_; }
    void Stop();

private:
    void Drain();
    int pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string output_;
};

}  // namespace memopad_test
