// The GuiXmlModel class object: instance creation with the aggregation rules, server locks, its own lifetime.
#include "component/class_factory.h"

#include <new>

#include "component/GuiXmlModel.h"
#include "component/module.h"

namespace k42com {

CGuiXmlModelFactory* CGuiXmlModelFactory::Create() {
  auto* factory = new (std::nothrow) CGuiXmlModelFactory();
  if (factory) factory->AddRef();
  return factory;
}

HRESULT CGuiXmlModelFactory::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
  *ppvObject = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

ULONG CGuiXmlModelFactory::AddRef() {
  std::lock_guard<std::mutex> guard(m_mutex);
  if (++m_refs == 2) ComponentModule::Instance().Lock();
  return m_refs;
}

ULONG CGuiXmlModelFactory::Release() {
  ULONG refs;
  {
    std::lock_guard<std::mutex> guard(m_mutex);
    refs = --m_refs;
    if (refs == 1) ComponentModule::Instance().Unlock();
  }
  if (refs == 0) delete this;
  return refs;
}

HRESULT CGuiXmlModelFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  // An aggregated object must hand its inner IUnknown to the outer object.
  if (pUnkOuter && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
  return CGuiXmlModel::CreateInstance(pUnkOuter, riid, ppvObject);
}

HRESULT CGuiXmlModelFactory::LockServer(BOOL fLock) {
  if (fLock) {
    ComponentModule::Instance().Lock();
  } else {
    ComponentModule::Instance().Unlock();
  }
  return S_OK;
}

}  // namespace k42com
