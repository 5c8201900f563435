// The component's platform needs met by the Linux stand-ins: a module handle from the loader, type information
// built from the method table, and the type library's keys written by hand.
#include "component/host_platform.h"

#include <k42gui/IGuiXmlModel.h>

#include <dlfcn.h>

#include <utility>

#include "component/registration.h"
#include "component/type_info.h"

namespace k42com {

namespace {
std::u16string TypeLibKey() { return u"TypeLib\\" + GuidText(LIBID_K42GUIXMLREADERLib); }
}  // namespace

HMODULE OwnModuleHandle() {
  // The load address of the object holding this code, as a Windows module handle is.
  Dl_info info;
  if (!dladdr(reinterpret_cast<const void*>(&OwnModuleHandle), &info)) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

HRESULT LoadInterfaceTypeInfo(ITypeInfo** typeInfo) {
  *typeInfo = CGuiXmlModelTypeInfo::Create();
  return *typeInfo ? S_OK : E_OUTOFMEMORY;
}

HRESULT RegisterTypeLibrary(const std::u16string& modulePath) {
  // The keys registering a type library writes on Windows.
  const std::u16string version = TypeLibKey() + u"\\1.0";
  const size_t separator = modulePath.find_last_of(u"/\\");
  const std::u16string directory = separator == std::u16string::npos ? u"" : modulePath.substr(0, separator);
  const std::u16string description = u"K42GuiXmlReader 1.0 Type Library", flags = u"0";
  const std::pair<std::u16string, const std::u16string*> keys[] = {{version, &description},
                                                                   {version + u"\\FLAGS", &flags},
                                                                   {version + u"\\0\\win32", &modulePath},
                                                                   {version + u"\\HELPDIR", &directory}};
  for (const auto& [key, value] : keys) {
    if (HRESULT hr = WriteKey(key, nullptr, value); FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT UnregisterTypeLibrary() { return RemoveKey(TypeLibKey(), {u"1.0"}); }

}  // namespace k42com
