// The text boundary of the library: code page 932 bytes on disk, UTF-8 in
// memory, whole files written so that a failed save leaves the old file.
#pragma once

#include <string>
#include <string_view>

namespace classlib {

// Code page 932 bytes to UTF-8 and back; bytes that are not valid Shift-JIS
// survive the round trip unchanged.
std::string Utf8FromAnsi(std::string_view bytes);
std::string AnsiFromUtf8(std::string_view text);

// Writes bytes as the whole new content of fileName: into a fresh file
// beside it, then put in its place. Raises EFCreateError when the file
// cannot be created and EWriteError when writing fails; the old file is
// left untouched in both cases.
void SaveTextFile(const std::string& fileName, std::string_view bytes);

// Case-insensitive comparison of UTF-8 text as the string lists sort it.
int CompareTextUtf8(const std::string& a, const std::string& b);

}  // namespace classlib
