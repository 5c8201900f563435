// Values of the SDK initialization string: "|"-separated key=value pairs.
//
// A "|" inside a value is written "||". Keys are compared exactly.
//
// Example:
//   k42::InitStringValue(u"HelpApplication=viewer||pdf|HelpParameter=-p", u"HelpApplication")
//     == u"viewer|pdf"
#pragma once

#include <string>

namespace k42 {

// The value of key in text, with every "||" turned into "|"; empty when text
// or key is empty or the key is not there. The key is searched as
// "|key=" in "|" + text + "|", without regard to escaped pairs, so a value
// holding "||key=" can be taken for the key.
std::u16string InitStringValue(const std::u16string& text, const std::u16string& key);

}  // namespace k42
