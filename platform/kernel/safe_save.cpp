#include "platform/kernel/safe_save.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win32::kernel {
namespace {

constexpr int kMaxLinkDepth = 40;

std::string Folder(const std::string& path) {
    std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// Follows symbolic links to the file that is to be replaced; a link to a
// file that does not exist yet leads to the path it names.
bool ResolveLinks(const std::string& path, std::string& target, int& error) {
    target = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st{};
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno == ENOENT) return true;
            error = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        std::string link(std::max<std::size_t>(static_cast<std::size_t>(st.st_size) + 1, PATH_MAX), '\0');
        ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) {
            error = errno;
            return false;
        }
        if (static_cast<std::size_t>(n) >= link.size()) {
            error = ENAMETOOLONG;
            return false;
        }
        link.resize(static_cast<std::size_t>(n));
        if (link.empty()) {
            error = ENOENT;
            return false;
        }
        target = link[0] == '/' ? link : Folder(target) + "/" + link;
    }
    error = ELOOP;
    return false;
}

std::string RandomSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s;
    for (int i = 0; i < 8; ++i) s += digits[generator() % 36];
    return s;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename is already visible
    ::close(fd);
}

}  // namespace

SafeFileWriter::~SafeFileWriter() { Abandon(); }

SaveStatus SafeFileWriter::Fail(SaveFailure failure, int error) {
    Abandon();
    status_ = SaveStatus{failure, error};
    return status_;
}

SaveStatus SafeFileWriter::Open(const std::string& path) {
    Abandon();
    status_ = {};
    int error = 0;
    if (path.empty()) return Fail(SaveFailure::CannotCreate, ENOENT);
    if (!ResolveLinks(path, target_, error)) return Fail(SaveFailure::CannotCreate, error);

    struct stat existing{};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) return Fail(SaveFailure::CannotCreate, EISDIR);
        // Only a plain file can be replaced by renaming; a device or pipe
        // would turn into a plain file.
        if (!S_ISREG(existing.st_mode)) return Fail(SaveFailure::CannotCreate, EINVAL);
        // A file the user may not write stays protected even though its
        // folder would allow replacing it.
        if (::access(target_.c_str(), W_OK) != 0) return Fail(SaveFailure::CannotCreate, errno);
    }

    const std::string folder = Folder(target_);
    std::string base = BaseName(target_);
    if (base.size() > 200) base = "save";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = folder + "/." + base + "." + RandomSuffix() + ".tmp";
        // 0666 lets the umask decide the mode of a new file, as for any
        // file the program creates.
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) {
        error = errno;
        temporary_.clear();
        return Fail(SaveFailure::CannotCreate, error);
    }
    if (exists) {
        // Owner first: changing it clears set-id bits, which fchmod restores.
        if (::fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
            [[maybe_unused]] int ignored = ::fchown(fd_, static_cast<uid_t>(-1), existing.st_gid);
        }
        ::fchmod(fd_, existing.st_mode & 07777);
    }
    return status_;
}

SaveStatus SafeFileWriter::Write(const void* data, std::size_t size) {
    if (!status_.ok()) return status_;
    if (fd_ < 0) return Fail(SaveFailure::CannotCreate, EBADF);
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd_, bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(SaveFailure::WriteFailed, errno);
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return status_;
}

SaveStatus SafeFileWriter::Commit() {
    if (!status_.ok()) return status_;
    if (fd_ < 0) return Fail(SaveFailure::CannotCreate, EBADF);
    if (::fsync(fd_) != 0) return Fail(SaveFailure::WriteFailed, errno);
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail(SaveFailure::WriteFailed, errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Fail(SaveFailure::CannotCreate, errno);
    temporary_.clear();
    SyncFolder(Folder(target_));
    return status_;
}

void SafeFileWriter::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

SaveStatus SaveFileSafely(const std::string& path, std::string_view bytes) {
    SafeFileWriter writer;
    SaveStatus status = writer.Open(path);
    if (status.ok()) status = writer.Write(bytes.data(), bytes.size());
    if (status.ok()) status = writer.Commit();
    return status;
}

}  // namespace win32::kernel
