// Keyword tables for handling, storage kind and header mode.
#include "model/Keywords.h"

#include <array>
#include <utility>

namespace k42 {
namespace {

struct Keyword {
    const char16_t* text;
    int32_t value;
    bool writtenBack;
};

constexpr std::array<Keyword, 4> kHandling{{
    {u"READONLY", 0, true},
    {u"READWRITE", 1, true},
    {u"WRITEONLY", 2, true},
    {u"COND", 3, false},  // kCONDITIONAL is read but never turned back into text
}};

constexpr std::array<Keyword, 3> kStorage{{
    {u"STATIC", 1, true},
    {u"DYNAMIC", 2, true},
    {u"CONSTANT", 3, true},
}};

template <size_t N>
bool FromKeyword(const std::array<Keyword, N>& table, const std::u16string& text, int32_t& value) {
    for (const Keyword& entry : table) {
        if (text == entry.text) {
            value = entry.value;
            return true;
        }
    }
    return false;
}

template <size_t N>
bool ToText(const std::array<Keyword, N>& table, int32_t value, std::u16string& text) {
    for (const Keyword& entry : table) {
        if (entry.value == value && entry.writtenBack) {
            text = entry.text;
            return true;
        }
    }
    return false;
}

}  // namespace

bool HandlingFromKeyword(const std::u16string& text, int32_t& value) { return FromKeyword(kHandling, text, value); }
bool StorageFromKeyword(const std::u16string& text, int32_t& value) { return FromKeyword(kStorage, text, value); }
bool HandlingToText(int32_t value, std::u16string& text) { return ToText(kHandling, value, text); }
bool StorageToText(int32_t value, std::u16string& text) { return ToText(kStorage, value, text); }

std::u16string ModeToText(int32_t mode) {
    switch (mode) {
        case 1: return u"ONLINE";
        case 2: return u"OFFLINE";
        default: return u"GENERAL";
    }
}

}  // namespace k42
