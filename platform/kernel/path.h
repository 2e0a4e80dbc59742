// Path helpers of the kernel services, for their own use and for the class
// library's file-name functions.
#pragma once

#include <string>
#include <string_view>

namespace win32::kernel {

// The current directory, or an empty string when it cannot be read.
std::string CurrentDirectory();

// An absolute path with "." and ".." taken away lexically and repeated
// separators merged; a relative path is taken against the current
// directory. A final separator is kept.
std::string FullPath(std::string_view path);

}  // namespace win32::kernel
