// Device texts as the text outputs print them: control characters written as escapes, never raw.
#pragma once

#include <string>
#include <string_view>

namespace inspect {

// text (UTF-8) with every character that could steer a terminal or break a line written out:
// "\t", "\n", "\r", other C0 characters and DEL as "\x1b", the C1 characters (U+0080 to U+009F) as
// "\u009b", and a byte that is not part of valid UTF-8 as "\xff". Everything else, the backslash
// included, stays as it is, so ordinary texts read as written.
//
//   Printable("var\x1b]0;title\x07")  ->  "var\x1b]0;title\x07" spelt with backslashes, one line
std::string Printable(std::string_view text);

}  // namespace inspect
