// Process-wide state of the component module, set up at load and torn down at unload.
#include "component/module.h"

#include <dlfcn.h>

#include "component/class_factory.h"
#include "component/type_info.h"
#include "platform/libloader.h"

namespace k42com {

namespace {

// The handle of the module containing this code: its load address, as a
// Windows module handle is.
HMODULE OwnHandle() {
  Dl_info info;
  if (!dladdr(reinterpret_cast<const void*>(&OwnHandle), &info)) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

}  // namespace

ComponentModule::ComponentModule() : m_handle(OwnHandle()) {}

ComponentModule::~ComponentModule() {
  if (m_classObject) m_classObject->Release();
  if (m_typeInfo) m_typeInfo->Release();
  m_classObject = nullptr;
  m_typeInfo = nullptr;
}

ComponentModule& ComponentModule::Instance() {
  static ComponentModule module;
  return module;
}

namespace {
// Creates the module state while the library is being loaded, like the
// process attach of a Windows module; it is destroyed when the library is
// unloaded (or the process ends). Instance() is safe to call before this.
[[maybe_unused]] ComponentModule& g_moduleAtLoad = ComponentModule::Instance();
}  // namespace

std::u16string ComponentModule::FileName() const {
  if (!m_handle) return {};
  std::u16string buffer(MAX_PATH, u'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(m_handle, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

HRESULT ComponentModule::GetClassObject(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  IClassFactory* factory = nullptr;
  {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (!m_classObject) {
      m_classObject = CGuiXmlModelFactory::Create();
      if (!m_classObject) return E_OUTOFMEMORY;
    }
    factory = m_classObject;
    factory->AddRef();  // keeps it alive outside the lock
  }
  HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}

HRESULT ComponentModule::GetTypeInfo(ITypeInfo** typeInfo) {
  if (!typeInfo) return E_POINTER;
  *typeInfo = nullptr;
  std::lock_guard<std::mutex> guard(m_mutex);
  if (!m_typeInfo) {
    m_typeInfo = CGuiXmlModelTypeInfo::Create();
    if (!m_typeInfo) return E_OUTOFMEMORY;
  }
  m_typeInfo->AddRef();
  *typeInfo = m_typeInfo;
  return S_OK;
}

}  // namespace k42com
