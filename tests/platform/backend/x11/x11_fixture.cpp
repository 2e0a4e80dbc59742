#include "tests/platform/backend/x11/x11_fixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace memopad_test {

XvfbServer& SharedXvfb() {
    static XvfbServer server;
    return server;
}

void X11Test::SetUp() {
    XvfbServer& server = SharedXvfb();
    if (!server.Running()) GTEST_SKIP() << "skipped: " << server.Reason();
    std::string error;
    backend_ = X11Backend::Open(win32::backend::x11::X11Options{server.Display(), true}, error);
    ASSERT_TRUE(backend_) << error;
    other_ = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(other_, nullptr);
}

void X11Test::TearDown() {
    backend_.reset();
    if (other_) XCloseDisplay(other_);
    other_ = nullptr;
}

HostId X11Test::MapHost(const win32::RECT& bounds, HostKind kind, HostId owner) {
    win32::backend::HostParams params;
    params.kind = kind;
    params.bounds = bounds;
    params.owner = owner;
    params.title = "test";
    HostId id = backend_->CreateHost(params);
    backend_->ShowHost(id, true);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline) {
        Pump(10);
        XWindowAttributes attrs;
        if (XGetWindowAttributes(other_, backend_->WindowOf(id), &attrs) && attrs.map_state == IsViewable) break;
    }
    Pump(30);
    return id;
}

bool X11Test::WaitFor(const std::function<bool(const HostEvent&)>& match, HostEvent* found, int ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        HostEvent ev;
        if (!backend_->WaitEvent(ev, static_cast<int>(left.count()))) return false;
        events_.push_back(ev);
        if (match(ev)) {
            if (found) *found = ev;
            return true;
        }
    }
}

bool X11Test::Saw(const std::function<bool(const HostEvent&)>& match, HostEvent* found, int ms) {
    for (const HostEvent& e : events_)
        if (match(e)) {
            if (found) *found = e;
            return true;
        }
    return WaitFor(match, found, ms);
}

void X11Test::Pump(int ms) {
    WaitFor([](const HostEvent&) { return false; }, nullptr, ms);
}

std::vector<win32::Pixel> X11Test::Capture(const win32::RECT& r) {
    if (backend_) backend_->Sync();
    XSync(other_, False);
    auto w = static_cast<unsigned>(r.right - r.left), h = static_cast<unsigned>(r.bottom - r.top);
    XImage* image = XGetImage(other_, DefaultRootWindow(other_), r.left, r.top, w, h, AllPlanes, ZPixmap);
    std::vector<win32::Pixel> pixels;
    if (!image) return pixels;
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
            pixels.push_back(static_cast<win32::Pixel>(XGetPixel(image, static_cast<int>(x), static_cast<int>(y)) &
                                                       0xFFFFFF));
    XDestroyImage(image);
    return pixels;
}

win32::Pixel X11Test::ScreenPixel(int x, int y) {
    auto p = Capture(win32::RECT{x, y, x + 1, y + 1});
    return p.empty() ? 0xFFFFFFFFu : p[0];
}

void X11Test::Paint(HostId host, win32::Pixel colour) {
    win32::Surface* s = backend_->HostSurface(host);
    s->Fill(colour);
    backend_->Present(host, win32::RECT{0, 0, s->Width(), s->Height()});
    backend_->Sync();
}

Child::Child(const std::vector<std::string>& argv) {
    int in[2], out[2];
    if (pipe(in) != 0) return;
    if (pipe(out) != 0) {
        close(in[0]);
        close(in[1]);
        return;
    }
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, 2);
        close(in[1]);
        close(out[0]);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    if (pid < 0) {
        close(in[1]);
        close(out[0]);
        return;
    }
    pid_ = pid;
    in_ = in[1];
    out_ = out[0];
    fcntl(out_, F_SETFL, fcntl(out_, F_GETFL) | O_NONBLOCK);
}

Child::~Child() { Stop(); }

void Child::Write(const std::string& data) {
    std::size_t done = 0;
    while (in_ >= 0 && done < data.size()) {
        ssize_t n = write(in_, data.data() + done, data.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (in_ >= 0) close(in_);
    in_ = -1;
}

void Child::Drain() {
    char buffer[65536];
    for (;;) {
        ssize_t n = read(out_, buffer, sizeof buffer);
        if (n <= 0) break;
        output_.append(buffer, static_cast<std::size_t>(n));
    }
}

bool Child::Finish(X11Backend& backend, int ms, int* status) {
    if (in_ >= 0) {
        close(in_);
        in_ = -1;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
        win32::backend::HostEvent ev;
        backend.WaitEvent(ev, 5);
        Drain();
        int st = 0;
        if (waitpid(pid_, &st, WNOHANG) == pid_) {
            Drain();
            pid_ = -1;
            if (status) *status = st;
            return true;
        }
    }
    return false;
}

void Child::Stop() {
    if (in_ >= 0) close(in_);
    in_ = -1;
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int st = 0;
        waitpid(pid_, &st, 0);
    }
    pid_ = -1;
    if (out_ >= 0) close(out_);
    out_ = -1;
}

}  // namespace memopad_test
