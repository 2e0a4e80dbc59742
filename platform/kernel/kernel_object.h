// The objects behind kernel handles (open files, file searches) and the
// translation of host error numbers into Win32 error codes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/handle_table.h"
#include "platform/kernel/winbase.h"

namespace win32::kernel {

class KernelObject {
public:
    enum class Type { File, FindSearch };
    explicit KernelObject(Type type) : type_(type) {}
    virtual ~KernelObject() = default;
    Type type() const { return type_; }

private:
    Type type_;
};

// An open file: the host descriptor, closed with the object.
class FileObject : public KernelObject {
public:
    FileObject(int fd, bool canRead, bool canWrite);
    ~FileObject() override;
    int fd() const { return fd_; }
    bool canRead() const { return canRead_; }
    bool canWrite() const { return canWrite_; }

private:
    int fd_;
    bool canRead_;
    bool canWrite_;
};

// A file search: the matching entries, taken when the search starts.
class FindSearchObject : public KernelObject {
public:
    explicit FindSearchObject(std::vector<WIN32_FIND_DATAA> entries)
        : KernelObject(Type::FindSearch), entries_(std::move(entries)) {}
    // The next entry, or nullptr when the search is exhausted.
    const WIN32_FIND_DATAA* Next() { return next_ < entries_.size() ? &entries_[next_++] : nullptr; }

private:
    std::vector<WIN32_FIND_DATAA> entries_;
    std::size_t next_ = 0;
};

// Every kernel handle lives in this one table, so a search handle given to
// ReadFile (or a file handle to FindNextFileA) is recognised as wrong.
HandleTable<KernelObject>& KernelObjects();

// The object of a handle when it exists and is of the type T, else nullptr
// with ERROR_INVALID_HANDLE.
template <class T>
T* LookUp(HANDLE handle, KernelObject::Type type) {
    KernelObject* object = KernelObjects().Get(handle);
    if (!object || object->type() != type) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<T*>(object);
}

HANDLE AddObject(std::unique_ptr<KernelObject> object);

// The Win32 error for a host errno value.
DWORD ErrorFromErrno(int error);
// For an operation on `path` that failed with ENOENT: Windows tells a
// missing file (ERROR_FILE_NOT_FOUND) from a missing folder on the way
// (ERROR_PATH_NOT_FOUND).
DWORD MissingPathError(const std::string& path);
// Sets the last error from errno and returns it.
DWORD SetLastErrorFromErrno(int error, const std::string& path = {});

// Converts host file times (seconds and nanoseconds since 1970) to FILETIME.
FILETIME FileTimeFromUnix(long long seconds, long nanoseconds);

}  // namespace win32::kernel
