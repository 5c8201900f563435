// Element classes of the object model: the root class, declared elements with
// their DDSTRING-keyed text variants, and the keyed element collection.
//
// Every record read from a GUI XML file (labels, variables, modules, menus,
// displays, ...) is a CDDElement or derives from it. The localized-file reader
// applies texts through the virtual operations below without knowing the
// concrete class, and the queries read them back the same way.
//
// Example:
//   CDDElement label;
//   label.SetId(u"lblTemp");
//   label.SetLabel(u"Temperature", 0, u"");      // plain label
//   label.SetLabel(u"Temp. (F)", 0, u"UNIT_F");   // a conditional variant
//   CDDElementMap dictionary;
//   dictionary.AddChild(&label);                  // first entered wins
//   CDDBase* found = dictionary.FindChild(u"lblTemp");
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/CompactText.h"
#include "model/IdIndex.h"

// Root of all model objects: an identifier and the text/child operations that
// derived classes override. The defaults do nothing and leave outputs as the
// caller passed them.
class CDDBase {
 public:
  CDDBase() = default;
  CDDBase(const CDDBase&) = default;
  CDDBase& operator=(const CDDBase&) = default;
  virtual ~CDDBase();

  // Set once, before the element enters a list or dictionary: those key it by a view of this text. The
  // element owns its identifier, or, given the model's pool, borrows the pool's copy (see k42::CompactText).
  void SetId(std::u16string_view id) { m_id = id; }
  void SetId(k42::TextPool& texts, std::u16string_view id) { m_id = k42::CompactText(texts, id); }
  void GetId(std::u16string& id) const { id.assign(m_id.View()); }
  std::u16string_view Id() const { return m_id.View(); }

  virtual void SetLabel(std::u16string text, int32_t order, std::u16string key);
  virtual void GetLabel(std::u16string& text) const;
  // Kept in the table of operations for layout compatibility; never called.
  virtual void ReservedAfterGetLabel(int32_t);
  virtual void SetTooltip(std::u16string text, std::u16string key);
  virtual void GetTooltip(std::u16string& text) const;
  // Kept in the table of operations for layout compatibility; never called.
  virtual void ReservedAfterGetTooltip(int32_t);
  virtual void SetHelpTopic(std::u16string text);
  virtual void GetHelpTopic(std::u16string& text) const;
  virtual void SetLegend(std::u16string text);
  virtual void GetLegend(std::u16string& text) const;
  virtual void SetDdString(std::u16string text);
  virtual void GetDdString(std::u16string& text) const;
  virtual void AddChild(CDDBase* element);
  virtual CDDBase* FindChild(const std::u16string& id) const;
  virtual CDDBase* FindChildByDdString(const std::u16string& id, const std::u16string& ddString) const;
  virtual int32_t NextOrder();

 private:
  k42::CompactText m_id;
};

// One DDSTRING variant of an element's texts.
class CDDText {
 public:
  CDDText() = default;
  explicit CDDText(std::u16string key) : m_key(std::move(key)) {}
  CDDText(const CDDText&) = default;
  CDDText& operator=(const CDDText&) = default;
  virtual ~CDDText() = default;

  std::u16string m_key;
  std::u16string m_label;
  std::u16string m_tooltip;
};

// A declared element: plain texts plus the variants of a conditional label.
class CDDElement : public CDDBase {
 public:
  CDDElement() = default;
  CDDElement(const CDDElement& other);
  CDDElement& operator=(const CDDElement& other);
  ~CDDElement() override;

  void SetLabel(std::u16string text, int32_t order, std::u16string key) override;
  void GetLabel(std::u16string& text) const override;
  void SetTooltip(std::u16string text, std::u16string key) override;
  void GetTooltip(std::u16string& text) const override;
  void SetHelpTopic(std::u16string text) override;
  void GetHelpTopic(std::u16string& text) const override;
  void SetLegend(std::u16string text) override;
  void GetLegend(std::u16string& text) const override;

  // The same four for a record of the model: the texts are kept in the model's pool, which the record
  // must not outlive. Whoever reads texts into the model (readers, the localized file) passes the pool.
  void SetLabel(k42::TextPool& texts, std::u16string_view text, int32_t order, std::u16string_view key);
  void SetTooltip(k42::TextPool& texts, std::u16string_view text, std::u16string_view key);
  void SetHelpTopic(k42::TextPool& texts, std::u16string_view text) { m_helpTopic = k42::CompactText(texts, text); }
  void SetLegend(k42::TextPool& texts, std::u16string_view text) { m_legend = k42::CompactText(texts, text); }
  // The same with the text already made from the pool (texts still keeps a variant's key).
  void SetLabel(k42::TextPool& texts, k42::CompactText text, int32_t order, std::u16string_view key);
  void SetTooltip(k42::TextPool& texts, k42::CompactText text, std::u16string_view key);
  void SetHelpTopic(k42::CompactText text) { m_helpTopic = std::move(text); }
  void SetLegend(k42::CompactText text) { m_legend = std::move(text); }

  virtual void GetVariants(std::vector<CDDText>& variants) const;
  virtual int32_t GetOrder() const;

  bool HasVariants() const { return m_variants != nullptr; }

 private:
  // One variant as kept: its texts sized to their content (in the model's pool when it set them).
  struct Variant {
    k42::CompactText key;
    k42::CompactText label;
    k42::CompactText tooltip;
  };
  // The variant for key, created (with empty texts, its key kept in texts when given) when it is missing.
  Variant& VariantFor(std::u16string_view key, k42::TextPool* texts);

  // Exactly sized: a large device has a hundred thousand elements, most texts short or unset.
  k42::CompactText m_label;
  k42::CompactText m_tooltip;
  k42::CompactText m_helpTopic;
  k42::CompactText m_legend;
  // Only a conditional label has variants, so most elements carry just a null pointer here.
  struct Variants {
    Variants() = default;
    Variants(const Variants& other);
    // Up to this many variants are scanned; the index is kept only beyond (a label has a few keys).
    static constexpr size_t kScanned = 8;
    std::vector<Variant> list;
    std::unique_ptr<std::map<std::u16string, size_t>> index;  // key -> position in list
  };
  std::unique_ptr<Variants> m_variants;
  int32_t m_order = 0;
};

// Elements keyed by identifier; the element entered first under an identifier
// wins. The map never owns its elements: a typed list of the model does.
class CDDElementMap : public CDDBase {
 public:
  CDDElementMap() = default;
  CDDElementMap(const CDDElementMap&) = delete;
  CDDElementMap& operator=(const CDDElementMap&) = delete;
  ~CDDElementMap() override;

  void AddChild(CDDBase* element) override;
  CDDBase* FindChild(const std::u16string& id) const override;

  size_t Count() const { return m_elements.size(); }
  // Visits every element held, in no particular order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    m_elements.ForEach(visit);
  }

  // Adds element under its identifier; false when it was not stored (null,
  // empty identifier, or the identifier is taken).
  bool Insert(CDDBase* element);

 private:
  // Keyed by the elements' own identifiers: an element keeps its identifier while it is listed, and the
  // model owns every element at least as long as its dictionaries.
  k42::IdTable<CDDBase> m_elements;
};
