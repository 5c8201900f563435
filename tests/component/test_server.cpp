// The component server as a host meets it: class object, creation, aggregation, interface identities, lifetimes.
#include <gtest/gtest.h>

#include "host.h"

namespace {

using k42::AutoPtr;
using k42host::LockCount;

// An outer object that counts the calls its aggregated object forwards.
struct Outer : IUnknown {
  ULONG refs = 1;
  int queries = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    ++queries;
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(ComponentServer, ClassObjectAndUnloadQuery) {
  AutoPtr<IClassFactory> factory;
  EXPECT_EQ(DllGetClassObject(IID_IGuiXmlModel, IID_IClassFactory, factory.OutVoid()), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_FALSE(factory);
  EXPECT_EQ(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, nullptr), E_POINTER);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);

  ASSERT_EQ(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.OutVoid()), S_OK);
  AutoPtr<IUnknown> again;
  EXPECT_EQ(DllGetClassObject(CLSID_GuiXmlModel, IID_IDispatch, again.OutVoid()), E_NOINTERFACE);
  ASSERT_EQ(DllGetClassObject(CLSID_GuiXmlModel, IID_IUnknown, again.OutVoid()), S_OK);
  EXPECT_EQ(static_cast<IUnknown*>(factory.Get()), again.Get()) << "the class object is cached";

  // References beyond the module's own hold one lock unit; server locks count one each.
  EXPECT_EQ(LockCount(), 1);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(LockCount(), 2);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  again.Reset();
  factory.Reset();
  EXPECT_EQ(LockCount(), 0);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
}

TEST(ComponentServer, CreationRulesAndIdentity) {
  AutoPtr<IClassFactory> factory;
  ASSERT_EQ(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.OutVoid()), S_OK);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IGuiXmlModel, nullptr), E_POINTER);
  AutoPtr<IUnknown> wrong;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, wrong.OutVoid()), E_NOINTERFACE);
  EXPECT_FALSE(wrong);
  EXPECT_EQ(LockCount(), 1) << "a failed creation leaves no object behind";

  AutoPtr<ISupportErrorInfo> errorInfo;
  {
    AutoPtr<IGuiXmlModel> model;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IGuiXmlModel, model.OutVoid()), S_OK);
    EXPECT_EQ(LockCount(), 2);
    AutoPtr<IDispatch> dispatch;
    AutoPtr<IUnknown> unknown, none, back;
    ASSERT_EQ(model->QueryInterface(IID_IDispatch, dispatch.OutVoid()), S_OK);
    ASSERT_EQ(model->QueryInterface(IID_IUnknown, unknown.OutVoid()), S_OK);
    ASSERT_EQ(dispatch->QueryInterface(IID_ISupportErrorInfo, errorInfo.OutVoid()), S_OK);
    EXPECT_EQ(static_cast<IDispatch*>(model.Get()), dispatch.Get());
    EXPECT_EQ(static_cast<IUnknown*>(model.Get()), unknown.Get()) << "IUnknown is the first interface";
    EXPECT_NE(static_cast<void*>(errorInfo.Get()), static_cast<void*>(model.Get()));
    ASSERT_EQ(errorInfo->QueryInterface(IID_IUnknown, back.OutVoid()), S_OK);
    EXPECT_EQ(back.Get(), unknown.Get());
    EXPECT_EQ(model->QueryInterface(IID_IClassFactory, none.OutVoid()), E_NOINTERFACE);
    EXPECT_EQ(model->QueryInterface(IID_IDispatch, nullptr), E_POINTER);

    EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(IID_IGuiXmlModel), S_OK);
    EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);

    // Five references (model, dispatch, unknown, errorInfo, back) on one count.
    EXPECT_EQ(model->AddRef(), 6u);
    EXPECT_EQ(model->Release(), 5u);
  }
  EXPECT_EQ(LockCount(), 2) << "the object lives while errorInfo holds it";
  errorInfo.Reset();
  factory.Reset();
  EXPECT_EQ(LockCount(), 0);
}

TEST(ComponentServer, Aggregation) {
  AutoPtr<IClassFactory> factory;
  ASSERT_EQ(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.OutVoid()), S_OK);
  Outer outer;
  IGuiXmlModel* refused = reinterpret_cast<IGuiXmlModel*>(&outer);
  EXPECT_EQ(factory->CreateInstance(&outer, IID_IGuiXmlModel, reinterpret_cast<void**>(&refused)),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(refused, nullptr);

  IUnknown* inner = nullptr;
  ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&inner)), S_OK);
  IGuiXmlModel* model = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_IGuiXmlModel, reinterpret_cast<void**>(&model)), S_OK);
  EXPECT_EQ(outer.refs, 2u) << "interfaces of an aggregated object count on the outer object";
  void* other = nullptr;
  EXPECT_EQ(model->QueryInterface(IID_ISupportErrorInfo, &other), E_NOINTERFACE);
  EXPECT_EQ(outer.queries, 1) << "QueryInterface goes to the outer object";
  AutoPtr<IUnknown> self;
  ASSERT_EQ(inner->QueryInterface(IID_IUnknown, self.OutVoid()), S_OK);
  EXPECT_EQ(self.Get(), inner);
  self.Reset();
  model->Release();
  EXPECT_EQ(outer.refs, 1u);
  EXPECT_EQ(inner->Release(), 0u);
  factory.Reset();
  EXPECT_EQ(LockCount(), 0);
}

}  // namespace
