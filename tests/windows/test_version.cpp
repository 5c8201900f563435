// The version resources of the built files: what installers and Properties -> Details read must be the
// project's version, and the texts must name the file they are in.
#include <gtest/gtest.h>
#include <k42gui/windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct VersionInfo {
  bool found = false;
  VS_FIXEDFILEINFO fixed{};
  std::vector<BYTE> block;

  // One text of the US-English Unicode table; "<missing>" when the resource lacks it.
  std::wstring Text(const wchar_t* name) const {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || length == 0) return L"<missing>";
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
  }
};

VersionInfo ReadVersion(const std::wstring& path) {
  VersionInfo info;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return info;
  info.block.resize(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, info.block.data())) return info;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.block.data(), L"\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO)) return info;
  info.fixed = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
  info.found = true;
  return info;
}

std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

// "major.minor.patch" of the version's four 16-bit parts (the fourth must be 0).
std::wstring Dotted(DWORD high, DWORD low) {
  return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." + std::to_wstring(HIWORD(low)) +
         (LOWORD(low) == 0 ? L"" : L".?");
}

void ExpectProjectVersion(const std::wstring& path, const wchar_t* fileName, DWORD fileType) {
  SCOPED_TRACE(std::string(path.begin(), path.end()));
  const VersionInfo info = ReadVersion(path);
  ASSERT_TRUE(info.found) << "no version resource";
  const std::wstring version = Wide(K42GUI_PROJECT_VERSION);
  EXPECT_EQ(Dotted(info.fixed.dwFileVersionMS, info.fixed.dwFileVersionLS), version);
  EXPECT_EQ(Dotted(info.fixed.dwProductVersionMS, info.fixed.dwProductVersionLS), version);
  EXPECT_EQ(info.fixed.dwFileType, fileType);
  EXPECT_EQ(info.Text(L"FileVersion"), version);
  EXPECT_EQ(info.Text(L"ProductVersion"), version);
  EXPECT_EQ(info.Text(L"ProductName"), Wide(K42GUI_PROJECT_NAME));
  EXPECT_EQ(info.Text(L"OriginalFilename"), fileName);
  EXPECT_EQ(info.Text(L"CompanyName"), L"Morvane");
  EXPECT_NE(info.Text(L"FileDescription"), L"<missing>");
}

TEST(VersionResource, TheLoadedDllCarriesTheProjectVersion) {
  // The DLL this host linked, wherever the loader found it.
  HMODULE module = GetModuleHandleW(L"K42GuiXmlReader.dll");
  ASSERT_NE(module, nullptr);
  wchar_t path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(module, path, MAX_PATH), 0u);
  ExpectProjectVersion(path, L"K42GuiXmlReader.dll", VFT_DLL);
}

TEST(VersionResource, TheInspectorBesideTheDllCarriesIt) {
  HMODULE module = GetModuleHandleW(L"K42GuiXmlReader.dll");
  ASSERT_NE(module, nullptr);
  wchar_t path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(module, path, MAX_PATH), 0u);
  std::wstring inspector = path;
  inspector.replace(inspector.find_last_of(L"\\/") + 1, std::wstring::npos, L"k42gui-inspect.exe");
  ExpectProjectVersion(inspector, L"k42gui-inspect.exe", VFT_APP);
}

}  // namespace
