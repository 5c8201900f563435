// UTF-16 <-> UTF-8 transcoding shared by the code-page functions, the logger and the registry file.
#pragma once

#include <string>
#include <string_view>

namespace k42::utf {

// Appends the UTF-8 form of `text` to `out`. An unpaired surrogate becomes
// U+FFFD and, when `replaced` is given, sets *replaced to true.
void AppendUtf8(std::string& out, std::u16string_view text, bool* replaced = nullptr);

// The UTF-8 form of `text` (see AppendUtf8).
std::string ToUtf8(std::u16string_view text, bool* replaced = nullptr);

// Appends the UTF-16 form of the UTF-8 `text` to `out`. Each ill-formed
// sequence (a stray byte, a truncated or overlong sequence, an encoded
// surrogate, a value beyond U+10FFFF) becomes one U+FFFD per maximal ill-formed
// subpart, as Unicode recommends; `replaced` is then set to true.
void AppendUtf16(std::u16string& out, std::string_view text, bool* replaced = nullptr);

// The UTF-16 form of the UTF-8 `text` (see AppendUtf16).
std::u16string ToUtf16(std::string_view text, bool* replaced = nullptr);

}  // namespace k42::utf
