// IGuiXmlModel's type information: names to dispatch identifiers, documentation, and the dispatch call itself.
#include "component/type_info.h"

#include <k42gui/IGuiXmlModel.h>

#include <new>
#include <string>

#include "component/method_table.h"
#include "platform/text.h"

namespace k42com {

namespace {

// Automation matches member names without regard to case.
bool SameName(const char16_t* a, const OLECHAR* b) { return k42::ToUpper(a) == k42::ToUpper(b); }

const MethodDesc* FindByName(const OLECHAR* name) {
  for (const MethodDesc& method : Methods()) {
    if (SameName(method.name, name)) return &method;
  }
  return nullptr;
}

}  // namespace

CGuiXmlModelTypeInfo* CGuiXmlModelTypeInfo::Create() {
  auto* typeInfo = new (std::nothrow) CGuiXmlModelTypeInfo();
  if (typeInfo) typeInfo->AddRef();
  return typeInfo;
}

HRESULT CGuiXmlModelTypeInfo::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  if (riid != IID_IUnknown && riid != IID_ITypeInfo) return E_NOINTERFACE;
  *ppvObject = static_cast<ITypeInfo*>(this);
  AddRef();
  return S_OK;
}

ULONG CGuiXmlModelTypeInfo::AddRef() { return ++m_refs; }

ULONG CGuiXmlModelTypeInfo::Release() {
  ULONG refs = --m_refs;
  if (refs == 0) delete this;
  return refs;
}

HRESULT CGuiXmlModelTypeInfo::GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) {
  if (!rgszNames || !pMemId) return E_INVALIDARG;
  if (cNames == 0) return E_INVALIDARG;
  HRESULT hr = S_OK;
  const MethodDesc* method = rgszNames[0] ? FindByName(rgszNames[0]) : nullptr;
  pMemId[0] = method ? method->id : MEMBERID_NIL;
  if (!method) hr = DISP_E_UNKNOWNNAME;
  for (UINT n = 1; n < cNames; ++n) {
    pMemId[n] = MEMBERID_NIL;
    if (method && rgszNames[n]) {
      for (size_t p = 0; p < method->parameters.size(); ++p) {
        if (SameName(method->parameters[p], rgszNames[n])) pMemId[n] = static_cast<MEMBERID>(p);
      }
    }
    if (pMemId[n] == MEMBERID_NIL) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT CGuiXmlModelTypeInfo::Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO*, UINT* puArgErr) {
  if (!pvInstance) return E_INVALIDARG;
  return InvokeMethod(static_cast<IGuiXmlModel*>(pvInstance), memid, wFlags, pDispParams, pVarResult, puArgErr);
}

HRESULT CGuiXmlModelTypeInfo::GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString,
                                               DWORD* pdwHelpContext, BSTR* pBstrHelpFile) {
  const char16_t* name = u"IGuiXmlModel";
  const char16_t* help = u"IGuiXmlModel Interface";
  if (memid != MEMBERID_NIL) {
    const MethodDesc* method = FindMethod(memid);
    if (!method) return TYPE_E_ELEMENTNOTFOUND;
    name = method->name;
    help = method->help;
  }
  if (pBstrName) *pBstrName = SysAllocString(name);
  if (pBstrDocString) *pBstrDocString = SysAllocString(help);
  if (pdwHelpContext) *pdwHelpContext = 0;
  if (pBstrHelpFile) *pBstrHelpFile = nullptr;
  return S_OK;
}

}  // namespace k42com
