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

ComponentModule::ComponentModule() : handle_(OwnHandle()) {}

ComponentModule::~ComponentModule() {
  if (classObject_) classObject_->Release();
  if (typeInfo_) typeInfo_->Release();
  classObject_ = nullptr;
  typeInfo_ = nullptr;
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
  if (!handle_) return {};
  std::u16string buffer(MAX_PATH, u'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(handle_, buffer.data(), static_cast<DWORD>(buffer.size()));
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
    std::lock_guard<std::mutex> guard(mutex_);
    if (!classObject_) {
      classObject_ = CGuiXmlModelFactory::Create();
      if (!classObject_) return E_OUTOFMEMORY;
    }
    factory = classObject_;
    factory->AddRef();  // keeps it alive outside the lock
  }
  HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}

HRESULT ComponentModule::GetTypeInfo(ITypeInfo** typeInfo) {
  if (!typeInfo) return E_POINTER;
  *typeInfo = nullptr;
  std::lock_guard<std::mutex> guard(mutex_);
  if (!typeInfo_) {
    typeInfo_ = CGuiXmlModelTypeInfo::Create();
    if (!typeInfo_) return E_OUTOFMEMORY;
  }
  typeInfo_->AddRef();
  *typeInfo = typeInfo_;
  return S_OK;
}

}  // namespace k42com
