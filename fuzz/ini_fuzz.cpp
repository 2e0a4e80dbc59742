// Profile file contents of any shape: reading must not crash, an unedited
// file must come back byte for byte, and a value set must read back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/kernel/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view content(reinterpret_cast<const char*>(data), size);
    win32::kernel::ProfileFile file(content);
    if (file.Content() != content) std::abort();

    for (const std::string& section : file.SectionNames()) {
        for (const std::string& key : file.KeyNames(section)) {
            if (!file.Value(section, key)) std::abort();
        }
        file.SectionLines(section);
    }
    file.Value("Option", "MyName");

    // Names taken from the input itself, so sections and keys that exist get
    // edited as well as new ones.
    std::string section = file.SectionNames().empty() ? "Option" : file.SectionNames().front();
    std::string key = file.KeyNames(section).empty() ? "Font" : file.KeyNames(section).back();
    file.Set(section, key, "IPAGothic");
    auto value = file.Value(section, key);
    // A name that is blank or holds a line break or '=' or ']' cannot be
    // written back as the same name; everything else must read back.
    bool plain = !section.empty() && !key.empty() &&
                 section.find_first_of("]\r\n") == std::string::npos && key.find_first_of("=\r\n[") == std::string::npos;
    if (plain && (!value || *value != "IPAGothic")) std::abort();

    file.Set("New Section", "k", "v");
    if (file.Value("new section", "K") != std::optional<std::string>("v")) std::abort();
    file.DeleteKey(section, key);
    file.DeleteSection("New Section");
    win32::kernel::ProfileFile again(file.Content());
    if (again.Content() != file.Content()) std::abort();
    return 0;
}
