// Starting a program that outlives the call: executed directly (no shell),
// detached from the caller's session, and reaped so that no zombie stays.
#pragma once

#include <string>
#include <vector>

namespace win32::shell {

enum class SpawnResult {
    Started,
    NotFound,        // no such program on PATH
    TooLong,         // an argument longer than the system takes
    CannotStart,     // fork or exec failed for another reason
};

// The full path of `program` found on PATH (or the default path when PATH
// is unset); empty when there is none.
std::string FindOnPath(const std::string& program);

// Runs `program` (a full path) with `arguments` as its arguments, stdin
// from /dev/null and no descriptors of the caller other than stdout and
// stderr. Returns once the program has been executed (or has failed to be),
// never waiting for it to end.
SpawnResult SpawnDetached(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace win32::shell
