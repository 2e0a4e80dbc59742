// Files through handles: CreateFileA and the calls on its handle, plus the
// attribute query and deletion by name.
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/kernel/kernel_object.h"
#include "platform/kernel/winbase.h"

namespace win32 {
namespace {

using kernel::FileObject;
using kernel::KernelObject;

FileObject* LookUpFile(HANDLE file) { return kernel::LookUp<FileObject>(file, KernelObject::Type::File); }

bool ValidName(LPCSTR name) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!*name) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    return true;
}

bool Exists(const char* path) {
    struct stat st{};
    return ::stat(path, &st) == 0;
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD /*shareMode*/, LPSECURITY_ATTRIBUTES /*security*/,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE /*templateFile*/) {
    if (!ValidName(fileName)) return INVALID_HANDLE_VALUE;
    const bool wantRead = (desiredAccess & GENERIC_READ) != 0;
    const bool wantWrite = (desiredAccess & GENERIC_WRITE) != 0;
    int flags = O_CLOEXEC | (wantWrite ? (wantRead ? O_RDWR : O_WRONLY) : O_RDONLY);
    const bool existed = Exists(fileName);
    switch (creationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING:
        if (!wantWrite) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        flags |= O_TRUNC;
        break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int fd;
    do {
        fd = ::open(fileName, flags, mode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        kernel::SetLastErrorFromErrno(errno, fileName);
        return INVALID_HANDLE_VALUE;
    }
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && !(flagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS)) {
        ::close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = kernel::AddObject(std::make_unique<FileObject>(fd, wantRead, wantWrite));
    if (handle == INVALID_HANDLE_VALUE) return handle;
    // Windows reports that an existing file was opened or replaced even
    // though the call succeeds.
    const bool reportsExisting = creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS;
    SetLastError(reportsExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED /*overlapped*/) {
    if (read) *read = 0;
    FileObject* f = LookUpFile(file);
    if (!f) return FALSE;
    if (!f->canRead()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!buffer && toRead) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD done = 0;
    auto* bytes = static_cast<char*>(buffer);
    // A disk file gives everything asked for up to its end.
    while (done < toRead) {
        ssize_t n = ::read(f->fd(), bytes + done, toRead - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (read) *read = done;
            kernel::SetLastErrorFromErrno(errno == EISDIR ? EACCES : errno);
            return FALSE;
        }
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    if (read) *read = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED /*overlapped*/) {
    if (written) *written = 0;
    FileObject* f = LookUpFile(file);
    if (!f) return FALSE;
    if (!f->canWrite()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!buffer && toWrite) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD done = 0;
    auto* bytes = static_cast<const char*>(buffer);
    while (done < toWrite) {
        ssize_t n = ::write(f->fd(), bytes + done, toWrite - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (written) *written = done;
            kernel::SetLastErrorFromErrno(errno);
            return FALSE;
        }
        done += static_cast<DWORD>(n);
    }
    if (written) *written = done;
    return TRUE;
}

BOOL CloseHandle(HANDLE object) {
    // A search handle is closed only by FindClose, as on Windows.
    if (!LookUpFile(object)) return FALSE;
    kernel::KernelObjects().Remove(object);
    return TRUE;
}

BOOL GetFileSizeEx(HANDLE file, PLARGE_INTEGER size) {
    FileObject* f = LookUpFile(file);
    if (!f) return FALSE;
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    struct stat st{};
    if (::fstat(f->fd(), &st) != 0) {
        kernel::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    size->QuadPart = st.st_size;
    return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) return INVALID_FILE_SIZE;
    auto u = static_cast<unsigned long long>(size.QuadPart);
    if (sizeHigh) *sizeHigh = static_cast<DWORD>(u >> 32);
    // A size whose low part looks like the error value is told apart by the
    // last error being clear.
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(u & 0xFFFFFFFF);
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, PLARGE_INTEGER newPosition, DWORD moveMethod) {
    FileObject* f = LookUpFile(file);
    if (!f) return FALSE;
    int whence;
    switch (moveMethod) {
    case FILE_BEGIN: whence = SEEK_SET; break;
    case FILE_CURRENT: whence = SEEK_CUR; break;
    case FILE_END: whence = SEEK_END; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
    }
    off_t base = 0;
    if (whence == SEEK_CUR) {
        base = ::lseek(f->fd(), 0, SEEK_CUR);
    } else if (whence == SEEK_END) {
        struct stat st{};
        base = ::fstat(f->fd(), &st) == 0 ? st.st_size : -1;
    }
    if (base < 0) {
        kernel::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    if (distance.QuadPart < 0 && base + distance.QuadPart < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return FALSE;
    }
    off_t result = ::lseek(f->fd(), base + distance.QuadPart, SEEK_SET);
    if (result < 0) {
        kernel::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    if (newPosition) newPosition->QuadPart = result;
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod) {
    LARGE_INTEGER move{};
    if (distanceHigh) {
        move.QuadPart = static_cast<LONGLONG>((static_cast<unsigned long long>(static_cast<DWORD>(*distanceHigh)) << 32) |
                                              static_cast<DWORD>(distance));
    } else {
        move.QuadPart = distance;
    }
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(file, move, &position, moveMethod)) return INVALID_SET_FILE_POINTER;
    auto u = static_cast<unsigned long long>(position.QuadPart);
    if (distanceHigh) *distanceHigh = static_cast<LONG>(u >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(u & 0xFFFFFFFF);
}

BOOL SetEndOfFile(HANDLE file) {
    FileObject* f = LookUpFile(file);
    if (!f) return FALSE;
    if (!f->canWrite()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    off_t position = ::lseek(f->fd(), 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(f->fd(), position) != 0) {
        kernel::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
    FileObject* f = LookUpFile(file);
    if (!f) return FALSE;
    if (::fsync(f->fd()) != 0 && errno != EINVAL) {
        kernel::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) {
    FileObject* f = LookUpFile(file);
    if (!f) return FALSE;
    struct stat st{};
    if (::fstat(f->fd(), &st) != 0) {
        kernel::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    // The host keeps no creation time every file system offers; the last
    // write stands in for it.
    if (creation) *creation = kernel::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    if (lastAccess) *lastAccess = kernel::FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    if (lastWrite) *lastWrite = kernel::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR fileName) {
    if (!ValidName(fileName)) return INVALID_FILE_ATTRIBUTES;
    struct stat st{};
    if (::stat(fileName, &st) != 0) {
        kernel::SetLastErrorFromErrno(errno, fileName);
        return INVALID_FILE_ATTRIBUTES;
    }
    std::string name(fileName);
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    std::string base = name.substr(name.find_last_of('/') + 1);
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode)) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    } else if (::access(fileName, W_OK) != 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (base.size() > 1 && base[0] == '.' && base != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

BOOL DeleteFileA(LPCSTR fileName) {
    if (!ValidName(fileName)) return FALSE;
    struct stat st{};
    if (::lstat(fileName, &st) == 0 && S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::unlink(fileName) != 0) {
        kernel::SetLastErrorFromErrno(errno, fileName);
        return FALSE;
    }
    return TRUE;
}

}  // namespace win32
