// The kernel handle table, the last-error value and errno translation.
#include "platform/kernel/kernel_object.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace win32 {

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD error) { lastError = error; }

namespace kernel {

FileObject::FileObject(int fd, bool canRead, bool canWrite)
    : KernelObject(Type::File), fd_(fd), canRead_(canRead), canWrite_(canWrite) {}

FileObject::~FileObject() {
    if (fd_ >= 0) ::close(fd_);
}

HandleTable<KernelObject>& KernelObjects() {
    static HandleTable<KernelObject> table(HandleKind::Kernel);
    return table;
}

HANDLE AddObject(std::unique_ptr<KernelObject> object) {
    std::uintptr_t key = KernelObjects().Add(std::move(object));
    if (key == 0) {
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<HANDLE>(key);
}

DWORD ErrorFromErrno(int error) {
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EROFS: return ERROR_WRITE_PROTECT;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case ETXTBSY:
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case EIO: return ERROR_GEN_FAILURE;
    default: return ERROR_GEN_FAILURE;
    }
}

DWORD MissingPathError(const std::string& path) {
    std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return ERROR_FILE_NOT_FOUND;
    struct stat st{};
    std::string parent = path.substr(0, slash);
    if (::stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return ERROR_PATH_NOT_FOUND;
    return ERROR_FILE_NOT_FOUND;
}

DWORD SetLastErrorFromErrno(int error, const std::string& path) {
    DWORD code = (error == ENOENT && !path.empty()) ? MissingPathError(path) : ErrorFromErrno(error);
    SetLastError(code);
    return code;
}

}  // namespace kernel
}  // namespace win32
