// Registration of GuiXmlModel: the keys of the registration script and of the type library, written and removed.
#include "component/registration.h"

#include <k42gui/IGuiXmlModel.h>

#include <initializer_list>

#include "component/module.h"
#include <k42gui/winreg.h>

namespace k42com {

namespace {

constexpr char16_t kClassDescription[] = u"K42DTM.GuiXmlModel Class";
constexpr char16_t kProgId[] = u"K42Gui.GuiXmlModel.1";
constexpr char16_t kVersionIndependentProgId[] = u"K42Gui.GuiXmlModel";
constexpr char16_t kTypeLibDescription[] = u"K42GuiXmlReader 1.0 Type Library";

HRESULT FromStatus(LSTATUS status) {
  if (status == ERROR_SUCCESS) return S_OK;
  return static_cast<HRESULT>((static_cast<DWORD>(status) & 0xFFFF) | 0x80070000u);
}

std::u16string Text(REFGUID guid) {
  OLECHAR buffer[39] = {};
  StringFromGUID2(guid, buffer, 39);
  return buffer;
}

// The directory part of a module path, without its last separator.
std::u16string DirectoryOf(const std::u16string& path) {
  const size_t separator = path.find_last_of(u"/\\");
  return separator == std::u16string::npos ? std::u16string() : path.substr(0, separator);
}

// Creates HKEY_CLASSES_ROOT\path and, when value is given, sets its value
// named name (null: the default value) to that text.
HRESULT WriteKey(const std::u16string& path, const char16_t* name = nullptr, const std::u16string* value = nullptr) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                   nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS && value) {
    status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                            static_cast<DWORD>((value->size() + 1) * sizeof(char16_t)));
  }
  if (key) RegCloseKey(key);
  return FromStatus(status);
}

// Removes the named subkeys of a key the script created, then the key itself
// unless something else still lives below it.
LSTATUS RemoveKey(const std::u16string& path, std::initializer_list<const char16_t*> subkeys) {
  LSTATUS result = ERROR_SUCCESS;
  for (const char16_t* subkey : subkeys) {
    LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, (path + u"\\" + subkey).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && result == ERROR_SUCCESS) result = status;
  }
  LSTATUS status = RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
  // ERROR_ACCESS_DENIED: other subkeys remain, so the key stays.
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && status != ERROR_ACCESS_DENIED &&
      result == ERROR_SUCCESS)
    result = status;
  return result;
}

LSTATUS RemoveTree(const std::u16string& path) {
  LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

std::u16string ClassKey() { return u"CLSID\\" + Text(CLSID_GuiXmlModel); }
std::u16string TypeLibKey() { return u"TypeLib\\" + Text(LIBID_K42GUIXMLREADERLib); }

}  // namespace

HRESULT RegisterComponent(const std::u16string& modulePath) {
  const std::u16string clsid = Text(CLSID_GuiXmlModel);
  const std::u16string libid = Text(LIBID_K42GUIXMLREADERLib);
  const std::u16string classKey = ClassKey();
  const std::u16string version = TypeLibKey() + u"\\1.0";
  const std::u16string description = kClassDescription;
  const std::u16string apartment = u"Apartment";

  // The class key is rewritten whole, so no subkey of an older registration survives.
  if (LSTATUS status = RemoveTree(classKey); status != ERROR_SUCCESS) return FromStatus(status);

  struct Step {
    std::u16string key;
    const char16_t* name;
    std::u16string value;
    bool hasValue;
  };
  const Step steps[] = {
      {kProgId, nullptr, description, true},
      {std::u16string(kProgId) + u"\\CLSID", nullptr, clsid, true},
      {kVersionIndependentProgId, nullptr, description, true},
      {std::u16string(kVersionIndependentProgId) + u"\\CLSID", nullptr, clsid, true},
      {std::u16string(kVersionIndependentProgId) + u"\\CurVer", nullptr, kProgId, true},
      {classKey, nullptr, description, true},
      {classKey + u"\\ProgID", nullptr, kProgId, true},
      {classKey + u"\\VersionIndependentProgID", nullptr, kVersionIndependentProgId, true},
      {classKey + u"\\Programmable", nullptr, {}, false},
      {classKey + u"\\InprocServer32", nullptr, modulePath, true},
      {classKey + u"\\InprocServer32", u"ThreadingModel", apartment, true},
      {classKey + u"\\TypeLib", nullptr, libid, true},
      // The type library, as registering it writes it.
      {version, nullptr, kTypeLibDescription, true},
      {version + u"\\FLAGS", nullptr, u"0", true},
      {version + u"\\0\\win32", nullptr, modulePath, true},
      {version + u"\\HELPDIR", nullptr, DirectoryOf(modulePath), true},
  };
  for (const Step& step : steps) {
    HRESULT hr = step.hasValue ? WriteKey(step.key, step.name, &step.value) : WriteKey(step.key);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT UnregisterComponent() {
  LSTATUS result = RemoveKey(kProgId, {u"CLSID"});
  for (LSTATUS status : {RemoveKey(kVersionIndependentProgId, {u"CLSID", u"CurVer"}), RemoveTree(ClassKey()),
                         RemoveKey(TypeLibKey(), {u"1.0"})}) {
    if (result == ERROR_SUCCESS) result = status;
  }
  return FromStatus(result);
}

}  // namespace k42com

HRESULT DllRegisterServer() {
  const std::u16string path = k42com::ComponentModule::Instance().FileName();
  if (path.empty()) return SELFREG_E_CLASS;
  return k42com::RegisterComponent(path);
}

HRESULT DllUnregisterServer() { return k42com::UnregisterComponent(); }
