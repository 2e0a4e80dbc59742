// Copying window text out to callers' buffers.
#pragma once

#include <cstddef>
#include <string>

namespace win32::user {

// Copies UTF-8 text into a buffer of `size` bytes, never cutting a
// character in two; returns the bytes copied, without the terminator.
int CopyTextOut(const std::string& text, char* buffer, std::size_t size);

}  // namespace win32::user
