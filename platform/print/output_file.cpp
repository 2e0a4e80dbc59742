#include "platform/print/output_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/kernel/kernel_object.h"
#include "platform/kernel/path.h"
#include "platform/kernel/winbase.h"

namespace win32::print {
namespace {

// File names longer than this (in bytes) are cut; 255 is the limit of the
// usual file systems, and room is left for " (99).pdf" and the temporary
// file's suffix.
constexpr std::size_t kMaxNameBytes = 200;

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" from the user-dirs file.
std::string DocumentsFromUserDirs(const std::string& home) {
    std::string config;
    if (const char* c = std::getenv("XDG_CONFIG_HOME"); c && *c) {
        config = c;
    } else if (!home.empty()) {
        config = home + "/.config";
    }
    if (config.empty()) return {};
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
        // The home folder itself means the user has no documents folder.
        if (value == home || value == home + "/") return {};
        return value;
    }
    return {};
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The nth name for a document: "memo.pdf", "memo (2).pdf", ...
std::string NumberedName(const std::string& path, int n) {
    if (n <= 1) return path;
    const std::string base = BaseName(path);
    const std::size_t dot = base.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
    const std::string ext = dot == std::string::npos || dot == 0 ? "" : base.substr(dot);
    const std::string folder = path.size() > base.size() ? path.substr(0, path.size() - base.size()) : "";
    return folder + stem + " (" + std::to_string(n) + ")" + ext;
}

DWORD FailWithErrno(int error, const std::string& path) {
    return kernel::SetLastErrorFromErrno(error, path);
}

}  // namespace

std::string DefaultOutputFolder() {
    const std::string home = HomeFolder();
    std::string documents = DocumentsFromUserDirs(home);
    if (IsFolder(documents)) return documents;
    if (!home.empty() && IsFolder(home + "/Documents")) return home + "/Documents";
    if (IsFolder(home)) return home;
    std::string current = kernel::CurrentDirectory();
    return current.empty() ? "." : current;
}

std::string DocumentFileName(std::string_view title) {
    std::string name(title);
    // Only the file part of a path: the title of a printed document is
    // often the document's own path, on either kind of system.
    const std::size_t sep = name.find_last_of("/\\");
    if (sep != std::string::npos) name = name.substr(sep + 1);
    std::string safe;
    for (unsigned char c : name) {
        const bool bad = c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
                         c == '"' || c == '<' || c == '>' || c == '|';
        safe.push_back(bad ? '_' : static_cast<char>(c));
    }
    // No leading dots (hidden files) or blanks, no trailing blanks or dots.
    while (!safe.empty() && (safe.front() == '.' || safe.front() == ' ')) safe.erase(safe.begin());
    while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
    if (safe.size() > kMaxNameBytes) {
        std::size_t n = kMaxNameBytes;
        while (n > 0 && (static_cast<unsigned char>(safe[n]) & 0xC0) == 0x80) --n;
        safe.resize(n);
    }
    if (safe.empty()) safe = "無題";
    return safe + ".pdf";
}

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Open(const std::string& destination, bool replace) {
    Discard();
    destination_ = kernel::FullPath(destination);
    replace_ = replace;
    if (destination_.empty() || destination_.back() == '/') {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    const std::string folder = Folder(destination_);
    if (!IsFolder(folder)) {
        // Name the missing folder, not the file, as Windows does.
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    std::string pattern = folder + "/." + BaseName(destination_) + ".XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        FailWithErrno(errno, destination_);
        return false;
    }
    fd_ = fd;
    temporary_ = pattern;
    return true;
}

bool OutputFile::OpenTemporary() {
    Discard();
    std::error_code ec;
    std::string folder = std::filesystem::temp_directory_path(ec).string();
    if (ec || folder.empty()) folder = "/tmp";
    std::string pattern = folder + "/print-job.XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        FailWithErrno(errno, pattern);
        return false;
    }
    fd_ = fd;
    temporary_ = pattern;
    destination_.clear();
    return true;
}

bool OutputFile::Close() {
    if (fd_ < 0) return true;
    bool ok = fsync(fd_) == 0 || errno == EINVAL;
    const int error = errno;
    if (close(fd_) != 0 && ok) {
        ok = false;
        FailWithErrno(errno, temporary_);
    } else if (!ok) {
        FailWithErrno(error, temporary_);
    }
    fd_ = -1;
    return ok;
}

std::string OutputFile::Commit() {
    if (temporary_.empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return {};
    }
    if (!Close()) {
        Discard();
        return {};
    }
    if (destination_.empty()) return temporary_;
    // The temporary file was made private; the document gets the usual
    // permissions of a new file.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(temporary_.c_str(), 0666 & ~mask);
    if (replace_) {
        if (rename(temporary_.c_str(), destination_.c_str()) != 0) {
            FailWithErrno(errno, destination_);
            Discard();
            return {};
        }
        temporary_.clear();
        return destination_;
    }
    // A link is made only where no file exists, so another document of the
    // same name is never overwritten, even one that appeared meanwhile.
    for (int n = 1; n < 1000; ++n) {
        const std::string candidate = NumberedName(destination_, n);
        if (link(temporary_.c_str(), candidate.c_str()) == 0) {
            unlink(temporary_.c_str());
            temporary_.clear();
            return candidate;
        }
        if (errno == EEXIST) continue;
        if (errno == EPERM || errno == EOPNOTSUPP || errno == EXDEV || errno == EMLINK) {
            // File systems without hard links: take the name if it is free.
            struct stat st {};
            if (lstat(candidate.c_str(), &st) == 0) continue;
            if (rename(temporary_.c_str(), candidate.c_str()) == 0) {
                temporary_.clear();
                return candidate;
            }
        }
        FailWithErrno(errno, candidate);
        Discard();
        return {};
    }
    SetLastError(ERROR_FILE_EXISTS);
    Discard();
    return {};
}

void OutputFile::Discard() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
}

}  // namespace win32::print
