// Reader text helpers: leading integers in the manner of atol, narrow conversion, upper-casing.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/text.h"

namespace {

TEST(LeadingInteger, ReadsLikeAtol) {
  using k42::LeadingInteger;
  EXPECT_EQ(LeadingInteger(std::string_view(" 12abc")), 12);
  EXPECT_EQ(LeadingInteger(std::string_view("\t\n-7")), -7);
  EXPECT_EQ(LeadingInteger(std::string_view("+5")), 5);
  EXPECT_EQ(LeadingInteger(std::string_view("0x1F")), 0);
  EXPECT_EQ(LeadingInteger(std::string_view("#FF0000")), 0);
  EXPECT_EQ(LeadingInteger(std::string_view("abc")), 0);
  EXPECT_EQ(LeadingInteger(std::string_view("")), 0);
  EXPECT_EQ(LeadingInteger(std::string_view("- 3")), 0);
  EXPECT_EQ(LeadingInteger(std::string_view("12 34")), 12);
  EXPECT_EQ(LeadingInteger(std::string_view("2147483647")), INT32_MAX);
  EXPECT_EQ(LeadingInteger(std::string_view("2147483648")), INT32_MAX);
  EXPECT_EQ(LeadingInteger(std::string_view("-99999999999999999999999")), INT32_MIN);
  // Only the given characters count, even without a terminator after them.
  EXPECT_EQ(LeadingInteger(std::string_view("123", 2)), 12);

  EXPECT_EQ(LeadingInteger(std::u16string_view(u" 42px")), 42);
  EXPECT_EQ(LeadingInteger(std::u16string_view(u"\u00a0 42")), 0);  // a no-break space is not a blank
  EXPECT_EQ(LeadingInteger(std::u16string_view(u"-0012")), -12);
}

TEST(TextHelpers, NarrowRoundTripAndUpperCase) {
  std::u16string wide = u"d\u00e9j\u00e0 \U0001F600";
  EXPECT_EQ(k42::ToNarrow(wide), "d\xc3\xa9j\xc3\xa0 \xf0\x9f\x98\x80");
  EXPECT_EQ(k42::FromNarrow(k42::ToNarrow(wide)), wide);
  EXPECT_EQ(k42::ToUpper(u"false"), u"FALSE");
  EXPECT_EQ(k42::ToUpper(u"Fa\u00dfe\u00e4"), u"FA\u00dfE\u00c4");
  EXPECT_EQ(k42::ToUpper(std::u16string(u"a\0b", 3)), std::u16string(u"A\0B", 3));
}

}  // namespace
