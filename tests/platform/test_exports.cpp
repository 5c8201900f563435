// A host finds the platform library's Windows functions by their plain names, as GetProcAddress would.
#include <gtest/gtest.h>
#include <k42gui/oleauto.h>

#include <string>

#include <dlfcn.h>

namespace {

TEST(PlatformExports, WindowsFunctionsAreFoundByTheirPlainNames) {
  void* library = dlopen(K42GUI_BINARY_DIR "/src/platform/libk42platform.so", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  for (const char* name :
       {"SysAllocString", "SysFreeString", "VariantClear", "SafeArrayCreate", "SafeArrayPutElement", "StringFromGUID2",
        "CLSIDFromString", "MessageBoxW", "RegOpenKeyExW", "GetModuleFileNameW", "WideCharToMultiByte"}) {
    EXPECT_NE(dlsym(library, name), nullptr) << name;
  }

  const auto allocate = reinterpret_cast<BSTR (*)(const OLECHAR*)>(dlsym(library, "SysAllocString"));
  const auto length = reinterpret_cast<UINT (*)(BSTR)>(dlsym(library, "SysStringLen"));
  const auto release = reinterpret_cast<void (*)(BSTR)>(dlsym(library, "SysFreeString"));
  ASSERT_TRUE(allocate != nullptr && length != nullptr && release != nullptr);
  BSTR text = allocate(u"found");
  EXPECT_EQ(std::u16string(text, length(text)), u"found");
  release(text);

  const auto format = reinterpret_cast<int (*)(REFGUID, LPOLESTR, int)>(dlsym(library, "StringFromGUID2"));
  ASSERT_NE(format, nullptr);
  OLECHAR guid[39];
  EXPECT_EQ(format(IID_IDispatch, guid, 39), 39);
  EXPECT_EQ(std::u16string(guid), u"{00020400-0000-0000-C000-000000000046}");
  dlclose(library);
}

}  // namespace
