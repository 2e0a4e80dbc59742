// The one place that decides where the program's windows go.
#pragma once

#include <string>

namespace win32::backend {

// Installs the backend the program runs on: X11 on the display that
// $DISPLAY names. Returns false, with a message for the user in `error`,
// when no display can be opened; the program then ends with a non-zero
// status. Tests install the headless backend themselves instead.
bool SelectBackend(std::string& error);

}  // namespace win32::backend
