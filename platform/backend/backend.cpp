#include "platform/backend/backend.h"

namespace win32::backend {
namespace {
std::unique_ptr<Backend>& Slot() {
    static std::unique_ptr<Backend> current;
    return current;
}
}  // namespace

Backend* Current() { return Slot().get(); }

void Install(std::unique_ptr<Backend> backend) { Slot() = std::move(backend); }

}  // namespace win32::backend
