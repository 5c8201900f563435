// What only a real COM runtime shows: ProgIDs and the registered type library, late binding from the ProgID,
// progress messages to a real message-only window, and the device-help switch in Wine's registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host.h"
#include "support/test_window.h"

namespace {

using namespace k42host;

std::u16string Text(LPCOLESTR text) { return text ? k42::AsU16(text) : u"<null>"; }

TEST(ComHost, ProgIdsAndTheRegisteredTypeLibrary) {
  CLSID clsid = CLSID_NULL, versioned = CLSID_NULL;
  ASSERT_EQ(CLSIDFromProgID(k42::AsWide(u"K42Gui.GuiXmlModel"), &clsid), S_OK);
  ASSERT_EQ(CLSIDFromProgID(k42::AsWide(u"K42Gui.GuiXmlModel.1"), &versioned), S_OK);
  EXPECT_TRUE(clsid == CLSID_GuiXmlModel && versioned == CLSID_GuiXmlModel);
  LPOLESTR progId = nullptr;
  ASSERT_EQ(ProgIDFromCLSID(CLSID_GuiXmlModel, &progId), S_OK);
  EXPECT_EQ(Text(progId), u"K42Gui.GuiXmlModel.1");
  CoTaskMemFree(progId);

  // The library the object's type information comes from is the one registered, with its help strings.
  AutoPtr<IDispatch> object;
  ASSERT_EQ(CreateModel(IID_IDispatch, object.OutVoid()), S_OK);
  AutoPtr<ITypeInfo> info;
  ASSERT_EQ(object->GetTypeInfo(0, 0, &info), S_OK);
  AutoPtr<ITypeLib> library;
  UINT index = 0;
  ASSERT_EQ(info->GetContainingTypeLib(&library, &index), S_OK);
  AutoBstr name, help;
  ASSERT_EQ(library->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(name.Text() + u"|" + help.Text(), u"K42GUIXMLREADERLib|K42GuiXmlReader 1.0 Type Library");
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_TRUE(attributes->guid == LIBID_K42GUIXMLREADERLib && attributes->wMajorVerNum == 1 &&
              attributes->wMinorVerNum == 0);
  library->ReleaseTLibAttr(attributes);

  AutoPtr<ITypeInfo> coclass;
  ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_GuiXmlModel, &coclass), S_OK);
  ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(name.Text() + u"|" + help.Text(), u"GuiXmlModel|DTM.GuiXmlModel Class");
  int enumerations = 0;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    TYPEKIND kind = TKIND_MAX;
    if (library->GetTypeInfoType(i, &kind) == S_OK && kind == TKIND_ENUM) ++enumerations;
  }
  EXPECT_EQ(enumerations, 19);
}

TEST(ComHost, LateBindingOnAnObjectMadeForIDispatch) {
  AutoPtr<IDispatch> object;
  ASSERT_EQ(CreateModel(IID_IDispatch, object.OutVoid()), S_OK);
  AutoPtr<IGuiXmlModel> model;
  ASSERT_EQ(object->QueryInterface(IID_IGuiXmlModel, model.OutVoid()), S_OK);
  ASSERT_EQ(LoadDemo(model.Get()), S_OK);

  // GetGuiLabel by name, its output as a script passes it: a reference to a variant.
  char16_t method[] = u"GetGuiLabel";
  LPOLESTR names[] = {k42::AsWide(method)};
  DISPID id = 0;
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  AutoBstr key(u"toolInfoRangeTo");
  AutoVariant label;
  VARIANTARG args[2];  // the last argument first
  VariantInit(&args[0]);
  args[0].vt = VT_BYREF | VT_VARIANT;
  args[0].pvarVal = &label;
  VariantInit(&args[1]);
  args[1].vt = VT_BSTR;
  args[1].bstrVal = key;
  DISPPARAMS params = {args, nullptr, 2, 0};
  ASSERT_EQ(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
            S_OK);
  ASSERT_EQ(label.vt, VT_BSTR);
  EXPECT_EQ(Text(label.bstrVal), u"up to ");
}

using ComHostModel = HostTest;

TEST_F(ComHostModel, ProgressMessagesReachAMessageOnlyWindow) {
  k42test::TestWindow window;
  ASSERT_NE(window.Handle(), nullptr) << "a message-only window needs no display";
  // A window handle crosses the interface as a long; Windows handles fit in 32 bits.
  const long handle = static_cast<long>(reinterpret_cast<LONG_PTR>(window.Handle()));
  ASSERT_EQ(LoadDemo(m, 1, handle), S_OK);
  std::vector<k42test::ReceivedMessage> expected = {{PBM_EH_SETRANGE, 0, MAKELPARAM(0, 11)}, {PBM_EH_SETSTEP, 1, 0}};
  expected.insert(expected.end(), 10, {PBM_EH_STEPIT, 0, 0});  // one step before each section
  EXPECT_EQ(window.Messages(), expected);
}

// HKEY_LOCAL_MACHINE\SOFTWARE\Morvane\EDD as a test sets it; the key is removed again at the end.
class DeviceHelpSwitch : public HostTest {
 protected:
  void Set(DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, k42::AsWide(u"SOFTWARE\\Morvane\\EDD"), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, k42::AsWide(u"SwitchOffDeviceHelp"), 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&value), sizeof value),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, k42::AsWide(u"SOFTWARE\\Morvane"));
    HostTest::TearDown();
  }
  // The switch as a freshly loaded model reads it (each model reads the registry once).
  std::u16string Switch() {
    AutoPtr<IGuiXmlModel> model;
    EXPECT_EQ(CreateModel(IID_IGuiXmlModel, model.OutVoid()), S_OK);
    EXPECT_EQ(LoadDemo(model.Get()), S_OK);
    AutoBstr value;
    model->GetModuleFeature(AutoBstr(u"modSetup"), AutoBstr(u"SwitchOffDeviceHelp"), &value);
    return value.Text();
  }
};

TEST_F(DeviceHelpSwitch, IsReadFromWinesRegistry) {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, k42::AsWide(u"SOFTWARE\\Morvane"));
  EXPECT_EQ(Switch(), u"FALSE") << "no key";
  Set(1);
  EXPECT_EQ(Switch(), u"TRUE");
  Set(0);
  EXPECT_EQ(Switch(), u"FALSE");
}

}  // namespace
