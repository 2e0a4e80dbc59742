#include "platform/backend/select.h"

#include <cstdlib>

#include "platform/backend/backend.h"
#include "platform/backend/x11/x11_backend.h"

namespace win32::backend {

bool SelectBackend(std::string& error) {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        error = "no display: $DISPLAY is not set";
        return false;
    }
    std::string why;
    auto x11 = x11::X11Backend::Open(x11::X11Options{name, true}, why);
    if (!x11) {
        error = "no display: " + why + " named by $DISPLAY";
        return false;
    }
    Install(std::move(x11));
    return true;
}

}  // namespace win32::backend
