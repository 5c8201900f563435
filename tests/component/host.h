// Test helpers that use the component as a host does: object creation, loading, array cells.
#pragma once

#include <gtest/gtest.h>
#include <k42gui/AutoPtr.h>
#include <k42gui/IGuiXmlModel.h>
#include <k42gui/windows.h>

#include "component/diagnostics.h"

#include <string>
#include <vector>

namespace k42host {

using k42::AutoBstr;
using k42::AutoPtr;
using k42::AutoVariant;

// Initialize with the demo device (examples/demo), or with two files of tests/data/component.
HRESULT LoadDemo(IGuiXmlModel* model, long functionId = 1);
HRESULT LoadFixture(IGuiXmlModel* model, const char16_t* xmlFile,
                    const char16_t* locFile = u"../common/minimal_loc.xml");
// The component's lock count (live objects, server locks, class-object references).
inline LONG LockCount() { return K42GuiXmlReaderLockCount(); }

// Shape of a returned array: {rows} or {rows, columns}; empty unless VT_ARRAY | VT_VARIANT with lower bounds 0.
std::vector<LONG> Shape(const VARIANT& array);
// Element (row[, column]) as text or integer (VT_I4 or VT_BOOL), or a marker value for another type.
std::u16string CellText(const VARIANT& array, LONG row, LONG column = -1);
LONG CellLong(const VARIANT& array, LONG row, LONG column = -1);
// Every element type of one column (or of a one-dimensional array).
std::vector<VARTYPE> ColumnTypes(const VARIANT& array, LONG column = -1);

// A test with one GuiXmlModel object `m`, made through the exports; afterwards every reference and lock must be back.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AutoPtr<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.OutVoid()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IGuiXmlModel, m_model.OutVoid()), S_OK);
    m = m_model.Get();
  }
  void TearDown() override {
    m_model.Reset();
    EXPECT_EQ(LockCount(), 0) << "an object or lock was left behind";
  }

  AutoPtr<IGuiXmlModel> m_model;
  IGuiXmlModel* m = nullptr;
};

// The same with the demo device loaded.
class DemoTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(LoadDemo(m), S_OK);
  }
};

}  // namespace k42host
