// The component loaded at run time into a host whose other libraries have used up the static TLS block.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include <k42gui/IGuiXmlModel.h>
#include <k42gui/windows.h>

namespace {

void* Load(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

std::string TlsLibrary(const std::string& name) { return std::string(K42GUI_TLS_LIBRARY_DIR) + "/lib" + name + ".so"; }

template <typename Function>
Function* Symbol(void* library, const char* name) {
  return reinterpret_cast<Function*>(dlsym(library, name));
}

TEST(PluginLoad, TheComponentLoadsAndReadsTheDemoAfterTheStaticTlsBlockIsUsedUp) {
  // Largest first, each library takes what is left if it fits: afterwards less than the smallest is left.
  int loaded = 0;
  for (const int bytes : {K42GUI_TLS_SIZES}) {
    if (Load(TlsLibrary("k42test_tls_eater_" + std::to_string(bytes))) != nullptr) ++loaded;
  }
  EXPECT_GT(loaded, 0);
  ASSERT_EQ(Load(TlsLibrary("k42test_tls_probe")), nullptr) << "the static TLS block still has room";

  void* component = Load(K42GUI_COMPONENT_PATH);
  ASSERT_NE(component, nullptr) << dlerror();
  auto* getClassObject = Symbol<decltype(DllGetClassObject)>(component, "DllGetClassObject");
  // The automation functions come from the platform library the component pulled in, by their plain (C) names.
  auto* allocString = Symbol<decltype(SysAllocString)>(component, "SysAllocString");
  auto* freeString = Symbol<decltype(SysFreeString)>(component, "SysFreeString");
  ASSERT_TRUE(getClassObject != nullptr && allocString != nullptr && freeString != nullptr);

  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClassObject(CLSID_GuiXmlModel, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  IGuiXmlModel* model = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IGuiXmlModel, reinterpret_cast<void**>(&model)), S_OK);
  factory->Release();

  BSTR directory = allocString(u"" K42GUI_DEMO_DIR);
  BSTR gui = allocString(u"demo.xml"), loc = allocString(u"demo_loc.xml"), language = allocString(u"en");
  BSTR id = allocString(u"navBarGoHome"), label = nullptr;
  EXPECT_EQ(model->Initialize(directory, gui, loc, language, 1, 0), S_OK);
  EXPECT_EQ(model->GetGuiLabel(id, &label), S_OK);
  EXPECT_EQ(std::u16string(label != nullptr ? label : u""), u"Back to overview");
  for (BSTR text : {directory, gui, loc, language, id, label}) freeString(text);
  model->Release();
}

}  // namespace
