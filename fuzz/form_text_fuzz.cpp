// Form files of any shape: the conversion must end, give text only for a
// well-formed file, and never read outside the input.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogs/form_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view file(reinterpret_cast<const char*>(data), size);
    std::string whole, cut;
    bool ok = dialogs::FormFileToText(file, whole);
    // The preview's limit changes how much text is kept, never the verdict.
    bool okCut = dialogs::FormFileToText(file, cut, 1024);
    if (ok != okCut) std::abort();
    if (ok && whole.compare(0, cut.size(), cut) != 0) std::abort();
    if (!ok && (!whole.empty() || !cut.empty())) std::abort();
    return 0;
}
