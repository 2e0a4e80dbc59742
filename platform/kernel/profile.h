// The profile functions' reader for callers that need more than a C buffer
// gives: the whole value in UTF-8, and cutting it at a byte limit counted in
// code page 932 as Windows programs count it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace win32::kernel {

// The value of a key as GetPrivateProfileStringA reads it, uncut; nothing
// when the file, section or key is missing or the file cannot be read.
std::optional<std::string> ReadProfileValue(const std::string& path, std::string_view section, std::string_view key);

// The longest prefix of UTF-8 text whose code page 932 form has at most
// `limit` bytes, ending on a whole character.
std::string CutToCodePageBytes(std::string_view utf8, std::size_t limit);

}  // namespace win32::kernel
