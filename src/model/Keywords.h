// Keyword tables shared by the readers and the queries: handling, storage
// kind and header mode in both directions, and the data type keywords.
#pragma once

#include <cstdint>
#include <string>

namespace k42 {

// Keyword to value: exact, case-sensitive comparison of the whole text.
// Returns false (value untouched) when text is not a keyword.
bool HandlingFromKeyword(const std::u16string& text, int32_t& value);  // READONLY, READWRITE, WRITEONLY, COND
bool StorageFromKeyword(const std::u16string& text, int32_t& value);   // STATIC 1, DYNAMIC 2, CONSTANT 3

// Value to text. Returns false (text untouched) for values without a text;
// kCONDITIONAL has none.
bool HandlingToText(int32_t value, std::u16string& text);
bool StorageToText(int32_t value, std::u16string& text);

// MODE_ONLINE -> "ONLINE", MODE_OFFLINE -> "OFFLINE", anything else "GENERAL".
std::u16string ModeToText(int32_t mode);

// The VarType of a data type keyword ("DD_FLOAT" -> TYPE_DD_FLOAT, ...),
// compared exactly; TYPE_UNKNOWN (0) for any other text.
int32_t DataTypeFromKeyword(const std::u16string& text);

}  // namespace k42
