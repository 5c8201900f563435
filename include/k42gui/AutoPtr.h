// Owning wrappers for a host's automation values: a BSTR, a VARIANT and an interface pointer.
//
// Each frees what it holds when it goes out of scope, so a host cannot leak
// a string, an array or an object on an early return:
//
//   k42::AutoPtr<IClassFactory> factory;
//   k42::AutoPtr<IGuiXmlModel> model;
//   if (DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.OutVoid()) == S_OK &&
//       factory->CreateInstance(nullptr, IID_IGuiXmlModel, model.OutVoid()) == S_OK) {
//     k42::AutoBstr dir(u"/opt/devices/pt42/"), gui(u"demo.xml"), loc(u"demo_loc.xml"), lang(u"en");
//     if (model->Initialize(dir, gui, loc, lang, 1, 0) == S_OK) {
//       k42::AutoBstr label;
//       model->GetGuiLabel(k42::AutoBstr(u"navBarGoHome"), &label);  // & frees what label held
//       k42::AutoVariant tabs;
//       model->GetTabModules(1, &tabs);                                // tabs.parray: rows x 2
//     }
//   }                                            // strings, array and both objects released here
//
// Inputs: an AutoBstr converts to BSTR and an AutoPtr to its interface
// pointer. Outputs: `&` on an AutoBstr or AutoPtr frees the old value and
// hands out the empty slot; `OutVoid()` does the same for the `void**` of
// QueryInterface-style calls. An AutoVariant is a VARIANT, so `&` passes it
// as is: pass a fresh one or call `Clear()` first. A method that leaves an
// output untouched (see IGuiXmlModel.h) leaves the wrapper as it was.
//
// Header-only; needs C++17 and the platform library's automation functions.
#pragma once

#include <k42gui/oleauto.h>

#include <cstddef>
#include <string>
#include <utility>

namespace k42 {

// An owned BSTR (freed with SysFreeString). Null is a valid, empty string.
class AutoBstr {
 public:
  AutoBstr() noexcept = default;
  // Copies of a NUL-terminated text, or of a text that may contain NULs.
  explicit AutoBstr(const OLECHAR* text) : m_value(SysAllocString(text)) {}
  explicit AutoBstr(const std::u16string& text)
      : m_value(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~AutoBstr() { SysFreeString(m_value); }

  AutoBstr(AutoBstr&& other) noexcept : m_value(other.Detach()) {}
  AutoBstr& operator=(AutoBstr&& other) noexcept {
    Attach(other.Detach());
    return *this;
  }
  AutoBstr(const AutoBstr&) = delete;
  AutoBstr& operator=(const AutoBstr&) = delete;

  operator BSTR() const noexcept { return m_value; }
  BSTR Get() const noexcept { return m_value; }
  // The slot for a BSTR* output; what was held is freed first.
  BSTR* operator&() noexcept {
    Reset();
    return &m_value;
  }

  // The characters, embedded NULs included; empty for null.
  std::u16string Text() const { return m_value ? std::u16string(m_value, SysStringLen(m_value)) : std::u16string(); }

  // Takes ownership of value, freeing what was held.
  void Attach(BSTR value) noexcept {
    if (value != m_value) SysFreeString(m_value);
    m_value = value;
  }
  // Gives up ownership: the caller frees the result.
  BSTR Detach() noexcept { return std::exchange(m_value, nullptr); }
  void Reset() noexcept { Attach(nullptr); }

 private:
  BSTR m_value = nullptr;
};

// An owned VARIANT: VT_EMPTY when made, VariantClear when destroyed. It is a
// VARIANT, so its fields are read directly and `&v` is the VARIANT* to pass.
class AutoVariant : public VARIANT {
 public:
  AutoVariant() noexcept { VariantInit(this); }
  ~AutoVariant() { VariantClear(this); }

  // Moving takes the value over and leaves the source VT_EMPTY.
  AutoVariant(AutoVariant&& other) noexcept : VARIANT(other.Detach()) {}
  AutoVariant& operator=(AutoVariant&& other) noexcept {
    if (this != &other) {
      VariantClear(this);
      static_cast<VARIANT&>(*this) = other.Detach();
    }
    return *this;
  }
  AutoVariant(const AutoVariant&) = delete;
  AutoVariant& operator=(const AutoVariant&) = delete;

  // Releases what is held (VT_EMPTY afterwards), e.g. before reusing it as an output.
  void Clear() noexcept { VariantClear(this); }
  // Gives up ownership: the caller clears the result.
  VARIANT Detach() noexcept {
    VARIANT value = *this;
    VariantInit(this);
    return value;
  }
};

// A counted reference to an interface T (AddRef on copy, Release when
// dropped), as a host holds the objects it creates.
template <class T>
class AutoPtr {
 public:
  AutoPtr() noexcept = default;
  AutoPtr(std::nullptr_t) noexcept {}
  // Shares p: takes a reference of its own. Use Attach to adopt one.
  explicit AutoPtr(T* p) noexcept : m_p(p) {
    if (m_p) m_p->AddRef();
  }
  ~AutoPtr() { Reset(); }

  AutoPtr(const AutoPtr& other) noexcept : AutoPtr(other.m_p) {}
  AutoPtr(AutoPtr&& other) noexcept : m_p(other.Detach()) {}
  AutoPtr& operator=(const AutoPtr& other) noexcept { return *this = other.m_p; }
  AutoPtr& operator=(AutoPtr&& other) noexcept {
    Attach(other.Detach());
    return *this;
  }
  // Shares p and releases what was held (in this order, so p may be the same object).
  AutoPtr& operator=(T* p) noexcept {
    if (p) p->AddRef();
    Attach(p);
    return *this;
  }

  operator T*() const noexcept { return m_p; }
  T* Get() const noexcept { return m_p; }
  T* operator->() const noexcept { return m_p; }
  // The slot for a T** output; what was held is released first.
  T** operator&() noexcept {
    Reset();
    return &m_p;
  }
  // The same slot as the void** of QueryInterface, DllGetClassObject and CreateInstance.
  void** OutVoid() noexcept {
    Reset();
    return reinterpret_cast<void**>(&m_p);
  }

  // Takes over a reference the caller owns, releasing what was held.
  void Attach(T* p) noexcept {
    T* old = std::exchange(m_p, p);
    if (old) old->Release();
  }
  // Gives up the reference: the caller releases the result.
  T* Detach() noexcept { return std::exchange(m_p, nullptr); }
  void Reset() noexcept { Attach(nullptr); }

 private:
  T* m_p = nullptr;
};

}  // namespace k42
