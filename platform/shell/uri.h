// Turning the text of an address into a URI that a desktop opener takes
// whole: what a URI cannot hold is percent-encoded, everything it can hold
// is kept as written, so a well-formed URI comes back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win32::shell {

// The scheme of an address ("mailto", "https"), or nothing when the text
// does not begin with one. A single letter before ':' is taken for a drive
// and not a scheme.
std::optional<std::string> UriScheme(std::string_view text);

// Encoding rules, applied to the UTF-8 bytes of the text:
// - kept: letters, digits, "-._~", the delimiters ":/?@!$&'()*+,;=", and a
//   '%' that starts a valid %XX escape;
// - '#' is kept once, as the start of the fragment, except in a mailto:
//   request, which has none (there it is %23, so a body keeps its '#');
//   a later '#' is %23;
// - '[' and ']' are kept only in the host part after "//";
// - every other byte (blanks, line breaks and other control characters,
//   '"', '<', '>', '\', '^', '`', '{', '|', '}', a lone '%', non-ASCII
//   characters) is written as %XX of its UTF-8 bytes, in capitals;
// - invalid UTF-8 and the code page's byte escapes become U+FFFD (%EF%BF%BD),
//   so the receiver always gets valid UTF-8.
// "www.example.com" (no scheme) gets "http://" in front.
std::string ToUri(std::string_view text);

}  // namespace win32::shell
