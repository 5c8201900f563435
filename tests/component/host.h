// Test helpers that use the component as a host does: owning BSTR/VARIANT/interface wrappers, object creation, loading,
// array cells.
#pragma once

#include <gtest/gtest.h>
#include <k42gui/IGuiXmlModel.h>
#include <k42gui/windows.h>

#include "component/diagnostics.h"
#include "platform/wide.h"

#include <string>
#include <utility>
#include <vector>

namespace k42host {

// An owned BSTR; Out() frees the old one and hands out the slot.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const char16_t* text) : m_value(SysAllocString(k42::AsWide(text))) {}
  ~Bstr() { SysFreeString(m_value); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  operator BSTR() const { return m_value; }
  BSTR* Out() {
    SysFreeString(std::exchange(m_value, nullptr));
    return &m_value;
  }
  std::u16string Text() const {
    return m_value ? std::u16string(k42::AsU16(m_value), SysStringLen(m_value)) : u"<null>";
  }

 private:
  BSTR m_value = nullptr;
};

// An owned VARIANT, cleared at the end.
struct Variant : VARIANT {
  Variant() { VariantInit(this); }
  ~Variant() { VariantClear(this); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

// An interface reference, released at the end.
template <class T>
class Ref {
 public:
  Ref() = default;
  ~Ref() { Reset(); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;

  T* operator->() const { return m_p; }
  T* Get() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  void** Out() {
    Reset();
    return reinterpret_cast<void**>(&m_p);
  }
  void Reset() {
    if (m_p) std::exchange(m_p, nullptr)->Release();
  }

 private:
  T* m_p = nullptr;
};

// Initialize with the demo device (examples/demo), or with two files of tests/data/component.
HRESULT LoadDemo(IGuiXmlModel* model, long functionId = 1, long progressWindow = 0);
HRESULT LoadFixture(IGuiXmlModel* model, const char16_t* xmlFile,
                    const char16_t* locFile = u"../common/minimal_loc.xml");
// A new GuiXmlModel object as a host creates it: through the class object of the library's exports here, and
// through the COM runtime from the ProgID on Windows.
HRESULT CreateModel(REFIID riid, void** object);
// The component's lock count (live objects, server locks, class-object references).
inline LONG LockCount() { return K42GuiXmlReaderLockCount(); }

// Shape of a returned array: {rows} or {rows, columns}; empty unless VT_ARRAY | VT_VARIANT with lower bounds 0.
std::vector<LONG> Shape(const VARIANT& array);
// Element (row[, column]) as text or integer (VT_I4 or VT_BOOL), or a marker value for another type.
std::u16string CellText(const VARIANT& array, LONG row, LONG column = -1);
LONG CellLong(const VARIANT& array, LONG row, LONG column = -1);
// Every element type of one column (or of a one-dimensional array).
std::vector<VARTYPE> ColumnTypes(const VARIANT& array, LONG column = -1);

// A test with one GuiXmlModel object `m`, made by CreateModel; afterwards every reference and lock must be back.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CreateModel(IID_IGuiXmlModel, m_model.Out()), S_OK);
    m = m_model.Get();
  }
  void TearDown() override {
    m_model.Reset();
    EXPECT_EQ(LockCount(), 0) << "an object or lock was left behind";
  }

  Ref<IGuiXmlModel> m_model;
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
