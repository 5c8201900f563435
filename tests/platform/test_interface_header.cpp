// Tests of the interface header: the identifiers and their text form, and the automation types' Windows layout.
#include <k42gui/IGuiXmlModel.h>
#include <k42gui/windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

std::u16string ToText(REFGUID guid) {
  OLECHAR buffer[39];
  EXPECT_EQ(StringFromGUID2(guid, buffer, 39), 39);
  return buffer;
}

TEST(InterfaceHeader, GuidTextRoundTrip) {
  EXPECT_EQ(ToText(IID_IDispatch), u"{00020400-0000-0000-C000-000000000046}");
  EXPECT_EQ(ToText(IID_ISupportErrorInfo), u"{DF0B3D60-548F-101B-8E65-08002B2BD119}");
  EXPECT_EQ(ToText(CLSID_GuiXmlModel), u"{3A555CD6-5570-496E-9DA9-739C629B88C1}");
  for (const GUID* id : {&CLSID_GuiXmlModel, &IID_IGuiXmlModel, &LIBID_K42GUIXMLREADERLib}) {
    CLSID back = GUID_NULL;
    ASSERT_EQ(CLSIDFromString(ToText(*id).c_str(), &back), NOERROR);
    EXPECT_EQ(back, *id);
  }
  EXPECT_NE(CLSID_GuiXmlModel, IID_IGuiXmlModel);
  OLECHAR small[38];
  EXPECT_EQ(StringFromGUID2(IID_IUnknown, small, 38), 0);

  IID iid = IID_IUnknown;
  ASSERT_EQ(IIDFromString(u"{8b0204ea-9862-4268-a3d4-7358798f1ea6}", &iid), S_OK);
  EXPECT_EQ(iid, IID_IGuiXmlModel);
  for (const char16_t* bad : {u"", u"{8B0204EA-9862-4268-A3D4-7358798F1EA6", u"{8B0204EA-9862-4268-A3D4-7358798F1EA6}x",
                              u"{8B0204EA-9862-4268-A3D4+7358798F1EA6}", u"{8B0204EA-9862-4268-A3",
                              u"K42Gui.GuiXmlModel", u"{8B0204EG-9862-4268-A3D4-7358798F1EA6}"}) {
    CLSID clsid = CLSID_GuiXmlModel;
    EXPECT_EQ(CLSIDFromString(bad, &clsid), CO_E_CLASSSTRING)
        << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    EXPECT_EQ(clsid, CLSID_NULL);
    EXPECT_EQ(IIDFromString(bad, &iid), E_INVALIDARG);
  }
  EXPECT_EQ(CLSIDFromString(nullptr, &iid), NOERROR);
  EXPECT_EQ(iid, GUID_NULL);
}

// The automation types keep the Windows layout that the array code relies on.
static_assert(sizeof(VARIANT) == 24 && offsetof(VARIANT, lVal) == 8);
static_assert(offsetof(SAFEARRAY, pvData) == 16 && offsetof(SAFEARRAY, rgsabound) == 24);

}  // namespace
