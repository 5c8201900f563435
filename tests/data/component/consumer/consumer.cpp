// A tiny host of the installed component: creates a GuiXmlModel, makes one early- and one late-bound call, releases it.
#include <k42gui/IGuiXmlModel.h>
#include <k42gui/windows.h>

#include <cstdio>
#include <string>

int main() {
  IClassFactory* factory = nullptr;
  if (DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, reinterpret_cast<void**>(&factory)) != S_OK) return 1;
  IGuiXmlModel* model = nullptr;
  HRESULT hr = factory->CreateInstance(nullptr, IID_IGuiXmlModel, reinterpret_cast<void**>(&model));
  factory->Release();
  if (hr != S_OK) return 2;

  BSTR text = SysAllocString(u"HelpApplication=viewer");
  hr = model->SetSDKInitialization(text);
  SysFreeString(text);

  OLECHAR name[] = u"GetSDKInitialization";
  LPOLESTR names[] = {name};
  DISPID id = DISPID_UNKNOWN;
  BSTR back = nullptr;
  VARIANTARG arg;
  VariantInit(&arg);
  arg.vt = VT_BYREF | VT_BSTR;
  arg.pbstrVal = &back;
  DISPPARAMS params = {&arg, nullptr, 1, 0};
  if (hr == S_OK) hr = model->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  if (hr == S_OK) hr = model->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  const bool same = back && std::u16string(back) == u"HelpApplication=viewer";
  SysFreeString(back);
  model->Release();
  if (hr != S_OK || id != 39 || !same) return 3;
  std::puts("consumer: OK");
  return 0;
}
