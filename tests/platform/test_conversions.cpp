// Code-page conversions (ANSI = UTF-8) and upper-casing with Windows' size and error rules.
#include <gtest/gtest.h>
#include <k42gui/winuser.h>

#include <cstring>
#include <string>

#include <k42gui/winnls.h>

namespace {

std::string Narrow(const std::u16string& wide) {
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::u16string Wide(const std::string& narrow) {
  int size = MultiByteToWideChar(CP_UTF8, 0, narrow.data(), int(narrow.size()), nullptr, 0);
  std::u16string out(size_t(size), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, narrow.data(), int(narrow.size()), out.data(), size);
  return out;
}

TEST(WideCharToMultiByte, SizesBuffersAndSurrogates) {
  const char16_t* text = u"Gr\u00fc\u00dfe \u20ac\U0001D11E";                             // 1+1+2+2+1+1+3+4 bytes
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr), 16);  // with the NUL
  char buffer[32];
  std::memset(buffer, 'x', sizeof buffer);
  ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr), 16);
  EXPECT_STREQ(buffer,
               "Gr\xc3\xbc\xc3\x9f"
               "e \xe2\x82\xac\xf0\x9d\x84\x9e");
  // An explicit length converts no terminator.
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, 2, buffer, sizeof buffer, nullptr, nullptr), 2);
  EXPECT_EQ(buffer[2], 'x');

  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, 15, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, 0, buffer, 15, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));

  const char16_t unpaired[] = {u'a', 0xD800, u'b', 0xDC00, 0};
  EXPECT_EQ(Narrow(unpaired),
            "a\xef\xbf\xbd"
            "b\xef\xbf\xbd");
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, 0, unpaired, -1, buffer, sizeof buffer, nullptr, &usedDefault);
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, unpaired, -1, buffer, sizeof buffer, nullptr, &usedDefault), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, unpaired, -1, buffer, sizeof buffer, nullptr, nullptr),
            0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(GetACP(), UINT(CP_UTF8));
}

TEST(MultiByteToWideChar, SizesBuffersAndIllFormedInput) {
  const char* text = "\xc3\xa4\xe2\x82\xac\xf0\x9d\x84\x9e!";
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 6);  // 1 + 1 + 2 + 1 + NUL
  WCHAR buffer[8];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, 8), 6);
  EXPECT_EQ(std::u16string(buffer), u"\u00e4\u20ac\U0001D11E!");
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, 5), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));

  // One U+FFFD per maximal ill-formed subpart.
  EXPECT_EQ(Wide("a\xc3"), u"a\uFFFD");  // truncated at the end
  EXPECT_EQ(Wide("\xe2\x82"
                 "A"),
            u"\uFFFD"
            "A");                                                    // truncated before a letter
  EXPECT_EQ(Wide("\xe0\x80\x80"), u"\uFFFD\uFFFD\uFFFD");            // overlong
  EXPECT_EQ(Wide("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");            // an encoded surrogate
  EXPECT_EQ(Wide("\xf4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // beyond U+10FFFF
  EXPECT_EQ(Wide("\xff"
                 "b\x80"),
            u"\uFFFD"
            "b\uFFFD");
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xc3", 2, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(CharUpper, UnicodeSimpleMappingInPlace) {
  std::u16string text = u"\u00e4bc \u00df \u00ff stra\u00dfe \u03c3\u03c2 \U00010428 1-z";
  LPWSTR result = CharUpperW(text.data());
  EXPECT_EQ(result, text.data());
  EXPECT_EQ(text, u"\u00c4BC \u00df \u0178 STRA\u00dfE \u03a3\u03a3 \U00010400 1-Z");

  // A pointer with zero high bits is a single character.
  LPWSTR single = CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(u'\u00e4')));
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(single), ULONG_PTR(u'\u00c4'));

  // CharUpperBuffW goes by the count, past NULs and not beyond.
  char16_t buffer[] = {u'a', 0, u'b', u'c'};
  EXPECT_EQ(CharUpperBuffW(buffer, 3), 3u);
  EXPECT_EQ(std::u16string(buffer, 4), std::u16string(u"A\0Bc", 4));
}

}  // namespace
