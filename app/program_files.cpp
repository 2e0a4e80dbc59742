#include "app/program_files.h"

#include <vector>

#include "platform/kernel/winbase.h"

namespace app {

namespace {

std::string& DirectoryOverride() {
    static std::string directory;
    return directory;
}

std::string WithSeparator(std::string directory) {
    if (directory.empty() || directory.back() != '/') directory.push_back('/');
    return directory;
}

}  // namespace

std::string ProgramDirectory() {
    if (!DirectoryOverride().empty()) return WithSeparator(DirectoryOverride());
    std::vector<char> buffer(4096, '\0');
    win32::DWORD n = win32::GetModuleFileNameA(nullptr, buffer.data(), static_cast<win32::DWORD>(buffer.size()));
    std::string path(buffer.data(), n < buffer.size() ? n : 0);
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "./";
    return path.substr(0, slash + 1);
}

std::string SettingsFileName() { return ProgramDirectory() + "PMemo.ini"; }

std::string SignatureFileName() { return ProgramDirectory() + "PMemo.sig"; }

void SetProgramDirectory(const std::string& directory) { DirectoryOverride() = directory; }

}  // namespace app
