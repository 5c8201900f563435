// Keyword tables: every data type keyword against the enumerator of the same
// name, and the texts that cannot be turned back.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/Keywords.h"

namespace {

TEST(Keywords, EachDataTypeKeywordIsItsEnumeratorNameWithoutTypePrefix) {
    // The keyword is spelled from the enumerator's name, so a typo in the
    // table cannot hide behind the same typo here.
#define K42_TYPE(name) {u"" #name, TYPE_##name}
    const std::pair<std::u16string, int32_t> types[] = {
        K42_TYPE(DD_FLOAT),       K42_TYPE(DD_DOUBLE),      K42_TYPE(DD_INT8),         K42_TYPE(DD_INT16),
        K42_TYPE(DD_INT24),       K42_TYPE(DD_INT32),       K42_TYPE(DD_UINT8),        K42_TYPE(DD_UINT16),
        K42_TYPE(DD_UINT24),      K42_TYPE(DD_UINT32),      K42_TYPE(DD_ULONG),        K42_TYPE(DD_ENUM8),
        K42_TYPE(DD_ENUM16),      K42_TYPE(DD_ENUM24),      K42_TYPE(DD_ENUM32),       K42_TYPE(DD_BIT_ENUM8),
        K42_TYPE(DD_BIT_ENUM16),  K42_TYPE(DD_BIT_ENUM24),  K42_TYPE(DD_BIT_ENUM32),   K42_TYPE(DD_DATE),
        K42_TYPE(DD_TIME),        K42_TYPE(DD_DATETIME),    K42_TYPE(DD_TIMEVALUE),    K42_TYPE(DD_INDEX),
        K42_TYPE(DD_VISIBLE_STR), K42_TYPE(DD_VISIBLE_STR_PACKED), K42_TYPE(DD_INT8_FP), K42_TYPE(DD_INT16_FP),
        K42_TYPE(DD_INT24_FP),    K42_TYPE(DD_INT32_FP),    K42_TYPE(DD_UINT8_FP),     K42_TYPE(DD_UINT16_FP),
        K42_TYPE(DD_UINT24_FP),   K42_TYPE(DD_UINT32_FP),   K42_TYPE(DD_PASSWORD),     K42_TYPE(DD_DURATION),
    };
#undef K42_TYPE
    for (const auto& [keyword, type] : types) {
        EXPECT_EQ(k42::DataTypeFromKeyword(keyword), type) << std::string(keyword.begin(), keyword.end());
    }
    // No keyword for the kinds that only layouts or the childless rule give.
    for (const char16_t* other : {u"DD_BITSTRING", u"DD_BUTTON", u"DD_IMAGE", u"DD_NOTUNIQUE", u"dd_float",
                                  u"DD_FLOAT ", u"", u"DD_"}) {
        EXPECT_EQ(k42::DataTypeFromKeyword(other), TYPE_UNKNOWN);
    }
}

TEST(Keywords, ConditionalHandlingIsReadButNeverWrittenBack) {
    int32_t value = -7;
    EXPECT_FALSE(k42::HandlingFromKeyword(u"readonly", value));
    EXPECT_EQ(value, -7);
    std::u16string text = u"kept";
    ASSERT_TRUE(k42::HandlingFromKeyword(u"COND", value));
    EXPECT_FALSE(k42::HandlingToText(value, text));
    EXPECT_EQ(text, u"kept");
    EXPECT_FALSE(k42::StorageToText(0, text));
    EXPECT_EQ(k42::ModeToText(7), u"GENERAL");
}

}  // namespace
