// The profile functions on a named file: every call reads the file afresh
// and every change rewrites it safely, so other programs see each change at
// once and a failed write leaves the old file.
#include "platform/kernel/profile.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/kernel/codepage.h"
#include "platform/kernel/kernel_object.h"
#include "platform/kernel/profile_file.h"
#include "platform/kernel/safe_save.h"
#include "platform/kernel/winbase.h"

namespace win32 {
namespace kernel {
namespace {

// Profile files are code page 932 on disk. The conversion is lossless (bytes
// that are not Shift-JIS travel as byte escapes), so lines nobody edits are
// written back byte for byte.
std::string FromDisk(const std::string& bytes) { return text::SjisToUtf8(bytes); }
std::string ToDisk(const std::string& utf8) { return text::Utf8ToSjis(utf8); }

std::size_t Utf8SequenceLength(unsigned char c) {
    if (c >= 0xF0 && c < 0xF8) return 4;
    if (c >= 0xE0 && c < 0xF0) return 3;
    if (c >= 0xC0 && c < 0xE0) return 2;
    return 1;
}

// The longest prefix of at most `limit` bytes that ends on a whole UTF-8
// character.
std::size_t CutUtf8(std::string_view s, std::size_t limit) {
    if (s.size() <= limit) return s.size();
    std::size_t pos = 0;
    while (pos < s.size()) {
        std::size_t n = std::min(Utf8SequenceLength(static_cast<unsigned char>(s[pos])), s.size() - pos);
        if (pos + n > limit) break;
        pos += n;
    }
    return pos;
}

enum class ReadResult { Read, Missing, Failed };

ReadResult ReadWholeFile(const char* path, std::string& content, int& error) {
    content.clear();
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return ReadResult::Failed;
    }
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            ::close(fd);
            return ReadResult::Failed;
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadResult::Read;
}

// The file's lines, or an empty file when it cannot be read: reading never
// fails, it only falls back to the defaults.
ProfileFile Load(const char* path) {
    std::string bytes;
    int error = 0;
    if (!path || ReadWholeFile(path, bytes, error) != ReadResult::Read) return ProfileFile();
    return ProfileFile(FromDisk(bytes));
}

// Copies one string the way the profile functions do: cut to the buffer,
// always terminated; returns the length copied.
DWORD CopyString(std::string_view value, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    value = value.substr(0, value.find('\0'));
    std::size_t n = CutUtf8(value, size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// Copies a list of strings, each terminated, with one more terminator at the
// end. A list that does not fit ends with its cut last string and two
// terminators, and the result is size - 2, as on Windows.
DWORD CopyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    std::string all;
    for (const std::string& item : items) {
        all.append(item, 0, item.find('\0'));
        all += '\0';
    }
    if (all.size() + 1 <= size) {
        std::memcpy(buffer, all.data(), all.size());
        buffer[all.size()] = '\0';
        if (all.empty() && size > 1) buffer[1] = '\0';
        return static_cast<DWORD>(all.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::size_t n = CutUtf8(all, size - 2);
    std::memcpy(buffer, all.data(), n);
    std::memset(buffer + n, 0, size - n);
    return size - 2;
}

std::string_view TrimTrailingBlanks(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<std::string> ReadProfileValue(const std::string& path, std::string_view section, std::string_view key) {
    return Load(path.c_str()).Value(section, key);
}

std::string CutToCodePageBytes(std::string_view utf8, std::size_t limit) {
    std::size_t pos = 0, bytes = 0;
    while (pos < utf8.size()) {
        std::size_t next = pos;
        std::size_t cost = static_cast<std::size_t>(text::SjisCharBytes(text::NextCodePoint(utf8, next)));
        if (bytes + cost > limit) break;
        bytes += cost;
        pos = next;
    }
    return std::string(utf8.substr(0, pos));
}

}  // namespace kernel

DWORD GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR returned, DWORD size,
                               LPCSTR fileName) {
    if (!returned || size == 0) return 0;
    kernel::ProfileFile file = kernel::Load(fileName);
    if (!appName) return kernel::CopyList(file.SectionNames(), returned, size);
    if (!keyName) return kernel::CopyList(file.KeyNames(appName), returned, size);
    std::optional<std::string> value = file.Value(appName, keyName);
    if (value) return kernel::CopyString(*value, returned, size);
    return kernel::CopyString(kernel::TrimTrailingBlanks(defaultValue ? defaultValue : ""), returned, size);
}

UINT GetPrivateProfileIntA(LPCSTR appName, LPCSTR keyName, INT defaultValue, LPCSTR fileName) {
    if (!appName || !keyName) return static_cast<UINT>(defaultValue);
    std::optional<std::string> value = kernel::Load(fileName).Value(appName, keyName);
    if (!value || value->empty()) return static_cast<UINT>(defaultValue);
    // Digits up to the first character that is not one; no digits gives 0.
    const std::string& s = *value;
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    unsigned long long result = 0;
    if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        for (i += 2; i < s.size(); ++i) {
            char c = s[i];
            int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) break;
            result = (result << 4 | static_cast<unsigned>(digit)) & 0xFFFFFFFFULL;
        }
    } else {
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) result = (result * 10 + static_cast<unsigned>(s[i] - '0')) & 0xFFFFFFFFULL;
    }
    auto u = static_cast<UINT>(result);
    return negative ? 0u - u : u;
}

BOOL WritePrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR value, LPCSTR fileName) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!appName) {
        // All three null asks to flush a cache; there is none, and Windows
        // answers FALSE to that call too.
        SetLastError(keyName || value ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS);
        return FALSE;
    }
    std::string bytes;
    int error = 0;
    kernel::ReadResult read = kernel::ReadWholeFile(fileName, bytes, error);
    if (read == kernel::ReadResult::Failed) {
        // A file that cannot be read must not be replaced by one holding
        // only the new line.
        kernel::SetLastErrorFromErrno(error);
        return FALSE;
    }
    std::string before = kernel::FromDisk(bytes);
    kernel::ProfileFile file(before);
    if (!keyName) {
        file.DeleteSection(appName);
    } else if (!value) {
        file.DeleteKey(appName, keyName);
    } else {
        file.Set(appName, keyName, value);
    }
    std::string after = file.Content();
    if (after == before && read == kernel::ReadResult::Read) return TRUE;
    if (after.empty() && read == kernel::ReadResult::Missing) return TRUE;
    kernel::SaveStatus status = kernel::SaveFileSafely(fileName, kernel::ToDisk(after));
    if (!status.ok()) {
        kernel::SetLastErrorFromErrno(status.osError, fileName);
        return FALSE;
    }
    return TRUE;
}

DWORD GetPrivateProfileSectionNamesA(LPSTR returned, DWORD size, LPCSTR fileName) {
    return GetPrivateProfileStringA(nullptr, nullptr, nullptr, returned, size, fileName);
}

DWORD GetPrivateProfileSectionA(LPCSTR appName, LPSTR returned, DWORD size, LPCSTR fileName) {
    if (!returned || size == 0) return 0;
    if (!appName) return kernel::CopyList({}, returned, size);
    return kernel::CopyList(kernel::Load(fileName).SectionLines(appName), returned, size);
}

}  // namespace win32
