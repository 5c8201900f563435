// Module handles and file names: the executable, the component's own module, truncation.
#include <gtest/gtest.h>
#include <k42gui/winuser.h>

#include <filesystem>
#include <string>

#include "platform/libloader.h"
#include "platform/text.h"

namespace {

std::u16string ExecutablePath() { return k42::FromNarrow(std::filesystem::read_symlink("/proc/self/exe").string()); }

std::u16string FileNameOf(HMODULE module) {
  WCHAR buffer[4096];
  DWORD length = GetModuleFileNameW(module, buffer, 4096);
  return std::u16string(buffer, length);
}

TEST(ModuleFileName, ExecutableAndComponentModule) {
  HMODULE executable = GetModuleHandleW(nullptr);
  ASSERT_NE(executable, nullptr);
  EXPECT_EQ(FileNameOf(nullptr), ExecutablePath());
  EXPECT_EQ(FileNameOf(executable), ExecutablePath());

  // This test program links the platform library statically, so the
  // component's module is the program itself, under any of its names.
  EXPECT_EQ(GetModuleHandleW(u"K42GuiXMLReader.dll"), executable);
  EXPECT_EQ(GetModuleHandleW(u"k42guixmlreader"), executable);
  std::u16string path = ExecutablePath();
  EXPECT_EQ(GetModuleHandleW(path.substr(path.rfind(u'/') + 1).c_str()), executable);
  EXPECT_EQ(k42::ComponentModuleFileName(), path);

  HMODULE libc = GetModuleHandleW(u"LIBC.SO.6");
  ASSERT_NE(libc, nullptr);
  EXPECT_NE(libc, executable);
  std::u16string libcPath = FileNameOf(libc);
  EXPECT_EQ(libcPath.front(), u'/');
  EXPECT_EQ(libcPath.substr(libcPath.rfind(u'/') + 1), u"libc.so.6");

  SetLastError(0);
  EXPECT_EQ(GetModuleHandleW(u"NoSuchModule.dll"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
  WCHAR buffer[16];
  EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(0x1000), buffer, 16), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
}

TEST(ModuleFileName, TruncatesLikeWindows) {
  std::u16string path = ExecutablePath();
  DWORD length = DWORD(path.size());
  std::u16string buffer(path.size() + 8, u'#');

  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), length + 1), length);  // just fits
  EXPECT_EQ(buffer.substr(0, length + 1), path + u'\0');
  EXPECT_EQ(GetLastError(), 0u);

  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), length), length);  // one short: truncated
  EXPECT_EQ(buffer.substr(0, length), path.substr(0, length - 1) + u'\0');
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));

  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), 5), 5u);
  EXPECT_EQ(buffer.substr(0, 5), path.substr(0, 4) + u'\0');
}

}  // namespace
