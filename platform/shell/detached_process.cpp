#include "platform/shell/detached_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace win32::shell {
namespace {

// The system's limit for one argument (MAX_ARG_STRLEN on Linux).
constexpr std::size_t kLongestArgument = 32 * 4096 - 1;

bool IsExecutableFile(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Only async-signal-safe calls from here on: the caller may have threads,
// and a forked child of such a process may do nothing else.
[[noreturn]] void RunGrandchild(const char* path, char* const* argv, int devNull, int errorPipe) {
    ::setsid();
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    ::signal(SIGCHLD, SIG_DFL);
    if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
    // Leave the opener nothing of ours but the standard streams and the
    // pipe that reports a failed exec (closed by the exec itself).
    for (int fd = 3; fd < errorPipe; ++fd) ::close(fd);
#ifdef SYS_close_range
    ::syscall(SYS_close_range, errorPipe + 1, ~0U, 0);
#endif
    ::execve(path, argv, environ);
    int error = errno;
    [[maybe_unused]] ssize_t n = ::write(errorPipe, &error, sizeof error);
    ::_exit(127);
}

}  // namespace

std::string FindOnPath(const std::string& program) {
    if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : std::string();
    const char* env = std::getenv("PATH");
    std::string path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    std::string_view rest(path);
    for (;;) {
        std::size_t colon = rest.find(':');
        std::string_view dir = rest.substr(0, colon);
        std::string candidate(dir.empty() ? std::string_view(".") : dir);
        candidate += '/';
        candidate += program;
        if (IsExecutableFile(candidate)) return candidate;
        if (colon == std::string_view::npos) return {};
        rest.remove_prefix(colon + 1);
    }
}

SpawnResult SpawnDetached(const std::string& program, const std::vector<std::string>& arguments) {
    for (const std::string& a : arguments) {
        if (a.size() > kLongestArgument) return SpawnResult::TooLong;
    }
    // Everything the children need is prepared here, before the fork.
    std::vector<std::string> storage;
    storage.push_back(program.substr(program.find_last_of('/') + 1));
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return SpawnResult::CannotStart;
    int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);

    // The middle child starts the opener and ends at once; the opener then
    // belongs to init, which reaps it, and the middle child is reaped here.
    pid_t middle = ::fork();
    if (middle == 0) {
        ::close(pipeFds[0]);
        pid_t opener = ::fork();
        if (opener == 0) RunGrandchild(program.c_str(), argv.data(), devNull, pipeFds[1]);
        if (opener < 0) {
            int error = errno;
            [[maybe_unused]] ssize_t n = ::write(pipeFds[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    if (devNull >= 0) ::close(devNull);
    if (middle < 0) {
        ::close(pipeFds[0]);
        return SpawnResult::CannotStart;
    }
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }

    // The pipe closes without a word when the exec succeeded.
    int error = 0;
    ssize_t n;
    do {
        n = ::read(pipeFds[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    ::close(pipeFds[0]);
    if (n <= 0) return SpawnResult::Started;
    if (error == ENOENT || error == ENOTDIR || error == EACCES) return SpawnResult::NotFound;
    if (error == E2BIG) return SpawnResult::TooLong;
    return SpawnResult::CannotStart;
}

}  // namespace win32::shell
