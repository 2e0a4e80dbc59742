// The text form of a binary form file (".dfm", ".~df"): the component tree
// the file stores, written out as the class library writes form files as
// text, for the open dialog's preview.
//
//     object Form1: TForm1
//       Left = 192
//       Caption = 'Form1'
//       Font.Style = []
//       object Button1: TButton
//         ...
//       end
//     end
//
// Input: a resource header (FF 0A 00, a zero-terminated name, 16-bit flags,
// 32-bit data size), then "TPF0" and one component. Output: code page 932
// text with CR LF line ends, so that it can be shown exactly like the bytes
// of a text file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dialogs {

// Converts the whole file; only the first `limit` bytes of the text are
// kept, but the rest of the file is still checked. False for anything that
// is not a well-formed binary form file: a wrong header, a length or count
// that runs past the end, nesting deeper than kMaxFormNesting, an unknown
// value kind. Never reads outside `file`.
bool FormFileToText(std::string_view file, std::string& text, std::size_t limit = std::string::npos);

// The same, raising classlib::EInvalidImage with "不正なｽﾄﾘｰﾑ ﾌｫｰﾏｯﾄ" on failure.
std::string ConvertFormFile(std::string_view file, std::size_t limit = std::string::npos);

// Components, lists and collections inside one another.
constexpr int kMaxFormNesting = 32;

}  // namespace dialogs
