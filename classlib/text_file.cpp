#include "classlib/text_file.h"

#include <algorithm>

#include "classlib/consts.h"
#include "classlib/streams.h"
#include "platform/kernel/codepage.h"
#include "platform/kernel/safe_save.h"

namespace classlib {

std::string Utf8FromAnsi(std::string_view bytes) { return win32::text::SjisToUtf8(bytes); }

std::string AnsiFromUtf8(std::string_view text) { return win32::text::Utf8ToSjis(text, nullptr); }

void SaveTextFile(const std::string& fileName, std::string_view bytes) {
    using win32::kernel::SaveFailure;
    win32::kernel::SaveStatus status = win32::kernel::SaveFileSafely(fileName, bytes);
    if (status.failure == SaveFailure::CannotCreate) throw EFCreateError(FormatResource(SFCreateError, {fileName}));
    if (status.failure == SaveFailure::WriteFailed) throw EWriteError(SWriteError);
}

int CompareTextUtf8(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace classlib
