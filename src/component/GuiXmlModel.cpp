// CGuiXmlModel identity and lifetime: interface table, aggregation, reference count, error-info and dispatch entry points.
#include "component/GuiXmlModel.h"

#include <new>

#include "component/method_table.h"
#include "component/module.h"

namespace k42com {

CGuiXmlModel::CGuiXmlModel(IUnknown* outer) : m_inner(*this), m_outer(outer) { ComponentModule::Instance().Lock(); }

CGuiXmlModel::~CGuiXmlModel() { ComponentModule::Instance().Unlock(); }

HRESULT CGuiXmlModel::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  CGuiXmlModel* object = nullptr;
  try {
    object = new CGuiXmlModel(outer);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  // The reference count is 0 until this query hands out the first reference.
  HRESULT hr = object->m_inner.QueryInterface(riid, ppv);
  if (FAILED(hr)) delete object;
  return hr;
}

// ---- Non-delegating IUnknown ------------------------------------------------

HRESULT CGuiXmlModel::InnerUnknown::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  IUnknown* found = nullptr;
  if (riid == IID_IUnknown) {
    // Aggregated, the object's own identity is this inner unknown; otherwise
    // IUnknown is answered with the first entry of the interface table.
    found = m_owner.m_outer ? static_cast<IUnknown*>(this) : static_cast<IGuiXmlModel*>(&m_owner);
  } else if (riid == IID_IGuiXmlModel || riid == IID_IDispatch) {
    found = static_cast<IGuiXmlModel*>(&m_owner);
  } else if (riid == IID_ISupportErrorInfo) {
    found = static_cast<ISupportErrorInfo*>(&m_owner);
  } else {
    return E_NOINTERFACE;
  }
  // Through the interface found: an aggregated object's interfaces count on
  // the outer object, its inner unknown on itself.
  found->AddRef();
  *ppvObject = found;
  return S_OK;
}

ULONG CGuiXmlModel::InnerUnknown::AddRef() { return ++m_owner.m_refs; }

ULONG CGuiXmlModel::InnerUnknown::Release() {
  ULONG refs = --m_owner.m_refs;
  if (refs == 0) delete &m_owner;
  return refs;
}

// ---- Delegating IUnknown ----------------------------------------------------

HRESULT CGuiXmlModel::QueryInterface(REFIID riid, void** ppvObject) {
  return m_outer ? m_outer->QueryInterface(riid, ppvObject) : m_inner.QueryInterface(riid, ppvObject);
}

ULONG CGuiXmlModel::AddRef() { return m_outer ? m_outer->AddRef() : m_inner.AddRef(); }

ULONG CGuiXmlModel::Release() { return m_outer ? m_outer->Release() : m_inner.Release(); }

// ---- ISupportErrorInfo --------------------------------------------------------

HRESULT CGuiXmlModel::InterfaceSupportsErrorInfo(REFIID riid) { return riid == IID_IGuiXmlModel ? S_OK : S_FALSE; }

// ---- IDispatch ----------------------------------------------------------------

HRESULT CGuiXmlModel::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 1;
  return S_OK;
}

HRESULT CGuiXmlModel::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  // There is one type information; the index is not checked.
  if (!ppTInfo) return E_POINTER;
  return ComponentModule::Instance().GetTypeInfo(ppTInfo);
}

HRESULT CGuiXmlModel::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
  ITypeInfo* typeInfo = nullptr;
  HRESULT hr = ComponentModule::Instance().GetTypeInfo(&typeInfo);
  if (FAILED(hr)) return hr;
  hr = typeInfo->GetIDsOfNames(rgszNames, cNames, rgDispId);
  typeInfo->Release();
  return hr;
}

// The call goes through the method table rather than the type information's own Invoke: a script passes every
// output as a reference to a variant, which the standard argument conversion refuses for BSTR* and long*.
HRESULT CGuiXmlModel::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                             VARIANT* pVarResult, EXCEPINFO*, UINT* puArgErr) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return InvokeMethod(this, dispIdMember, wFlags, pDispParams, pVarResult, puArgErr);
}

}  // namespace k42com
