// DllRegisterServer and DllUnregisterServer against a temporary registry: the keys written and removed.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <utility>
#include <string>

#include "host.h"
#include "platform/text.h"
#include <k42gui/winreg.h>
#include "support/temp_registry.h"

namespace {

constexpr char16_t kClass[] = u"CLSID\\{3A555CD6-5570-496E-9DA9-739C629B88C1}";
constexpr char16_t kTypeLib[] = u"TypeLib\\{0BDB543F-4E42-4043-89D8-62773A423B33}";

// The text value `name` (null: the default value) of HKEY_CLASSES_ROOT\path, if the key exists.
std::optional<std::u16string> Value(const std::u16string& path, const char16_t* name = nullptr) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD size = 0;
  std::u16string text;
  if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
    text.resize(size / 2);
    RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size);
    if (!text.empty() && text.back() == u'\0') text.pop_back();
  }
  RegCloseKey(key);
  return text;
}

bool Exists(const std::u16string& path) { return Value(path).has_value(); }

TEST(ComponentRegistration, WritesTheScriptAndTypeLibraryKeys) {
  k42test::TempRegistry registry;
  ASSERT_EQ(DllRegisterServer(), S_OK);

  const std::u16string cls = kClass, name = u"K42DTM.GuiXmlModel Class", clsid = cls.substr(6);
  const std::u16string expected[][2] = {{u"K42Gui.GuiXmlModel.1", name},
                                        {u"K42Gui.GuiXmlModel.1\\CLSID", clsid},
                                        {u"K42Gui.GuiXmlModel", name},
                                        {u"K42Gui.GuiXmlModel\\CLSID", clsid},
                                        {u"K42Gui.GuiXmlModel\\CurVer", u"K42Gui.GuiXmlModel.1"},
                                        {cls, name},
                                        {cls + u"\\ProgID", u"K42Gui.GuiXmlModel.1"},
                                        {cls + u"\\VersionIndependentProgID", u"K42Gui.GuiXmlModel"},
                                        {cls + u"\\Programmable", u""},
                                        {cls + u"\\TypeLib", u"{0BDB543F-4E42-4043-89D8-62773A423B33}"}};
  for (const auto& [path, value] : expected) EXPECT_EQ(Value(path), value) << k42::ToNarrow(path);
  EXPECT_EQ(Value(cls + u"\\InprocServer32", u"ThreadingModel"), u"Apartment");

  // The server is this library, by the path it was loaded from.
  const std::u16string server = Value(cls + u"\\InprocServer32").value_or(u"");
  ASSERT_FALSE(server.empty());
  EXPECT_EQ(std::filesystem::canonical(k42::ToNarrow(server)), std::filesystem::canonical(K42GUI_COMPONENT_PATH));
  const std::u16string version = std::u16string(kTypeLib) + u"\\1.0";
  EXPECT_EQ(Value(version), u"K42GuiXmlReader 1.0 Type Library");
  EXPECT_EQ(Value(version + u"\\0\\win32"), server);
  EXPECT_EQ(Value(version + u"\\FLAGS"), u"0");
  EXPECT_EQ(Value(version + u"\\HELPDIR"), server.substr(0, server.rfind(u'/')));
}

TEST(ComponentRegistration, RemovesOnlyWhatItWrote) {
  k42test::TempRegistry registry(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{00000000-1111-2222-3333-444444444444}]\n@=\"Other class\"\n\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{3A555CD6-5570-496E-9DA9-739C629B88C1}\\Stale]\n@=\"old version\"\n\n");
  ASSERT_EQ(DllRegisterServer(), S_OK);
  EXPECT_FALSE(Exists(std::u16string(kClass) + u"\\Stale")) << "the class key is written afresh";
  ASSERT_EQ(DllRegisterServer(), S_OK) << "registering twice is fine";

  // Something another product put below our version-independent ProgID keeps that key alive.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"K42Gui.GuiXmlModel\\Shell", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);

  ASSERT_EQ(DllUnregisterServer(), S_OK);
  const std::pair<std::u16string, bool> expected[] = {{u"K42Gui.GuiXmlModel.1", false},
                                                      {u"K42Gui.GuiXmlModel\\CLSID", false},
                                                      {u"K42Gui.GuiXmlModel\\CurVer", false},
                                                      {u"K42Gui.GuiXmlModel\\Shell", true},
                                                      {kClass, false},
                                                      {kTypeLib, false},
                                                      {u"CLSID\\{00000000-1111-2222-3333-444444444444}", true},
                                                      {u"CLSID", true},
                                                      {u"TypeLib", true}};
  for (const auto& [path, exists] : expected) EXPECT_EQ(Exists(path), exists) << k42::ToNarrow(path);
  EXPECT_EQ(DllUnregisterServer(), S_OK) << "nothing left to remove is no error";
}

}  // namespace
