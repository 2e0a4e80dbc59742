// File search with DOS wildcards: FindFirstFileA, FindNextFileA, FindClose.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/kernel/kernel_object.h"
#include "platform/kernel/winbase.h"

namespace win32 {
namespace {

using kernel::FindSearchObject;
using kernel::KernelObject;

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Length of the UTF-8 sequence that starts with byte c (1 for a stray byte),
// so that '?' stands for one character of a Japanese name, not one byte.
std::size_t SequenceLength(unsigned char c) {
    if (c >= 0xF0 && c < 0xF8) return 4;
    if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
    if (c >= 0xC0) return 2;
    return 1;
}

bool Matches(std::string_view mask, std::string_view name) {
    // Iterative matching with one back-tracking point for the last '*'.
    std::size_t m = 0, n = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            ++m;
            n += std::min(SequenceLength(static_cast<unsigned char>(name[n])), name.size() - n);
        } else if (m < mask.size() && FoldAscii(mask[m]) == FoldAscii(name[n])) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = starName += SequenceLength(static_cast<unsigned char>(name[starName]));
            if (n > name.size()) n = name.size();
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

bool MatchesDosMask(std::string mask, std::string_view name) {
    if (mask == "*.*") return true;
    // "name." means "name without extension": the final dot matches the
    // end of a name that has none.
    if (mask.size() > 1 && mask.back() == '.' && mask != "..") {
        if (name.find('.') != std::string_view::npos && name != "." && name != "..") return false;
        mask.pop_back();
    }
    return Matches(mask, name);
}

bool LessByName(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
    // Case-insensitive order first, bytes to break ties, so the listing is
    // the same on every run.
    for (std::size_t i = 0;; ++i) {
        char x = FoldAscii(a.cFileName[i]), y = FoldAscii(b.cFileName[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        if (!x) break;
    }
    return std::strcmp(a.cFileName, b.cFileName) < 0;
}

WIN32_FIND_DATAA Describe(const std::string& folder, const char* name) {
    WIN32_FIND_DATAA data{};
    std::string path = folder + "/" + name;
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 && ::lstat(path.c_str(), &st) != 0) st = {};
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode)) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    } else if (::access(path.c_str(), W_OK) != 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (name[0] == '.' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    data.dwFileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    data.ftCreationTime = kernel::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    data.ftLastAccessTime = kernel::FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    data.ftLastWriteTime = kernel::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    if (!S_ISDIR(st.st_mode)) {
        auto size = static_cast<unsigned long long>(st.st_size);
        data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
    }
    std::strcpy(data.cFileName, name);
    return data;
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
    if (!pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string whole(pattern);
    std::string::size_type slash = whole.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : whole.substr(0, slash);
    std::string mask = slash == std::string::npos ? whole : whole.substr(slash + 1);
    if (mask.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        int e = errno;
        SetLastError(e == ENOENT || e == ENOTDIR ? ERROR_PATH_NOT_FOUND : kernel::ErrorFromErrno(e));
        return INVALID_HANDLE_VALUE;
    }
    const bool root = folder == "/";
    std::vector<WIN32_FIND_DATAA> entries;
    while (dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strlen(name) >= MAX_PATH) continue;  // cannot be reported whole
        if (root && std::strcmp(name, "..") == 0) continue;
        if (!MatchesDosMask(mask, name)) continue;
        entries.push_back(Describe(folder == "/" ? "" : folder, name));
    }
    ::closedir(dir);
    if (entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(entries.begin(), entries.end(), LessByName);
    auto search = std::make_unique<FindSearchObject>(std::move(entries));
    *data = *search->Next();
    return kernel::AddObject(std::move(search));
}

BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data) {
    auto* search = kernel::LookUp<FindSearchObject>(find, KernelObject::Type::FindSearch);
    if (!search) return FALSE;
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const WIN32_FIND_DATAA* next = search->Next();
    if (!next) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = *next;
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    if (!kernel::LookUp<FindSearchObject>(find, KernelObject::Type::FindSearch)) return FALSE;
    kernel::KernelObjects().Remove(find);
    return TRUE;
}

}  // namespace win32
