// The component's platform needs met by Windows: the module handle from the DLL entry point, the type
// information from the embedded type library, and the type library registered by the automation library.
#include "component/host_platform.h"

#include <k42gui/IGuiXmlModel.h>

#include "component/module.h"
#include "platform/wide.h"

namespace k42com {

namespace {

HMODULE g_module = nullptr;

// The type library embedded in this module as resource TYPELIB 1.
HRESULT LoadOwnTypeLibrary(ITypeLib** library) {
  const std::u16string path = ComponentModule::Instance().FileName();
  if (path.empty()) return E_UNEXPECTED;
  return LoadTypeLibEx(k42::AsWide(path.c_str()), REGKIND_NONE, library);
}

}  // namespace

HMODULE OwnModuleHandle() {
  if (!g_module) {
    // Before the entry point ran (static construction): the module that holds this function.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnModuleHandle), &g_module);
  }
  return g_module;
}

HRESULT LoadInterfaceTypeInfo(ITypeInfo** typeInfo) {
  // The registered library first, as a host expects; the module's own copy serves an unregistered module.
  ITypeLib* library = nullptr;
  HRESULT hr = LoadRegTypeLib(LIBID_K42GUIXMLREADERLib, 1, 0, LOCALE_NEUTRAL, &library);
  if (FAILED(hr)) hr = LoadOwnTypeLibrary(&library);
  if (FAILED(hr)) return hr;
  hr = library->GetTypeInfoOfGuid(IID_IGuiXmlModel, typeInfo);
  library->Release();
  return hr;
}

HRESULT RegisterTypeLibrary(const std::u16string& modulePath) {
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(k42::AsWide(modulePath.c_str()), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  // RegisterTypeLib takes writable texts.
  std::u16string path = modulePath;
  const size_t separator = path.find_last_of(u"\\/");
  std::u16string directory = separator == std::u16string::npos ? u"" : path.substr(0, separator);
  hr = RegisterTypeLib(library, k42::AsWide(path.data()), k42::AsWide(directory.data()));
  library->Release();
  return hr;
}

HRESULT UnregisterTypeLibrary() {
  // Each architecture removes only its own entry of the library ("win64" or "win32").
#ifdef _WIN64
  constexpr SYSKIND kOwnKind = SYS_WIN64;
#else
  constexpr SYSKIND kOwnKind = SYS_WIN32;
#endif
  HRESULT hr = UnRegisterTypeLib(LIBID_K42GUIXMLREADERLib, 1, 0, LOCALE_NEUTRAL, kOwnKind);
  return hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_LIBNOTREGISTERED ? S_OK : hr;
}

}  // namespace k42com

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    k42com::g_module = instance;
    // The component starts no threads and keeps no per-thread state.
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
