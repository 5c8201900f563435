// Element classes: default operations, text variants and the keyed collection.
#include "model/DDBase.h"

CDDBase::~CDDBase() = default;

void CDDBase::SetLabel(std::u16string, int32_t, std::u16string) {}
void CDDBase::GetLabel(std::u16string&) const {}
void CDDBase::ReservedAfterGetLabel(int32_t) {}
void CDDBase::SetTooltip(std::u16string, std::u16string) {}
void CDDBase::GetTooltip(std::u16string&) const {}
void CDDBase::ReservedAfterGetTooltip(int32_t) {}
void CDDBase::SetHelpTopic(std::u16string) {}
void CDDBase::GetHelpTopic(std::u16string&) const {}
void CDDBase::SetLegend(std::u16string) {}
void CDDBase::GetLegend(std::u16string&) const {}
void CDDBase::SetDdString(std::u16string) {}
void CDDBase::GetDdString(std::u16string&) const {}
void CDDBase::AddChild(CDDBase*) {}
CDDBase* CDDBase::FindChild(const std::u16string&) const { return nullptr; }
CDDBase* CDDBase::FindChildByDdString(const std::u16string&, const std::u16string&) const { return nullptr; }
int32_t CDDBase::NextOrder() { return 0; }

CDDElement::~CDDElement() = default;

CDDElement::CDDElement(const CDDElement& other)
    : CDDBase(other),
      m_label(other.m_label),
      m_tooltip(other.m_tooltip),
      m_helpTopic(other.m_helpTopic),
      m_legend(other.m_legend),
      m_variants(other.m_variants ? std::make_unique<Variants>(*other.m_variants) : nullptr),
      m_order(other.m_order) {}

CDDElement& CDDElement::operator=(const CDDElement& other) {
  if (this == &other) return *this;
  auto variants = other.m_variants ? std::make_unique<Variants>(*other.m_variants) : nullptr;
  CDDBase::operator=(other);
  m_label = other.m_label;
  m_tooltip = other.m_tooltip;
  m_helpTopic = other.m_helpTopic;
  m_legend = other.m_legend;
  m_variants = std::move(variants);
  m_order = other.m_order;
  return *this;
}

CDDElement::Variants::Variants(const Variants& other)
    : list(other.list),
      index(other.index ? std::make_unique<std::map<std::u16string, size_t>>(*other.index) : nullptr) {}

CDDElement::Variant& CDDElement::VariantFor(std::u16string_view key, k42::TextPool* texts) {
  if (!m_variants) m_variants = std::make_unique<Variants>();
  Variants& variants = *m_variants;
  if (!variants.index) {
    for (Variant& variant : variants.list) {
      if (variant.key == key) return variant;
    }
  } else if (const auto found = variants.index->find(std::u16string(key)); found != variants.index->end()) {
    return variants.list[found->second];
  }
  variants.list.push_back(Variant{texts != nullptr ? k42::CompactText(*texts, key) : k42::CompactText(key), {}, {}});
  try {
    if (variants.list.size() == Variants::kScanned + 1) {
      auto index = std::make_unique<std::map<std::u16string, size_t>>();
      for (size_t i = 0; i < variants.list.size(); ++i) index->emplace(variants.list[i].key.View(), i);
      variants.index = std::move(index);
    } else if (variants.index) {
      variants.index->emplace(std::u16string(key), variants.list.size() - 1);
    }
  } catch (...) {
    variants.list.pop_back();  // as before the key came
    throw;
  }
  return variants.list.back();
}

void CDDElement::SetLabel(std::u16string text, int32_t order, std::u16string key) {
  if (key.empty()) {
    m_label = text;
    m_order = order;
    return;
  }
  VariantFor(key, nullptr).label = text;
}

void CDDElement::SetLabel(k42::TextPool& texts, std::u16string_view text, int32_t order, std::u16string_view key) {
  SetLabel(texts, k42::CompactText(texts, text), order, key);
}

void CDDElement::SetLabel(k42::TextPool& texts, k42::CompactText text, int32_t order, std::u16string_view key) {
  if (key.empty()) {
    m_label = std::move(text);
    m_order = order;
    return;
  }
  VariantFor(key, &texts).label = std::move(text);
}

void CDDElement::GetLabel(std::u16string& text) const { text.assign(m_label.View()); }

void CDDElement::SetTooltip(std::u16string text, std::u16string key) {
  if (key.empty()) {
    m_tooltip = text;
    return;
  }
  VariantFor(key, nullptr).tooltip = text;
}

void CDDElement::SetTooltip(k42::TextPool& texts, std::u16string_view text, std::u16string_view key) {
  SetTooltip(texts, k42::CompactText(texts, text), key);
}

void CDDElement::SetTooltip(k42::TextPool& texts, k42::CompactText text, std::u16string_view key) {
  if (key.empty()) {
    m_tooltip = std::move(text);
    return;
  }
  VariantFor(key, &texts).tooltip = std::move(text);
}

void CDDElement::GetTooltip(std::u16string& text) const { text.assign(m_tooltip.View()); }
void CDDElement::SetHelpTopic(std::u16string text) { m_helpTopic = text; }
void CDDElement::GetHelpTopic(std::u16string& text) const { text.assign(m_helpTopic.View()); }
void CDDElement::SetLegend(std::u16string text) { m_legend = text; }
void CDDElement::GetLegend(std::u16string& text) const { text.assign(m_legend.View()); }
void CDDElement::GetVariants(std::vector<CDDText>& variants) const {
  variants.clear();
  if (!m_variants) return;
  variants.reserve(m_variants->list.size());
  for (const Variant& kept : m_variants->list) {
    CDDText& variant = variants.emplace_back(kept.key.String());
    variant.m_label = kept.label.View();
    variant.m_tooltip = kept.tooltip.View();
  }
}
int32_t CDDElement::GetOrder() const { return m_order; }

CDDElementMap::~CDDElementMap() = default;

bool CDDElementMap::Insert(CDDBase* element) {
  if (element == nullptr || element->Id().empty()) {
    return false;
  }
  return m_elements.Insert(element);
}

void CDDElementMap::AddChild(CDDBase* element) { Insert(element); }

CDDBase* CDDElementMap::FindChild(const std::u16string& id) const { return m_elements.Find(id); }
