// A tiny host of the installed component: creates a GuiXmlModel, makes one early- and one late-bound call, releases it.
#include <k42gui/AutoPtr.h>
#include <k42gui/IGuiXmlModel.h>
#include <k42gui/windows.h>

#include <cstdio>
#include <string>

int main() {
  // The owning wrappers as an installed host sees them, built with the compiler's default standard.
  k42::AutoPtr<IClassFactory> factory;
  k42::AutoPtr<IGuiXmlModel> model;
  if (DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.OutVoid()) != S_OK) return 1;
  if (factory->CreateInstance(nullptr, IID_IGuiXmlModel, model.OutVoid()) != S_OK) return 2;
  HRESULT hr = model->SetSDKInitialization(k42::AutoBstr(u"HelpApplication=viewer"));

  OLECHAR name[] = u"GetSDKInitialization";
  LPOLESTR names[] = {name};
  DISPID id = DISPID_UNKNOWN;
  k42::AutoBstr back;
  k42::AutoVariant arg;
  arg.vt = VT_BYREF | VT_BSTR;
  arg.pbstrVal = &back;
  DISPPARAMS params = {&arg, nullptr, 1, 0};
  if (hr == S_OK) hr = model->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  if (hr == S_OK) hr = model->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  if (hr != S_OK || id != 39 || back.Text() != u"HelpApplication=viewer") return 3;
  std::puts("consumer: OK");
  return 0;
}
