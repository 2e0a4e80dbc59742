// Directories: creation, removal, the current directory and full paths.
#include <cerrno>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/kernel/kernel_object.h"
#include "platform/kernel/path.h"
#include "platform/kernel/winbase.h"

namespace win32 {

namespace kernel {

std::string CurrentDirectory() {
    std::vector<char> buffer(256);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size())) return buffer.data();
        if (errno != ERANGE || buffer.size() > (1u << 20)) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string FullPath(std::string_view path) {
    std::string whole;
    if (path.empty() || path[0] != '/') {
        whole = CurrentDirectory();
        whole += '/';
    }
    whole.append(path);
    const bool trailing = whole.size() > 1 && whole.back() == '/';

    std::vector<std::string_view> parts;
    std::string_view rest(whole);
    while (!rest.empty()) {
        std::size_t slash = rest.find('/');
        std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string result;
    for (std::string_view part : parts) {
        result += '/';
        result.append(part);
    }
    if (result.empty() || trailing) result += '/';
    return result;
}

}  // namespace kernel

namespace {

// Copies a result the way the directory functions do: the length without
// the terminator when it fits, else the size the caller must provide.
DWORD CopyOut(const std::string& value, DWORD size, LPSTR buffer) {
    if (!buffer || size < value.size() + 1) return static_cast<DWORD>(value.size() + 1);
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<DWORD>(value.size());
}

}  // namespace

BOOL CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES /*security*/) {
    if (!pathName || !*pathName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (::mkdir(pathName, 0777) != 0) {
        int e = errno;
        if (e == EEXIST) {
            SetLastError(ERROR_ALREADY_EXISTS);
        } else {
            SetLastError(e == ENOENT ? ERROR_PATH_NOT_FOUND : kernel::ErrorFromErrno(e));
        }
        return FALSE;
    }
    return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR pathName) {
    if (!pathName || !*pathName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (::rmdir(pathName) != 0) {
        int e = errno;
        SetLastError(e == ENOTDIR ? ERROR_DIRECTORY : kernel::ErrorFromErrno(e));
        return FALSE;
    }
    return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
    std::string cwd = kernel::CurrentDirectory();
    if (cwd.empty()) {
        kernel::SetLastErrorFromErrno(errno);
        return 0;
    }
    return CopyOut(cwd, bufferLength, buffer);
}

BOOL SetCurrentDirectoryA(LPCSTR pathName) {
    if (!pathName || !*pathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (::chdir(pathName) != 0) {
        int e = errno;
        SetLastError(e == ENOTDIR ? ERROR_DIRECTORY : e == ENOENT ? kernel::MissingPathError(pathName)
                                                                  : kernel::ErrorFromErrno(e));
        return FALSE;
    }
    return TRUE;
}

DWORD GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart) {
    if (filePart) *filePart = nullptr;
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    std::string full = kernel::FullPath(fileName);
    DWORD result = CopyOut(full, bufferLength, buffer);
    if (result == full.size() && filePart && full.back() != '/') {
        *filePart = buffer + full.find_last_of('/') + 1;
    }
    return result;
}

}  // namespace win32
