// The shell: ShellExecuteA, which hands a web address, a mailto: request or
// a document to the desktop's opener.
#pragma once

#include "platform/windef.h"

namespace win32 {

// Error results of ShellExecuteA (anything above 32 is success).
constexpr INT_PTR SE_ERR_FNF = 2;
constexpr INT_PTR SE_ERR_PNF = 3;
constexpr INT_PTR SE_ERR_ACCESSDENIED = 5;
constexpr INT_PTR SE_ERR_OOM = 8;
constexpr INT_PTR SE_ERR_SHARE = 26;
constexpr INT_PTR SE_ERR_ASSOCINCOMPLETE = 27;
constexpr INT_PTR SE_ERR_DDETIMEOUT = 28;
constexpr INT_PTR SE_ERR_DDEFAIL = 29;
constexpr INT_PTR SE_ERR_DDEBUSY = 30;
constexpr INT_PTR SE_ERR_NOASSOC = 31;
constexpr INT_PTR SE_ERR_DLLNOTFOUND = 32;

// With the verb "open" (or none), starts the desktop's opener (xdg-open,
// found on PATH) with the address as its only argument, directly and without
// a shell, and returns at once without waiting for it. An address with a
// scheme ("mailto:", "https:", ...) or beginning with "www." is made into a
// well-formed URI first (see shell/uri.h); anything else must name an
// existing file or folder (relative to `directory` when given). Parameters,
// the owner window and the show command play no part.
//
// Returns a value above 32 on success; SE_ERR_NOASSOC for another verb or
// when no opener is installed, SE_ERR_FNF/SE_ERR_PNF for a missing file,
// SE_ERR_OOM when the system cannot start the process (or the address is
// longer than a process argument may be), 0 for a null file.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT showCommand);

}  // namespace win32
