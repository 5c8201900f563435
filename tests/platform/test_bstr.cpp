// Tests of automation strings: lengths, the byte-length prefix, zero filling and reallocation.
#include <k42gui/oleauto.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::u16string Text(BSTR s) { return std::u16string(s, SysStringLen(s)); }

// s holds `length` NUL characters, then the terminating NUL.
void ExpectZeros(BSTR s, UINT length) {
  EXPECT_EQ(SysStringLen(s), length);
  EXPECT_EQ(Text(s), std::u16string(length, u'\0'));
  EXPECT_EQ(s[length], u'\0');
}

TEST(Bstr, LengthCountsEmbeddedNulsAndIsStoredInBytesBeforeTheText) {
  const char16_t text[] = u"ab\0cd";
  BSTR s = SysAllocStringLen(text, 5);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringLen(s), 5u);
  EXPECT_EQ(SysStringByteLen(s), 10u);
  DWORD prefix = 0;
  std::memcpy(&prefix, reinterpret_cast<BYTE*>(s) - sizeof prefix, sizeof prefix);
  EXPECT_EQ(prefix, 10u);
  EXPECT_EQ(Text(s), std::u16string(text, 5));
  EXPECT_EQ(s[5], u'\0');
  SysFreeString(s);

  BSTR upToNul = SysAllocString(text);
  EXPECT_EQ(Text(upToNul), u"ab");
  SysFreeString(upToNul);
}

TEST(Bstr, NullAndEmptyStrings) {
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);

  BSTR empty = SysAllocString(u"");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SysStringLen(empty), 0u);
  EXPECT_EQ(empty[0], u'\0');
  SysFreeString(empty);

  BSTR zeros = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(zeros, nullptr);
  ExpectZeros(zeros, 4);
  SysFreeString(zeros);

  // A length whose byte count does not fit the 32-bit prefix is refused.
  EXPECT_EQ(SysAllocStringLen(nullptr, 0x7FFFFFFF), nullptr);
}

TEST(Bstr, ByteLengthStringsKeepOddLengths) {
  BSTR bytes = SysAllocStringByteLen("abc", 3);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(SysStringByteLen(bytes), 3u);
  EXPECT_EQ(SysStringLen(bytes), 1u);
  const auto* raw = reinterpret_cast<const char*>(bytes);
  EXPECT_EQ(std::string(raw, 3), "abc");
  EXPECT_EQ(raw[3], '\0');
  EXPECT_EQ(raw[4], '\0');
  SysFreeString(bytes);
}

TEST(Bstr, ReallocationMayReadFromTheStringItReplaces) {
  BSTR s = SysAllocString(u"hello world");
  ASSERT_TRUE(SysReAllocString(&s, s + 6));
  EXPECT_EQ(Text(s), u"world");
  ASSERT_TRUE(SysReAllocStringLen(&s, s, 3));
  EXPECT_EQ(Text(s), u"wor");
  ASSERT_TRUE(SysReAllocString(&s, nullptr));
  EXPECT_EQ(s, nullptr);
}

// As on Windows (unless OANOCACHE is set, which the tests do not), a freed short string is kept and handed
// out again for the next string of about its size; it starts as a fresh one would.
TEST(Bstr, AFreedShortStringIsReusedAsAFreshOne) {
  if (std::getenv("OANOCACHE") != nullptr) GTEST_SKIP() << "OANOCACHE is set: no cache to observe";
  BSTR first = SysAllocString(u"abcdef");
  SysFreeString(first);
  BSTR second = SysAllocStringLen(nullptr, 7);
  EXPECT_EQ(second, first);
  ExpectZeros(second, 7);
  SysFreeString(second);

  // Long strings go back to the allocator; a string freed on another thread is kept there, and given back
  // when that thread ends (the leak checker would report it otherwise).
  BSTR longText = SysAllocStringLen(nullptr, 1000);
  SysFreeString(longText);
  std::thread([] { SysFreeString(SysAllocString(u"elsewhere")); }).join();
}

#if defined(__SANITIZE_ADDRESS__)
TEST(BstrDeathTest, ReadingAFreedStringIsStillReported) {
  EXPECT_DEATH(
      {
        BSTR s = SysAllocString(u"abc");
        SysFreeString(s);
        volatile OLECHAR c = s[0];
        (void)c;
      },
      "use-after-(poison|free)");
}
#endif

}  // namespace
