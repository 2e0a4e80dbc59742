// A private X server for the tests and benchmarks of the X11 backend:
// Xvfb on a display number it picks itself (-displayfd), stopped when the
// object goes away. Header-only so the benchmarks can use it too.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace memopad_test {

class XvfbServer {
public:
    explicit XvfbServer(const char* geometry = "1024x768x24") { Start(geometry); }
    ~XvfbServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return pid_ > 0; }
    const std::string& Reason() const { return reason_; }
    const std::string& Display() const { return display_; }

private:
    void Start(const char* geometry) {
        int fds[2];
        if (pipe(fds) != 0) {
            reason_ = "no pipe for Xvfb";
            return;
        }
        pid_t pid = fork();
        if (pid < 0) {
            reason_ = "cannot fork Xvfb";
            close(fds[0]);
            close(fds[1]);
            return;
        }
        if (pid == 0) {
            close(fds[0]);
            int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry, "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        bool done = false;
        while (!done && std::chrono::steady_clock::now() < deadline) {
            pollfd p{fds[0], POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) continue;
            char c;
            ssize_t n = read(fds[0], &c, 1);
            if (n <= 0) break;  // Xvfb ended before it was ready
            if (c == '\n') done = true;
            else number += c;
        }
        close(fds[0]);
        if (!done || number.empty()) {
            kill(pid, SIGTERM);
            int status = 0;
            waitpid(pid, &status, 0);
            reason_ = WIFEXITED(status) && WEXITSTATUS(status) == 127 ? "Xvfb is not installed"
                                                                       : "Xvfb did not start";
            return;
        }
        pid_ = pid;
        display_ = ":" + number;
        // Programs the tests start (xclip, xsel) find the server this way.
        setenv("DISPLAY", display_.c_str(), 1);
    }

    pid_t pid_ = -1;
    std::string display_;
    std::string reason_;
};

}  // namespace memopad_test
