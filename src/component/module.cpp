// Process-wide state of the component module, set up at load and torn down at unload.
#include "component/module.h"

#include "component/class_factory.h"
#include "component/host_platform.h"
#include "platform/libloader.h"
#include "platform/wide.h"

namespace k42com {

ComponentModule::ComponentModule() : m_handle(OwnModuleHandle()) {}

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
    DWORD length = GetModuleFileNameW(m_handle, k42::AsWide(buffer.data()), static_cast<DWORD>(buffer.size()));
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
    if (HRESULT hr = LoadInterfaceTypeInfo(&m_typeInfo); FAILED(hr)) return hr;
  }
  m_typeInfo->AddRef();
  *typeInfo = m_typeInfo;
  return S_OK;
}

}  // namespace k42com
