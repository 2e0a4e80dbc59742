// The executable's instance handle, path and process id.
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include <unistd.h>

#include "platform/kernel/winbase.h"

namespace win32 {
namespace {

// The value Windows programs traditionally see as their image base.
HMODULE const kExecutable = reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(0x00400000));

std::string ExecutablePath() {
    std::string path(PATH_MAX, '\0');
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0) return {};
        if (static_cast<std::size_t>(n) < path.size()) {
            path.resize(static_cast<std::size_t>(n));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    if (!moduleName) return kExecutable;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    if (module && module != kExecutable) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    static const std::string path = ExecutablePath();
    if (path.empty()) {
        SetLastError(ERROR_GEN_FAILURE);
        return 0;
    }
    if (path.size() + 1 > size) {
        std::memcpy(fileName, path.data(), size - 1);
        fileName[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

}  // namespace win32
