// ShellExecuteA on the desktop's opener.
#include <string>
#include <sys/stat.h>

#include "platform/kernel/path.h"
#include "platform/shell/detached_process.h"
#include "platform/shell/shellapi.h"
#include "platform/shell/uri.h"

namespace win32 {
namespace {

// The value Windows returns on success (any value above 32 would do).
HINSTANCE const kSuccess = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));

HINSTANCE Result(INT_PTR code) { return reinterpret_cast<HINSTANCE>(code); }

bool IsOpenVerb(LPCSTR verb) {
    if (!verb || !*verb) return true;
    std::string v(verb);
    for (char& c : v) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return v == "open";
}

bool IsAddress(const std::string& file) {
    if (shell::UriScheme(file)) return true;
    return file.size() > 4 && (file.compare(0, 4, "www.") == 0 || file.compare(0, 4, "WWW.") == 0);
}

}  // namespace

HINSTANCE ShellExecuteA(HWND /*owner*/, LPCSTR operation, LPCSTR file, LPCSTR /*parameters*/, LPCSTR directory,
                        INT /*showCommand*/) {
    if (!file) return Result(0);
    if (!IsOpenVerb(operation)) return Result(SE_ERR_NOASSOC);

    std::string target(file);
    if (IsAddress(target)) {
        target = shell::ToUri(target);
    } else {
        if (target.empty()) return Result(SE_ERR_FNF);
        // A document: made absolute, which also keeps a name that starts
        // with '-' from being read as an option of the opener.
        if (target[0] != '/' && directory && *directory) target = std::string(directory) + "/" + target;
        target = kernel::FullPath(target);
        struct stat st{};
        if (::stat(target.c_str(), &st) != 0) {
            std::string parent = target.substr(0, target.find_last_of('/'));
            return Result(parent.empty() || ::stat(parent.c_str(), &st) == 0 ? SE_ERR_FNF : SE_ERR_PNF);
        }
    }

    std::string opener = shell::FindOnPath("xdg-open");
    if (opener.empty()) return Result(SE_ERR_NOASSOC);
    switch (shell::SpawnDetached(opener, {target})) {
    case shell::SpawnResult::Started: return kSuccess;
    case shell::SpawnResult::NotFound: return Result(SE_ERR_NOASSOC);
    case shell::SpawnResult::TooLong: return Result(SE_ERR_OOM);
    case shell::SpawnResult::CannotStart: return Result(SE_ERR_OOM);
    }
    return Result(SE_ERR_OOM);
}

}  // namespace win32
