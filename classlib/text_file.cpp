#include "classlib/text_file.h"

#include <algorithm>

#include "classlib/consts.h"
#include "classlib/streams.h"
#include "classlib/sysutils.h"
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

int CompareTextUtf8(const std::string& a, const std::string& b) { return AnsiCompareText(a, b); }

}  // namespace classlib
