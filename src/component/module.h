// The component module's process-wide state: lock count, cached class object and type information.
#pragma once

#include <k42gui/objbase.h>
#include <k42gui/oleauto.h>

#include <atomic>
#include <mutex>
#include <string>

namespace k42com {

// One per process, living as long as the library is loaded: created when the
// library is loaded into the host (the process attach of a Windows module)
// and torn down when it is unloaded, which releases the cached class object
// and type information.
//
// The lock count has one unit per live GuiXmlModel object and per
// outstanding LockServer(TRUE); it is changed with interlocked operations.
// The class object and the type information are created on first use under
// the module's mutex; every other piece of the component belongs to one
// apartment and needs no guard.
class ComponentModule {
 public:
  static ComponentModule& Instance();

  LONG Lock() { return ++m_lockCount; }
  LONG Unlock() { return --m_lockCount; }
  LONG LockCount() const { return m_lockCount.load(); }

  // The handle and full file name of this library (empty when unknown).
  HMODULE Handle() const { return m_handle; }
  std::u16string FileName() const;

  // Queries the GuiXmlModel class object, created and cached on first use.
  HRESULT GetClassObject(REFIID riid, void** ppv);

  // The type information of IGuiXmlModel, with one reference added for the
  // caller; created on first use.
  HRESULT GetTypeInfo(ITypeInfo** typeInfo);

  ~ComponentModule();

 private:
  ComponentModule();

  std::atomic<LONG> m_lockCount{0};
  HMODULE m_handle = nullptr;
  std::mutex m_mutex;
  IClassFactory* m_classObject = nullptr;
  ITypeInfo* m_typeInfo = nullptr;
};

}  // namespace k42com
